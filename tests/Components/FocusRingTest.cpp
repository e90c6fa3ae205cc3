#include "Components/FocusRing.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

TEST(FocusRing, KeyboardFocusShowsTheRingAndTheKeysDoWhatTheySay) {
    FocusRing::install();
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* notes = new QPlainTextEdit;
    auto* button = new QPushButton(QStringLiteral("Go"));
    auto* field = new QLineEdit;
    column->addWidget(notes);
    column->addWidget(button);
    column->addWidget(field);
    window.show();
    QApplication::setActiveWindow(&window);
    qv::test::settle();

    notes->setFocus(Qt::TabFocusReason);
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_TRUE(notes->toPlainText().isEmpty()) << "Tab types nothing into a note";
    EXPECT_TRUE(button->hasFocus()) << "and moves on";
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), button);
    EXPECT_TRUE(FocusRing::current()->isVisible());
    EXPECT_TRUE(FocusRing::current()->geometry().contains(button->geometry()));

    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1) << "Return presses the focused button";

    field->setFocus(Qt::MouseFocusReason);
    qv::test::settle();
    EXPECT_EQ(FocusRing::current(), nullptr) << "fields show their own focus; a click shows no ring";
    button->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(FocusRing::current(), nullptr);

    const QString pasted(100000, QLatin1Char('x'));
    field->setText(pasted);
    EXPECT_EQ(field->text().size(), pasted.size()) << "no field cuts pasted text";
}

// The ring follows the control's outline: a circle round a round control, a capsule round a
// pill, the corners a style sheet gives, and the kit's usual corner otherwise.
TEST(FocusRing, TheRingFollowsTheShapeOfTheControl) {
    FocusRing::install();
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* swatch = new QPushButton;
    swatch->setFixedSize(32, 32);
    FocusRing::setRound(swatch);
    auto* pill = new QPushButton(QStringLiteral("Get Started"));
    pill->setFixedSize(160, 40);
    pill->setStyleSheet(QStringLiteral("QPushButton { border-radius: 20px; background: #4F46E5; }"));
    auto* card = new QPushButton(QStringLiteral("Theme"));
    card->setFixedSize(120, 80);
    FocusRing::setCornerRadius(card, 12);
    auto* plain = new QPushButton(QStringLiteral("Plain"));
    plain->setFixedSize(120, 40);
    for (QWidget* w : std::initializer_list<QWidget*>{swatch, pill, card, plain})
        column->addWidget(w);
    window.show();
    QApplication::setActiveWindow(&window);
    qv::test::settle();

    const auto ringOf = [&window](QPushButton* button) {
        button->clearFocus(); // the window gave the first control its focus as it showed
        button->setFocus(Qt::TabFocusReason);
        qv::test::settle();
        EXPECT_EQ(FocusRing::current() ? FocusRing::current()->target() : nullptr, button);
        return FocusRing::current() ? FocusRing::current()->outline() : QPainterPath();
    };
    // Points just inside the ring's box: a corner is outside a circle or a rounded box, not a square.
    const auto cornerInside = [](const QPainterPath& path, double in) {
        const QRectF box = path.boundingRect();
        return path.contains(box.topLeft() + QPointF(in, in));
    };
    const QPainterPath round = ringOf(swatch);
    EXPECT_NEAR(round.boundingRect().width(), round.boundingRect().height(), 0.5);
    EXPECT_TRUE(round.contains(round.boundingRect().center()));
    EXPECT_FALSE(cornerInside(round, 4)) << "a circle round the swatch";
    const QPainterPath capsule = ringOf(pill);
    EXPECT_FALSE(cornerInside(capsule, 6)) << "a capsule round the pill";
    EXPECT_TRUE(
        capsule.contains(QPointF(capsule.boundingRect().center().x(), capsule.boundingRect().top() + 1)));
    const QPainterPath rounded = ringOf(card);
    EXPECT_FALSE(cornerInside(rounded, 2));
    EXPECT_TRUE(cornerInside(rounded, 8)) << "corners of the card's radius, not a capsule";
    EXPECT_GT(rounded.boundingRect().width(), card->width());
    EXPECT_TRUE(cornerInside(ringOf(plain), 5));
}

// A chip in a strip exactly its height, scrolled sideways: the ring goes whole round it, moves
// as the strip scrolls, and goes when the chip leaves the strip's view.
TEST(FocusRing, TheRingOfAControlInATightScrollingStripIsWholeAndScrollsWithIt) {
    FocusRing::install();
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(20, 20, 20, 20);
    auto* strip = new QScrollArea;
    strip->setFrameShape(QFrame::NoFrame);
    strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* row = new QWidget;
    auto* chips = new QHBoxLayout(row);
    chips->setContentsMargins(0, 0, 0, 0);
    QList<QPushButton*> buttons;
    for (int i = 0; i < 10; ++i) {
        buttons << new QPushButton(QStringLiteral("Chip %1").arg(i));
        buttons.last()->setFixedSize(90, 28);
        chips->addWidget(buttons.last());
    }
    strip->setWidget(row);
    strip->setFixedSize(300, 28);
    column->addWidget(strip);
    window.show();
    QApplication::setActiveWindow(&window);
    qv::test::settle();

    QPushButton* chip = buttons.at(1);
    chip->clearFocus();
    chip->setFocus(Qt::TabFocusReason);
    qv::test::settle();
    FocusRing* ring = FocusRing::current();
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->height(), chip->height() + 2 * FocusRing::kOutset) << "cut by the strip";
    const QPoint before = ring->mapTo(&window, QPoint());
    strip->horizontalScrollBar()->setValue(40);
    qv::test::settle();
    EXPECT_EQ(ring->mapTo(&window, QPoint()), before - QPoint(40, 0));
    strip->horizontalScrollBar()->setValue(strip->horizontalScrollBar()->maximum());
    qv::test::settle();
    EXPECT_FALSE(ring->isVisible()) << "the chip scrolled out of view";
}
