#pragma once

#include <QtGlobal>

#include <memory>

class Goal;
class Milestone;

// One milestone shown on a calendar day, with the goal that owns it. The milestone's store
// object identifier is the item's identity.
struct CalendarMilestoneItem {
    qint64 id = 0;
    std::shared_ptr<Goal> goal;
    std::shared_ptr<Milestone> milestone;
};
