#pragma once

#include <QWidget>

class AnimatedProgressRing;
class DashboardStreakBadge;
class QLabel;

// The top of the dashboard: the greeting with the best streak, today's date, and the mean
// progress of the active goals as a ring while there are any.
class DashboardHeader : public QWidget {
    Q_OBJECT
public:
    explicit DashboardHeader(QWidget* parent = nullptr);

    // Greeting and date are worked out from the clock at each call.
    void setFigures(int streak, double overallProgress);
    void setRingShown(bool shown);

    QString greetingText() const;
    QString dateText() const;
    DashboardStreakBadge* streakBadge() const { return badge_; }
    AnimatedProgressRing* ring() const { return ring_; }
    QWidget* ringColumn() const { return ringColumn_; }

private:
    QLabel* greeting_;
    QLabel* date_;
    DashboardStreakBadge* badge_;
    QWidget* ringColumn_;
    AnimatedProgressRing* ring_;
};
