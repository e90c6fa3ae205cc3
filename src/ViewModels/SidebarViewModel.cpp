#include "ViewModels/SidebarViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Platform/Store/LiveFetch.h"

#include <algorithm>

SidebarViewModel::SidebarViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), goals_(new LiveFetch(context, GoalQueries::active(GoalQueries::Order::oldestFirst),
                                            GoalQueries::rowSources(), this)) {
    goals_->setDerivedDigest(GoalFigures::digest);
    connect(goals_, &LiveFetch::changed, this, &SidebarViewModel::goalsChanged);
}

SidebarViewModel::~SidebarViewModel() = default;

std::vector<std::shared_ptr<Goal>> SidebarViewModel::goals() const {
    return goals_->typedResults<Goal>();
}

int SidebarViewModel::bestStreak() const {
    int best = 0;
    for (const auto& goal : goals_->typedResults<Goal>())
        best = std::max(best, int(goal->streak()));
    return best;
}
