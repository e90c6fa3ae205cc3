#include "Components/AuroraBackground.h"
#include "Platform/Clock.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineF>

namespace {

// Switches animations on for one test; the harness runs everything else without them.
class AnimationsOn {
public:
    AnimationsOn() { AnimationTiming::setAnimationsEnabled(true); }
    ~AnimationsOn() { AnimationTiming::setAnimationsEnabled(false); }
};

} // namespace

TEST(ShellAurora, GlowsDriftBackAndForthEachAtItsOwnPace) {
    const auto& blobs = AuroraBackground::blobs();
    ASSERT_EQ(blobs.size(), 5u);
    for (const auto& blob : blobs) {
        EXPECT_EQ(AuroraBackground::blobOffset(blob, 0), blob.offsetA);
        EXPECT_EQ(AuroraBackground::blobOffset(blob, blob.duration), blob.offsetB);
        EXPECT_EQ(AuroraBackground::blobOffset(blob, 2 * blob.duration), blob.offsetA);
    }
    EXPECT_EQ(blobs[0].color, AppTheme::Colors::indigo());
    EXPECT_EQ(blobs[4].color, AppTheme::Colors::violet());
    const auto& fifth = blobs[4];
    EXPECT_EQ(fifth.duration, 8);
    EXPECT_EQ(AuroraBackground::blobOffset(fifth, 8), QPointF(-40, -30))
        << "80 left and 60 up within 8 seconds";
    const QPointF half = AuroraBackground::blobOffset(fifth, 4);
    EXPECT_NEAR(half.x(), 0, 1e-6);
    EXPECT_NEAR(half.y(), 0, 1e-6);
    // Easing: slow at the turns, fast in the middle.
    const qreal early =
        QLineF(AuroraBackground::blobOffset(fifth, 0), AuroraBackground::blobOffset(fifth, 0.8)).length();
    const qreal middle =
        QLineF(AuroraBackground::blobOffset(fifth, 3.6), AuroraBackground::blobOffset(fifth, 4.4)).length();
    EXPECT_LT(early * 3, middle);
}

TEST(ShellAurora, RunsOnlyWhileShownWithAnimationsOn) {
    {
        AuroraBackground still;
        still.resize(400, 300);
        still.show();
        qv::test::settle();
        EXPECT_FALSE(still.isAnimating()) << "animations are off";
        EXPECT_EQ(still.elapsedSeconds(), 0);
    }
    AnimationsOn on;
    Clock::setFake(QDateTime(QDate(2026, 3, 1), QTime(12, 0)));
    AuroraBackground backdrop;
    backdrop.resize(400, 300);
    EXPECT_FALSE(backdrop.isAnimating());
    backdrop.show();
    qv::test::settle();
    EXPECT_TRUE(backdrop.isAnimating());
    Clock::advance(3);
    EXPECT_DOUBLE_EQ(backdrop.elapsedSeconds(), 3);
    backdrop.hide();
    qv::test::settle();
    EXPECT_FALSE(backdrop.isAnimating());
    backdrop.show();
    qv::test::settle();
    EXPECT_TRUE(backdrop.isAnimating());
    backdrop.showMinimized();
    qv::test::settle();
    EXPECT_FALSE(backdrop.isAnimating());
    Clock::useSystem();
}

TEST(ShellAurora, PaintsTheGlowsOverTheBaseColour) {
    AuroraBackground backdrop;
    backdrop.resize(1200, 760);
    const QImage frame = QImage(qv::test::saveScreen(&backdrop, QStringLiteral("aurora-background")));
    ASSERT_FALSE(frame.isNull());
    const QColor corner = frame.pixelColor(2, 2);
    // Blob 1 (indigo) sits 260 left and 180 up of the centre at rest.
    const QColor indigoGlow = frame.pixelColor(600 - 260, 380 - 180);
    EXPECT_GT(indigoGlow.blue(), corner.blue() + 30);
    EXPECT_GT(indigoGlow.blue(), indigoGlow.green());
    // Blob 2 (sunrise) 260 right and 120 up.
    const QColor sunriseGlow = frame.pixelColor(600 + 260, 380 - 120);
    EXPECT_GT(sunriseGlow.red(), corner.red() + 25);
}

TEST(ShellAurora, BaseColourFollowsTheTheme) {
    ThemeManager::resetShared();
    ThemeManager::shared().setCurrentTheme(AppColorTheme::crimson);
    AuroraBackground backdrop;
    backdrop.resize(1200, 760);
    const QImage frame = backdrop.grab().toImage();
    const QColor corner = frame.pixelColor(1, 1);
    const QColor base = Theme::backgroundPrimary();
    EXPECT_NEAR(corner.red(), base.red(), 3);
    EXPECT_NEAR(corner.green(), base.green(), 3);
    EXPECT_NEAR(corner.blue(), base.blue(), 3);
    ThemeManager::resetShared();
}

// The backdrop repaints a few times a second only: the drift must still look continuous, each
// frame within a few colour levels of the one before, as at thirty frames a second.
TEST(ShellAurora, EachFrameIsWithinAFewColourLevelsOfTheOneBefore) {
    AuroraBackground backdrop;
    const QSizeF size(1200, 760);
    const qreal step = AuroraBackground::kFrameIntervalMs / 1000.0;
    int worst = 0;
    for (qreal t = 0; t < 30; t += 0.29) {
        const QImage before = backdrop.canvas(size, t).copy();
        const QImage after = backdrop.canvas(size, t + step);
        ASSERT_EQ(before.size(), after.size());
        for (int y = 0; y < after.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
            for (int x = 0; x < after.width(); ++x)
                worst =
                    std::max({worst, std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                              std::abs(qBlue(a[x]) - qBlue(b[x]))});
        }
    }
    EXPECT_LE(worst, 4);
    EXPECT_GT(worst, 0) << "the glows move";
}
