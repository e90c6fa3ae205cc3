#include "Components/ConfettiView.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSet>
#include <QTest>

TEST(ConfettiView, SixtyDistinctPiecesWithinTheirRanges) {
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    auto* confetti = new ConfettiView(&window);
    EXPECT_TRUE(confetti->particles().isEmpty());
    window.show();
    ASSERT_EQ(confetti->particles().size(), ConfettiView::kPieceCount);
    const QSet<QRgb> palette{AppTheme::Colors::indigo().rgba(),   AppTheme::Colors::violet().rgba(),
                             AppTheme::Colors::cyan().rgba(),     AppTheme::Colors::coral().rgba(),
                             AppTheme::Colors::emerald().rgba(),  AppTheme::Colors::amber().rgba(),
                             AppTheme::Colors::electric().rgba(), AppTheme::Colors::purple().rgba()};
    QSet<QUuid> ids;
    for (const ConfettiParticle& p : confetti->particles()) {
        ids.insert(p.id);
        EXPECT_TRUE(palette.contains(p.color.rgba()));
        EXPECT_TRUE(p.size >= 6 && p.size <= 12);
        EXPECT_TRUE(p.startX >= -200 && p.startX <= 200);
        EXPECT_TRUE(p.startY >= -50 && p.startY <= 50);
        EXPECT_TRUE(p.velocityX >= -1 && p.velocityX <= 1);
        EXPECT_TRUE(p.velocityY >= 0.5 && p.velocityY <= 1.5);
        EXPECT_TRUE(p.rotation >= 0 && p.rotation <= 720);
        EXPECT_TRUE(p.duration >= 1.5 && p.duration <= 2.5);
        EXPECT_TRUE(p.shape == 0 || p.shape == 1);
    }
    EXPECT_EQ(ids.size(), ConfettiView::kPieceCount);
    // Shown again without being recreated: the same pieces, no second burst.
    window.hide();
    const QUuid first = confetti->particles().first().id;
    window.show();
    EXPECT_EQ(confetti->particles().first().id, first);
}

TEST(ConfettiView, APieceFallsFromTheTopCentreAndFades) {
    ConfettiParticle p;
    p.startX = 0;
    p.startY = 0;
    p.velocityX = 0;
    p.velocityY = 1;
    p.duration = 2;
    p.rotation = 360;
    const auto start = p.frameAt(0);
    EXPECT_EQ(start.x, 0);
    EXPECT_EQ(start.y, 0);
    EXPECT_EQ(start.opacity, 1);
    const auto end = p.frameAt(2);
    EXPECT_EQ(end.x, 0);
    EXPECT_EQ(end.y, 400);
    EXPECT_EQ(end.rotation, 360);
    EXPECT_EQ(end.opacity, 0);
    p.startX = 100;
    p.velocityX = -1;
    EXPECT_EQ(p.frameAt(5).x, 2 * 100 - 200); // ends at 2 * startX + 200 * velocityX from the centre
}

TEST(ConfettiView, ClicksPassThroughToTheControlsBelow) {
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(400, 300);
    auto* button = new QPushButton(QStringLiteral("Below"), &window);
    button->setGeometry(150, 130, 100, 40);
    auto* confetti = new ConfettiView(&window);
    confetti->setGeometry(window.rect());
    confetti->raise();
    window.show();
    EXPECT_TRUE(confetti->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(window.childAt(200, 150), button);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(window.childAt(200, 150), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}
