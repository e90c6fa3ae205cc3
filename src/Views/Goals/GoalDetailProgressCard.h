#pragma once

#include <QWidget>

#include <memory>

class AnimatedProgressRing;
class Goal;
class QLabel;
class QToolButton;

// The progress card of the goal detail screen: the ring, the percentage, whether progress
// comes from steps or is set by hand, and the -5 % / +5 % buttons for the latter.
class GoalDetailProgressCard : public QWidget {
    Q_OBJECT
public:
    explicit GoalDetailProgressCard(std::shared_ptr<Goal> goal, QWidget* parent = nullptr);

    void refresh();

signals:
    void adjustRequested(double change);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<Goal> goal_;
    AnimatedProgressRing* ring_;
    QLabel* caption_;
    QToolButton* minus_;
    QLabel* percent_;
    QToolButton* plus_;
    QLabel* note_;
};
