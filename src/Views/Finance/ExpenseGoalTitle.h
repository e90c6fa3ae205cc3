#pragma once

#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class Goal;
class MenuPicker;
class QLineEdit;
class QVBoxLayout;

// The title of an expense when goals that need money are offered: a goal picker ("Custom /
// Enter manually" first) over either the title field (no goal) or a card of the chosen goal
// with what it has received of its target. Choosing a goal takes its title; going back to
// custom entry clears the title. Without goals it is the plain title field.
class ExpenseGoalTitle : public QWidget {
    Q_OBJECT
public:
    ExpenseGoalTitle(std::vector<std::shared_ptr<Goal>> goals, QLineEdit* titleField,
                     QWidget* parent = nullptr);

    std::optional<QUuid> selectedGoalID() const { return selectedGoalID_; }
    // Sets the link without touching the title (an edited expense's stored link).
    void setSelectedGoalID(const std::optional<QUuid>& id);
    // The goal of the picker with the selected id, if any.
    std::shared_ptr<Goal> selectedGoal() const;

private:
    void choose(int index);
    void refresh();
    QWidget* buildGoalCard(const Goal& goal);

    std::vector<std::shared_ptr<Goal>> goals_;
    std::optional<QUuid> selectedGoalID_;
    QLineEdit* titleField_;
    MenuPicker* picker_ = nullptr;
    QWidget* goalCard_ = nullptr;
    QVBoxLayout* column_;
};
