#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Goals/GoalActions.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <vector>

class AchievementsViewModel;
class ArchivedGoalRow;
class GoalsActiveSide;
class GoalsTopBar;
class GoalsViewModel;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;
class SheetHost;
class SlidingPanelHost;
class VirtualList;

// The goals destination: the active goals as rows or a grid of cards with search and a
// category filter, the achieved goals on a second tab, and the selected goal's detail in a
// panel beside the list. List or grid mode is kept in the user default "goalsViewMode".
// The screen holds goal ids and the values its view model writes, never a goal's record.
class GoalsView : public QWidget, public GoalActions {
    Q_OBJECT
public:
    explicit GoalsView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~GoalsView() override;

    static QString viewModeKey() { return QStringLiteral("goalsViewMode"); }
    static constexpr int kDetailPanelWidth = 380;
    // When the window is narrow the panel gives up width, down to this, so the list beside it
    // keeps the room its rows need.
    static constexpr int kDetailPanelMinWidth = 320;
    static constexpr int kListMinWidth = 340;

    GoalsViewModel* viewModel() const { return viewModel_; }
    bool isGridMode() const { return gridMode_; }
    void setGridMode(bool grid);
    bool isShowingArchived() const { return showingArchived_; }
    void setShowingArchived(bool archived);
    qint64 selectedGoalID() const { return selectedID_; } // 0: none
    QWidget* detailPanel() const { return panel_; }

    // The screen's actions, as its rows, cards and menus run them.
    void select(qint64 goalID) override;
    void toggleHidden(qint64 goalID) override;
    SheetHost* offerAchieve(qint64 goalID) override;
    void deleteGoal(qint64 goalID) override;
    SheetHost* confirmDeleteGoal(qint64 goalID) override;
    SheetHost* showCreateGoal();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildArchivedList();
    void refresh();
    void refreshActive();
    void refreshArchived();
    void updatePanel();
    // The goal detail beside the list, made anew for each selected goal; null when it is gone.
    QWidget* makeDetailPanel(qint64 goalID);
    void presentAddAchievement(const QString& goalTitle);
    AchievementsViewModel* achievements();
    SheetHost* track(SheetHost* host);

    AppEnvironment env_;
    GoalsViewModel* viewModel_;
    bool gridMode_;
    bool showingArchived_ = false;
    qint64 selectedID_ = 0;
    bool refreshQueued_ = false;
    bool createRequested_ = false;

    GoalsTopBar* topBar_ = nullptr;
    QStackedWidget* sides_ = nullptr;
    GoalsActiveSide* activeSide_ = nullptr;
    QWidget* archivedPage_ = nullptr; // the achieved tab, filled when first shown
    VirtualList* archivedList_ = nullptr;
    QWidget* archivedEmpty_ = nullptr;
    std::vector<qint64> archivedIDs_;
    QWidget* divider_ = nullptr;
    QPointer<QWidget> panel_;
    SlidingPanelHost* panelHost_ = nullptr;
    QList<QPointer<SheetHost>> sheets_; // opened here; closed with the screen
};
