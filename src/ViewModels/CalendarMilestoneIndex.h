#pragma once

#include "ViewModels/CalendarMilestoneSchedule.h"

#include <memory>
#include <vector>

class Goal;
class Milestone;
class ObjectContext;

// Every scheduled milestone of the store with its goal, goals oldest first and each goal's
// milestones in their order, read in one pass. The calendar asks it for a day's milestones and
// a month's activity without fetching goals again; its owner rebuilds it when goals or
// milestones change.
class CalendarMilestoneIndex {
public:
    struct Entry {
        std::shared_ptr<Goal> goal;
        std::shared_ptr<Milestone> milestone;
        CalendarMilestoneSchedule schedule;
    };

    void rebuild(ObjectContext& context);
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};
