#include "Components/CastShadow.h"
#include "Components/CategoryTag.h"
#include "Components/GlassPainter.h"
#include "Components/MomentumBadge.h"
#include "Components/MotionEffect.h"
#include "Components/PressEffect.h"
#include "Components/PriorityBadge.h"
#include "Components/StatCard.h"
#include "Platform/Clock.h"
#include "Support/FakeAnimationDriver.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QTest>

TEST(Badges, ReadTheirCaseWithSymbolAndTone) {
    PriorityBadge medium(GoalPriority::medium);
    EXPECT_EQ(medium.text(), QStringLiteral("Medium"));
    EXPECT_EQ(medium.symbol(), QStringLiteral("minus"));
    EXPECT_EQ(medium.tone(), AppTheme::Colors::amber());
    EXPECT_DOUBLE_EQ(medium.fillOpacity(), 0.12);
    medium.setPriority(GoalPriority::high);
    EXPECT_EQ(medium.text(), QStringLiteral("High"));
    EXPECT_EQ(medium.tone(), AppTheme::Colors::coral());

    MomentumBadge stalling(MomentumState::stalling);
    EXPECT_EQ(stalling.text(), QStringLiteral("Stalling"));
    EXPECT_EQ(stalling.symbol(), QStringLiteral("tortoise.fill"));
    EXPECT_DOUBLE_EQ(stalling.strokeOpacity(), 0.25);

    CategoryTag tag(QStringLiteral("<b>Health</b>"), QColor(10, 20, 30));
    EXPECT_EQ(tag.tone(), QColor(10, 20, 30));
    EXPECT_DOUBLE_EQ(tag.fillOpacity(), 0.1);
    EXPECT_TRUE(tag.symbol().isEmpty());
    EXPECT_GT(tag.sizeHint().width(), medium.sizeHint().width() - 20);
}

TEST(StatCard, SubtitleLineOnlyWhenGivenAndHoverLifts) {
    StatCard plain(QStringLiteral("Active Goals"), QStringLiteral("3"), std::nullopt,
                   QStringLiteral("target"), AppTheme::Colors::indigo(), 0);
    StatCard withSub(QStringLiteral("Active Goals"), QStringLiteral("3"), QStringLiteral("2 due soon"),
                     QStringLiteral("target"), AppTheme::Colors::indigo(), 0);
    EXPECT_LT(plain.sizeHint().height(), withSub.sizeHint().height());

    EXPECT_EQ(plain.graphicsEffect(), nullptr) << "the entrance ends at once with animations off";
    EXPECT_EQ(CastShadow::of(&plain).radius, 16);
    EXPECT_EQ(CastShadow::of(&plain).y, 6);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&plain, &enter);
    EXPECT_TRUE(plain.isHovered());
    ASSERT_NE(qobject_cast<MotionEffect*>(plain.graphicsEffect()), nullptr) << "hovered, it may lift";
    EXPECT_DOUBLE_EQ(MotionEffect::of(&plain)->scale(), 1.02);
    EXPECT_EQ(CastShadow::of(&plain).radius, 24);
    EXPECT_EQ(CastShadow::of(&plain).y, 10);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&plain, &leave);
    EXPECT_EQ(plain.graphicsEffect(), nullptr) << "back at rest";
    plain.setValue(QStringLiteral("4"));
    EXPECT_EQ(plain.value(), QStringLiteral("4"));
}

TEST(MotionEffect, EntranceWaitsUntilShownLowAndTransparent) {
    AnimationTiming::setAnimationsEnabled(true);
    QWidget card;
    card.setAttribute(Qt::WA_DontShowOnScreen);
    MotionEffect::staggeredAppear(&card, 0);
    MotionEffect* effect = MotionEffect::of(&card);
    EXPECT_EQ(effect->opacity(), 0.0);
    EXPECT_EQ(effect->offsetY(), 16.0);
    // Frames and the animator's delays both move on the fake clock only.
    Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    FakeAnimationDriver& animations = FakeAnimationDriver::shared();
    animations.step(300);
    EXPECT_EQ(effect->opacity(), 0.0); // not shown yet: nothing moved
    card.show();
    // In place and opaque at the end, when the effect steps aside.
    animations.step(5000);
    EXPECT_EQ(card.graphicsEffect(), nullptr);
    AnimationTiming::setAnimationsEnabled(false);
    animations.release();
    Clock::useSystem();
}

TEST(MotionEffect, EntranceDelayIsCappedAndPressShrinksUntilRelease) {
    EXPECT_DOUBLE_EQ(MotionEffect::kMaxEntranceDelay, 0.4);
    QWidget card;
    auto* child = new QWidget(&card);
    child->resize(20, 20);
    PressEffect* press = PressEffect::attach(&card);
    EXPECT_EQ(PressEffect::attach(&card), press);
    QTest::mousePress(child, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(press->isPressed());
    EXPECT_DOUBLE_EQ(MotionEffect::of(&card)->scale(), 0.97);
    QTest::mouseMove(child, QPoint(500, 500)); // dragged off: still pressed
    EXPECT_TRUE(press->isPressed());
    QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(card.graphicsEffect(), nullptr) << "released, the card is at rest again";
}

TEST(GlassPainter, ZeroIntensityLeavesOnlyTheMaterial) {
    QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        GlassPainter::paintBorder(p, QRectF(0, 0, 60, 40), 12, 0.0, AppTheme::Colors::indigo());
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 0);
    {
        QPainter p(&image);
        GlassPainter::paintBorder(p, QRectF(0, 0, 60, 40), 12, 2.0, AppTheme::Colors::indigo());
    }
    EXPECT_GT(qAlpha(image.pixel(30, 0)), 0);
}
