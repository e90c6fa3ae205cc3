#pragma once

#include <QWidget>

class AnimatedProgressRing;
struct GoalProgressText;
class QLabel;
class QToolButton;

// The progress card of the goal detail screen: the ring, the percentage, whether progress
// comes from steps or is set by hand, and the -5 % / +5 % buttons for the latter.
class GoalDetailProgressCard : public QWidget {
    Q_OBJECT
public:
    explicit GoalDetailProgressCard(const GoalProgressText& text, QWidget* parent = nullptr);

    // Shows these values (after the store changed).
    void setText(const GoalProgressText& text);

signals:
    void adjustRequested(double change);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AnimatedProgressRing* ring_;
    QLabel* caption_;
    QToolButton* minus_;
    QLabel* percent_;
    QToolButton* plus_;
    QLabel* note_;
};
