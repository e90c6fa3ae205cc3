#pragma once

#include "Models/MilestoneFrequency.h"
#include "Models/StepInputType.h"
#include "ViewModels/PendingStep.h"

#include <QDateTime>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class ActionGuard;
class Goal;
class Milestone;
class ObjectContext;
class Step;
struct GoalHeaderText;
struct GoalProgressText;

// Carries out every change the goal detail screen makes below its goal: manual progress,
// milestones with their first steps, single steps, ticking (which may complete a milestone
// and raise the celebration for three seconds) and deleting. Each operation is one action saved
// once; it returns false when that save failed (the action was rolled back) and announces
// `changed` once either way.
class GoalDetailViewModel : public QObject {
    Q_OBJECT
public:
    // How long the celebration stays up after a tick completes a milestone.
    static constexpr qint64 celebrationMsec = 3000;

    GoalDetailViewModel(std::shared_ptr<Goal> goal, ObjectContext* context, QObject* parent = nullptr);

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    ObjectContext* context() const { return context_; }
    bool showConfetti() const { return showConfetti_; }
    // What the header and the progress card show of the goal now.
    GoalHeaderText headerText() const;
    GoalProgressText progressText() const;
    // The goal's milestones by their order; their steps come in for this goal alone.
    std::vector<std::shared_ptr<Milestone>> milestones() const;

    // Nudges the manual progress; the result is kept within 0...1 at two decimals.
    bool adjustManualProgress(double change);
    bool addMilestone(const QString& title, std::optional<MilestoneFrequency> frequency,
                      const std::vector<PendingStep>& steps, std::optional<QDateTime> dueDate = std::nullopt);
    bool addStep(const QString& title, const std::optional<QString>& notes, qint16 priority,
                 StepInputType inputType, const std::shared_ptr<Milestone>& milestone);
    bool toggleStep(const std::shared_ptr<Step>& step);
    bool deleteStep(const std::shared_ptr<Step>& step);
    bool setFrequency(std::optional<MilestoneFrequency> frequency,
                      const std::shared_ptr<Milestone>& milestone);
    bool deleteMilestone(const std::shared_ptr<Milestone>& milestone);

signals:
    void changed();
    void showConfettiChanged(bool shown);

private:
    bool saveAndAnnounce(ActionGuard& action);
    void setShowConfetti(bool shown);
    static bool completesMilestone(const std::shared_ptr<Milestone>& milestone);
    void celebrate();

    std::shared_ptr<Goal> goal_;
    bool showConfetti_ = false;
    ObjectContext* const context_;
};
