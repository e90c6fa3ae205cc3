#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

#include <optional>
#include <vector>

class AchievementsTimelineWidget;
class AchievementsViewModel;
class DashboardEmptyState;
class DashboardGoalsSection;
class DashboardHeader;
class DashboardViewModel;
class QLayout;
class QuoteCard;
class StatCard;

// The dashboard, the destination of every start: the greeting with the best streak and the
// overall ring, four figures, the day's quote, up to six goal cards that open the goal detail
// in a sheet, and the recent achievements. Without any active goal an invitation to set the
// first one takes the place of the quote and the cards. The figures are read again each time
// the screen is shown; the cards follow the store and the masked goals at once. The screen
// holds goal ids and the cards' values its view model writes, never a goal's record.
class DashboardView : public QWidget {
    Q_OBJECT
public:
    explicit DashboardView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~DashboardView() override;

    DashboardViewModel* viewModel() const { return viewModel_; }
    AchievementsViewModel* achievementsViewModel() const { return achievementsViewModel_; }
    DashboardHeader* header() const { return header_; }
    const std::vector<StatCard*>& statCards() const { return stats_; }
    QuoteCard* quoteCard() const { return quote_; }
    DashboardGoalsSection* goalsSection() const { return goals_; }
    DashboardEmptyState* emptyState() const { return empty_; }
    AchievementsTimelineWidget* achievementsWidget() const { return achievements_; }

    // Opens the detail of the goal of that id in a sheet; closing the sheet clears the
    // selection. A goal no longer followed opens nothing.
    void openGoal(qint64 goalID);
    qint64 selectedGoalID() const { return selectedGoalID_; } // 0: none

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* buildStats(QWidget* page);
    void refreshAfterFirstPaint();
    void showFigures();
    void showGoals();

    AppEnvironment env_;
    DashboardViewModel* viewModel_;
    AchievementsViewModel* achievementsViewModel_;
    bool shownOnce_ = false;
    DashboardHeader* header_ = nullptr;
    std::vector<StatCard*> stats_;
    QuoteCard* quote_ = nullptr;
    DashboardGoalsSection* goals_ = nullptr;
    DashboardEmptyState* empty_ = nullptr;
    AchievementsTimelineWidget* achievements_ = nullptr;
    qint64 selectedGoalID_ = 0;
    std::optional<bool> hasGoals_;
};
