#include "Components/ShadowCache.h"

#include "Components/BlurredImageCache.h"
#include "ViewModels/Extensions/ImageBlur.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

struct Key {
    int width;
    int height;
    int radius;
    int blur;
    QRgb color;
    bool operator==(const Key&) const = default;
};

size_t qHash(const Key& key, size_t seed = 0) {
    return qHashMulti(seed, key.width, key.height, key.radius, key.blur, key.color);
}

// The blur runs at half size: a shadow holds no detail the full size would keep.
constexpr double kScale = 0.5;

BlurredImageCache<Key>& store() {
    static BlurredImageCache<Key> images(ShadowCache::kMaxCostKB);
    return images;
}

int roundedUp(double value) {
    const int step = ShadowCache::kSizeStep;
    return std::max(step, int(std::ceil(value / step)) * step);
}

// The blurred silhouette for the key, padded by the blur on every side.
QImage makeImage(const Key& key) {
    QImage shape(QSize(int(std::ceil(key.width * kScale)), int(std::ceil(key.height * kScale))),
                 QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgba(key.color));
        p.scale(kScale, kScale);
        p.drawRoundedRect(QRectF(0, 0, key.width, key.height), key.radius, key.radius);
    }
    return ImageBlur::blurredWithPadding(shape, key.blur * kScale);
}

// How far the blurred silhouette reaches past the shape on every side, in the painter's units:
// the image holds exactly that much around the shape.
double padFor(double blur) {
    return ImageBlur::reach(blur * kScale) / kScale;
}

} // namespace

QRectF ShadowCache::bounds(const QRectF& rect, const AppTheme::Shadow& shadow) {
    if (shadow.color.alpha() == 0)
        return {};
    const double pad = padFor(std::lround(std::max(0.0, shadow.radius)));
    return rect.translated(shadow.x, shadow.y).adjusted(-pad, -pad, pad, pad);
}

void ShadowCache::paint(QPainter& painter, const QRectF& rect, double cornerRadius,
                        const AppTheme::Shadow& shadow) {
    if (shadow.color.alpha() == 0 || rect.isEmpty())
        return;
    const Key key{roundedUp(rect.width()), roundedUp(rect.height()), int(std::lround(cornerRadius)),
                  int(std::lround(std::max(0.0, shadow.radius))), shadow.color.rgba()};
    const QImage* image = store().find(key, [&] { return makeImage(key); });
    if (!image)
        return;
    const double pad = padFor(key.blur);
    const QRectF target = rect.translated(shadow.x, shadow.y).adjusted(-pad, -pad, pad, pad);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *image);
    painter.restore();
}

int ShadowCache::cachedImages() {
    return store().size();
}

int ShadowCache::imagesMade() {
    return store().made();
}

void ShadowCache::clear() {
    store().clear();
}
