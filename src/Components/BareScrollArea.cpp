#include "Components/BareScrollArea.h"

#include <QScrollArea>

namespace {

void makeFrameless(QScrollArea* scroll) {
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
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
