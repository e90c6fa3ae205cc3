#pragma once

#include <QColor>
#include <QString>

class QFont;
class QLineEdit;
class QToolButton;

// Style-sheet pieces shared by the goals screen and the goal editor.
namespace GoalStyle {

// "rgba(r, g, b, a)" for a style sheet.
QString rgba(const QColor& color);
// A leading-to-trailing gradient for a style sheet.
QString horizontalGradient(const QColor& from, const QColor& to);

// A capsule chip: white on a gradient with a soft glow of its first colour when chosen,
// secondary text on quiet glass with a hairline otherwise. padY is the vertical padding.
void styleChip(QToolButton* chip, bool chosen, const QColor& from, const QColor& to, int padY);

// A borderless single-line field in the theme's text colours, for fields inside a styled box.
QLineEdit* plainField(const QString& objectName, const QString& placeholder, const QFont& font);

} // namespace GoalStyle
