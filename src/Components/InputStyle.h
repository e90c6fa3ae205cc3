#pragma once

#include <QString>

class QWidget;

// The look shared by the text inputs: a tertiary fill, a subtle edge that brightens with
// focus, theme text and muted placeholders, in the current font. Applied again whenever the
// theme or the font changes.
namespace InputStyle {
QString fieldSheet(const QString& selector, int radius = 10);
// Styles widget now and after every theme or font change; fontSize in pixels.
// extraSheet is appended to the field's style sheet each time.
void apply(QWidget* widget, const QString& selector, double fontSize = 14, int radius = 10,
           const QString& extraSheet = {});
} // namespace InputStyle
