#include "Views/Goals/GoalsView.h"

#include "Components/SheetHost.h"
#include "Components/SlidingPanelHost.h"
#include "Components/VirtualList.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Goals/ArchivedGoalRow.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalAlerts.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalStyle.h"
#include "Views/Goals/GoalsActiveSide.h"
#include "Views/Goals/GoalsEmptyState.h"
#include "Views/Goals/GoalsTopBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSet>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

GoalsView::GoalsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(env.models->goals(this)),
      gridMode_(UserDefaults::standard().flag(viewModeKey(), false)) {
    setObjectName(QStringLiteral("goalsView"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    topBar_ = new GoalsTopBar(viewModel_, this);
    column->addWidget(topBar_);

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    sides_ = new QStackedWidget(this);
    activeSide_ = new GoalsActiveSide(this, this, viewModel_, sides_);
    sides_->addWidget(activeSide_);
    archivedPage_ = new QWidget(sides_);
    archivedPage_->setObjectName(QStringLiteral("goalsArchivedPage"));
    auto* archivedLayout = new QVBoxLayout(archivedPage_);
    archivedLayout->setContentsMargins(0, 0, 0, 0);
    sides_->addWidget(archivedPage_);
    body->addWidget(sides_, 1);
    divider_ = new QWidget(this);
    divider_->setFixedWidth(1);
    divider_->setAttribute(Qt::WA_StyledBackground);
    divider_->setStyleSheet(
        QStringLiteral("background: %1;").arg(Theme::css(AppTheme::Colors::borderSubtle())));
    body->addWidget(divider_);
    panelHost_ = new SlidingPanelHost(this);
    panelHost_->setObjectName(QStringLiteral("goalsDetailPanelHost"));
    panelHost_->setFixedWidth(kDetailPanelWidth);
    body->addWidget(panelHost_);
    column->addLayout(body, 1);

    connect(topBar_, &GoalsTopBar::activeTabChosen, this, [this] { setShowingArchived(false); });
    connect(topBar_, &GoalsTopBar::achievedTabChosen, this, [this] { setShowingArchived(true); });
    connect(topBar_, &GoalsTopBar::viewModeChosen, this, &GoalsView::setGridMode);
    connect(topBar_, &GoalsTopBar::newGoalClicked, this, [this] { viewModel_->setShowCreateGoal(true); });
    connect(viewModel_, &GoalsViewModel::showCreateGoalChanged, this, [this] {
        if (viewModel_->showCreateGoal())
            showCreateGoal();
    });
    for (auto signal : {&GoalsViewModel::goalsChanged, &GoalsViewModel::filterCategoryChanged,
                        &GoalsViewModel::searchTextChanged, &GoalsViewModel::sortOrderChanged})
        connect(viewModel_, signal, this, &GoalsView::refresh);
    if (env_.appViewModel) {
        connect(env_.appViewModel, &AppViewModel::hiddenGoalsChanged, this, &GoalsView::refresh);
        connect(env_.appViewModel, &AppViewModel::newGoalRequested, this, [this] {
            if (env_.appViewModel->takeNewGoalRequest())
                viewModel_->setShowCreateGoal(true);
        });
        createRequested_ = env_.appViewModel->takeNewGoalRequest();
    }
    topBar_->setGridMode(gridMode_);
    refresh();
}

GoalsView::~GoalsView() {
    // Sheets opened here hold this screen's view models; they must not outlive it, nor call
    // back into it as they go.
    for (const QPointer<SheetHost>& host : std::as_const(sheets_))
        if (host)
            host->withdraw();
}

QWidget* GoalsView::makeDetailPanel(qint64 goalID) {
    // The detail works on the record itself: the view model hands it over by id.
    const auto goal = viewModel_->goalWithID(goalID);
    return goal ? new GoalDetailView(env_, goal, panelHost_) : nullptr;
}

void GoalsView::buildArchivedList() {
    archivedList_ = new VirtualList(
        [this](QWidget* parent) -> QWidget* {
            auto slot = std::make_shared<ArchivedGoalRow*>(nullptr);
            // The row names its goal by id; one no longer listed is left alone.
            auto listed = [this, slot] {
                const qint64 id = (*slot)->goalID();
                return std::find(archivedIDs_.begin(), archivedIDs_.end(), id) != archivedIDs_.end() ? id : 0;
            };
            auto* row = new ArchivedGoalRow(
                ArchivedGoalText{},
                [this, listed] {
                    if (const qint64 id = listed())
                        viewModel_->restoreGoal(id);
                },
                [this, listed] {
                    if (const qint64 id = listed())
                        deleteGoal(id);
                },
                parent);
            *slot = row;
            return row;
        },
        [this](QWidget* row, int index) {
            static_cast<ArchivedGoalRow*>(row)->bind(viewModel_->archivedText(archivedIDs_[size_t(index)]));
        },
        archivedPage_);
    archivedList_->setRowKeys([this](int index) { return QVariant(archivedIDs_[size_t(index)]); });
    archivedList_->setObjectName(QStringLiteral("goalsArchivedScroll"));
    archivedList_->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: %1; }")
            .arg(Theme::css(Theme::backgroundPrimary())));
    archivedList_->setRowMargins(QMargins(32, 32, 32, 32));
    archivedList_->setSpacing(0, 8);
    archivedEmpty_ = GoalsEmptyState::forAchievedGoals(archivedList_);
    archivedEmpty_->setContentsMargins(32, 32, 32, 32);
    archivedList_->setFooter(archivedEmpty_);
    archivedPage_->layout()->addWidget(archivedList_);
}

