#include "Components/UltraThinMaterial.h"

#include "Components/AuroraBackground.h"

#include "ViewModels/Extensions/ImageBlur.h"
#include "ViewModels/Theme/Theme.h"

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

constexpr double kScale = 0.25; // snapshots are kept at a quarter size, which also softens them
static_assert(kScale == AuroraBackground::kCanvasScale);
constexpr double kBlurRadius = 4.0;
const char* const kBackdropProperty = "qvMaterialBackdrop";

struct Snapshot {
    QImage image;
    QElapsedTimer age;
};

QHash<const QWidget*, Snapshot>& snapshots() {
    // Never destroyed, like surfaces(): a widget that goes after it still removes itself.
    static auto* cache = new QHash<const QWidget*, Snapshot>;
    return *cache;
}

// The backdrop at a quarter of its size. The moving backdrop composes its frames at that
// size anyway: taking its canvas spares drawing a whole frame at full size only to shrink it.
QImage pictureOf(QWidget* backdrop, const QSize& size) {
    if (auto* aurora = qobject_cast<AuroraBackground*>(backdrop))
        return aurora->canvas(aurora->size(), aurora->elapsedSeconds()).copy(QRect(QPoint(0, 0), size));
    QImage full(backdrop->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    full.fill(Qt::transparent);
    backdrop->render(&full, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return full.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

const QImage& snapshotOf(QWidget* backdrop) {
    Snapshot& snap = snapshots()[backdrop];
    const QSize size = (QSizeF(backdrop->size()) * kScale).toSize().expandedTo(QSize(1, 1));
    if (snap.image.isNull() || !snap.age.isValid() || snap.age.elapsed() > UltraThinMaterial::kRefreshMs ||
        snap.image.size() != size) {
        snap.image = pictureOf(backdrop, size);
        ImageBlur::blur(snap.image, kBlurRadius);
        snap.age.restart();
    }
    return snap.image;
}

// A widget that paints the material, and where (its shape's bounds).
struct Surface {
    QPointer<QWidget> widget;
    QRectF bounds;
};

QHash<const QWidget*, Surface>& surfaces() {
    // Never destroyed: a widget that goes at exit() still finds it when it removes itself.
    static auto* registry = new QHash<const QWidget*, Surface>;
    return *registry;
}

void remember(const QWidget* widget, const QPainterPath& shape) {
    auto it = surfaces().find(widget);
    const QRectF bounds = shape.boundingRect();
    if (it != surfaces().end() && it->widget && it->bounds == bounds)
        return;
    auto* mutableWidget = const_cast<QWidget*>(widget);
    if (it == surfaces().end())
        QObject::connect(mutableWidget, &QObject::destroyed, [widget] { surfaces().remove(widget); });
    surfaces().insert(widget, Surface{mutableWidget, bounds});
}

template <typename F> void forEachShownSurface(const QWidget* backdrop, F&& f) {
    const QWidget* window = backdrop->window();
    for (const Surface& surface : std::as_const(surfaces())) {
        QWidget* widget = surface.widget;
        if (widget && widget != backdrop && widget->window() == window && widget->isVisible())
            f(widget, surface);
    }
}

} // namespace

QRegion UltraThinMaterial::coveredRegion(const QWidget* backdrop) {
    QRegion covered;
    if (!backdrop)
        return covered;
    const QPoint backdropOrigin = backdrop->mapTo(backdrop->window(), QPoint(0, 0));
    forEachShownSurface(backdrop, [&](QWidget* widget, const Surface& surface) {
        const QRegion shown = QRegion(surface.bounds.toAlignedRect()) & widget->visibleRegion();
        if (!shown.isEmpty())
            covered += shown.translated(widget->mapTo(widget->window(), QPoint(0, 0)) - backdropOrigin);
    });
    return covered;
}

void UltraThinMaterial::refreshSurfaces(const QWidget* backdrop) {
    if (backdrop)
        forEachShownSurface(backdrop, [](QWidget* widget, const Surface&) { widget->update(); });
}

void UltraThinMaterial::setBackdrop(QWidget* backdrop) {
    if (!backdrop)
        return;
    QWidget* window = backdrop->window();
    window->setProperty(kBackdropProperty, QVariant::fromValue(static_cast<QObject*>(backdrop)));
    QObject::connect(backdrop, &QObject::destroyed, [backdrop] { snapshots().remove(backdrop); });
}

QWidget* UltraThinMaterial::backdropFor(const QWidget* widget) {
    if (!widget)
        return nullptr;
    const QWidget* window = widget->window();
    return qobject_cast<QWidget*>(window->property(kBackdropProperty).value<QObject*>());
}

void UltraThinMaterial::paint(QPainter& painter, const QWidget* widget, const QPainterPath& shape) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(shape, Qt::IntersectClip);
    const QRectF bounds = shape.boundingRect();
    QWidget* backdrop = backdropFor(widget);
    if (backdrop && backdrop != widget && backdrop->isVisible()) {
        remember(widget, shape);
        const QImage& snap = snapshotOf(backdrop);
        const QPointF origin = QPointF(widget->mapTo(widget->window(), QPoint(0, 0)) -
                                       backdrop->mapTo(backdrop->window(), QPoint(0, 0)));
        const QRectF source((bounds.topLeft() + origin) * kScale, bounds.size() * kScale);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(bounds, snap, source);
        painter.fillPath(shape, Theme::withOpacity(Theme::backgroundSecondary(), 0.35));
    } else {
        painter.fillPath(shape, Theme::withOpacity(Theme::backgroundSecondary(), 0.6));
    }
    painter.fillPath(shape, QColor(255, 255, 255, int(255 * kTintOpacity)));
    painter.restore();
}
