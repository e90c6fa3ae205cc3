#include "Components/FocusAfter.h"

#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

bool inside(const QWidget* root, const QWidget* widget) {
    return root && widget && (widget == root || root->isAncestorOf(widget));
}

bool canTake(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

FocusAfter::Handover FocusAfter::takeFrom(QWidget* leaving) {
    Handover held;
    if (!leaving || !leaving->isVisible())
        return held;
    if (KeyboardLayer* layer = KeyboardLayer::top(leaving); layer && inside(leaving, layer->opener()))
        held.layer = layer;
    QWidget* focus = QApplication::focusWidget();
    if (inside(leaving, focus)) {
        held.hadFocus = true;
        held.ring = FocusRing::current() && FocusRing::current()->target() == focus;
        // Let go before the part hides, or the window hands the focus on to its next control.
        focus->clearFocus();
    }
    return held;
}

void FocusAfter::Handover::giveTo(QWidget* to) const {
    if (!to)
        return;
    if (layer)
        layer->setOpener(to);
    if (!hadFocus)
        return;
    const Qt::FocusReason reason = ring ? Qt::TabFocusReason : Qt::OtherFocusReason;
    if (canTake(to)) {
        to->setFocus(reason);
        return;
    }
    // The control shows later in the same change (a list lays out its new rows).
    QTimer::singleShot(0, to, [target = QPointer<QWidget>(to), reason] {
        if (canTake(target))
            target->setFocus(reason);
    });
}

void FocusAfter::handOver(QWidget* leaving, QWidget* to) {
    if (!to || inside(leaving, to))
        return;
    takeFrom(leaving).giveTo(to);
}
