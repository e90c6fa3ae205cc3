#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QPointer>
#include <QSet>
#include <QWidget>

#include <memory>

class AchievementsViewModel;
class GoalDetailHeaderCard;
class GoalDetailProgressCard;
class GoalDetailViewModel;
class GoalsViewModel;
class Goal;
class Milestone;
class QLabel;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

// The screen on which the user works on one goal: its header, its progress, and its
// milestones with their steps. Every change below the goal goes through its own
// GoalDetailViewModel; completing a milestone lays the confetti over the whole screen.
// One screen serves one goal: a different goal needs a new screen.
class GoalDetailView : public QWidget {
    Q_OBJECT
public:
    GoalDetailView(const AppEnvironment& env, std::shared_ptr<Goal> goal, QWidget* parent = nullptr);
    ~GoalDetailView() override;

    const std::shared_ptr<Goal>& goal() const { return goal_; }
    GoalDetailViewModel* viewModel() const { return viewModel_; }
    // The id of the sheet shown ("addMilestone", "addStep-…", "freq-…"), empty when none.
    QString activeSheetId() const { return activeSheetId_; }
    bool isExpanded(qint64 milestoneID) const { return expanded_.contains(milestoneID); }

    // Reads the goal again and redraws every card.
    void refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kFullWidth = 380;
    static constexpr int kNarrowMargin = 16;

    QWidget* buildMilestonesSection(QWidget* parent);
    void rebuildMilestoneCards();
    void toggleExpanded(qint64 milestoneID);
    void openAddMilestone();
    void openAddStep(const std::shared_ptr<Milestone>& milestone);
    void openFrequency(const std::shared_ptr<Milestone>& milestone);
    void presentSheet(QWidget* sheet, QSize size, const QString& id);
    void openEditGoal();
    void confirmAchieve();
    void achieve(bool recordAchievement);
    AchievementsViewModel* achievements();
    void updateConfetti(bool shown);

    AppEnvironment env_;
    std::shared_ptr<Goal> goal_;
    GoalDetailViewModel* viewModel_;
    GoalsViewModel* goalsViewModel_;

    QSet<qint64> expanded_;
    QString activeSheetId_;
    QPointer<QWidget> activeSheet_;

    QVBoxLayout* contentColumn_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    GoalDetailHeaderCard* header_ = nullptr;
    GoalDetailProgressCard* progress_ = nullptr;
    QToolButton* addMilestone_ = nullptr;
    QLabel* emptyText_ = nullptr;
    QVBoxLayout* cards_ = nullptr;
    QPointer<QWidget> confetti_;
};
