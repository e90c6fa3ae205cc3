#include "Components/CategoryTag.h"

CategoryTag::CategoryTag(const QString& text, const QColor& color, QWidget* parent)
    : CapsuleBadge(QString(), text, color, 0.1, 0.25, parent) {}

void CategoryTag::setTag(const QString& text, const QColor& color) {
    setContent(QString(), text, color, 0.1, 0.25);
}
