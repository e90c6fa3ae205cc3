#include "Components/MotionEffect.h"
#include "Platform/Clock.h"
#include "Support/FakeAnimationDriver.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>

TEST(MotionEffectOffset, SideEntranceIsInstantWhileAnimationsAreOff) {
    QWidget panel;
    MotionEffect::of(&panel)->setOffsetX(50);
    MotionEffect::appearFrom(&panel, QPointF(380, 0), AppTheme::Animation::spring());
    const MotionEffect* effect = MotionEffect::of(&panel);
    EXPECT_EQ(effect->opacity(), 1.0);
    EXPECT_EQ(effect->offsetX(), 0.0);
    EXPECT_EQ(effect->offsetY(), 0.0);
}

TEST(MotionEffectOffset, SideEntranceWaitsUntilShownThenSlidesAndFadesIn) {
    AnimationTiming::setAnimationsEnabled(true);
    QWidget panel;
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    MotionEffect::appearFrom(&panel, QPointF(380, 0), AppTheme::Animation::spring());
    MotionEffect* effect = MotionEffect::of(&panel);
    EXPECT_EQ(effect->opacity(), 0.0);
    EXPECT_EQ(effect->offsetX(), 380.0);
    EXPECT_EQ(effect->offsetY(), 0.0);
    // Frames and the animator's delays both move on the fake clock only.
    Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    FakeAnimationDriver& animations = FakeAnimationDriver::shared();
    animations.step(100);
    EXPECT_EQ(effect->offsetX(), 380.0); // not shown yet: nothing moved
    panel.show();
    QPointer<MotionEffect> moving(effect);
    animations.step(32);
    ASSERT_FALSE(moving.isNull()) << "a spring takes longer than two frames";
    EXPECT_LT(moving->offsetX(), 380.0) << "shown: it slides";
    EXPECT_GT(moving->offsetX(), 0.0);
    // In place and opaque at the end, and then the effect is gone: nothing costs at rest.
    animations.step(5000);
    EXPECT_EQ(panel.graphicsEffect(), nullptr);
    EXPECT_TRUE(moving.isNull());
    AnimationTiming::setAnimationsEnabled(false);
    animations.release();
    Clock::useSystem();
}

TEST(MotionEffectOffset, DrawsAndBoundsTheWidgetMovedAcross) {
    QWidget host;
    host.resize(100, 40);
    auto* block = new QWidget(&host);
    block->setGeometry(0, 0, 20, 20);
    block->setAutoFillBackground(true);
    QPalette palette = block->palette();
    palette.setColor(QPalette::Window, Qt::red);
    block->setPalette(palette);
    MotionEffect* effect = MotionEffect::of(block);
    effect->setOffsetX(30);
    effect->setOffsetY(10);
    EXPECT_TRUE(effect->boundingRectFor(QRectF(0, 0, 20, 20)).contains(QRectF(30, 10, 20, 20)));

    QImage image(host.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    host.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(40, 20), QColor(Qt::red));
    EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0); // its old place is left empty
}

namespace {

// Counts how often it is painted, so a test can tell a fresh picture from a kept one.
class PaintCounter : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;
    QColor colour = Qt::red;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), colour);
    }
};

QImage renderOf(QWidget& host) {
    QImage image(host.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    host.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(MotionEffectOffset, KeepsItsPictureOnlyWhileNothingInsideChangesOrMoves) {
    QWidget host;
    host.resize(200, 120);
    host.setAttribute(Qt::WA_DontShowOnScreen);
    auto* moving = new QWidget(&host);
    moving->setGeometry(10, 10, 100, 50);
    auto* inside = new PaintCounter(moving);
    inside->setGeometry(5, 5, 20, 20);
    host.show();
    MotionEffect::of(moving)->setOpacity(0.5);

    renderOf(host);
    const int first = inside->paints;
    ASSERT_GE(first, 1);
    renderOf(host);
    EXPECT_EQ(inside->paints, first) << "an unchanged widget is drawn from its picture";

    inside->colour = Qt::blue;
    inside->update();
    const QImage changed = renderOf(host);
    EXPECT_EQ(inside->paints, first + 1) << "a repaint inside makes a new picture";
    EXPECT_GT(qBlue(changed.pixel(20, 20)), 0);
    EXPECT_EQ(qRed(changed.pixel(20, 20)), 0) << "never the stale picture";

    moving->move(40, 40);
    renderOf(host);
    EXPECT_EQ(inside->paints, first + 2) << "moved in its window, it is rendered again";
}
