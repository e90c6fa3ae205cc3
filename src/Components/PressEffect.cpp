#include "Components/PressEffect.h"

#include "Components/Animator.h"
#include "Components/MotionEffect.h"

#include <QChildEvent>
#include <QEvent>
#include <QWidget>

PressEffect* PressEffect::attach(QWidget* widget) {
    if (auto* existing = widget->findChild<PressEffect*>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new PressEffect(widget);
}

PressEffect::PressEffect(QWidget* widget) : QObject(widget), widget_(widget) {
    watch(widget);
}

void PressEffect::watch(QObject* object) {
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

bool PressEffect::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        setPressed(true);
        break;
    case QEvent::MouseButtonRelease:
        setPressed(false);
        break;
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PressEffect::setPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    Animator::stop(animation_);
    const double from = scale_;
    const double to = pressed ? 0.97 : 1.0;
    QPointer<QWidget> target(widget_);
    animation_ = Animator::run(
        this, AnimationTiming::easeInOut(0.08),
        [this, from, to, target](double t) {
            scale_ = from + (to - from) * t;
            if (target)
                MotionEffect::of(target)->setScale(scale_);
        },
        0,
        [target] {
            if (target)
                MotionEffect::settle(target);
        });
}
