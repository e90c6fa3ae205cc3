#include "Components/BareScrollArea.h"

#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Runs its check once the page's pending layout has been applied or a size has changed.
class ViewWatch : public QObject {
public:
    ViewWatch(std::function<void()> check, QObject* owner) : QObject(owner), check_(std::move(check)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize)
            QMetaObject::invokeMethod(
                this, [this] { check_(); }, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void()> check_;
};

void makeFrameless(QScrollArea* scroll) {
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    // A pane is no Tab stop: Tab goes from control to control, each scrolled into view as it
    // comes, and a ring round the whole pane would read as a selection.
    scroll->setFocusPolicy(Qt::NoFocus);
}

QScrollArea* holding(QScrollArea* scroll, QWidget* content) {
    scroll->setWidget(content);
    content->setAutoFillBackground(false); // setWidget() turns it on
    return scroll;
}

} // namespace

void BareScrollArea::makeBare(QScrollArea* scroll) {
    makeFrameless(scroll);
    // The second selector reaches the page, which setWidget() would otherwise fill.
    scroll->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
}

QScrollArea* BareScrollArea::wrap(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    makeBare(scroll);
    return holding(scroll, content);
}

QScrollArea* BareScrollArea::wrapUnstyled(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    makeFrameless(scroll);
    return holding(scroll, content);
}

bool BareScrollArea::endsInView(QScrollArea* scroll, const QWidget* last) {
    QWidget* page = scroll->widget();
    if (!page || !page->isVisible())
        return false;
    if (page->layout())
        page->layout()->activate();
    // A page the area has not yet grown to what it holds squeezes it: the end lies past the view.
    if (page->height() < page->minimumSizeHint().height())
        return false;
    if (!last)
        return true;
    const int end = last->mapTo(page, QPoint(0, last->height())).y();
    return end < scroll->verticalScrollBar()->value() + scroll->viewport()->height();
}

void BareScrollArea::onViewChange(QScrollArea* scroll, QObject* owner, const std::function<void()>& check) {
    QScrollBar* bar = scroll->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, owner, [check] { check(); });
    QObject::connect(bar, &QScrollBar::rangeChanged, owner, [check] { check(); });
    auto* watch = new ViewWatch(check, owner);
    scroll->viewport()->installEventFilter(watch);
    if (scroll->widget())
        scroll->widget()->installEventFilter(watch);
}
