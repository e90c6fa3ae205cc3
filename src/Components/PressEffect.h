#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

class QWidget;

// Press feedback: the widget shrinks to 0.97 about its centre while the mouse button is held
// on it or on any child, and springs back on release, wherever the pointer is by then.
// Children keep their own clicks: the filter only watches.
class PressEffect : public QObject {
    Q_OBJECT
public:
    static PressEffect* attach(QWidget* widget);

    bool isPressed() const { return pressed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PressEffect(QWidget* widget);
    void watch(QObject* object);
    void setPressed(bool pressed);

    QWidget* widget_;
    bool pressed_ = false;
    double scale_ = 1.0;
    QPointer<QVariantAnimation> animation_;
};
