#include "Components/SmallProgressBar.h"
#include "Platform/Clock.h"
#include "Support/FakeAnimationDriver.h"
#include "ViewModels/Theme/AnimationTiming.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

// Alpha just above the track, where only the glow reaches: the bar is 6 high in a 14-high frame.
int alphaAboveTrack(SmallProgressBar& bar) {
    QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    bar.render(&image);
    return qAlpha(image.pixel(20, 2));
}

} // namespace

TEST(SmallProgressBarGlow, TurnsOnAndOffWithoutRestartingTheFill) {
    SmallProgressBar bar(0.8, Qt::green, 6, false);
    bar.setAttribute(Qt::WA_DontShowOnScreen);
    bar.resize(200, 14);
    // Frames and the animator's delays both move on the fake clock only.
    Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    FakeAnimationDriver& animations = FakeAnimationDriver::shared();
    AnimationTiming::setAnimationsEnabled(true);
    bar.show();
    for (int frames = 0; frames < 200 && bar.animatedProgress() <= 0.2; ++frames)
        animations.step(16);
    const double reached = bar.animatedProgress();
    ASSERT_GT(reached, 0.2);
    ASSERT_LT(reached, 0.8) << "caught while filling";
    bar.setShowGlow(true);
    EXPECT_TRUE(bar.showGlow());
    animations.step(16);
    EXPECT_GE(bar.animatedProgress(), reached) << "not emptied to fill again";
    animations.step(5000);
    EXPECT_EQ(bar.animatedProgress(), 0.8);
    EXPECT_EQ(bar.glowAmount(), 1.0);
    AnimationTiming::setAnimationsEnabled(false);
    animations.release();
    Clock::useSystem();
    EXPECT_GT(alphaAboveTrack(bar), 0);

    bar.setShowGlow(false);
    EXPECT_EQ(bar.glowAmount(), 0.0); // instant with animations off
    EXPECT_EQ(bar.animatedProgress(), 0.8);
    EXPECT_EQ(alphaAboveTrack(bar), 0);
}
