#include "ViewModels/SidebarViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Platform/Store/ObjectContext.h"

#include <cstdlib>

namespace {

// Pages kept besides the one being read: enough for rows in view that straddle two pages
// while the list scrolls either way.
constexpr size_t kKeptPages = 3;

} // namespace

SidebarViewModel::SidebarViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {
    if (!context_)
        return;
    connect(context_, &ObjectContext::objectsChanged, this, &SidebarViewModel::storeChanged);
    // The first rows show at once.
    pages_[0] = {};
    reload();
}

SidebarViewModel::~SidebarViewModel() = default;

std::shared_ptr<Goal> SidebarViewModel::goalAt(int index) {
    if (index < 0 || index >= count_)
        return nullptr;
    const auto& goals = page(index / kPageSize);
    const size_t at = size_t(index % kPageSize);
    return at < goals.size() ? goals[at] : nullptr;
}

const std::vector<std::shared_ptr<Goal>>& SidebarViewModel::page(int number) {
    auto it = pages_.find(number);
    if (it != pages_.end())
        return it->second;
    while (pages_.size() >= kKeptPages) {
        // The page farthest from this one is the least likely to be read again.
        auto farthest = pages_.begin();
        if (std::abs(pages_.rbegin()->first - number) > std::abs(farthest->first - number))
            farthest = std::prev(pages_.end());
        pages_.erase(farthest);
    }
    return pages_[number] = fetchPage(number);
}

std::vector<std::shared_ptr<Goal>> SidebarViewModel::fetchPage(int number) const {
    if (!context_)
        return {};
    FetchRequest request = GoalQueries::active(GoalQueries::Order::oldestFirst);
    request.fetchOffset = number * kPageSize;
    request.fetchLimit = kPageSize;
    return context_->fetch<Goal>(request);
}

void SidebarViewModel::reload() {
    const FetchRequest active = GoalQueries::active(GoalQueries::Order::oldestFirst);
    count_ = context_ ? context_->count(active) : 0;
    FetchRequest longest = active;
    longest.sortDescriptors = {{Goal::Keys::streak, false}};
    longest.fetchLimit = 1;
    const auto best = context_ ? context_->fetch<Goal>(longest) : std::vector<std::shared_ptr<Goal>>{};
    bestStreak_ = best.empty() ? 0 : std::max(0, int(best.front()->streak()));
    for (auto it = pages_.begin(); it != pages_.end();) {
        if (it->first * kPageSize >= count_ && it->first > 0) {
            it = pages_.erase(it);
            continue;
        }
        it->second = fetchPage(it->first);
        ++it;
    }
    lastDigest_ = digest();
}

size_t SidebarViewModel::digest() const {
    std::vector<std::shared_ptr<ManagedObject>> shown;
    for (const auto& [number, goals] : pages_)
        shown.insert(shown.end(), goals.begin(), goals.end());
    return GoalFigures::digest(shown);
}

void SidebarViewModel::storeChanged(const QSet<QString>& entityNames) {
    if (entityNames.contains(Goal::entityName())) {
        reload();
        emit goalsChanged();
        return;
    }
    bool derived = false;
    for (const QString& name : GoalQueries::rowSources())
        derived = derived || entityNames.contains(name);
    if (!derived)
        return;
    // Which goals are active did not change; what their rows show may have.
    const size_t fresh = digest();
    const bool same = fresh != 0 && fresh == lastDigest_;
    lastDigest_ = fresh;
    if (!same)
        emit goalsChanged();
}
