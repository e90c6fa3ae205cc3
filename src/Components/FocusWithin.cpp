#include "Components/FocusWithin.h"

#include "Components/KeyboardLayer.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPointer>
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

bool takesTab(const QWidget* widget) {
    return widget->isVisible() && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy();
}

// How the focus came last: the focus-changed signal does not tell.
class ReasonWatch : public QObject {
public:
    using QObject::QObject;
    static Qt::FocusReason of(const QWidget* widget) { return widget == to ? last : Qt::NoFocusReason; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The style is sent the widget's focus events too.
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            last = static_cast<QFocusEvent*>(event)->reason();
            to = watched;
        }
        return false;
    }

private:
    static Qt::FocusReason last;
    static QPointer<QObject> to;
};
Qt::FocusReason ReasonWatch::last = Qt::NoFocusReason;
QPointer<QObject> ReasonWatch::to;

// The last control of the widget that Tab would reach after `from` before it leaves the widget.
QWidget* lastStopAfter(const QWidget* widget, QWidget* from) {
    QWidget* last = nullptr;
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        const bool in = widget->isAncestorOf(w);
        if (in && takesTab(w))
            last = w;
        else if (!in && takesTab(w))
            break;
    }
    return last;
}

} // namespace

FocusWithin::FocusWithin(QWidget* widget) : QObject(widget), widget_(widget) {
    static ReasonWatch* watch = nullptr;
    if (!watch) {
        watch = new ReasonWatch(qApp);
        qApp->installEventFilter(watch);
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool within = reaches(widget_, now);
        if (within == within_)
            return;
        within_ = within;
        emit changed(within_);
        // Shift+Tab came into the widget from the control after it: the controls that showed
        // just now stand after the one it reached, and Shift+Tab is to meet them first.
        if (within_ && ReasonWatch::of(now) == Qt::BacktabFocusReason && now == QApplication::focusWidget() &&
            (now == widget_ || widget_->isAncestorOf(now)))
            if (QWidget* last = lastStopAfter(widget_, now))
                last->setFocus(Qt::BacktabFocusReason);
    });
}

void FocusWithin::offer(QWidget* row, QWidget* control, bool shown) {
    control->setFocusPolicy(shown ? Qt::TabFocus : Qt::NoFocus);
    // A row handed on while scrolling may stand anywhere in the window's chain: its control
    // follows it there.
    if (shown && row->focusPolicy() != Qt::NoFocus)
        QWidget::setTabOrder(row, control);
}
