#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// Small building blocks the journal and achievements screens share.
namespace ScreenStyle {

// A colour as a style-sheet value, alpha included.
QString css(const QColor& color);

// A label that shows its text literally (never as markup) in a font and colour.
QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
void setTextColor(QWidget* widget, const QColor& color);

// A 1-pixel rule in the subtle border tone; horizontal unless vertical is set.
QWidget* divider(QWidget* parent = nullptr, bool vertical = false);

// A font with extra letter spacing in pixels (the captions above form sections).
QFont kerned(QFont font, double spacing);

} // namespace ScreenStyle
