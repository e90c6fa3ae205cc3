#include "Models/GoalQueries.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"

namespace {

Predicate archivedIs(bool archived) {
    return Key(Goal::Keys::isArchived) == archived;
}

} // namespace

FetchRequest GoalQueries::active(Order order) {
    return FetchRequest(Goal::entityName(), archivedIs(false),
                        {{Goal::Keys::createdAt, order == Order::oldestFirst}});
}

FetchRequest GoalQueries::archived() {
    return FetchRequest(Goal::entityName(), archivedIs(true), {{Goal::Keys::createdAt, false}});
}

FetchRequest GoalQueries::activeWithDeadline() {
    return FetchRequest(Goal::entityName(), archivedIs(false) && Key(Goal::Keys::deadline).present(),
                        {{Goal::Keys::deadline, true}});
}

FetchRequest GoalQueries::steps(const std::shared_ptr<Goal>& goal) {
    FetchRequest request(Step::entityName());
    if (goal)
        request.predicate = Key(Step::Keys::milestone, Milestone::Keys::goal) == goal;
    request.sortDescriptors = {{Step::Keys::priority, false}, {Step::Keys::createdAt, true}};
    return request;
}

FetchRequest GoalQueries::milestones(const std::shared_ptr<Goal>& goal) {
    return FetchRequest(Milestone::entityName(), Key(Milestone::Keys::goal) == goal);
}

const QStringList& GoalQueries::rowSources() {
    static const QStringList sources{Milestone::entityName(), Step::entityName(), Expense::entityName(),
                                     DailyLog::entityName()};
    return sources;
}
