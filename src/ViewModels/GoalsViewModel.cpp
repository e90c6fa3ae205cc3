#include "ViewModels/GoalsViewModel.h"

#include "ViewModels/ActionSave.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalPriority.h"
#include "Models/GoalQueries.h"
#include "Platform/Clock.h"
#include "Store/LiveFetch.h"
#include "Store/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

// Compares by Unicode code point: QString's own order is by UTF-16 unit, which puts
// characters beyond the basic plane before U+E000..U+FFFF.
bool codePointLess(const QString& a, const QString& b) {
    const QList<uint> ua = a.toUcs4();
    const QList<uint> ub = b.toUcs4();
    return std::lexicographical_compare(ua.begin(), ua.end(), ub.begin(), ub.end());
}

int priorityRank(const Goal& goal) {
    return GoalPriorities::rawValue(GoalLook::priority(goal));
}

// A progress that is not a number ranks lowest so the order stays a strict weak one.
double progressRank(const Goal& goal) {
    const double p = goal.progressPercentage();
    return std::isnan(p) ? -INFINITY : p;
}

} // namespace

QString GoalsViewModel::rawValue(SortOrder order) {
    switch (order) {
    case SortOrder::deadline:
        return QStringLiteral("Deadline");
    case SortOrder::priority:
        return QStringLiteral("Priority");
    case SortOrder::progress:
        return QStringLiteral("Progress");
    case SortOrder::title:
        return QStringLiteral("Title");
    case SortOrder::newest:
        return QStringLiteral("Newest");
    }
    return {};
}

std::optional<GoalsViewModel::SortOrder> GoalsViewModel::sortOrderFromRaw(const QString& raw) {
    for (SortOrder order : allSortOrders)
        if (rawValue(order) == raw)
            return order;
    return std::nullopt;
}

GoalsViewModel::GoalsViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {}

GoalsViewModel::~GoalsViewModel() = default;

void GoalsViewModel::setFilterCategory(const QString& category) {
    if (category == filterCategory_)
        return;
    filterCategory_ = category;
    emit filterCategoryChanged();
}

void GoalsViewModel::setSortOrder(SortOrder order) {
    if (order == sortOrder_)
        return;
    sortOrder_ = order;
    emit sortOrderChanged();
}

void GoalsViewModel::setShowCreateGoal(bool show) {
    if (show == showCreateGoal_)
        return;
    showCreateGoal_ = show;
    emit showCreateGoalChanged();
}

void GoalsViewModel::setSearchText(const QString& text) {
    if (text == searchText_)
        return;
    searchText_ = text;
    emit searchTextChanged();
}

QStringList GoalsViewModel::categories() const {
    std::set<QString, decltype(&codePointLess)> distinct(&codePointLess);
    // The live list already holds the active goals; fetching them again would read them all.
    const auto goals = active_ ? active_->typedResults<Goal>()
                               : context_->fetch<Goal>(GoalQueries::active(GoalQueries::Order::newestFirst));
    for (const auto& goal : goals)
        if (auto category = goal->category())
            distinct.insert(*category);
    QStringList result{QStringLiteral("All")};
    for (const QString& category : distinct)
        result << category;
    return result;
}

void GoalsViewModel::ensureLists() {
    if (active_)
        return;
    // One store change may move both lists (a goal archived leaves one for the other): the
    // screen hears of it once, after both have run again. The first and last of these
    // connections enclose the lists' own, as Qt calls slots in the order they were connected.
    connect(context_, &ObjectContext::objectsChanged, this, [this] { listsRerunning_ = true; });
    active_ = new LiveFetch(context_, GoalQueries::active(GoalQueries::Order::newestFirst),
                            GoalQueries::rowSources(), this);
    archived_ = new LiveFetch(context_, GoalQueries::archived(), GoalQueries::rowSources(), this);
    active_->setDerivedDigest(GoalFigures::digest);
    archived_->setDerivedDigest(GoalFigures::digest);
    const auto listChanged = [this] {
        if (listsRerunning_)
            listsChanged_ = true;
        else
            emit goalsChanged();
    };
    connect(active_, &LiveFetch::changed, this, listChanged);
    connect(archived_, &LiveFetch::changed, this, listChanged);
    connect(context_, &ObjectContext::objectsChanged, this, [this] {
        listsRerunning_ = false;
        if (std::exchange(listsChanged_, false))
            emit goalsChanged();
    });
}

std::vector<std::shared_ptr<Goal>> GoalsViewModel::activeGoals() {
    ensureLists();
    return active_->typedResults<Goal>();
}

std::vector<std::shared_ptr<Goal>> GoalsViewModel::archivedGoals() {
    ensureLists();
    return archived_->typedResults<Goal>();
}

