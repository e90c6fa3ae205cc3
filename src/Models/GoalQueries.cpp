#include "Models/GoalQueries.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"
#include "Store/StoreQuery.h"
#include "Store/StoreSchema.h"
#include "Store/StoreValue.h"

#include <QHash>

#include <algorithm>
#include <tuple>

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
GoalQueries::milestonesWithFrequency(ObjectContext& context) {
    // Two plain scans, joined and ordered here: a join in the store looks every goal up once
    // per milestone and sorts the whole result on disk-backed pages, several times the cost.
    struct GoalDates {
        QVariant createdAt;
        QVariant deadline;
        int rank = 0;
    };
    QHash<qint64, GoalDates> goals;
    using M = Milestone::Keys;
    using G = Goal::Keys;
    static const QString goalSql =
        QStringLiteral("SELECT \"pk\", %1, %2 FROM %3")
            .arg(sqlColumn(G::createdAt), sqlColumn(G::deadline), StoreSchema::quote(Goal::entityName()));
    for (const auto& row : StoreQuery::aggregate(context, goalSql))
        goals.insert(row[0].toLongLong(), {row[1], row[2]});
    // Goals by creation, those without a date first (as the store orders a missing value),
    // then by identifier.
    {
        using GoalPlace = std::tuple<bool, double, qint64>;
        std::vector<GoalPlace> places;
        places.reserve(std::size_t(goals.size()));
        for (auto it = goals.cbegin(); it != goals.cend(); ++it)
            places.emplace_back(it->createdAt.isValid(), it->createdAt.toDouble(), it.key());
        std::sort(places.begin(), places.end());
        for (std::size_t i = 0; i < places.size(); ++i)
            goals[std::get<2>(places[i])].rank = int(i);
    }

    // The store reads each frequency's text and hands back its place among the known ones, so
    // that no row carries text; an unknown text never comes round.
    QString known;
    QVariantList binds;
    for (std::size_t i = 0; i < MilestoneFrequencies::allCases.size(); ++i) {
        known += QStringLiteral("WHEN ? THEN %1 ").arg(i);
        binds << MilestoneFrequencies::rawValue(MilestoneFrequencies::allCases[i]);
    }
    const auto rows = StoreQuery::aggregate(
        context,
        QStringLiteral(
            "SELECT \"pk\", %2, CASE %3 %1END, %4, %5 FROM %6 WHERE %3 IS NOT NULL AND %2 IS NOT NULL")
            .arg(known, sqlColumn(M::goal), sqlColumn(M::frequency), sqlColumn(M::dueDate),
                 sqlColumn(M::order), StoreSchema::quote(Milestone::entityName())),
        binds);

    // Each goal's milestones by their order, then identifier, the goals in their place.
    using Place = std::tuple<int, qint64, qint64, std::size_t>;
    std::vector<Place> places;
    std::vector<MilestoneWithFrequency> read;
    places.reserve(rows.size());
    read.reserve(rows.size());
    for (const auto& row : rows) {
        const auto goal = goals.constFind(row[1].toLongLong());
        if (!row[2].isValid() || goal == goals.constEnd())
            continue;
        places.emplace_back(goal->rank, row[4].toLongLong(), row[0].toLongLong(), read.size());
        read.push_back({row[0].toLongLong(), goal.key(),
                        MilestoneFrequencies::allCases[std::size_t(row[2].toLongLong())],
                        storedInstant(row[3]), storedInstant(goal->createdAt),
                        storedInstant(goal->deadline)});
    }
    std::sort(places.begin(), places.end());
    std::vector<MilestoneWithFrequency> found;
    found.reserve(read.size());
    for (const Place& place : places)
        found.push_back(read[std::get<3>(place)]);
    return found;
}
