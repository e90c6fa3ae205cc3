#include "Components/FocusAfter.h"

#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"

#include <QApplication>
#include <QPointer>
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

void FocusAfter::handOver(QWidget* leaving, QWidget* to) {
    if (!leaving || !to || !leaving->isVisible() || inside(leaving, to))
        return;
    if (KeyboardLayer* layer = KeyboardLayer::top(leaving); layer && inside(leaving, layer->opener()))
        layer->setOpener(to);
    QWidget* focus = QApplication::focusWidget();
    if (!inside(leaving, focus))
        return;
    const bool ring = FocusRing::current() && FocusRing::current()->target() == focus;
    const Qt::FocusReason reason = ring ? Qt::TabFocusReason : Qt::OtherFocusReason;
    if (canTake(to)) {
        to->setFocus(reason);
        return;
    }
    // The replacing control shows later in the same change (a list lays out its new rows); the
    // focus the window's chain gives away meanwhile is taken back then.
    focus->clearFocus();
    QTimer::singleShot(0, to, [target = QPointer<QWidget>(to), reason] {
        if (canTake(target))
            target->setFocus(reason);
    });
}
