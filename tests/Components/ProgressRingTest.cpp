#include "Components/AnimatedProgressRing.h"
#include "Components/GlowTicker.h"
#include "Components/SmallProgressBar.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::unique_ptr<AnimatedProgressRing> shownRing(double progress) {
    auto ring = std::make_unique<AnimatedProgressRing>(progress, 100, 10, AppTheme::Colors::indigo());
    ring->setAttribute(Qt::WA_DontShowOnScreen);
    ring->resize(100, 100); // centred on (50, 50)
    ring->show();
    return ring;
}

} // namespace

TEST(AnimatedProgressRing, EndDotSitsAtTheArcsLeadingEnd) {
    EXPECT_FALSE(shownRing(0.0)->endDotCenter().has_value());
    EXPECT_FALSE(shownRing(-0.3)->endDotCenter().has_value());
    EXPECT_FALSE(shownRing(0.02)->endDotCenter().has_value());
    EXPECT_TRUE(shownRing(0.021)->endDotCenter().has_value());

    const auto quarter = shownRing(0.25)->endDotCenter();
    ASSERT_TRUE(quarter.has_value());
    EXPECT_NEAR(quarter->x(), 100.0, 1e-9); // 3 o'clock on the centre line
    EXPECT_NEAR(quarter->y(), 50.0, 1e-9);

    auto full = shownRing(1.7);
    ASSERT_TRUE(full->endDotCenter().has_value());
    EXPECT_NEAR(full->endDotCenter()->x(), 50.0, 1e-9); // back at 12 o'clock
    EXPECT_NEAR(full->endDotCenter()->y(), 0.0, 1e-9);
    EXPECT_EQ(full->percentShown(), 100);
}

TEST(AnimatedProgressRing, LabelUsesTheSharedPercentage) {
    EXPECT_EQ(shownRing(0.29)->percentShown(), 29);
    EXPECT_EQ(shownRing(0.999)->percentShown(), 99);
    auto odd = shownRing(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(odd->percentShown(), 0);
    EXPECT_FALSE(odd->endDotCenter().has_value());
    odd->setProgress(0.6);
    EXPECT_EQ(odd->percentShown(), 60);
    EXPECT_FALSE(odd->grab().isNull()); // paints without fault
}

TEST(AnimatedProgressRing, StartsEmptyUntilShown) {
    AnimatedProgressRing ring(0.5, 80, 8, Qt::red);
    EXPECT_EQ(ring.animatedProgress(), 0.0);
}

TEST(AnimatedProgressRing, BreathesOnlyWhileShownWithAnimationsOn) {
    GlowTicker& ticker = GlowTicker::shared();
    const int before = ticker.count();
    auto ring = shownRing(0.5);
    EXPECT_EQ(ticker.count(), before + 1);
    EXPECT_FALSE(ticker.isRunning()); // animations are off in tests
    EXPECT_EQ(ring->glowScale(), 1.0);
    AnimationTiming::setAnimationsEnabled(true);
    ring->hide();
    ring->show();
    EXPECT_TRUE(ticker.isRunning());
    ring->hide();
    EXPECT_EQ(ticker.count(), before);
    EXPECT_FALSE(ticker.isRunning());
    AnimationTiming::setAnimationsEnabled(false);
}

TEST(SmallProgressBar, FillsItsWidthClampedAndTreatsNaNAsEmpty) {
    auto bar = [](double p) {
        auto b = std::make_unique<SmallProgressBar>(p, Qt::green, 6, true);
        b->setAttribute(Qt::WA_DontShowOnScreen);
        b->resize(200, 6);
        b->show();
        return b;
    };
    EXPECT_EQ(bar(1.5)->fillWidth(), 200.0);
    EXPECT_EQ(bar(-1)->fillWidth(), 0.0);
    EXPECT_EQ(bar(std::numeric_limits<double>::infinity())->fillWidth(), 0.0);
    auto half = bar(0.5);
    EXPECT_EQ(half->fillWidth(), 100.0);
    half->setProgress(0.25);
    EXPECT_EQ(half->fillWidth(), 50.0);
}

TEST(GlowTicker, RepaintsOnlyTheShownWidgetsThatMoved) {
    struct Counted : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent*) override { ++paints; }
    };
    Counted still, moving, plain, hidden;
    for (Counted* w : {&still, &moving, &plain, &hidden}) {
        w->setAttribute(Qt::WA_DontShowOnScreen);
        w->resize(40, 40);
        w->show();
    }
    hidden.hide();
    GlowTicker& ticker = GlowTicker::shared();
    ticker.add(&still, [] { return false; });
    ticker.add(&moving, [] { return true; });
    ticker.add(&plain);
    ticker.add(&hidden, [] { return true; });
    qv::test::settle();
    for (Counted* w : {&still, &moving, &plain, &hidden})
        w->paints = 0;
    ticker.tick();
    qv::test::settle();
    EXPECT_EQ(still.paints, 0);
    EXPECT_EQ(moving.paints, 1);
    EXPECT_EQ(plain.paints, 1) << "no way to tell: repaints on every tick";
    EXPECT_EQ(hidden.paints, 0);
    for (Counted* w : {&still, &moving, &plain, &hidden})
        ticker.remove(w);
}
