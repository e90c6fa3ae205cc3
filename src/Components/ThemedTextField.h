#pragma once

#include <QLineEdit>

// A single-line text field in the theme's input look, with a placeholder. Return emits
// returnPressed() and then presses the default button of the layer around it, if any
// (KeyboardLayer). The placeholder
// shows until the first character is typed, also in a centred field that has focus (where
// Qt alone would hide it).
class ThemedTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit ThemedTextField(const QString& placeholder = {}, QWidget* parent = nullptr,
                             double fontSize = 14);

protected:
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool composing_ = false;
};
