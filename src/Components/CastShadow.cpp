#include "Components/CastShadow.h"

#include "Components/ShadowCache.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

const char* const kPainterName = "qvShadowPainter";

CastShadow* casterOf(const QWidget* widget) {
    return widget->findChild<CastShadow*>(QString(), Qt::FindDirectChildrenOnly);
}

// The widget a scroll area scrolls: what lies past its edges is out of view.
bool isScrollPage(const QWidget* widget) {
    const QWidget* viewport = widget->parentWidget();
    const auto* area =
        viewport ? qobject_cast<const QAbstractScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->viewport() == viewport;
}

} // namespace

// Paints the shadows its room holds when the room paints, before the room itself.
class CastShadow::Painter : public QObject {
public:
    static Painter* of(const QWidget* room) {
        for (QObject* child : room->children())
            if (child->objectName() == QLatin1String(kPainterName))
                return static_cast<Painter*>(child);
        return nullptr;
    }
    static Painter* make(QWidget* room) {
        Painter* painter = of(room);
        return painter ? painter : new Painter(room);
    }

    void add(CastShadow* caster) {
        if (!casters_.contains(caster))
            casters_.append(caster);
    }
    void remove(CastShadow* caster) { casters_.removeAll(caster); }
    void paint(QPainter& painter, const QRect& area) const {
        for (const CastShadow* caster : casters_)
            caster->paintIn(painter, area);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == room_ && event->type() == QEvent::Paint && !casters_.isEmpty()) {
            QPainter painter(room_);
            paint(painter, static_cast<QPaintEvent*>(event)->rect());
        }
        return false;
    }

private:
    explicit Painter(QWidget* room) : QObject(room), room_(room) {
        setObjectName(QString::fromLatin1(kPainterName));
        room->installEventFilter(this);
    }

    QWidget* room_;
    QList<CastShadow*> casters_;
};

CastShadow::CastShadow(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
}

CastShadow::~CastShadow() {
    // The widget goes with this (the room may be going too): the room forgets the shadow and,
    // once the widget is gone, paints the place where it lay.
    if (painter_)
        static_cast<Painter*>(painter_.data())->remove(this);
    if (QWidget* room = room_.data())
        QMetaObject::invokeMethod(
            room, [room, area = shown_] { room->update(area); }, Qt::QueuedConnection);
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
    caster->shadow_ = shadow;
    caster->cornerRadius_ = cornerRadius;
    caster->repaint();
}

void CastShadow::clear(QWidget* widget) {
    set(widget, {QColor(Qt::transparent), 0, 0, 0}, 0);
}

AppTheme::Shadow CastShadow::of(const QWidget* widget) {
    if (const CastShadow* caster = casterOf(widget))
        return caster->shadow_;
    return {QColor(Qt::transparent), 0, 0, 0};
}

QWidget* CastShadow::roomOf(const QWidget* widget) {
    const CastShadow* caster = casterOf(widget);
    return caster ? caster->room_.data() : nullptr;
}

void CastShadow::place() {
    QWidget* room = nullptr;
    QList<QPointer<QWidget>> between;
    if (QWidget* parent = widget_->parentWidget(); parent && shadow_.color.alpha() != 0) {
        QRectF bounds = ShadowCache::bounds(QRectF(widget_->geometry()), shadow_);
        room = parent;
        while (!QRectF(room->rect()).contains(bounds) && !room->isWindow() && !isScrollPage(room) &&
               room->parentWidget()) {
            between.append(room);
            bounds.translate(room->pos());
            room = room->parentWidget();
        }
    }
    if (room != room_.data()) {
        if (painter_)
            static_cast<Painter*>(painter_.data())->remove(this);
        if (room_)
            room_->update(shown_);
        Painter* painter = room ? Painter::make(room) : nullptr;
        if (painter)
            painter->add(this);
        painter_ = painter;
        room_ = room;
        shown_ = QRect();
    }
    if (between != between_) {
        for (const QPointer<QWidget>& holder : std::as_const(between_))
            if (holder)
                holder->removeEventFilter(this);
        for (const QPointer<QWidget>& holder : std::as_const(between))
            holder->installEventFilter(this);
        between_ = between;
    }
}

QRect CastShadow::covered() const {
    const QRectF rect(widget_->mapTo(room_.data(), QPoint()), QSizeF(widget_->size()));
    return ShadowCache::bounds(rect, shadow_).toAlignedRect();
}

void CastShadow::repaint() {
    place();
    if (!room_)
        return;
    const QRect now = widget_->isVisibleTo(room_.data()) ? covered() : QRect();
    const QRect area = shown_ | now;
    if (!area.isEmpty())
        room_->update(area);
    shown_ = now;
}

void CastShadow::paintIn(QPainter& painter, const QRect& area) const {
    if (!room_ || shadow_.color.alpha() == 0 || !widget_->isVisibleTo(room_.data()) ||
        !covered().intersects(area))
        return;
    ShadowCache::paint(painter, QRectF(widget_->mapTo(room_.data(), QPoint()), QSizeF(widget_->size())),
                       cornerRadius_, shadow_);
}

bool CastShadow::eventFilter(QObject*, QEvent* event) {
    // The widget or one of the widgets between it and its room moved, changed size, came or
    // went: the shadow follows, and so may the room.
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        repaint();
        break;
    default:
        break;
    }
    return false;
}
