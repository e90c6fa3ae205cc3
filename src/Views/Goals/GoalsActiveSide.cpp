#include "Views/Goals/GoalsActiveSide.h"

#include "Components/FocusAfter.h"
#include "Components/MotionEffect.h"
#include "Components/Symbols.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/Goals/GoalActions.h"
#include "Views/Goals/GoalCardView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalStyle.h"
#include "Views/Goals/GoalsCategoryBar.h"
#include "Views/Goals/GoalsEmptyState.h"

#include <QMenu>

#include <algorithm>

namespace {

// Each position waits a little longer to come in; MotionEffect caps the wait.
constexpr double kEntranceStep = 0.04;
const QMargins kRowMargins(32, 0, 32, 32);
// Below this a card's badges would be cut: the grid falls back to one column.
constexpr int kCardMinWidth = 280;

} // namespace

GoalsActiveSide::GoalsActiveSide(GoalActions* actions, QObject* context, GoalsViewModel* viewModel,
                                 QWidget* parent)
    : VirtualList({}, {}, parent), actions_(actions), context_(context), viewModel_(viewModel) {
    setObjectName(QStringLiteral("goalsActiveScroll"));
    setAccessibleName(QStringLiteral("Active goals"));
    categoryBar_ = new GoalsCategoryBar(viewModel_, this);
    setHeader(categoryBar_);
    empty_ = GoalsEmptyState::forActiveGoals(this, [vm = viewModel_] { vm->setShowCreateGoal(true); });
    empty_->hide();
    setFooter(empty_);
    setRowMargins(kRowMargins);
    setKeyboardNavigation(true);
    setRowKeys([this](int index) { return QVariant(goalIDs_[size_t(index)]); });
    useMode(false);
}

void GoalsActiveSide::useMode(bool grid) {
    if (modeSet_ && grid == grid_)
        return;
    modeSet_ = true;
    grid_ = grid;
    appeared_.clear();
    setRowMaker([this](QWidget* parent) { return grid_ ? makeCard(parent) : makeRow(parent); },
                [this](QWidget* widget, int index) { bind(widget, index); });
    setColumns(gridColumns());
    setSpacing(16, grid ? 16 : 8);
    if (grid)
        setRowHeightForWidth([this](int) { return std::max(1, cardHeight_); });
    else
        setRowHeight(std::max(1, rowHeight_));
}

void GoalsActiveSide::place(const std::vector<qint64>& goalIDs, bool grid, const QSet<qint64>& hidden,
                            qint64 selectedID, bool searching) {
    categoryBar_->rebuild();
    useMode(grid);
    goalIDs_ = goalIDs;
    hidden_ = hidden;
    selectedID_ = selectedID;
    // Rows and cards have one height whatever their goal: measured once on a real one.
    if (!goalIDs_.empty() && (grid ? cardHeight_ : rowHeight_) == 0) {
        QWidget* probe = grid ? makeCard(nullptr) : makeRow(nullptr);
        bind(probe, 0);
        if (grid)
            cardHeight_ = probe->heightForWidth(320);
        else
            setRowHeight(rowHeight_ = probe->sizeHint().height());
        delete probe;
    }
    // The first goal replaces the empty state: the keyboard goes on from its row.
    const FocusAfter::Handover held =
        goalIDs_.empty() ? FocusAfter::Handover() : FocusAfter::takeFrom(empty_);
    empty_->setVisible(goalIDs_.empty());
    GoalsEmptyState::setSearching(empty_, searching);
    entering_ = true;
    entranceSlot_ = 0;
    setCount(int(goalIDs_.size()));
    entering_ = false;
    if (held.hadFocus || held.layer)
        held.giveTo(rowWidget(0));
}

int GoalsActiveSide::gridColumns() const {
    if (!grid_)
        return 1;
    const int room = viewport()->width() - kRowMargins.left() - kRowMargins.right();
    return room >= 2 * kCardMinWidth + 16 ? 2 : 1;
}

