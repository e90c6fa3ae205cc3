#include "Views/Goals/GoalPointerTracker.h"

#include "Components/Animator.h"
#include "ViewModels/Theme/AppTheme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

GoalPointerTracker::GoalPointerTracker(QWidget* widget, std::function<void()> onStep,
                                       std::function<void()> onClick)
    : QObject(widget), widget_(widget), onStep_(std::move(onStep)), onClick_(std::move(onClick)) {
    widget->setAttribute(Qt::WA_Hover);
    widget->installEventFilter(this);
}

bool GoalPointerTracker::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        setHovered(true);
        break;
    case QEvent::Leave:
        setHovered(false);
        break;
    case QEvent::MouseButtonPress:
        pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = pressed_ && mouse->button() == Qt::LeftButton &&
                           widget_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (click && onClick_) {
            // The click may rebuild the host's list: nothing here is touched after it.
            onClick_();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        // From the keyboard, Return or Space on the focused row does what a click does.
        auto* key = static_cast<QKeyEvent*>(event);
        const bool press =
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
        if (!press || (key->modifiers() & ~Qt::KeypadModifier) || !widget_->hasFocus())
            break;
        if (!key->isAutoRepeat() && onClick_)
            onClick_();
        return true;
    }
    default:
        break;
    }
    return false;
}

void GoalPointerTracker::setHovered(bool hovered) {
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    Animator::stop(animation_);
    const double from = amount_;
    const double to = hovered ? 1.0 : 0.0;
    animation_ = Animator::run(this, AppTheme::Animation::spring(), [this, from, to](double t) {
        amount_ = from + (to - from) * t;
        if (onStep_)
            onStep_();
    });
}