void GoalsView::refresh() {
    // An achieved goal keeps its panel until another tab or goal is chosen; a deleted one not.
    if (selectedID_ && !viewModel_->goalWithID(selectedID_))
        selectedID_ = 0;
    topBar_->setArchivedCount(int(viewModel_->archivedGoalIDs().size()));
    refreshActive();
    refreshArchived();
    updatePanel();
}

void GoalsView::refreshActive() {
    const QSet<qint64> hidden = env_.appViewModel ? env_.appViewModel->hiddenGoalIDs() : QSet<qint64>();
    activeSide_->place(viewModel_->filteredGoalIDs(), gridMode_, hidden, selectedID_,
                       !viewModel_->searchText().isEmpty());
}

void GoalsView::refreshArchived() {
    // The achieved tab costs nothing until it is first shown.
    if (!showingArchived_ && !archivedList_)
        return;
    if (!archivedList_)
        buildArchivedList();
    archivedIDs_ = viewModel_->archivedGoalIDs();
    if (!archivedIDs_.empty() && archivedList_->count() == 0 && archivedList_->rowsMade() == 0) {
        ArchivedGoalRow probe(viewModel_->archivedText(archivedIDs_.front()), {}, {});
        archivedList_->setRowHeight(probe.sizeHint().height());
    }
    // The count goes with the ids, before the empty state shows or hides and has the list place
    // its rows again.
    archivedList_->setCount(int(archivedIDs_.size()));
    archivedEmpty_->setVisible(archivedIDs_.empty());
}

void GoalsView::updatePanel() {
    // A goal gone since it was selected opens nothing.
    if (selectedID_ && !viewModel_->goalWithID(selectedID_))
        selectedID_ = 0;
    const bool open = selectedID_ && !showingArchived_;
    const qint64 wanted = open ? selectedID_ : 0;
    if (panel_ && panel_->property("goalID").toLongLong() != wanted) {
        panelHost_->clear();
        panel_ = nullptr;
    }
    if (open && !panel_) {
        panel_ = makeDetailPanel(wanted);
        panel_->setProperty("goalID", wanted);
        // In from the trailing edge, a full panel's width. It slides without fading: a fade
        // needs a graphics effect over the panel's live children, which holds up their painting.
        const int trailing = panel_->isRightToLeft() ? -kDetailPanelWidth : kDetailPanelWidth;
        panelHost_->setPanel(panel_, trailing, AppTheme::Animation::spring());
    }
    divider_->setVisible(open);
    panelHost_->setVisible(open);
}

