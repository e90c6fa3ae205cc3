#include "Components/CastShadow.h"

#include "Components/ShadowCache.h"

#include <QEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

namespace {

const char* const kPainterName = "qvShadowPainter";

CastShadow* casterOf(const QWidget* widget) {
    return widget->findChild<CastShadow*>(QString(), Qt::FindDirectChildrenOnly);
}

// Paints a container's shadows when it paints, before the container itself.
class ShadowPainter : public QObject {
public:
    explicit ShadowPainter(QWidget* container) : QObject(container), container_(container) {
        setObjectName(QString::fromLatin1(kPainterName));
        container->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == container_ && event->type() == QEvent::Paint) {
            QPainter painter(container_);
            CastShadow::paintChildren(container_, painter, static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }

private:
    QWidget* container_;
};

} // namespace

CastShadow::CastShadow(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
    attachTo(widget->parentWidget());
}

void CastShadow::attachTo(QWidget* container) {
    container_ = container;
    if (container &&
        !container->findChild<QObject*>(QString::fromLatin1(kPainterName), Qt::FindDirectChildrenOnly))
        new ShadowPainter(container);
}

void CastShadow::set(QWidget* widget, const AppTheme::Shadow& shadow, double cornerRadius) {
    CastShadow* caster = casterOf(widget);
    if (!caster) {
        if (shadow.color.alpha() == 0)
            return;
        caster = new CastShadow(widget);
    }
    const bool same = caster->shadow_.color == shadow.color && caster->shadow_.radius == shadow.radius &&
                      caster->shadow_.x == shadow.x && caster->shadow_.y == shadow.y &&
                      caster->cornerRadius_ == cornerRadius;
    if (same)
        return;
    const QRect before = caster->covered();
    caster->shadow_ = shadow;
    caster->cornerRadius_ = cornerRadius;
    caster->repaintCovered(before | caster->covered());
}

void CastShadow::clear(QWidget* widget) {
    set(widget, {QColor(Qt::transparent), 0, 0, 0}, 0);
}

AppTheme::Shadow CastShadow::of(const QWidget* widget) {
    if (const CastShadow* caster = casterOf(widget))
        return caster->shadow_;
    return {QColor(Qt::transparent), 0, 0, 0};
}

QRect CastShadow::covered() const {
    return ShadowCache::bounds(QRectF(widget_->geometry()), shadow_).toAlignedRect();
}

void CastShadow::repaintCovered(const QRect& area) {
    if (container_ && widget_->isVisible() && !area.isEmpty())
        container_->update(area);
}

void CastShadow::paintChildren(QWidget* container, QPainter& painter, const QRect& area) {
    for (QObject* child : container->children()) {
        if (!child->isWidgetType())
            continue;
        auto* widget = static_cast<QWidget*>(child);
        if (widget->isHidden())
            continue;
        const CastShadow* caster = casterOf(widget);
        if (!caster || caster->shadow_.color.alpha() == 0 || !caster->covered().intersects(area))
            continue;
        ShadowCache::paint(painter, QRectF(widget->geometry()), caster->cornerRadius_, caster->shadow_);
    }
}

bool CastShadow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::Move: {
        const auto* move = static_cast<QMoveEvent*>(event);
        const QRect now = covered();
        repaintCovered(now.translated(move->oldPos() - move->pos()) | now);
        break;
    }
    case QEvent::Resize: {
        const QRect before =
            ShadowCache::bounds(QRectF(widget_->pos(), QSizeF(static_cast<QResizeEvent*>(event)->oldSize())),
                                shadow_)
                .toAlignedRect();
        repaintCovered(before | covered());
        break;
    }
    case QEvent::Show:
        repaintCovered(covered().adjusted(-ShadowCache::kSizeStep, -ShadowCache::kSizeStep,
                                          ShadowCache::kSizeStep, ShadowCache::kSizeStep));
        break;
    case QEvent::Hide:
        if (container_)
            container_->update(covered());
        break;
    case QEvent::ParentChange:
        attachTo(widget_->parentWidget());
        break;
    default:
        break;
    }
    return false;
}