void GoalsActiveSide::resizeEvent(QResizeEvent* event) {
    const int columns = gridColumns();
    if (columns != columnCount())
        setColumns(columns);
    VirtualList::resizeEvent(event);
}

void GoalsActiveSide::setSelectedID(qint64 selectedID) {
    selectedID_ = selectedID;
    for (QWidget* widget : rowsInView()) {
        if (auto* row = qobject_cast<GoalRowView*>(widget))
            row->setSelected(row->goalID() == selectedID);
        else if (auto* card = qobject_cast<GoalCardView*>(widget))
            card->setSelected(card->goalID() == selectedID);
    }
}

void GoalsActiveSide::clear() {
    dropRows();
    appeared_.clear();
}

int GoalsActiveSide::indexOfGoal(qint64 goalID) const {
    const auto it = std::find(goalIDs_.begin(), goalIDs_.end(), goalID);
    return it == goalIDs_.end() ? -1 : int(it - goalIDs_.begin());
}

GoalRowView* GoalsActiveSide::rowFor(qint64 goalID) const {
    return qobject_cast<GoalRowView*>(rowWidget(indexOfGoal(goalID)));
}

GoalCardView* GoalsActiveSide::cardFor(qint64 goalID) const {
    return qobject_cast<GoalCardView*>(rowWidget(indexOfGoal(goalID)));
}

void GoalsActiveSide::bind(QWidget* widget, int index) {
    const qint64 id = goalIDs_[size_t(index)];
    if (auto* row = qobject_cast<GoalRowView*>(widget))
        row->bind(viewModel_->rowText(id, hidden_.contains(id)), id == selectedID_);
    else if (auto* card = qobject_cast<GoalCardView*>(widget))
        card->bind(viewModel_->cardText(id, hidden_.contains(id)), id == selectedID_);
    if (appeared_.contains(id) || !widget->parentWidget())
        return;
    appeared_.insert(id);
    if (entering_)
        MotionEffect::staggeredAppear(widget, kEntranceStep * double(entranceSlot_++));
}

QWidget* GoalsActiveSide::makeRow(QWidget* parent) {
    GoalActions* screen = actions_;
    auto slot = std::make_shared<GoalRowView*>(nullptr);
    // Each action names the row's goal by its id; one no longer listed is left alone.
    auto onGoal = [this, slot](auto action) {
        return [this, slot, action] {
            const qint64 id = (*slot)->goalID();
            if (isListed(id))
                action(id);
        };
    };
    auto* row = new GoalRowView(GoalRowText{}, false, onGoal([screen](qint64 id) { screen->select(id); }),
                                onGoal([screen](qint64 id) { screen->toggleHidden(id); }),
                                onGoal([screen](qint64 id) { screen->deleteGoal(id); }),
                                onGoal([screen](qint64 id) { screen->offerAchieve(id); }), parent);
    *slot = row;
    return row;
}

QWidget* GoalsActiveSide::makeCard(QWidget* parent) {
    GoalActions* screen = actions_;
    auto slot = std::make_shared<GoalCardView*>(nullptr);
    auto* card = new GoalCardView(
        GoalCardText{},
        [this, screen, slot] {
            if (isListed((*slot)->goalID()))
                screen->toggleHidden((*slot)->goalID());
        },
        parent);
    *slot = card;
    card->setUniformHeight(true);
    card->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(card, &GoalCardView::clicked, context_, [this, screen, card] {
        if (isListed(card->goalID()))
            screen->select(card->goalID());
    });
    connect(card, &QWidget::customContextMenuRequested, context_, [this, screen, card](const QPoint& pos) {
        const qint64 id = card->goalID();
        if (!isListed(id))
            return;
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
            screen->offerAchieve(id);
        else if (chosen == remove)
            screen->confirmDeleteGoal(id);
    });
    return card;
}
