#include "ViewModels/GoalDetailViewModel.h"

#include "Models/Goal.h"
#include "Models/GoalPriority.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/GoalRowText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Orders are 16-bit in the store; a goal past that many milestones shares the last order
// rather than wrapping around to negative ones.
qint16 orderFor(std::size_t existing) {
    return static_cast<qint16>(std::min<std::size_t>(existing, std::numeric_limits<qint16>::max()));
}

} // namespace

GoalDetailViewModel::GoalDetailViewModel(std::shared_ptr<Goal> goal, ObjectContext* context, QObject* parent)
    : QObject(parent), goal_(std::move(goal)), context_(context) {}

std::vector<std::shared_ptr<Milestone>> GoalDetailViewModel::milestones() const {
    if (!goal_ || !context_)
        return {};
    auto list = context_->fetch<Milestone>(GoalQueries::milestones(goal_));
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->order() < b->order(); });
    return list;
}

bool GoalDetailViewModel::adjustManualProgress(double change) {
    if (!goal_)
        return false;
    ActionGuard action(context_);
    double value = goal_->manualProgress() + change;
    if (!(value > 0))
        value = 0;
    if (value > 1)
        value = 1;
    // Stored at two decimals so repeated 5 % steps land exactly on 0 and 1 instead of drifting.
    value = std::round(value * 100.0) / 100.0;
    goal_->setManualProgress(value);
    return saveAndAnnounce(action);
}

bool GoalDetailViewModel::addMilestone(const QString& title, std::optional<MilestoneFrequency> frequency,
                                       const std::vector<PendingStep>& steps,
                                       std::optional<QDateTime> dueDate) {
    if (!goal_ || !context_)
        return false;
    ActionGuard action(context_);
    auto milestone = Milestone::create(context_);
    milestone->setTitle(title);
    milestone->setOrder(orderFor(milestones().size()));
    milestone->setIsCompleted(false);
    milestone->setCreatedAt(Clock::now());
    milestone->setDueDate(dueDate);
    milestone->setFrequency(frequency ? std::optional<QString>(MilestoneFrequencies::rawValue(*frequency))
                                      : std::nullopt);
    milestone->setGoal(goal_);

    // Steps list by creation time, so each one is stamped its position in seconds later than
    // the first; skipped entries keep their place in that count.
    for (std::size_t position = 0; position < steps.size(); ++position) {
        const PendingStep& pending = steps[position];
        if (pending.title.isEmpty())
            continue;
        auto step = Step::create(context_);
        step->setTitle(pending.title);
        step->setInputType(StepInputTypes::rawValue(pending.inputType));
        step->setPriority(GoalPriorities::rawValue(GoalPriority::medium));
        step->setIsCompleted(false);
        step->setCreatedAt(Clock::now().addSecs(static_cast<qint64>(position)));
        step->setIsRecurring(false);
        step->setMilestone(milestone);
    }
    return saveAndAnnounce(action);
}

bool GoalDetailViewModel::addStep(const QString& title, const std::optional<QString>& notes, qint16 priority,
                                  StepInputType inputType, const std::shared_ptr<Milestone>& milestone) {
    if (!context_)
        return false;
    ActionGuard action(context_);
    auto step = Step::create(context_);
    step->setTitle(title);
    step->setNotes(notes && !notes->isEmpty() ? notes : std::nullopt);
    step->setPriority(priority);
    step->setInputType(StepInputTypes::rawValue(inputType));
    step->setIsCompleted(false);
    step->setCreatedAt(Clock::now());
    step->setIsRecurring(false);
    step->setMilestone(milestone);
    return saveAndAnnounce(action);
}

GoalHeaderText GoalDetailViewModel::headerText() const {
    return goal_ ? GoalHeaderText::of(*goal_, Clock::now()) : GoalHeaderText{};
}

GoalProgressText GoalDetailViewModel::progressText() const {
    return goal_ ? GoalProgressText::of(*goal_) : GoalProgressText{};
}

// The tick, the milestone it may complete and the goal's new momentum are one action, saved once.
bool GoalDetailViewModel::toggleStep(const std::shared_ptr<Step>& step) {
    if (!step || step->isDeleted())
        return false;
    ActionGuard action(context_);
    step->toggleCompletion(Clock::now());

    const std::shared_ptr<Milestone> milestone = step->milestone();
    const bool completes = milestone && completesMilestone(milestone);
    if (completes) {
        milestone->setIsCompleted(true);
        milestone->setCompletedAt(Clock::now());
    }
    if (goal_ && !goal_->isDeleted())
        goal_->updateMomentum();
    const bool saved = saveAndAnnounce(action);
    if (saved && completes)
        celebrate();
    return saved;
}

bool GoalDetailViewModel::completesMilestone(const std::shared_ptr<Milestone>& milestone) {
    const auto steps = milestone->stepsArray();
    const bool allDone =
        std::all_of(steps.begin(), steps.end(), [](const auto& s) { return s->isCompleted(); });
    // Un-ticking never reopens a milestone, and ticking a step of a completed one celebrates nothing.
    return allDone && !milestone->isCompleted();
}

void GoalDetailViewModel::celebrate() {
    setShowConfetti(true);
    // Every completion schedules its own hide; the call dies with this view model, so leaving
    // the goal before it runs leaves nothing behind.
    Clock::after(this, celebrationMsec, [this] { setShowConfetti(false); });
}

bool GoalDetailViewModel::deleteStep(const std::shared_ptr<Step>& step) {
    if (!context_ || !step || step->isDeleted())
        return false;
    ActionGuard action(context_);
    context_->deleteObject(step);
    return saveAndAnnounce(action);
}

bool GoalDetailViewModel::setFrequency(std::optional<MilestoneFrequency> frequency,
                                       const std::shared_ptr<Milestone>& milestone) {
    if (!milestone || milestone->isDeleted())
        return false;
    ActionGuard action(context_);
    milestone->setFrequency(frequency ? std::optional<QString>(MilestoneFrequencies::rawValue(*frequency))
                                      : std::nullopt);
    return saveAndAnnounce(action);
}

bool GoalDetailViewModel::deleteMilestone(const std::shared_ptr<Milestone>& milestone) {
    if (!context_ || !milestone || milestone->isDeleted())
        return false;
    ActionGuard action(context_);
    context_->deleteObject(milestone);
    return saveAndAnnounce(action);
}

bool GoalDetailViewModel::saveAndAnnounce(ActionGuard& action) {
    // A failed save has rolled the whole action back; the screen reads what is stored.
    const bool saved = action.commit();
    emit changed();
    return saved;
}

void GoalDetailViewModel::setShowConfetti(bool shown) {
    if (showConfetti_ == shown)
        return;
    showConfetti_ = shown;
    emit showConfettiChanged(shown);
}
