#include "ViewModels/SidebarViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Store/PagedFetch.h"
#include "ViewModels/GoalRowText.h"

#include <algorithm>

SidebarViewModel::SidebarViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context),
      goals_(new PagedFetch(context, GoalQueries::active(GoalQueries::Order::oldestFirst),
                            GoalQueries::rowSources(), this)) {
    goals_->setDerivedDigest(GoalFigures::digest);
    connect(goals_, &PagedFetch::changed, this, [this] {
        readBestStreak();
        emit goalsChanged();
    });
    readBestStreak();
}

SidebarViewModel::~SidebarViewModel() = default;

int SidebarViewModel::count() const {
    return goals_->count();
}

std::shared_ptr<Goal> SidebarViewModel::goalAt(int index) {
    return goals_->typedAt<Goal>(index);
}

SidebarGoalText SidebarViewModel::itemAt(int index, const QSet<qint64>& hiddenGoalIDs) {
    const std::shared_ptr<Goal> goal = goalAt(index);
    if (!goal)
        return {};
    return SidebarGoalText::of(*goal, hiddenGoalIDs.contains(goal->objectID()));
}

void SidebarViewModel::readBestStreak() {
    if (!context_) {
        bestStreak_ = 0;
        return;
    }
    FetchRequest longest = GoalQueries::active(GoalQueries::Order::oldestFirst);
    longest.sortDescriptors = {{Goal::Keys::streak, false}};
    longest.fetchLimit = 1;
    const auto best = context_->fetch<Goal>(longest);
    bestStreak_ = best.empty() ? 0 : std::max(0, int(best.front()->streak()));
}
