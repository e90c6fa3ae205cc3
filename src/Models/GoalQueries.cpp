#include "Models/GoalQueries.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"
#include "Store/StoreSchema.h"
#include "Store/StoreValue.h"

#include <QTimeZone>

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

namespace {

std::optional<QDateTime> storedDate(const QVariant& value) {
    if (!value.isValid())
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(StoreValue::dateToMsecs(value.toDouble()), QTimeZone::utc());
}

std::optional<QString> storedText(const QVariant& value) {
    return value.isValid() ? std::optional(value.toString()) : std::nullopt;
}

} // namespace

std::vector<GoalQueries::MilestoneWithFrequency>
GoalQueries::milestonesWithFrequency(ObjectContext& context) {
    // Goals without a creation date come first, as SQLite orders a missing value.
    using M = Milestone::Keys;
    using G = Goal::Keys;
    static const QString kSql =
        QStringLiteral("SELECT m.\"pk\", g.\"pk\", %1, %2, %3, %4, %5 FROM %6 m JOIN %7 g ON g.\"pk\" = %8 "
                       "WHERE %1 IS NOT NULL ORDER BY %3, g.\"pk\", %9, m.\"pk\"")
            .arg(sqlColumn(M::frequency, u"m"), sqlColumn(M::dueDate, u"m"), sqlColumn(G::createdAt, u"g"),
                 sqlColumn(G::deadline, u"g"), sqlColumn(M::id, u"m"),
                 StoreSchema::quote(Milestone::entityName()), StoreSchema::quote(Goal::entityName()),
                 sqlColumn(M::goal, u"m"), sqlColumn(M::order, u"m"));
    const auto rows = context.aggregate(kSql);
    std::vector<MilestoneWithFrequency> found;
    found.reserve(rows.size());
    for (const auto& row : rows)
        found.push_back({row[0].toLongLong(), row[1].toLongLong(), storedText(row[2]), storedDate(row[3]),
                         storedDate(row[4]), storedDate(row[5]), QUuid(row[6].toString())});
    return found;
}
