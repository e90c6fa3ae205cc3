#include "ViewModels/TaskBoardViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"

#include <algorithm>

TaskBoardViewModel::TaskBoardViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {}

void TaskBoardViewModel::setSelectedGoalFilter(std::shared_ptr<Goal> goal) {
    selectedGoalFilter_ = std::move(goal);
    emit changed();
}

void TaskBoardViewModel::refresh() {
    std::vector<std::shared_ptr<Step>> steps;
    if (context_) {
        steps = context_->fetch<Step>(GoalQueries::steps(selectedGoalFilter_));
    }

    std::vector<std::shared_ptr<Step>> candidates;
    std::vector<std::shared_ptr<Step>> completed;
    for (const auto& step : steps) {
        if (step->isCompleted()) {
            completed.push_back(step);
            continue;
        }
        // An open step outside an open milestone belongs to no column.
        const auto milestone = step->milestone();
        if (milestone && !milestone->isCompleted())
            candidates.push_back(step);
    }

    const QDateTime now = Clock::now();
    std::vector<std::shared_ptr<Step>> inProgress;
    for (const auto& step : candidates) {
        if (inProgress.size() >= inProgressLimit)
            break;
        const auto created = step->createdAt();
        if (created && created->secsTo(now) < inProgressWindowSecs)
            inProgress.push_back(step);
    }

    std::vector<std::shared_ptr<Step>> todo;
    for (const auto& step : candidates) {
        const bool taken =
            std::any_of(inProgress.begin(), inProgress.end(), [&](const auto& p) { return p == step; });
        if (!taken)
            todo.push_back(step);
    }

    todoSteps_ = std::move(todo);
    inProgressSteps_ = std::move(inProgress);
    completedSteps_ = std::move(completed);
    emit changed();
}

bool TaskBoardViewModel::toggleStep(const std::shared_ptr<Step>& step) {
    if (!step || step->isDeleted())
        return false;
    ActionGuard action(context_);
    step->toggleCompletion(Clock::now());
    // A failed save has rolled the tick back; the board shows what is stored either way.
    const bool saved = action.commit();
    refresh();
    return saved;
}

std::vector<std::shared_ptr<Goal>> TaskBoardViewModel::goals(ObjectContext* context) {
    if (!context)
        return {};
    return context->fetch<Goal>(GoalQueries::active(GoalQueries::Order::oldestFirst));
}
