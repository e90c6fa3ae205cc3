#pragma once

#include <QAbstractButton>

#include <memory>

class Goal;

// One active goal in the check-in: the tick, a dot of the goal's colour and its real title
// (masking does not apply here). A click anywhere on the row toggles the tick. A row made
// before it is given its goal shows only an empty tick.
class CheckInGoalRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit CheckInGoalRow(std::shared_ptr<Goal> goal, QWidget* parent = nullptr);

    // The height of every row.
    static int rowHeight();

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    // Shows another goal (the check-in hands rows on while its list scrolls).
    void setGoal(std::shared_ptr<Goal> goal);
    bool isTicked() const { return ticked_; }
    void setTicked(bool ticked);
    QString titleText() const { return title_; }
    QColor goalColor() const { return color_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString shownTitle() const;

    std::shared_ptr<Goal> goal_;
    QString title_;
    QColor color_;
    bool ticked_ = false;
};
