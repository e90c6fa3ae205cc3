#include "Components/ThemedTextEditor.h"

#include "Components/InputStyle.h"

ThemedTextEditor::ThemedTextEditor(const QString& placeholder, QWidget* parent, double fontSize)
    : QPlainTextEdit(parent) {
    setPlaceholderText(placeholder);
    setTabChangesFocus(true);
    setFrameShape(QFrame::NoFrame);
    InputStyle::apply(this, QStringLiteral("QPlainTextEdit"), fontSize);
}
