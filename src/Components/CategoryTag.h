#pragma once

#include "Components/CapsuleBadge.h"

// Any text in a capsule of exactly the colour handed in: full strength for the text, 0.1 for
// the fill and 0.25 for the outline.
class CategoryTag : public CapsuleBadge {
    Q_OBJECT
public:
    CategoryTag(const QString& text, const QColor& color, QWidget* parent = nullptr);
    void setTag(const QString& text, const QColor& color);
};
