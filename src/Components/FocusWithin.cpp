#include "Components/FocusWithin.h"

#include <QApplication>
#include <QWidget>

FocusWithin::FocusWithin(QWidget* widget) : QObject(widget), widget_(widget) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool within = now && (now == widget_ || widget_->isAncestorOf(now));
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
