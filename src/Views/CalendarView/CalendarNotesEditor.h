#pragma once

#include <QPlainTextEdit>

// A borderless plain-text note field that grows with its text from one line to maxLines and
// scrolls beyond. Return starts a new line; nothing is saved from the keyboard.
class CalendarNotesEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    CalendarNotesEditor(const QString& placeholder, double fontSize, int maxLines, QWidget* parent = nullptr);

    QSize sizeHint() const override;

private:
    void fitHeight();

    int maxLines_;
};
