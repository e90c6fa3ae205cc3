#pragma once

#include <QtGlobal>

class SheetHost;

// What a goal's row, card or menu may ask of the screen that lists it, naming the goal by the
// id it was bound to. The list side is handed this, not the screen, so the list and the
// screen do not include each other. A goal gone since its row was bound is left alone.
class GoalActions {
public:
    virtual ~GoalActions() = default;

    // Selecting the selected goal again closes its panel.
    virtual void select(qint64 goalID) = 0;
    virtual void toggleHidden(qint64 goalID) = 0;
    // The alerts these open, or null when the goal is gone.
    virtual SheetHost* offerAchieve(qint64 goalID) = 0;
    virtual void deleteGoal(qint64 goalID) = 0;
    virtual SheetHost* confirmDeleteGoal(qint64 goalID) = 0;
};
