#include "Views/Goals/GoalsView.h"

#include "Components/BareScrollArea.h"
#include "Components/SheetHost.h"
#include "Components/SlidingPanelHost.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Models/Goal.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalsViewModel.h"
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

namespace {

QScrollArea* makeScroll(const QString& name, QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(name);
    BareScrollArea::makeBare(scroll);
    scroll->setWidget(content);
    return scroll;
}

} // namespace

GoalsView::GoalsView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), env_(env), viewModel_(new GoalsViewModel(env.context, this)),
      achievementsViewModel_(new AchievementsViewModel(env.context, this)),
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
    activeSide_ = new GoalsActiveSide(this, viewModel_, sides_);
    sides_->addWidget(activeSide_);
    sides_->addWidget(buildArchivedList());
    body->addWidget(sides_, 1);
    divider_ = new QWidget(this);
    divider_->setFixedWidth(1);
    divider_->setAttribute(Qt::WA_StyledBackground);
    divider_->setStyleSheet(
        QStringLiteral("background: %1;").arg(AppTheme::Colors::borderSubtle().name(QColor::HexArgb)));
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
    // Sheets opened here hold this screen's view models; they must not outlive it.
    for (const QPointer<SheetHost>& host : std::as_const(sheets_))
        if (host)
            host->dismiss();
}

QWidget* GoalsView::makeDetailPanel(const AppEnvironment& env, std::shared_ptr<Goal> goal, QWidget* parent) {
    return new GoalDetailView(env, std::move(goal), parent);
}

QWidget* GoalsView::buildArchivedList() {
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("goalsArchivedList"));
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(8);
    archivedLayout_ = new QVBoxLayout;
    archivedLayout_->setSpacing(8);
    column->addLayout(archivedLayout_);
    archivedEmpty_ = GoalsEmptyState::forAchievedGoals(content);
    column->addWidget(archivedEmpty_);
    column->addStretch(1);
    QScrollArea* scroll = makeScroll(QStringLiteral("goalsArchivedScroll"), content);
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: %1; }")
                              .arg(Theme::backgroundPrimary().name()));
    return scroll;
}

void GoalsView::refresh() {
    if (selected_ && selected_->isDeleted())
        selected_.reset();
    topBar_->setArchivedCount(int(viewModel_->archivedGoals().size()));
    refreshActive();
    refreshArchived();
    updatePanel();
}

void GoalsView::refreshActive() {
    const QSet<qint64> hidden = env_.appViewModel ? env_.appViewModel->hiddenGoalIDs() : QSet<qint64>();
    activeSide_->place(viewModel_->filteredGoals(), gridMode_, hidden, selected_ ? selected_->objectID() : 0,
                       !viewModel_->searchText().isEmpty());
}

void GoalsView::refreshArchived() {
    while (QLayoutItem* item = archivedLayout_->takeAt(0))
        delete item;
    QSet<qint64> shown;
    const auto goals = viewModel_->archivedGoals();
    for (const std::shared_ptr<Goal>& goal : goals) {
        const qint64 id = goal->objectID();
        ArchivedGoalRow* row = archivedRows_.value(id);
        if (!row) {
            row = new ArchivedGoalRow(
                goal, [this, goal] { viewModel_->restoreGoal(goal); }, [this, goal] { deleteGoal(goal); });
            archivedRows_.insert(id, row);
        } else {
            row->refresh();
        }
        archivedLayout_->addWidget(row);
        shown.insert(id);
    }
    for (auto it = archivedRows_.begin(); it != archivedRows_.end();) {
        if (shown.contains(it.key())) {
            ++it;
            continue;
        }
        it.value()->hide();
        it.value()->deleteLater();
        it = archivedRows_.erase(it);
    }
    archivedEmpty_->setVisible(goals.empty());
}

void GoalsView::updatePanel() {
    const bool open = selected_ && !showingArchived_;
    const qint64 wanted = open ? selected_->objectID() : 0;
    if (panel_ && panel_->property("goalID").toLongLong() != wanted) {
        panelHost_->clear();
        panel_ = nullptr;
    }
    if (open && !panel_) {
        panel_ = makeDetailPanel(env_, selected_, panelHost_);
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
        selected_.reset();
    topBar_->setShowingArchived(archived);
    sides_->setCurrentIndex(archived ? 1 : 0);
    refresh();
}

void GoalsView::select(const std::shared_ptr<Goal>& goal) {
    if (selected_ && goal && selected_->objectID() == goal->objectID())
        selected_.reset();
    else
        selected_ = goal;
    refresh();
}

void GoalsView::toggleHidden(const std::shared_ptr<Goal>& goal) {
    if (env_.appViewModel)
        env_.appViewModel->toggleGoalHidden(goal->objectID());
}

void GoalsView::deleteGoal(const std::shared_ptr<Goal>& goal) {
    const bool wasSelected = selected_ && selected_->objectID() == goal->objectID();
    viewModel_->deleteGoal(goal);
    if (wasSelected)
        selected_.reset();
    refresh();
}

SheetHost* GoalsView::confirmDeleteGoal(const std::shared_ptr<Goal>& goal) {
    QPointer<GoalsView> self(this);
    return track(GoalAlerts::confirmDelete(this, *goal, [self, goal] {
        if (self)
            self->deleteGoal(goal);
    }));
}

SheetHost* GoalsView::offerAchieve(const std::shared_ptr<Goal>& goal) {
    goalToAchieve_ = goal;
    QPointer<GoalsView> self(this);
    return track(GoalAlerts::offerAchieve(
        this, *goal,
        [self, goal] {
            if (!self)
                return;
            self->viewModel_->achieveGoal(goal);
            self->presentAddAchievement(goal);
        },
        [self, goal] {
            if (self)
                self->viewModel_->achieveGoal(goal);
        }));
}

void GoalsView::presentAddAchievement(const std::shared_ptr<Goal>& goal) {
    auto* sheet = new AddAchievementSheet(achievementsViewModel_, GoalAlerts::displayTitle(*goal),
                                          QStringLiteral("\U0001F3C6"));
    SheetHost* host = SheetHost::present(this, sheet, 480);
    host->setCardHeight(600);
    track(host);
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

void GoalsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (createRequested_) {
        createRequested_ = false;
        viewModel_->setShowCreateGoal(true);
    }
}
