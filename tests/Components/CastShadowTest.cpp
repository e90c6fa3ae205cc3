#include "Components/CastShadow.h"
#include "Components/MotionEffect.h"
#include "Components/ShadowCache.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QScrollArea>
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

// The alpha of the last shadow pixel met going from (x, y) by (dx, dy), before clear pixels.
int lastAlphaOfTail(const QImage& image, int x, int y, int dx, int dy) {
    int last = 0;
    for (; x >= 0 && y >= 0 && x < image.width() && y < image.height(); x += dx, y += dy)
        if (qAlpha(image.pixel(x, y)) > 0)
            last = qAlpha(image.pixel(x, y));
    return last;
}

TEST(CastShadow, AShadowSpillsPastAHolderLaidOutEdgeToEdge) {
    // Cards in a grid with no margins: the grid is smaller than their shadows.
    QWidget host;
    host.resize(400, 300);
    auto* grid = new QWidget(&host);
    grid->setGeometry(80, 60, 240, 100);
    auto* card = new QWidget(grid);
    card->setGeometry(0, 0, 240, 100);
    CastShadow::set(card, {QColor(0, 0, 0, 200), 14, 0, 5}, 16);
    EXPECT_EQ(CastShadow::roomOf(card), &host);
    const QImage image = renderOf(host);
    EXPECT_GT(qAlpha(image.pixel(200, 164)), 20) << "below the grid";
    EXPECT_GT(qAlpha(image.pixel(76, 110)), 10) << "left of the grid";
    EXPECT_GT(qAlpha(image.pixel(200, 58)), 0) << "above the grid";
    for (const auto& [dx, dy] : {std::pair{0, 1}, std::pair{0, -1}, std::pair{1, 0}, std::pair{-1, 0}})
        EXPECT_LE(lastAlphaOfTail(image, 200 + dx * 120, 110 + dy * 50, dx, dy), 2)
            << "the shadow fades out rather than ending at an edge, going " << dx << "," << dy;

    // Moving the grid moves the shadow with it and leaves nothing where it was.
    grid->move(80, 160);
    const QImage moved = renderOf(host);
    EXPECT_EQ(qAlpha(moved.pixel(200, 58)), 0);
    EXPECT_GT(qAlpha(moved.pixel(200, 264)), 20);
    grid->hide();
    EXPECT_EQ(qAlpha(renderOf(host).pixel(200, 264)), 0) << "a hidden holder's cards cast nothing";
}

TEST(CastShadow, AScrolledPageKeepsItsRowsShadows) {
    QScrollArea area;
    area.resize(300, 200);
    auto* page = new QWidget;
    page->resize(300, 120);
    auto* row = new QWidget(page);
    row->setGeometry(0, 80, 300, 40);
    area.setWidget(page);
    CastShadow::set(row, {QColor(0, 0, 0, 200), 14, 0, 5}, 12);
    EXPECT_EQ(CastShadow::roomOf(row), page) << "past the page is out of view";
}

TEST(ShadowCache, AShadowFadesOutInsideItsBounds) {
    ShadowCache::clear();
    for (const double blur : {6.0, 14.0, 24.0}) {
        SCOPED_TRACE(blur);
        QImage target(400, 400, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        const AppTheme::Shadow shadow{QColor(0, 0, 0, 255), blur, 0, 6};
        const QRectF card(100, 100, 200, 150);
        {
            QPainter painter(&target);
            ShadowCache::paint(painter, card, 16, shadow);
        }
        const QRect bounds = ShadowCache::bounds(card, shadow).toAlignedRect();
        for (const auto& [dx, dy] : {std::pair{0, 1}, std::pair{0, -1}, std::pair{1, 0}, std::pair{-1, 0}})
            EXPECT_LE(lastAlphaOfTail(target, 200 + dx * 100, 175 + dy * 75, dx, dy), 2)
                << "going " << dx << "," << dy;
        EXPECT_EQ(qAlpha(target.pixel(bounds.left() - 1, 175)), 0);
        EXPECT_EQ(qAlpha(target.pixel(200, bounds.bottom() + 1)), 0);
        EXPECT_GT(qAlpha(target.pixel(200, 252)), 60) << "just below the card";
    }
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
