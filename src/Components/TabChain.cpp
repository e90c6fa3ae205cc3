#include "Components/TabChain.h"

#include <QLayout>
#include <QScrollArea>
#include <QWidget>

namespace {

void collectWidget(QWidget* widget, QList<QWidget*>& out);

void collectLayout(const QLayout* layout, QList<QWidget*>& out, QList<const QWidget*>& placed) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* w = item->widget()) {
            placed << w;
            collectWidget(w, out);
        } else if (const QLayout* inner = item->layout()) {
            collectLayout(inner, out, placed);
        }
    }
}

void collectWidget(QWidget* widget, QList<QWidget*>& out) {
    if (widget->isWindow())
        return;
    // A compound control's parts (the field of a spin box) hand their focus to it: it is the stop.
    if (widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy())
        out << widget;
    QList<const QWidget*> placed;
    if (const QLayout* layout = widget->layout())
        collectLayout(layout, out, placed);
    if (auto* area = qobject_cast<QScrollArea*>(widget)) {
        if (area->widget())
            collectWidget(area->widget(), out);
        return;
    }
    // Children placed by hand come after the laid-out ones, in the order they were made.
    for (QWidget* child : widget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!placed.contains(child))
            collectWidget(child, out);
}

} // namespace

void TabChain::followLayout(QWidget* root) {
    QList<QWidget*> order;
    collectWidget(root, order);
    order.removeAll(root);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
