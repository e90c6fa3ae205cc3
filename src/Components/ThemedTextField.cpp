#include "Components/ThemedTextField.h"

#include "Components/InputStyle.h"

ThemedTextField::ThemedTextField(const QString& placeholder, QWidget* parent, double fontSize)
    : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setFrame(false);
    InputStyle::apply(this, QStringLiteral("QLineEdit"), fontSize);
}