std::vector<qint64> GoalsViewModel::filteredGoalIDs() {
    std::vector<qint64> ids;
    for (const auto& goal : filteredGoals())
        ids.push_back(goal->objectID());
    return ids;
}

std::vector<qint64> GoalsViewModel::archivedGoalIDs() {
    ensureLists();
    std::vector<qint64> ids;
    for (const auto& goal : archived_->results())
        ids.push_back(goal->objectID());
    return ids;
}

std::shared_ptr<Goal> GoalsViewModel::goalWithID(qint64 goalID) {
    if (goalID == 0)
        return nullptr;
    ensureLists();
    // A goal achieved or restored a moment ago may still stand in its former list until the
    // lists run again; a deleted one may too, and is not handed out.
    for (const LiveFetch* list : {active_, archived_})
        for (const auto& object : list->results())
            if (object->objectID() == goalID)
                return object->isDeleted() ? nullptr : std::static_pointer_cast<Goal>(object);
    return nullptr;
}

std::optional<QString> GoalsViewModel::title(qint64 goalID) {
    if (const auto goal = goalWithID(goalID))
        return GoalText::title(*goal);
    return std::nullopt;
}

bool GoalsViewModel::matchesSearch(const Goal& goal, const QString& searchText) {
    return searchText.isEmpty() || GoalText::title(goal).contains(searchText, Qt::CaseInsensitive);
}

std::vector<std::shared_ptr<Goal>> GoalsViewModel::filteredGoals() {
    std::vector<std::shared_ptr<Goal>> result;
    const bool allCategories = filterCategory_ == QLatin1String("All");
    for (auto& goal : activeGoals()) {
        if (!matchesSearch(*goal, searchText_))
            continue;
        if (!allCategories && GoalText::category(*goal) != filterCategory_)
            continue;
        result.push_back(goal);
    }
    sortGoals(result, sortOrder_);
    return result;
}

void GoalsViewModel::sortGoals(std::vector<std::shared_ptr<Goal>>& goals, SortOrder order) {
    auto by = [&goals](auto less) {
        std::stable_sort(
            goals.begin(), goals.end(),
            [&less](const std::shared_ptr<Goal>& a, const std::shared_ptr<Goal>& b) { return less(*a, *b); });
    };
    switch (order) {
    case SortOrder::deadline:
        by([](const Goal& a, const Goal& b) {
            const auto da = a.deadline();
            const auto db = b.deadline();
            if (da && db)
                return *da < *db;
            return da.has_value() && !db.has_value();
        });
        break;
    case SortOrder::priority:
        by([](const Goal& a, const Goal& b) { return priorityRank(a) > priorityRank(b); });
        break;
    case SortOrder::progress:
        if (!goals.empty() && goals.front()->context())
            GoalFigures::of(goals.front()->context()).prefetchAll();
        by([](const Goal& a, const Goal& b) { return progressRank(a) > progressRank(b); });
        break;
    case SortOrder::title:
        by([](const Goal& a, const Goal& b) {
            return codePointLess(GoalText::title(a), GoalText::title(b));
        });
        break;
    case SortOrder::newest:
        break; // the lists are fetched newest first
    }
}

GoalRowText GoalsViewModel::rowText(qint64 goalID, bool masked) {
    const auto goal = goalWithID(goalID);
    return goal ? GoalRowText::of(*goal, masked, Clock::now()) : GoalRowText{};
}

GoalCardText GoalsViewModel::cardText(qint64 goalID, bool masked) {
    const auto goal = goalWithID(goalID);
    return goal ? GoalCardText::of(*goal, masked, Clock::now()) : GoalCardText{};
}

ArchivedGoalText GoalsViewModel::archivedText(qint64 goalID) {
    const auto goal = goalWithID(goalID);
    return goal ? ArchivedGoalText::of(*goal) : ArchivedGoalText{};
}

bool GoalsViewModel::deleteGoal(const std::shared_ptr<Goal>& goal) {
    if (!goal)
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(goal);
    return action.commit();
}

bool GoalsViewModel::achieveGoal(const std::shared_ptr<Goal>& goal) {
    if (!goal)
        return false;
    ActionGuard action(*context_);
    goal->setIsArchived(true);
    return action.commit();
}

bool GoalsViewModel::restoreGoal(const std::shared_ptr<Goal>& goal) {
    if (!goal)
        return false;
    ActionGuard action(*context_);
    goal->setIsArchived(false);
    return action.commit();
}

bool GoalsViewModel::deleteGoal(qint64 goalID) {
    return deleteGoal(goalWithID(goalID));
}

bool GoalsViewModel::achieveGoal(qint64 goalID) {
    return achieveGoal(goalWithID(goalID));
}

bool GoalsViewModel::restoreGoal(qint64 goalID) {
    return restoreGoal(goalWithID(goalID));
}
