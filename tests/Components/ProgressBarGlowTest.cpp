#include "Components/SmallProgressBar.h"
#include "Core/Theme/AnimationTiming.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

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
    AnimationTiming::setAnimationsEnabled(true);
    bar.show();
    ASSERT_TRUE(QTest::qWaitFor([&bar] { return bar.animatedProgress() > 0.2; }, 5000));
    bar.setShowGlow(true);
    EXPECT_TRUE(bar.showGlow());
    const double reached = bar.animatedProgress();
    EXPECT_GT(reached, 0.2); // not emptied to fill again
    EXPECT_TRUE(
        QTest::qWaitFor([&bar] { return bar.animatedProgress() == 0.8 && bar.glowAmount() == 1.0; }, 10000));
    AnimationTiming::setAnimationsEnabled(false);
    EXPECT_GT(alphaAboveTrack(bar), 0);

    bar.setShowGlow(false);
    EXPECT_EQ(bar.glowAmount(), 0.0); // instant with animations off
    EXPECT_EQ(bar.animatedProgress(), 0.8);
    EXPECT_EQ(alphaAboveTrack(bar), 0);
}
