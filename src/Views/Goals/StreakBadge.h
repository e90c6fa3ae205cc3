#pragma once

#include <QWidget>

// A goal's streak as an amber capsule: the flame and the day count ("7d").
class StreakBadge : public QWidget {
    Q_OBJECT
public:
    explicit StreakBadge(int streak, QWidget* parent = nullptr);

    int streak() const { return streak_; }
    void setStreak(int streak);
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int streak_;
};
