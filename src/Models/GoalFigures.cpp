#include "Models/GoalFigures.h"

#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"
#include "Store/StoreQuery.h"
#include "Store/StoreSchema.h"

#include <QHash>

#include <algorithm>

namespace {

// The entities the figures derive from: a pending change to any of them is read in memory.
const QStringList kSources{Goal::entityName(), Milestone::entityName(), Step::entityName(),
                           Expense::entityName()};

using G = Goal::Keys;
using M = Milestone::Keys;
using S = Step::Keys;
using E = Expense::Keys;

QString table(const QString& entity) {
    return StoreSchema::quote(entity);
}

// Each keeps a %1 for the condition its caller adds.
const QString kStepsSql =
    QStringLiteral("SELECT %2 AS goal, COUNT(*) AS total, COALESCE(SUM(%3), 0) AS done "
                   "FROM %4 s JOIN %5 m ON %6 = m.\"pk\" WHERE %2 IS NOT NULL%1 GROUP BY %2")
        .arg(QStringLiteral("%1"), sqlColumn(M::goal, u"m"), sqlColumn(S::isCompleted, u"s"),
             table(Step::entityName()), table(Milestone::entityName()), sqlColumn(S::milestone, u"s"));
const QString kMilestonesSql =
    QStringLiteral("SELECT %2, COUNT(*), COALESCE(SUM(%3), 0) FROM %4 WHERE %2 IS NOT NULL%1 GROUP BY %2")
        .arg(QStringLiteral("%1"), sqlColumn(M::goal), sqlColumn(M::isCompleted),
             table(Milestone::entityName()));
const QString kMoneySql =
    QStringLiteral("SELECT g.\"pk\" AS goal, SUM(%2) AS amount FROM %3 e JOIN %4 g ON %5 = %6 "
                   "WHERE %2 IS NOT NULL%1 GROUP BY g.\"pk\"")
        .arg(QStringLiteral("%1"), sqlColumn(E::amount, u"e"), table(Expense::entityName()),
             table(Goal::entityName()), sqlColumn(G::id, u"g"), sqlColumn(E::goalID, u"e"));

// Each active goal's progress as Goal::progressSql() reads it. The steps and money are read as
// each goal's figures are, for the active goals' steps and the active money goals' expenses only.
const QString kActiveSummarySql =
    QStringLiteral("SELECT COUNT(*), COALESCE(SUM(p >= 1.0), 0), TOTAL(p), COALESCE(MAX(streak), 0) FROM ("
                   " SELECT %4 AS streak, %3 AS p"
                   " FROM %5 g LEFT JOIN (%1) steps ON steps.goal = g.\"pk\""
                   " LEFT JOIN (%2) money ON money.goal = g.\"pk\""
                   " WHERE %6 = 0)")
        .arg(kStepsSql.arg(
                 QStringLiteral(" AND %1 IN (SELECT \"pk\" FROM %2 WHERE %3 = 0)")
                     .arg(sqlColumn(M::goal, u"m"), table(Goal::entityName()), sqlColumn(G::isArchived))),
             kMoneySql.arg(QStringLiteral(" AND %1 = 0 AND COALESCE(%2, 0) <> 0")
                               .arg(sqlColumn(G::isArchived, u"g"), sqlColumn(G::needsMoney, u"g"))),
             Goal::progressSql(), sqlColumn(G::streak, u"g"), table(Goal::entityName()),
             sqlColumn(G::isArchived, u"g"));

constexpr qsizetype kReadAllAbove = 8;

// Never destroyed: a context that goes at exit (after static objects started going) still
// finds it when it removes itself.
QHash<ObjectContext*, GoalFigures*>& registry() {
    static auto* all = new QHash<ObjectContext*, GoalFigures*>;
    return *all;
}

} // namespace

GoalFigures& GoalFigures::of(ObjectContext* context) {
    GoalFigures*& figures = registry()[context];
    if (!figures)
        figures = new GoalFigures(context);
    return *figures;
}

GoalFigures::GoalFigures(ObjectContext* context) : QObject(context), context_(context) {
    connect(context, &ObjectContext::aboutToCommit, this, &GoalFigures::forget);
    connect(context, &QObject::destroyed, [context] { registry().remove(context); });
}

GoalFigures::Figures GoalFigures::figures(const Goal& goal) {
    if (goal.isDeleted() || context_->hasChanges(kSources))
        return counted(goal);
    const qint64 id = goal.objectID();
    const auto it = cache_.constFind(id);
    if (it != cache_.cend() && !stale_.contains(id))
        return *it;
    stale_.remove(id);
    cache_.insert(id, Figures{});
    read(QStringLiteral(" = ?"), {id});
    return cache_.value(id);
}

void GoalFigures::prefetchAll() {
    if (!loaded_ && !context_->hasChanges(kSources))
        loadAll();
}

void GoalFigures::prefetch(const std::vector<std::shared_ptr<Goal>>& goals) {
    if (loaded_ || context_->hasChanges(kSources))
        return;
    QStringList pks;
    for (const auto& goal : goals) {
        const qint64 id = goal->objectID();
        if (!goal->isDeleted() && (!cache_.contains(id) || stale_.contains(id)))
            pks << QString::number(id);
    }
    if (pks.size() < 2)
        return;
    for (const QString& pk : pks) {
        cache_.insert(pk.toLongLong(), Figures{});
        stale_.remove(pk.toLongLong());
    }
    read(QStringLiteral(" IN (SELECT value FROM json_each(?))"), {QString(u'[' + pks.join(u',') + u']')});
}

