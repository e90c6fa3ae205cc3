// Fills and sweeps inside a widget that comes in wait for its entrance, and a ring's sweep
// draws its glow from the whole ring's cached glow without looking different.
#include "Components/AnimatedProgressRing.h"
#include "Components/GlowTicker.h"
#include "Components/MotionEffect.h"
#include "Components/SmallProgressBar.h"
#include "Platform/Clock.h"
#include "Support/FakeAnimationDriver.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

namespace {

// Animations on, driven frame by frame on the fake clock, for one test.
class AnimatedFrames : public ::testing::Test {
protected:
    void SetUp() override {
        AnimationTiming::setAnimationsEnabled(true);
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
        FakeAnimationDriver::shared(); // before the first animation starts on the real one
        // The glows breathe on the frames stepped too, never on the time the machine takes.
        GlowTicker::shared().setTimeline([] { return Clock::nowMSecsSinceEpoch(); });
    }
    void TearDown() override {
        GlowTicker::shared().setTimeline({});
        AnimationTiming::setAnimationsEnabled(false);
        FakeAnimationDriver::shared().release();
        Clock::useSystem();
    }
    FakeAnimationDriver& frames() { return FakeAnimationDriver::shared(); }
};

// A row holding a bar and a ring, as the goal rows and cards do.
struct Row {
    QWidget widget;
    SmallProgressBar* bar;
    AnimatedProgressRing* ring;
    Row() {
        widget.setAttribute(Qt::WA_DontShowOnScreen);
        auto* layout = new QVBoxLayout(&widget);
        bar = new SmallProgressBar(0.8, Qt::green, 4, false, &widget);
        ring = new AnimatedProgressRing(0.6, 60, 5, AppTheme::Colors::indigo(), true,
                                        QColor(255, 255, 255, 15), &widget);
        layout->addWidget(bar);
        layout->addWidget(ring);
        widget.resize(240, 120);
    }
};

// Pixels of a and b whose channels differ by more than tolerance.
int differingPixels(const QImage& a, const QImage& b, int tolerance) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int count = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance)
                ++count;
        }
    return count;
}

} // namespace

TEST_F(AnimatedFrames, FillAndSweepWaitForTheEntranceAroundThem) {
    Row row;
    MotionEffect::staggeredAppear(&row.widget, 0.1);
    row.widget.show();
    frames().step(300);
    ASSERT_NE(row.widget.graphicsEffect(), nullptr) << "still coming in";
    EXPECT_EQ(row.bar->animatedProgress(), 0.0);
    EXPECT_EQ(row.ring->animatedProgress(), 0.0);
    EXPECT_EQ(row.ring->glowScale(), 1.0) << "no breathing before the sweep";
    row.ring->setProgress(0.7); // a new figure while waiting is where the sweep goes
    frames().step(3000);
    EXPECT_EQ(row.widget.graphicsEffect(), nullptr) << "in place: the effect is gone";
    EXPECT_DOUBLE_EQ(row.bar->animatedProgress(), 0.8);
    EXPECT_DOUBLE_EQ(row.ring->animatedProgress(), 0.7);
}

TEST_F(AnimatedFrames, FillStartsAtOnceWithoutAnEntranceAndWhenTheEnteringWidgetGoes) {
    Row plain;
    plain.widget.show();
    frames().step(200);
    EXPECT_GT(plain.bar->animatedProgress(), 0.0);
    EXPECT_GT(plain.ring->animatedProgress(), 0.0);

    // The entering widget is deleted before its entrance ends: nothing waits on it.
    auto* outer = new QWidget;
    outer->setAttribute(Qt::WA_DontShowOnScreen);
    auto* holder = new QWidget(outer);
    QPointer<SmallProgressBar> bar = new SmallProgressBar(0.5, Qt::red, 4, false, holder);
    MotionEffect::staggeredAppear(outer, 0.3);
    outer->show();
    frames().step(50);
    EXPECT_EQ(bar->animatedProgress(), 0.0);
    delete outer;
    EXPECT_TRUE(bar.isNull());
    frames().step(50);

    // Nothing around is coming in: it starts at once.
    bool ran = false;
    QWidget lone;
    MotionEffect::afterEntrance(&lone, &lone, [&ran] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST_F(AnimatedFrames, ASweepsGlowLooksLikeTheBlurredArc) {
    const QColor color = AppTheme::Colors::indigo();
    for (double target : {0.35, 0.8}) {
        AnimatedProgressRing sweeping(target, 80, 7, color);
        sweeping.setAttribute(Qt::WA_DontShowOnScreen);
        sweeping.resize(sweeping.sizeHint());
        sweeping.show();
        frames().step(250);
        const double drawn = sweeping.animatedProgress();
        ASSERT_GT(drawn, 0.05);
        ASSERT_LT(drawn, target);
        const QImage during = sweeping.grab().toImage();

        // The same arc at rest blurs its own glow.
        AnimationTiming::setAnimationsEnabled(false);
        AnimatedProgressRing resting(drawn, 80, 7, color);
        resting.setAttribute(Qt::WA_DontShowOnScreen);
        resting.resize(resting.sizeHint());
        resting.show();
        const QImage atRest = resting.grab().toImage();
        AnimationTiming::setAnimationsEnabled(true);

        ASSERT_EQ(during.size(), atRest.size());
        EXPECT_EQ(differingPixels(during, atRest, 12), 0) << "at " << drawn;
        EXPECT_LT(differingPixels(during, atRest, 3), during.width() * during.height() / 50)
            << "at " << drawn;
    }
}
