#pragma once

#include <QString>

#include <functional>

class Goal;
class QWidget;
class SheetHost;

// The two questions asked about a whole goal, worded the same wherever they are asked.
class GoalAlerts {
public:
    // "Mark as Achieved?" with "Add to Achievements", "Just Mark Complete" and "Cancel".
    static SheetHost* offerAchieve(QWidget* over, const Goal& goal, std::function<void()> onAddToAchievements,
                                   std::function<void()> onJustMarkComplete);
    // The same for a goal known by its title.
    static SheetHost* offerAchieve(QWidget* over, const QString& title,
                                   std::function<void()> onAddToAchievements,
                                   std::function<void()> onJustMarkComplete);

    // "Delete "title"?" with "Delete Permanently" and "Cancel": deleting takes the goal's
    // milestones, steps and journal with it.
    static SheetHost* confirmDelete(QWidget* over, const Goal& goal, std::function<void()> onDelete);
    // The same for a goal known by its shown title.
    static SheetHost* confirmDelete(QWidget* over, const QString& title, std::function<void()> onDelete);
};