void GoalsView::setGridMode(bool grid) {
    UserDefaults::standard().setFlag(viewModeKey(), grid);
    topBar_->setGridMode(grid);
    if (grid == gridMode_)
        return;
    gridMode_ = grid;
    activeSide_->clear();
    refreshActive();
}

void GoalsView::setShowingArchived(bool archived) {
    showingArchived_ = archived;
    if (archived)
        selectedID_ = 0;
    topBar_->setShowingArchived(archived);
    sides_->setCurrentIndex(archived ? 1 : 0);
    refresh();
}

void GoalsView::select(qint64 goalID) {
    selectedID_ = selectedID_ == goalID ? 0 : goalID;
    // Only the selection moves: the list stays as it is.
    activeSide_->setSelectedID(selectedID_);
    updatePanel();
}

void GoalsView::toggleHidden(qint64 goalID) {
    if (env_.appViewModel)
        env_.appViewModel->toggleGoalHidden(goalID);
}

void GoalsView::deleteGoal(qint64 goalID) {
    const bool wasSelected = selectedID_ == goalID;
    viewModel_->deleteGoal(goalID);
    if (wasSelected)
        selectedID_ = 0;
    refresh();
}

SheetHost* GoalsView::confirmDeleteGoal(qint64 goalID) {
    const std::optional<QString> title = viewModel_->title(goalID);
    if (!title)
        return nullptr;
    QPointer<GoalsView> self(this);
    return track(GoalAlerts::confirmDelete(this, *title, [self, goalID] {
        if (self)
            self->deleteGoal(goalID);
    }));
}

SheetHost* GoalsView::offerAchieve(qint64 goalID) {
    const std::optional<QString> title = viewModel_->title(goalID);
    if (!title)
        return nullptr;
    QPointer<GoalsView> self(this);
    return track(GoalAlerts::offerAchieve(
        this, *title,
        [self, goalID, title = *title] {
            // A goal the store refused to mark achieved (or one gone meanwhile) is no
            // achievement to record.
            if (self && self->viewModel_->achieveGoal(goalID))
                self->presentAddAchievement(title);
        },
        [self, goalID] {
            if (self)
                self->viewModel_->achieveGoal(goalID);
        }));
}

void GoalsView::presentAddAchievement(const QString& goalTitle) {
    auto* sheet = new AddAchievementSheet(achievements(), goalTitle, QStringLiteral("\U0001F3C6"));
    SheetHost* host = SheetHost::present(this, sheet, 480);
    host->setCardHeight(600);
    track(host);
}

AchievementsViewModel* GoalsView::achievements() {
    // Reading every achievement is left until one is recorded from here.
    return env_.models->achievements(this);
}

SheetHost* GoalsView::showCreateGoal() {
    for (const QPointer<SheetHost>& host : std::as_const(sheets_))
        if (host && !host->isDismissing() && qobject_cast<CreateGoalView*>(host->content()))
            return host;
    QPointer<GoalsView> self(this);
    SheetHost* host = CreateGoalView::present(this, viewModel_, nullptr, QSize(520, 620), [self] {
        if (self)
            self->viewModel_->setShowCreateGoal(false);
    });
    track(host);
    viewModel_->setShowCreateGoal(true);
    return host;
}

SheetHost* GoalsView::track(SheetHost* host) {
    sheets_.removeAll(QPointer<SheetHost>());
    sheets_ << host;
    return host;
}

void GoalsView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    panelHost_->setFixedWidth(
        std::clamp(width() - kListMinWidth - 1, kDetailPanelMinWidth, kDetailPanelWidth));
}

void GoalsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (createRequested_) {
        createRequested_ = false;
        viewModel_->setShowCreateGoal(true);
    }
}
