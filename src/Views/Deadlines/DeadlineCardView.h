#pragma once

#include <QColor>
#include <QDateTime>
#include <QWidget>

#include <memory>

class AnimatedProgressRing;
class CategoryTag;
class Goal;
class PriorityBadge;
class QLabel;
class SmallProgressBar;

// One goal on the deadlines screen: a bar of its section's colour, the title with its
// priority, the category with the time left (or overdue), and its progress as a bar and a
// ring. The countdown moves on when the screen ticks it. A card is made empty and filled by
// bind(); the list hands it on to another goal as it scrolls.
class DeadlineCardView : public QWidget {
    Q_OBJECT
public:
    explicit DeadlineCardView(QWidget* parent = nullptr);

    void bind(std::shared_ptr<Goal> goal, const QColor& urgencyColor);
    const std::shared_ptr<Goal>& goal() const { return goal_; }
    bool isHovered() const { return hovered_; }
    QString titleText() const;
    QString categoryText() const;
    QString countdownText() const;
    // Reads the clock again for the countdown.
    void tick();
    // The height a card takes (every card is one line of each part, so all are alike).
    static int naturalHeight();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTitle();

    std::shared_ptr<Goal> goal_;
    QColor urgency_;
    bool hovered_ = false;
    QString title_;
    QString category_;
    QWidget* urgencyBar_;
    QLabel* titleLabel_;
    PriorityBadge* priority_;
    CategoryTag* tag_;
    QLabel* countdown_;
    SmallProgressBar* progressBar_;
    AnimatedProgressRing* ring_;
};
