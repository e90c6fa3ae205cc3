#include "Components/CastShadow.h"
#include "Components/MotionEffect.h"
#include "Components/ShadowCache.h"
#include "Core/Theme/AnimationTiming.h"
#include "Core/Theme/AppTheme.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace {

QImage renderOf(QWidget& host) {
    QImage image(host.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    host.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(CastShadow, TheContainerPaintsTheShadowAroundTheWidgetAndNothingOnceCleared) {
    QWidget host;
    host.resize(200, 200);
    auto* card = new QWidget(&host);
    card->setGeometry(50, 50, 100, 100);
    CastShadow::set(card, {QColor(0, 0, 0, 200), 12, 0, 6}, 16);
    EXPECT_EQ(card->graphicsEffect(), nullptr);
    QImage image = renderOf(host);
    EXPECT_GT(qAlpha(image.pixel(100, 156)), 40) << "below the card, where the offset shadow falls";
    EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0) << "far from the card";
    EXPECT_LT(qAlpha(image.pixel(100, 42)), qAlpha(image.pixel(100, 158))) << "shifted down by its offset";

    card->hide();
    EXPECT_EQ(qAlpha(renderOf(host).pixel(100, 156)), 0) << "a hidden widget casts nothing";
    card->show();
    CastShadow::clear(card);
    EXPECT_EQ(qAlpha(renderOf(host).pixel(100, 156)), 0);
    EXPECT_EQ(CastShadow::of(card).color.alpha(), 0);
}

TEST(CastShadow, AWidgetPlacedLaterFindsItsContainer) {
    auto* chip = new QWidget;
    chip->resize(60, 20);
    CastShadow::set(chip, {QColor(255, 0, 0, 255), 6, 0, 0}, 10);
    QWidget host;
    host.resize(100, 60);
    chip->setParent(&host);
    chip->move(20, 20);
    chip->show();
    EXPECT_GT(qAlpha(renderOf(host).pixel(50, 17)), 0);
}

TEST(ShadowCache, ImagesAreSharedAcrossNearbySizesAndTheCacheStaysBounded) {
    ShadowCache::clear();
    QImage target(400, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    const AppTheme::Shadow shadow{QColor(0, 0, 0, 128), 14, 0, 3};
    const int before = ShadowCache::imagesMade();
    // A card whose width animates by a pixel a frame reuses one image per size step.
    for (int w = 200; w < 200 + ShadowCache::kSizeStep; ++w)
        ShadowCache::paint(painter, QRectF(10, 10, w + 0.5, 90), 18, shadow);
    EXPECT_LE(ShadowCache::imagesMade() - before, 2);
    for (int i = 0; i < 400; ++i)
        ShadowCache::paint(painter, QRectF(0, 0, 100 + 8 * i, 100), 18, shadow);
    EXPECT_LT(ShadowCache::cachedImages(), 400) << "old sizes leave the cache";
}

TEST(MotionEffectSettle, AnEntranceLeavesNoEffectBehindAndAHoverScaleSettlesAtOne) {
    AnimationTiming::setAnimationsEnabled(false);
    QWidget host;
    auto* row = new QWidget(&host);
    MotionEffect::staggeredAppear(row, 0.1);
    EXPECT_EQ(row->graphicsEffect(), nullptr);

    MotionEffect::scaleTo(row, 1.02);
    ASSERT_NE(row->graphicsEffect(), nullptr) << "a hovered widget may keep one";
    MotionEffect::scaleTo(row, 1.0);
    EXPECT_EQ(row->graphicsEffect(), nullptr);

    MotionEffect::of(row)->setOpacity(0.5);
    MotionEffect::settle(row);
    EXPECT_NE(row->graphicsEffect(), nullptr) << "a widget still fading is not at rest";
}

} // namespace
