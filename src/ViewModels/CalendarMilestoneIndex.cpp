#include "ViewModels/CalendarMilestoneIndex.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Platform/Store/ObjectContext.h"

#include <algorithm>
#include <tuple>

void CalendarMilestoneIndex::rebuild(ObjectContext& context) {
    entries_.clear();
    // Only milestones with a frequency can fall on a day; the rest of the store (most goals
    // and milestones of a long history) is never loaded for the calendar.
    const auto scheduled =
        context.fetch<Milestone>(FetchRequest(Milestone::entityName(), Key("frequency").present()));
    for (const auto& milestone : scheduled) {
        auto goal = milestone->goal();
        if (!goal)
            continue;
        CalendarMilestoneSchedule schedule(*milestone, *goal);
        if (schedule.isScheduled())
            entries_.push_back({std::move(goal), milestone, schedule});
    }
    const auto rank = [](const Entry& entry) {
        return std::make_tuple(entry.goal->createdAt().value_or(QDateTime()), entry.goal->objectID(),
                               entry.milestone->order(), entry.milestone->objectID());
    };
    std::sort(entries_.begin(), entries_.end(),
              [&](const Entry& a, const Entry& b) { return rank(a) < rank(b); });
}
