#pragma once

#include <QAbstractButton>

#include <memory>

class Goal;

// A goal to pick in the add-entry sheet: a capsule with the goal's colour dot and title,
// filled with the goal's colour while selected.
class GoalChip : public QAbstractButton {
    Q_OBJECT
public:
    explicit GoalChip(std::shared_ptr<Goal> goal, QWidget* parent = nullptr);

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    QColor goalColor() const;
    QString titleText() const;
    bool isSelectedGoal() const { return selected_; }
    void setSelectedGoal(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<Goal> goal_;
    bool selected_ = false;
};
