#include "Components/MotionEffect.h"

#include "Components/Animator.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

MotionEffect::MotionEffect(QObject* parent) : QGraphicsEffect(parent) {}

MotionEffect* MotionEffect::of(QWidget* widget) {
    if (auto* existing = qobject_cast<MotionEffect*>(widget->graphicsEffect()))
        return existing;
    auto* effect = new MotionEffect(widget);
    widget->setGraphicsEffect(effect);
    return effect;
}

namespace {

// Starts the entrance when the widget is first shown (or at once if it already is).
class EntranceTrigger : public QObject {
public:
    EntranceTrigger(QWidget* widget, QPointF offset, const AnimationTiming& animation, double delay,
                    std::function<void()> ended)
        : QObject(widget), widget_(widget), offset_(offset), animation_(animation), delay_(delay),
          ended_(std::move(ended)) {
        if (widget->isVisible())
            start();
        else
            widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget_ && event->type() == QEvent::Show) {
            widget_->removeEventFilter(this);
            start();
        }
        return false;
    }

private:
    void start() {
        QPointer<MotionEffect> effect(MotionEffect::of(widget_));
        // The widget owns the animation: the effect goes when the animation ends.
        Animator::run(
            widget_, animation_,
            [effect, offset = offset_](double t) {
                if (!effect)
                    return;
                effect->setOpacity(std::clamp(t, 0.0, 1.0));
                effect->setOffsetX(offset.x() * (1.0 - t));
                effect->setOffsetY(offset.y() * (1.0 - t));
            },
            delay_,
            [widget = QPointer<QWidget>(widget_), ended = ended_] {
                ended();
                if (widget)
                    MotionEffect::settle(widget);
            });
        deleteLater();
    }

    QWidget* widget_;
    QPointF offset_;
    AnimationTiming animation_;
    double delay_;
    std::function<void()> ended_;
};

} // namespace

void MotionEffect::staggeredAppear(QWidget* widget, double delaySeconds) {
    const double delay = std::clamp(std::isfinite(delaySeconds) ? delaySeconds : 0.0, 0.0, kMaxEntranceDelay);
    appearFrom(widget, QPointF(0, 16), AppTheme::Animation::spring(), delay);
}

void MotionEffect::appearFrom(QWidget* widget, QPointF offset, const AnimationTiming& animation,
                              double delaySeconds) {
    MotionEffect* effect = of(widget);
    if (!AnimationTiming::animationsEnabled()) {
        effect->setOpacity(1);
        effect->setOffsetX(0);
        effect->setOffsetY(0);
        settle(widget);
        return;
    }
    effect->setOpacity(0);
    effect->setOffsetX(offset.x());
    effect->setOffsetY(offset.y());
    effect->entering_ = true;
    new EntranceTrigger(widget, offset, animation, delaySeconds, [guard = QPointer<MotionEffect>(effect)] {
        if (guard) {
            guard->entering_ = false;
            emit guard->entranceEnded();
        }
    });
}

void MotionEffect::settle(QWidget* widget) {
    if (auto* effect = qobject_cast<MotionEffect*>(widget->graphicsEffect()); effect && effect->isAtRest())
        widget->setGraphicsEffect(nullptr);
}

void MotionEffect::afterEntrance(QWidget* widget, QObject* context, std::function<void()> start) {
    MotionEffect* entering = nullptr;
    for (QWidget* w = widget; w && !entering; w = w->isWindow() ? nullptr : w->parentWidget())
        if (auto* effect = qobject_cast<MotionEffect*>(w->graphicsEffect()); effect && effect->entering_)
            entering = effect;
    if (!entering) {
        start();
        return;
    }
    // Whichever comes first: the entrance's end, or its effect going with its widget.
    auto once = std::make_shared<std::function<void()>>(std::move(start));
    auto fire = [once] {
        if (auto run = std::exchange(*once, nullptr))
            run();
    };
    QObject::connect(entering, &MotionEffect::entranceEnded, context, fire, Qt::SingleShotConnection);
    QObject::connect(entering, &QObject::destroyed, context, fire, Qt::SingleShotConnection);
}

bool MotionEffect::isAtRest() const {
    return opacity_ >= 1.0 && offsetX_ == 0.0 && offsetY_ == 0.0 && scale_ == 1.0;
}

void MotionEffect::scaleTo(QWidget* widget, double scale) {
    auto* effect = qobject_cast<MotionEffect*>(widget->graphicsEffect());
    if (!effect && scale == 1.0)
        return;
    of(widget)->setScale(scale);
    settle(widget);
}

void MotionEffect::setOpacity(double opacity) {
    opacity_ = std::clamp(opacity, 0.0, 1.0);
    update();
}

void MotionEffect::setOffsetX(double offset) {
    offsetX_ = offset;
    updateBoundingRect();
    update();
}

void MotionEffect::setOffsetY(double offset) {
    offsetY_ = offset;
    updateBoundingRect();
    update();
}

void MotionEffect::setScale(double scale) {
    scale_ = scale;
    updateBoundingRect();
    update();
}

QPixmap MotionEffect::source(QPoint* offset) {
    // Qt keeps the picture it renders for the effect in the pixmap cache and drops it there as
    // soon as the widget or anything inside it is marked for repainting (and the cache may
    // evict it any time). While the cache still shares the picture with the copy kept here,
    // nothing inside has changed: the copy is drawn again. A widget that moved in its window
    // is rendered again too, since translucent surfaces inside it show what lies behind them.
    const auto* widget = qobject_cast<const QWidget*>(parent());
    const QPoint at = widget ? widget->mapTo(widget->window(), QPoint(0, 0)) : QPoint();
    if (!source_.isNull() && !source_.isDetached() && at == sourceAt_) {
        *offset = sourceOffset_;
        return source_;
    }
    source_ = sourcePixmap(Qt::LogicalCoordinates, &sourceOffset_, QGraphicsEffect::NoPad);
    sourceAt_ = at;
    *offset = sourceOffset_;
    return source_;
}

QRectF MotionEffect::boundingRectFor(const QRectF& rect) const {
    const double grow = std::max(0.0, rect.width() * (scale_ - 1.0) / 2.0 + 1.0);
    QRectF r = rect.adjusted(-grow, -grow, grow, grow);
    return r.united(rect.translated(offsetX_, offsetY_));
}

void MotionEffect::draw(QPainter* painter) {
    if (isAtRest()) {
        drawSource(painter);
        return;
    }
    if (opacity_ <= 0.0)
        return;
    QPoint offset;
    const QPixmap source = this->source(&offset);
    if (source.isNull())
        return;
    const qreal ratio = source.devicePixelRatio();
    const QRectF area(offset, QSizeF(source.size()) / ratio);
    painter->save();
    painter->setOpacity(painter->opacity() * opacity_);
    const QPointF centre = area.center();
    painter->translate(centre.x() + offsetX_, centre.y() + offsetY_);
    painter->scale(scale_, scale_);
    painter->translate(-centre.x(), -centre.y());
    painter->drawPixmap(area.topLeft(), source);
    painter->restore();
}
