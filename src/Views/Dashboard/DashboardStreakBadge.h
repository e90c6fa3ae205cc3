#pragma once

#include <QWidget>

// The best streak beside the greeting: an amber capsule of the flame and the day count.
class DashboardStreakBadge : public QWidget {
    Q_OBJECT
public:
    explicit DashboardStreakBadge(QWidget* parent = nullptr);

    int streak() const { return streak_; }
    void setStreak(int streak);
    QString text() const { return QString::number(streak_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int streak_ = 0;
};
