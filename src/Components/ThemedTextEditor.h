#pragma once

#include <QPlainTextEdit>

// A multi-line plain-text editor in the theme's input look, with a placeholder. Text is never
// read as markup.
class ThemedTextEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ThemedTextEditor(const QString& placeholder = {}, QWidget* parent = nullptr,
                              double fontSize = 14);
};
