#pragma once

#include <QColor>
#include <QDateTime>
#include <QWidget>

#include <memory>

class Goal;
class QLabel;

// One goal on the deadlines screen: a bar of its section's colour, the title with its
// priority, the category with the time left (or overdue), and its progress as a bar and a
// ring. The countdown moves on when the screen ticks it.
class DeadlineCardView : public QWidget {
    Q_OBJECT
public:
    DeadlineCardView(std::shared_ptr<Goal> goal, const QColor& urgencyColor, QWidget* parent = nullptr);

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    bool isHovered() const { return hovered_; }
    QString titleText() const;
    QString categoryText() const;
    QString countdownText() const;
    // Reads the clock again for the countdown.
    void tick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::shared_ptr<Goal> goal_;
    QColor urgency_;
    QColor goalColor_;
    bool hovered_ = false;
    QString title_;
    QLabel* titleLabel_;
    QString category_;
    QLabel* countdown_ = nullptr;
};
