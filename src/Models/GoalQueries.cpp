#include "Models/GoalQueries.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"
#include "Store/StoreValue.h"

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

std::optional<qint64> storedInstant(const QVariant& value) {
    if (!value.isValid())
        return std::nullopt;
    return StoreValue::dateToMsecs(value.toDouble());
}

} // namespace

std::vector<GoalQueries::MilestoneWithFrequency>
GoalQueries::milestonesWithFrequency(ObjectContext& context, const std::vector<qint64>& goals) {
    // The store reads each frequency's text and hands back its place among the known ones, so
    // that no row carries text; an unknown text never comes round.
    QString known;
    QVariantList binds;
    for (std::size_t i = 0; i < MilestoneFrequencies::allCases.size(); ++i) {
        known += QStringLiteral("WHEN ? THEN %1 ").arg(i);
        binds << MilestoneFrequencies::rawValue(MilestoneFrequencies::allCases[i]);
    }
    QString only;
    for (qint64 goal : goals) {
        only += only.isEmpty() ? QStringLiteral(" AND g.\"pk\" IN (?") : QStringLiteral(", ?");
        binds << goal;
    }
    if (!only.isEmpty())
        only += QLatin1Char(')');
    // Goals without a creation date come first, as SQLite orders a missing value.
    const auto rows = context.aggregate(
        QStringLiteral("SELECT m.\"pk\", g.\"pk\", CASE m.\"frequency\" %1END, m.\"dueDate\", "
                       "g.\"createdAt\", g.\"deadline\" "
                       "FROM \"Milestone\" m JOIN \"Goal\" g ON g.\"pk\" = m.\"goal\" "
                       "WHERE m.\"frequency\" IS NOT NULL%2 "
                       "ORDER BY g.\"createdAt\", g.\"pk\", m.\"order\", m.\"pk\"")
            .arg(known, only),
        binds);
    std::vector<MilestoneWithFrequency> found;
    found.reserve(rows.size());
    for (const auto& row : rows) {
        if (!row[2].isValid())
            continue;
        found.push_back({row[0].toLongLong(), row[1].toLongLong(),
                         MilestoneFrequencies::allCases[std::size_t(row[2].toLongLong())],
                         storedInstant(row[3]), storedInstant(row[4]), storedInstant(row[5])});
    }
    return found;
}
