#include "Components/BareScrollArea.h"

#include <QScrollArea>

void BareScrollArea::makeBare(QScrollArea* scroll) {
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The second selector reaches the page, which setWidget() would otherwise fill.
    scroll->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    scroll->viewport()->setAutoFillBackground(false);
}

QScrollArea* BareScrollArea::wrap(QWidget* content, QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    makeBare(scroll);
    scroll->setWidget(content);
    content->setAutoFillBackground(false); // setWidget() turns it on
    return scroll;
}
