#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

// Small building blocks the journal and achievements screens and sheets share.
namespace ScreenStyle {

// A label that shows its text literally (never as markup) in a font and colour.
QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
void setTextColor(QWidget* widget, const QColor& color);
// The height a label needs for one line in the font: what its size hint asks, which can be a
// pixel over the font's own height.
int lineHeight(const QFont& font);

// Gives the control shown under a caption the caption as its accessible name, or, for a box
// around controls (a field with its note, a stepper in a frame), each unnamed control in it
// that takes focus and shows no words of its own; a control named already keeps its name.
void nameByCaption(QWidget* control, const QString& caption);

// A 1-pixel rule in the subtle border tone; horizontal unless vertical is set.
QWidget* divider(QWidget* parent = nullptr, bool vertical = false);

// A font with extra letter spacing in pixels (the captions above form sections).
QFont kerned(QFont font, double spacing);

// A button that is only its coloured text (and icon), with no chrome. Never a default
// button: Return in a field does not press it.
QPushButton* textButton(const QString& text, const QFont& font, const QColor& color);
void setTextButtonColor(QPushButton* button, const QColor& color);

// A button of white text on a filled rounded rectangle; background is a style-sheet value
// (a colour or a gradient). Disabled, it is the theme's muted fill and text (disabledRule).
QPushButton* filledButton(const QString& text, const QFont& font, const QString& background, int paddingH,
                          int paddingV, int radius);
void setButtonFill(QPushButton* button, const QString& background, int paddingH, int paddingV, int radius);
// The style-sheet rule that makes a filled control of the selector ("QPushButton") look off
// while it is disabled: no colour or gradient of its own, muted text, in every theme.
QString disabledRule(const QString& selector);

// A text field or editor on a rounded fill, its text in the primary and its placeholder in
// the muted text colour.
void styleField(QWidget* field, const QColor& background, int padding);

// Puts a symbol sized for text of fontSize on a button.
void setSymbol(QAbstractButton* button, const QString& symbol, const QColor& color, double fontSize);

// Fills a sheet's content with its card colour inside the presenting card's rounded corners.
void paintSheetCard(QWidget* sheet, const QColor& color);

} // namespace ScreenStyle
