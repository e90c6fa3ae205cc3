#include "ViewModels/CalendarMilestoneIndex.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Platform/Store/ObjectContext.h"

void CalendarMilestoneIndex::rebuild(ObjectContext& context) {
    entries_.clear();
    const auto goals =
        context.fetch<Goal>(FetchRequest(Goal::entityName(), {}, {{QStringLiteral("createdAt"), true}}));
    for (const auto& goal : goals) {
        for (const auto& milestone : goal->milestonesArray()) {
            CalendarMilestoneSchedule schedule(*milestone, *goal);
            if (schedule.isScheduled())
                entries_.push_back({goal, milestone, schedule});
        }
    }
}
