#pragma once

#include <memory>

class Goal;
class SheetHost;

// What a goal's row, card or menu may ask of the screen that lists it. The list side is handed
// this, not the screen, so the list and the screen do not include each other.
class GoalActions {
public:
    virtual ~GoalActions() = default;

    // Selecting the selected goal again closes its panel.
    virtual void select(const std::shared_ptr<Goal>& goal) = 0;
    virtual void toggleHidden(const std::shared_ptr<Goal>& goal) = 0;
    virtual SheetHost* offerAchieve(const std::shared_ptr<Goal>& goal) = 0;
    virtual void deleteGoal(const std::shared_ptr<Goal>& goal) = 0;
    virtual SheetHost* confirmDeleteGoal(const std::shared_ptr<Goal>& goal) = 0;
};
