#include "Views/Goals/GoalsActiveSide.h"

#include "Components/BareScrollArea.h"
#include "Components/MotionEffect.h"
#include "Components/Symbols.h"
#include "Core/Theme/AppTheme.h"
#include "Models/Goal.h"
#include "ViewModels/GoalsViewModel.h"
#include "Views/Dashboard/GoalCardView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalStyle.h"
#include "Views/Goals/GoalsCategoryBar.h"
#include "Views/Goals/GoalsEmptyState.h"
#include "Views/Goals/GoalsView.h"

#include <QGridLayout>
#include <QMenu>
#include <QVBoxLayout>

namespace {

// Each position waits a little longer to come in; MotionEffect caps the wait.
constexpr double kEntranceStep = 0.04;

// Hides and releases the widgets of ids no longer listed.
template <typename W> void dropUnlisted(QHash<qint64, W*>& widgets, const QSet<qint64>& listed) {
    for (auto it = widgets.begin(); it != widgets.end();) {
        if (listed.contains(it.key())) {
            ++it;
            continue;
        }
        it.value()->hide();
        it.value()->deleteLater();
        it = widgets.erase(it);
    }
}

} // namespace

GoalsActiveSide::GoalsActiveSide(GoalsView* screen, GoalsViewModel* viewModel, QWidget* parent)
    : QScrollArea(parent), screen_(screen), viewModel_(viewModel) {
    setObjectName(QStringLiteral("goalsActiveScroll"));
    BareScrollArea::makeBare(this);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    categoryBar_ = new GoalsCategoryBar(viewModel_, content);
    column->addWidget(categoryBar_);

    listBox_ = new QWidget(content);
    listLayout_ = new QVBoxLayout(listBox_);
    listLayout_->setContentsMargins(32, 0, 32, 32);
    listLayout_->setSpacing(8);
    column->addWidget(listBox_);

    gridBox_ = new QWidget(content);
    gridLayout_ = new QGridLayout(gridBox_);
    gridLayout_->setContentsMargins(32, 0, 32, 32);
    gridLayout_->setHorizontalSpacing(16);
    gridLayout_->setVerticalSpacing(16);
    gridLayout_->setColumnStretch(0, 1);
    gridLayout_->setColumnStretch(1, 1);
    column->addWidget(gridBox_);

    empty_ = GoalsEmptyState::forActiveGoals(content, [vm = viewModel_] { vm->setShowCreateGoal(true); });
    column->addWidget(empty_);
    column->addStretch(1);
    setWidget(content);
}

void GoalsActiveSide::place(const std::vector<std::shared_ptr<Goal>>& goals, bool grid,
                            const QSet<qint64>& hidden, qint64 selectedID, bool searching) {
    categoryBar_->rebuild();
    listBox_->setVisible(!grid);
    gridBox_->setVisible(grid);
    if (grid)
        placeCards(goals, hidden, selectedID);
    else
        placeRows(goals, hidden, selectedID);
    empty_->setVisible(goals.empty());
    GoalsEmptyState::setSearching(empty_, searching);
}

void GoalsActiveSide::clear() {
    dropUnlisted(rows_, {});
    dropUnlisted(cards_, {});
}

void GoalsActiveSide::placeRows(const std::vector<std::shared_ptr<Goal>>& goals, const QSet<qint64>& hidden,
                                qint64 selectedID) {
    while (QLayoutItem* item = listLayout_->takeAt(0))
        delete item;
    QSet<qint64> listed;
    for (size_t i = 0; i < goals.size(); ++i) {
        const std::shared_ptr<Goal>& goal = goals[i];
        const qint64 id = goal->objectID();
        GoalRowView* row = rows_.value(id);
        if (!row) {
            GoalsView* screen = screen_;
            row = new GoalRowView(
                goal, id == selectedID, hidden.contains(id), [screen, goal] { screen->select(goal); },
                [screen, goal] { screen->toggleHidden(goal); }, [screen, goal] { screen->deleteGoal(goal); },
                [screen, goal] { screen->offerAchieve(goal); }, listBox_);
            rows_.insert(id, row);
            MotionEffect::staggeredAppear(row, kEntranceStep * double(i));
        } else {
            row->setSelected(id == selectedID);
            row->setTitleMasked(hidden.contains(id));
            row->refresh();
        }
        listLayout_->addWidget(row);
        row->show();
        listed.insert(id);
    }
    dropUnlisted(rows_, listed);
}

void GoalsActiveSide::placeCards(const std::vector<std::shared_ptr<Goal>>& goals, const QSet<qint64>& hidden,
                                 qint64 selectedID) {
    while (QLayoutItem* item = gridLayout_->takeAt(0))
        delete item;
    QSet<qint64> listed;
    for (size_t i = 0; i < goals.size(); ++i) {
        const std::shared_ptr<Goal>& goal = goals[i];
        const qint64 id = goal->objectID();
        GoalCardView* card = cards_.value(id);
        if (!card) {
            card = makeCard(goal, hidden.contains(id));
            cards_.insert(id, card);
            MotionEffect::staggeredAppear(card, kEntranceStep * double(i));
        } else {
            card->setTitleMasked(hidden.contains(id));
            card->refresh();
        }
        card->setSelected(id == selectedID);
        gridLayout_->addWidget(card, int(i / 2), int(i % 2));
        card->show();
        listed.insert(id);
    }
    dropUnlisted(cards_, listed);
}

GoalCardView* GoalsActiveSide::makeCard(const std::shared_ptr<Goal>& goal, bool hidden) {
    GoalsView* screen = screen_;
    auto* card = new GoalCardView(
        goal, hidden, [screen, goal] { screen->toggleHidden(goal); }, gridBox_);
    card->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(card, &GoalCardView::clicked, screen, [screen, goal] { screen->select(goal); });
    connect(card, &QWidget::customContextMenuRequested, screen, [screen, card, goal](const QPoint& pos) {
        QMenu menu(card);
        menu.setObjectName(QStringLiteral("goalCardMenu"));
        QAction* achieve =
            menu.addAction(Symbols::icon(QStringLiteral("trophy.fill"), AppTheme::Colors::gold(), 14),
                           QStringLiteral("Mark as Achieved"));
        QAction* remove = menu.addAction(Symbols::icon(QStringLiteral("trash"), AppTheme::Colors::rose(), 14),
                                         QStringLiteral("Delete Goal"));
        QAction* chosen = menu.exec(card->mapToGlobal(pos));
        // Deleting asks first: the goal's milestones, steps and journal go with it.
        if (chosen == achieve)
            screen->offerAchieve(goal);
        else if (chosen == remove)
            screen->confirmDeleteGoal(goal);
    });
    return card;
}
