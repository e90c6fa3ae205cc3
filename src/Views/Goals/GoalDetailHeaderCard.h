#pragma once

#include <QColor>
#include <QWidget>

class CategoryTag;
struct GoalHeaderText;
class MomentumBadge;
class PriorityBadge;
class QHBoxLayout;
class QLabel;
class QToolButton;

// The top card of the goal detail screen: colour dot, category, priority and momentum,
// the edit and achieve buttons, the title, notes, deadline and streak.
class GoalDetailHeaderCard : public QWidget {
    Q_OBJECT
public:
    explicit GoalDetailHeaderCard(const GoalHeaderText& text, QWidget* parent = nullptr);

    // Shows these values (after the store changed).
    void setText(const GoalHeaderText& text);

signals:
    void editRequested();
    void achieveRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeRanks();

    QColor color_;
    QHBoxLayout* top_;
    QHBoxLayout* second_;
    QLabel* dot_;
    CategoryTag* tag_;
    QWidget* ranks_;
    PriorityBadge* priority_;
    MomentumBadge* momentum_;
    bool ranksOnTop_ = true;
    QToolButton* edit_;
    QToolButton* achieve_;
    QLabel* title_;
    QLabel* notes_;
    QLabel* deadline_;
    QLabel* streak_;
};
