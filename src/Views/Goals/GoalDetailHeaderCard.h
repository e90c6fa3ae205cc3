#pragma once

#include <QWidget>

#include <memory>

class Goal;
class QHBoxLayout;
class QLabel;
class QToolButton;

// The top card of the goal detail screen: colour dot, category, priority and momentum,
// the edit and achieve buttons, the title, notes, deadline and streak.
class GoalDetailHeaderCard : public QWidget {
    Q_OBJECT
public:
    explicit GoalDetailHeaderCard(std::shared_ptr<Goal> goal, QWidget* parent = nullptr);

    // Reads the goal again.
    void refresh();

signals:
    void editRequested();
    void achieveRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<Goal> goal_;
    QHBoxLayout* badges_;
    QToolButton* edit_;
    QToolButton* achieve_;
    QLabel* title_;
    QLabel* notes_;
    QLabel* deadline_;
    QLabel* streak_;
};
