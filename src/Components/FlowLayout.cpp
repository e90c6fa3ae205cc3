#include "Components/FlowLayout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

FlowLayout::FlowLayout(double spacing, QWidget* parent) : QLayout(parent), spacing_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
}

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index] : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

double FlowLayout::measure(double width, QList<QRectF>* placements) const {
    double x = 0, y = 0, lineHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize ideal = item->sizeHint();
        if (x > 0 && x + ideal.width() > width) {
            y += lineHeight + spacing_;
            x = 0;
            lineHeight = 0;
        }
        if (placements)
            placements->append(QRectF(x, y, ideal.width(), ideal.height()));
        x += ideal.width() + spacing_;
        lineHeight = std::max<double>(lineHeight, ideal.height());
    }
    return y + lineHeight;
}

int FlowLayout::heightForWidth(int width) const {
    const QMargins m = contentsMargins();
    return int(std::ceil(measure(width - m.left() - m.right()))) + m.top() + m.bottom();
}

QSize FlowLayout::sizeHint() const {
    // Without a width to wrap in, everything stands on one line.
    double w = 0, h = 0;
    int shown = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize s = item->sizeHint();
        w += s.width() + (shown++ > 0 ? spacing_ : 0);
        h = std::max<double>(h, s.height());
    }
    const QMargins m = contentsMargins();
    return QSize(int(std::ceil(w)), int(std::ceil(h))).grownBy(m);
}

QSize FlowLayout::minimumSize() const {
    QSize widest;
    for (QLayoutItem* item : items_)
        widest = widest.expandedTo(item->minimumSize());
    return widest.grownBy(contentsMargins());
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect area = rect.marginsRemoved(contentsMargins());
    QList<QRectF> placements;
    measure(area.width(), &placements);
    int i = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QRectF r = placements[i++].translated(area.topLeft());
        item->setGeometry(r.toRect());
    }
}
