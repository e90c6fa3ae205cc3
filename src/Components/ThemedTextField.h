#pragma once

#include <QLineEdit>

// A single-line text field in the theme's input look, with a placeholder. Return emits
// returnPressed() only; it never presses a button of the sheet around it.
class ThemedTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit ThemedTextField(const QString& placeholder = {}, QWidget* parent = nullptr,
                             double fontSize = 14);
};