GoalFigures::ActiveSummary GoalFigures::activeSummary() {
    ActiveSummary summary;
    if (context_->hasChanges(kSources)) {
        for (const auto& goal : context_->fetch<Goal>(GoalQueries::active(GoalQueries::Order::newestFirst))) {
            const double progress = goal->progressPercentage();
            ++summary.goals;
            summary.completed += progress >= 1.0 ? 1 : 0;
            summary.progressSum += progress;
            summary.bestStreak = std::max<int>(summary.bestStreak, goal->streak());
        }
        return summary;
    }
    if (summary_)
        return *summary_;
    ++queries_;
    for (const auto& row : StoreQuery::aggregate(*context_, kActiveSummarySql)) {
        summary.goals = row[0].toInt();
        summary.completed = row[1].toInt();
        summary.progressSum = row[2].toDouble();
        summary.bestStreak = row[3].toInt();
    }
    summary_ = summary;
    return summary;
}

size_t GoalFigures::digest(const std::vector<std::shared_ptr<ManagedObject>>& goals) {
    if (goals.empty())
        return 1;
    ObjectContext* context = goals.front()->context();
    if (!context || context->hasChanges(kSources))
        return 0;
    GoalFigures& figures = of(context);
    // Past a few stale goals one pass over every goal costs less than three queries each.
    if (!figures.loaded_ && figures.stale_.size() > kReadAllAbove)
        figures.loadAll();
    size_t seed = 1;
    for (const auto& object : goals) {
        // Only what was ever shown counts: a goal nobody read will read fresh figures anyway.
        if (!figures.cache_.contains(object->objectID()))
            continue;
        const Figures f = figures.figures(static_cast<const Goal&>(*object));
        seed = qHashMulti(seed, object->objectID(), f.totalSteps, f.completedSteps, f.milestones,
                          f.completedMilestones, f.contributed);
    }
    return seed == 0 ? 1 : seed;
}

GoalFigures::Figures GoalFigures::counted(const Goal& goal) {
    Figures f;
    for (const auto& milestone : goal.milestones()) {
        ++f.milestones;
        if (milestone->isCompleted())
            ++f.completedMilestones;
        for (const auto& step : milestone->steps()) {
            ++f.totalSteps;
            if (step->isCompleted())
                ++f.completedSteps;
        }
    }
    const auto goalId = goal.id();
    if (goalId && goal.context()) {
        const FetchRequest request(Expense::entityName(),
                                   Key(Expense::Keys::goalID) == QVariant::fromValue(*goalId));
        for (const auto& expense : goal.context()->fetch<Expense>(request))
            f.contributed += expense->amount();
    }
    return f;
}

void GoalFigures::loadAll() {
    cache_.clear();
    stale_.clear();
    for (const auto& row :
         StoreQuery::aggregate(*context_, QStringLiteral("SELECT \"pk\" FROM ") + table(Goal::entityName())))
        cache_.insert(row[0].toLongLong(), Figures{});
    ++queries_;
    read(QString());
    loaded_ = true;
}

void GoalFigures::read(const QString& which, const QVariantList& binds) {
    const auto on = [&which](const QString& goalColumn) {
        return which.isEmpty() ? QString() : QStringLiteral(" AND ") + goalColumn + which;
    };
    for (const auto& row :
         StoreQuery::aggregate(*context_, kStepsSql.arg(on(sqlColumn(M::goal, u"m"))), binds)) {
        Figures& f = cache_[row[0].toLongLong()];
        f.totalSteps = row[1].toInt();
        f.completedSteps = row[2].toInt();
    }
    for (const auto& row :
         StoreQuery::aggregate(*context_, kMilestonesSql.arg(on(sqlColumn(M::goal))), binds)) {
        Figures& f = cache_[row[0].toLongLong()];
        f.milestones = row[1].toInt();
        f.completedMilestones = row[2].toInt();
    }
    for (const auto& row :
         StoreQuery::aggregate(*context_, kMoneySql.arg(on(QStringLiteral("g.\"pk\""))), binds))
        cache_[row[0].toLongLong()].contributed = row[1].toDouble();
    queries_ += 3;
}

void GoalFigures::forget(const std::vector<std::shared_ptr<ManagedObject>>& objects, bool everything) {
    // The summary spans every active goal: anything it derives from reads it again.
    const bool touchesSummary =
        everything || std::any_of(objects.begin(), objects.end(),
                                  [](const auto& object) { return kSources.contains(object->entityName()); });
    if (touchesSummary)
        summary_.reset();
    if (cache_.isEmpty())
        return;
    // Every figure is read again, but the goals shown so far stay known as shown: a list's
    // digest over them must still see what it shows change (forgetting them would fold the
    // figures of no goal, the same number after every such change).
    auto everythingStale = [this] {
        loaded_ = false;
        for (auto it = cache_.cbegin(); it != cache_.cend(); ++it)
            stale_.insert(it.key());
    };
    if (everything)
        return everythingStale();
    for (const auto& object : objects) {
        const QString& entity = object->entityName();
        std::shared_ptr<Goal> goal;
        if (entity == Goal::entityName()) {
            stale_.insert(object->objectID());
            continue;
        }
        if (entity == Milestone::entityName()) {
            goal = std::static_pointer_cast<Milestone>(object)->goal();
        } else if (entity == Step::entityName()) {
            if (const auto milestone = std::static_pointer_cast<Step>(object)->milestone())
                goal = milestone->goal();
        } else if (entity == Expense::entityName()) {
            // An expense may have moved from one goal to another; its old goal is not known here.
            return everythingStale();
        } else {
            continue;
        }
        // A record that no longer says which goal it fed could have fed any.
        if (!goal)
            return everythingStale();
        stale_.insert(goal->objectID());
    }
}
