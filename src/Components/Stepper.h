#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// A whole-number value between bounds with minus and plus buttons; the label beside it is
// the caller's text for the value (e.g. "3x per day").
class Stepper : public QWidget {
    Q_OBJECT
public:
    Stepper(int value, int minimum, int maximum, int step = 1, QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);
    void setLabel(const QString& text);
    QString label() const;
    // What the value is ("Statement close day"): the buttons are read as "Decrease ..." and
    // "Increase ...", and the value with it.
    void setName(const QString& name);

signals:
    void valueChanged(int value);

private:
    void refresh();

    int value_;
    int minimum_;
    int maximum_;
    int step_;
    QLabel* label_;
    QToolButton* minus_;
    QToolButton* plus_;
};
