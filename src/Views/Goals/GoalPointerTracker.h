#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

#include <functional>

class QWidget;

// The pointer over a goal row or card: the hover flips on entering and leaving, and its
// amount follows from 0 to 1 with the spring, calling onStep at each step; a left click
// that starts and ends on the widget calls onClick, and so do Return and Space while the
// widget has the focus.
class GoalPointerTracker : public QObject {
    Q_OBJECT
public:
    GoalPointerTracker(QWidget* widget, std::function<void()> onStep, std::function<void()> onClick);

    bool isHovered() const { return hovered_; }
    // 0 at rest, 1 hovered; a spring may pass 1 on the way.
    double amount() const { return amount_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHovered(bool hovered);

    QWidget* widget_;
    std::function<void()> onStep_;
    std::function<void()> onClick_;
    bool hovered_ = false;
    bool pressed_ = false;
    double amount_ = 0.0;
    QPointer<QVariantAnimation> animation_;
};
