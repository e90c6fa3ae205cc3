#include "Models/Goal.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/GoalCheckIn.h"
#include "Models/GoalFigures.h"
#include "Models/Milestone.h"
#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"

#include <algorithm>

EntityDescription Goal::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Goal); }};
}

std::shared_ptr<Goal> Goal::create(ObjectContext* context) {
    auto record = context->insert<Goal>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<Milestone>> Goal::milestones() const {
    return toMany<Milestone>(Milestones);
}

std::vector<std::shared_ptr<DailyLog>> Goal::dailyLogs() const {
    return toMany<DailyLog>(DailyLogs);
}

std::vector<std::shared_ptr<GoalCheckIn>> Goal::checkIns() const {
    return toMany<GoalCheckIn>(CheckIns);
}

std::vector<std::shared_ptr<Milestone>> Goal::milestonesArray() const {
    auto list = milestones();
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->order() < b->order(); });
    return list;
}

std::vector<std::shared_ptr<DailyLog>> Goal::dailyLogsArray() const {
    auto list = dailyLogs();
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        const auto da = a->date();
        const auto db = b->date();
        if (!db)
            return da.has_value();
        return da && *da > *db;
    });
    return list;
}

GoalFigures::Figures Goal::figures() const {
    ObjectContext* ctx = context();
    if (ctx == nullptr)
        return {};
    return GoalFigures::of(ctx).figures(*this);
}

int Goal::totalSteps() const {
    return figures().totalSteps;
}

int Goal::completedSteps() const {
    return figures().completedSteps;
}

int Goal::milestoneCount() const {
    return figures().milestones;
}

int Goal::completedMilestones() const {
    return figures().completedMilestones;
}

double Goal::financialContributed() const {
    return id() ? figures().contributed : 0.0;
}

double Goal::progressPercentage() const {
    const GoalFigures::Figures f = figures();
    if (needsMoney() && targetAmount() > 0)
        return std::min((id() ? f.contributed : 0.0) / targetAmount(), 1.0);
    if (f.totalSteps < 1)
        return manualProgress();
    return static_cast<double>(f.completedSteps) / f.totalSteps;
}

const QString& Goal::progressSql() {
    static const QString sql =
        QStringLiteral("CASE"
                       " WHEN COALESCE(%1, 0) <> 0 AND COALESCE(%2, 0) > 0"
                       "  THEN MIN(CAST(COALESCE(money.amount, 0) AS REAL) / %2, 1.0)"
                       " WHEN COALESCE(steps.total, 0) < 1 THEN COALESCE(%3, 0)"
                       " ELSE CAST(steps.done AS REAL) / steps.total END")
            .arg(sqlColumn(Keys::needsMoney, u"g"), sqlColumn(Keys::targetAmount, u"g"),
                 sqlColumn(Keys::manualProgress, u"g"));
    return sql;
}

bool Goal::isOverdue() const {
    return isOverdue(Clock::now());
}

bool Goal::isOverdue(const QDateTime& reference) const {
    const auto due = deadline();
    return due && *due < reference && progressPercentage() < 1.0;
}

std::optional<int> Goal::daysUntilDeadline() const {
    return daysUntilDeadline(Clock::now());
}

std::optional<int> Goal::daysUntilDeadline(const QDateTime& reference) const {
    const auto due = deadline();
    if (!due)
        return std::nullopt;
    return Calendar::wholeDaysBetween(reference, *due);
}

MomentumState Goal::wrappedMomentumState() const {
    const auto raw = momentumState();
    if (!raw)
        return MomentumState::coasting;
    return MomentumStates::fromRaw(*raw).value_or(MomentumState::coasting);
}

void Goal::updateMomentum() {
    const auto recent = std::min<std::size_t>(dailyLogs().size(), 7);
    MomentumState state = MomentumState::stalling;
    if (recent >= 5)
        state = MomentumState::accelerating;
    else if (recent >= 2)
        state = MomentumState::coasting;
    setMomentumState(MomentumStates::rawValue(state));
}
