#pragma once

#include <QAbstractButton>
#include <QColor>

// One preset colour of the new-category form: a 22-point disc, ringed in white with a soft
// glow of its own colour while it is the chosen one.
class CalendarSwatch : public QAbstractButton {
    Q_OBJECT
public:
    CalendarSwatch(const QString& name, const QString& hex, QWidget* parent = nullptr);

    QString hex() const { return hex_; }
    bool isMarked() const { return marked_; }
    void setMarked(bool marked);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString hex_;
    QColor color_;
    bool marked_ = false;
};
