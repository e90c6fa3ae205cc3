#include "Components/FocusWithin.h"

#include "Components/KeyboardLayer.h"

#include <QApplication>
#include <QWidget>

namespace {

// The focus counts as within while it is in a layer opened from the widget (a sheet a row's
// button opened): the control that opened it stays drawn, so the focus can come back to it.
bool reaches(const QWidget* widget, const QWidget* focus) {
    for (int depth = 0; focus && depth < 8; ++depth) {
        if (focus == widget || widget->isAncestorOf(focus))
            return true;
        const KeyboardLayer* layer = KeyboardLayer::of(focus);
        focus = layer && !layer->contains(layer->opener()) ? layer->opener() : nullptr;
    }
    return false;
}

} // namespace

FocusWithin::FocusWithin(QWidget* widget) : QObject(widget), widget_(widget) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool within = reaches(widget_, now);
        if (within == within_)
            return;
        within_ = within;
        emit changed(within_);
    });
}

void FocusWithin::offer(QWidget* row, QWidget* control, bool shown) {
    control->setFocusPolicy(shown ? Qt::TabFocus : Qt::NoFocus);
    // A row handed on while scrolling may stand anywhere in the window's chain: its control
    // follows it there.
    if (shown && row->focusPolicy() != Qt::NoFocus)
        QWidget::setTabOrder(row, control);
}
