#include "Models/GoalQueries.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"

namespace {

Predicate archivedIs(bool archived) {
    return Key(QStringLiteral("isArchived")) == archived;
}

} // namespace

FetchRequest GoalQueries::active(Order order) {
    return FetchRequest(Goal::entityName(), archivedIs(false),
                        {{QStringLiteral("createdAt"), order == Order::oldestFirst}});
}

FetchRequest GoalQueries::archived() {
    return FetchRequest(Goal::entityName(), archivedIs(true), {{QStringLiteral("createdAt"), false}});
}

FetchRequest GoalQueries::activeWithDeadline() {
    return FetchRequest(Goal::entityName(), archivedIs(false) && Key(QStringLiteral("deadline")).present(),
                        {{QStringLiteral("deadline"), true}});
}

FetchRequest GoalQueries::steps(const std::shared_ptr<Goal>& goal) {
    FetchRequest request(Step::entityName());
    if (goal)
        request.predicate = Key(QStringLiteral("milestone.goal")) == goal;
    request.sortDescriptors = {{QStringLiteral("priority"), false}, {QStringLiteral("createdAt"), true}};
    return request;
}

const QStringList& GoalQueries::rowSources() {
    static const QStringList sources{Milestone::entityName(), Step::entityName(), Expense::entityName(),
                                     DailyLog::entityName()};
    return sources;
}
