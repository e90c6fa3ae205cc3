#pragma once

#include "ViewModels/CalendarMilestoneItem.h"
#include "ViewModels/CalendarMilestoneSchedule.h"

#include <QUuid>
#include <QtGlobal>

#include <vector>

class ObjectContext;

// Every scheduled milestone of the store as its schedule and the store identifiers of it and its
// goal, goals oldest first and each goal's milestones in their order. The calendar asks it for
// a day's milestones and a month's activity without loading goals or milestones: a heavy
// store schedules thousands of them, and only the chosen day's are made into records (see
// items). Its owner rebuilds it when goals or milestones change.
class CalendarMilestoneIndex {
public:
    struct Entry {
        qint64 goalID = 0;
        qint64 milestoneID = 0;
        QUuid milestoneUuid; // null when the milestone has none; it is then found by its goal
        CalendarMilestoneSchedule schedule;
    };

    void rebuild(ObjectContext& context);
    const std::vector<Entry>& entries() const { return entries_; }

    // The milestones of these entries with their goals, in the entries' order; a record gone
    // since the last rebuild is left out.
    static std::vector<CalendarMilestoneItem> items(ObjectContext& context,
                                                    const std::vector<const Entry*>& entries);

private:
    void readStore(ObjectContext& context);
    void readRecords(ObjectContext& context);

    std::vector<Entry> entries_;
};
