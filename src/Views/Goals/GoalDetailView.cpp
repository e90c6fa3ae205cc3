#include "Views/Goals/GoalDetailView.h"

#include "Components/ConfettiView.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/SheetHost.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/GoalDetailViewModel.h"
#include "ViewModels/GoalRowText.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/Goals/AddMilestoneSheet.h"
#include "Views/Goals/AddStepView.h"
#include "Views/Goals/CreateGoalView.h"
#include "Views/Goals/GoalAlerts.h"
#include "Views/Goals/GoalDetailHeaderCard.h"
#include "Views/Goals/GoalDetailProgressCard.h"
#include "Views/Goals/GoalDetailStyle.h"
#include "Views/Goals/MilestoneCard.h"
#include "Views/Goals/MilestoneFrequencySheet.h"
#include "Views/Goals/StepRowView.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

namespace {

void closeSheetOf(QWidget* content) {
    if (SheetHost* host = SheetHost::of(content))
        host->dismiss();
}

// Where the focus was among the milestone cards, so that it comes back to the same control, or
// to the one of its kind in its place, once the cards are made anew.
struct CardFocus {
    qint64 milestoneID = 0;
    int cardIndex = -1;
    qint64 stepID = 0;
    int stepIndex = -1;
    QString name;
    bool ring = false;
};

MilestoneCard* cardAt(const QVBoxLayout* cards, int index) {
    QLayoutItem* item = cards->itemAt(index);
    return item ? qobject_cast<MilestoneCard*>(item->widget()) : nullptr;
}

// Where widget stands among the cards, if it is in one.
std::optional<CardFocus> cardPlaceOf(const QVBoxLayout* cards, const QWidget* focus) {
    for (int i = 0; focus && i < cards->count(); ++i) {
        MilestoneCard* card = cardAt(cards, i);
        if (!card || !card->isAncestorOf(focus))
            continue;
        CardFocus was;
        was.milestoneID = card->property("milestoneID").toLongLong();
        was.cardIndex = i;
        was.name = focus->objectName();
        was.ring = FocusRing::current() && FocusRing::current()->target() == focus;
        const QList<StepRowView*> rows = card->findChildren<StepRowView*>();
        for (qsizetype r = 0; r < rows.size(); ++r)
            if (rows[r]->isAncestorOf(focus)) {
                was.stepID = rows[r]->step() ? rows[r]->step()->objectID() : 0;
                was.stepIndex = int(r);
            }
        return was;
    }
    return std::nullopt;
}

std::optional<CardFocus> takeCardFocus(const QVBoxLayout* cards) {
    QWidget* focus = QApplication::focusWidget();
    std::optional<CardFocus> was = cardPlaceOf(cards, focus);
    // Let go before the card hides, or the focus is handed on (and scrolled to) elsewhere.
    if (was)
        focus->clearFocus();
    return was;
}

QWidget* cardFocusTarget(const QVBoxLayout* cards, const CardFocus& was) {
    MilestoneCard* card = nullptr;
    for (int i = 0; i < cards->count() && !card; ++i)
        if (MilestoneCard* candidate = cardAt(cards, i);
            candidate && candidate->property("milestoneID").toLongLong() == was.milestoneID)
            card = candidate;
    if (!card && cards->count() > 0)
        card = cardAt(cards, std::min(was.cardIndex, cards->count() - 1));
    if (!card || was.name.isEmpty())
        return nullptr;
    QWidget* within = card;
    // The record whose control had the focus is gone: its place went to another.
    bool gone = card->property("milestoneID").toLongLong() != was.milestoneID;
    if (was.stepIndex >= 0) {
        const QList<StepRowView*> rows = card->findChildren<StepRowView*>();
        StepRowView* row = nullptr;
        for (StepRowView* candidate : rows)
            if (candidate->step() && candidate->step()->objectID() == was.stepID)
                row = candidate;
        if (!row) {
            gone = true;
            if (!rows.isEmpty())
                row = rows.at(std::min<qsizetype>(was.stepIndex, rows.size() - 1));
        }
        if (row)
            within = row;
    }
    QWidget* target = within->findChild<QWidget*>(was.name);
    if (!target)
        target = card->findChild<QWidget*>(was.name);
    // The same control of the record that took the place would act on that record: one more
    // Return on a Delete would delete it too. The row that took the place takes the focus.
    if (gone && (!target || FocusAfter::isAction(target))) {
        // A card's last step gone: the card's Add Step, not the card's own controls.
        const bool lastStepGone = within == card && was.stepIndex >= 0;
        QWidget* stop = lastStepGone ? nullptr : FocusAfter::rowStop(within);
        target = stop ? stop : FocusAfter::carryOn(within);
    }
    return target;
}

} // namespace

GoalDetailView::GoalDetailView(const AppEnvironment& env, std::shared_ptr<Goal> goal, QWidget* parent)
    : QWidget(parent), env_(env), goal_(std::move(goal)), viewModel_(env.models->goalDetail(goal_, this)),
      goalsViewModel_(env.models->goals(this)) {
    setObjectName(QStringLiteral("goalDetailView"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, GoalDetailStyle::backgroundPrimary());
    setPalette(palette);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("goalDetailScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFocusPolicy(Qt::NoFocus); // no stop: Tab goes to the detail's controls
    outer->addWidget(scroll_);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("goalDetailContent"));
    content->setAutoFillBackground(true);
    content->setPalette(palette);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(32);
    contentColumn_ = column;
    header_ = new GoalDetailHeaderCard(viewModel_->headerText(), content);
    connect(header_, &GoalDetailHeaderCard::editRequested, this, &GoalDetailView::openEditGoal);
    connect(header_, &GoalDetailHeaderCard::achieveRequested, this, &GoalDetailView::confirmAchieve);
    column->addWidget(header_);
    progress_ = new GoalDetailProgressCard(viewModel_->progressText(), content);
    connect(progress_, &GoalDetailProgressCard::adjustRequested, viewModel_,
            &GoalDetailViewModel::adjustManualProgress);
    column->addWidget(progress_);
    column->addWidget(buildMilestonesSection(content));
    column->addStretch(1);
    scroll_->setWidget(content);

    connect(viewModel_, &GoalDetailViewModel::changed, this, &GoalDetailView::refresh);
    connect(viewModel_, &GoalDetailViewModel::showConfettiChanged, this, &GoalDetailView::updateConfetti);
    refresh();
}

GoalDetailView::~GoalDetailView() {
    // A sheet opened from here acts on this screen; it goes when the screen goes, without
    // calling back into it.
    if (activeSheet_)
        if (SheetHost* host = SheetHost::of(activeSheet_))
            host->withdraw();
}

QWidget* GoalDetailView::buildMilestonesSection(QWidget* parent) {
    auto* section = new QWidget(parent);
    section->setObjectName(QStringLiteral("milestonesSection"));
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* heading = new QHBoxLayout;
    auto* title = new QLabel(tr("Check-in Frequency"), section);
    GoalDetailStyle::styleLabel(title, GoalDetailStyle::themeFont(18, QFont::DemiBold),
                                GoalDetailStyle::textPrimary());
    heading->addWidget(title);
    heading->addStretch(1);
    addMilestone_ = new QToolButton(section);
    addMilestone_->setObjectName(QStringLiteral("addMilestoneButton"));
    FocusAfter::markCarryOn(addMilestone_, QStringLiteral("milestoneCard"));
    addMilestone_->setToolTip(tr("Add Check-in"));
    connect(addMilestone_, &QToolButton::clicked, this, &GoalDetailView::openAddMilestone);
    heading->addWidget(addMilestone_);
    column->addLayout(heading);

    emptyText_ = new QLabel(tr("No check-in schedule yet. Tap + to add one."), section);
    emptyText_->setObjectName(QStringLiteral("emptyMilestonesText"));
    emptyText_->setContentsMargins(0, 16, 0, 16);
    GoalDetailStyle::styleLabel(emptyText_, GoalDetailStyle::themeFont(13), GoalDetailStyle::textMuted());
    column->addWidget(emptyText_);

    cards_ = new QVBoxLayout;
    cards_->setSpacing(16);
    column->addLayout(cards_);
    return section;
}

void GoalDetailView::refresh() {
    GoalDetailStyle::styleSymbolButton(addMilestone_, QStringLiteral("plus.circle.fill"),
                                       GoalLook::color(goal_.get()), 16);
    header_->setText(viewModel_->headerText());
    progress_->setText(viewModel_->progressText());
    rebuildMilestoneCards();
}

void GoalDetailView::rebuildMilestoneCards() {
    // After a tick, a delete or an expansion the focus stays on the control that acted.
    const std::optional<CardFocus> focus = takeCardFocus(cards_);
    // A sheet opened from a card (Add Step) that is still up goes back to the same control of
    // the new card, not to the sidebar.
    QPointer<KeyboardLayer> layer = KeyboardLayer::top(this);
    const std::optional<CardFocus> opener = layer ? cardPlaceOf(cards_, layer->opener()) : std::nullopt;
    while (QLayoutItem* item = cards_->takeAt(0)) {
        // The card may be the one whose button is being clicked right now.
        if (QWidget* w = item->widget()) {
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    const auto milestones = viewModel_->milestones();
    emptyText_->setVisible(milestones.empty());
    const QColor color = GoalLook::color(goal_.get());
    QPointer<GoalDetailViewModel> vm = viewModel_;
    for (const auto& milestone : milestones) {
        const qint64 id = milestone->objectID();
        MilestoneCard::Actions actions;
        actions.onToggleExpand = [this, id] { toggleExpanded(id); };
        actions.onTap = [this, milestone] { openFrequency(milestone); };
        actions.onToggleStep = [vm](const std::shared_ptr<Step>& step) {
            if (vm)
                vm->toggleStep(step);
        };
        actions.onDeleteStep = [vm](const std::shared_ptr<Step>& step) {
            if (vm)
                vm->deleteStep(step);
        };
        actions.onAddStep = [this, milestone] { openAddStep(milestone); };
        actions.onDelete = [vm, milestone] {
            if (vm)
                vm->deleteMilestone(milestone);
        };
        auto* card = new MilestoneCard(milestone, color, expanded_.contains(id), std::move(actions));
        card->setProperty("milestoneID", id);
        FocusAfter::fillRow(card, id);
        cards_->addWidget(card);
        card->show();
    }
    if (opener && layer)
        if (QWidget* target = cardFocusTarget(cards_, *opener))
            layer->setOpener(target);
    if (!focus)
        return;
    QWidget* target = cardFocusTarget(cards_, *focus);
    if (!target)
        target = addMilestone_;
    target->setFocus(focus->ring ? Qt::TabFocusReason : Qt::OtherFocusReason);
    contentColumn_->activate();
    scroll_->ensureWidgetVisible(target, 0, 16);
}

void GoalDetailView::toggleExpanded(qint64 milestoneID) {
    if (expanded_.contains(milestoneID))
        expanded_.remove(milestoneID);
    else
        expanded_.insert(milestoneID);
    rebuildMilestoneCards();
}

void GoalDetailView::openAddMilestone() {
    QPointer<GoalDetailViewModel> vm = viewModel_;
    auto* sheet = new AddMilestoneSheet(
        GoalLook::color(goal_.get()), [vm](const QString& title, std::optional<MilestoneFrequency> frequency,
                                           const std::vector<PendingStep>& steps) {
            return !vm || vm->addMilestone(title, frequency, steps, std::nullopt);
        });
    connect(sheet, &AddMilestoneSheet::dismissRequested, sheet, [sheet] { closeSheetOf(sheet); });
    presentSheet(sheet, AddMilestoneSheet::preferredSize, QStringLiteral("addMilestone"));
}

void GoalDetailView::openAddStep(const std::shared_ptr<Milestone>& milestone) {
    QPointer<GoalDetailViewModel> vm = viewModel_;
    auto* sheet = new AddStepView(milestone, GoalLook::color(goal_.get()),
                                  [vm, milestone](const QString& title, const std::optional<QString>& notes,
                                                  qint16 priority, StepInputType inputType) {
                                      return !vm || vm->addStep(title, notes, priority, inputType, milestone);
                                  });
    connect(sheet, &AddStepView::dismissRequested, sheet, [sheet] { closeSheetOf(sheet); });
    presentSheet(sheet, AddStepView::preferredSize, QStringLiteral("addStep-%1").arg(milestone->objectID()));
}

void GoalDetailView::openFrequency(const std::shared_ptr<Milestone>& milestone) {
    QPointer<GoalDetailViewModel> vm = viewModel_;
    auto* sheet = new MilestoneFrequencySheet(milestone, GoalLook::color(goal_.get()),
                                              [vm, milestone](std::optional<MilestoneFrequency> frequency) {
                                                  if (vm)
                                                      vm->setFrequency(frequency, milestone);
                                              });
    connect(sheet, &MilestoneFrequencySheet::dismissRequested, sheet, [sheet] { closeSheetOf(sheet); });
    presentSheet(sheet, MilestoneFrequencySheet::preferredSize,
                 QStringLiteral("freq-%1").arg(milestone->objectID()));
}

void GoalDetailView::presentSheet(QWidget* sheet, QSize size, const QString& id) {
    if (activeSheet_)
        closeSheetOf(activeSheet_);
    activeSheet_ = sheet;
    activeSheetId_ = id;
    QPointer<GoalDetailView> self(this);
    SheetHost* host = SheetHost::present(this, sheet, size.width(), [self, id] {
        if (self && self->activeSheetId_ == id)
            self->activeSheetId_.clear();
    });
    // The sheet keeps its own height unless its content needs more, which it then gets
    // rather than being squeezed.
    if (size.height() > 0)
        host->setCardHeight(qMax(size.height(), sheet->minimumSizeHint().height()));
}

void GoalDetailView::openEditGoal() {
    if (activeSheet_)
        closeSheetOf(activeSheet_);
    QPointer<GoalDetailView> self(this);
    const QString id = QStringLiteral("editGoal");
    // The editor writes the goal when it is confirmed; whatever it did shows once it closes.
    SheetHost* host = CreateGoalView::present(this, goalsViewModel_, goal_, QSize(500, 640), [self, id] {
        if (!self)
            return;
        if (self->activeSheetId_ == id)
            self->activeSheetId_.clear();
        self->refresh();
    });
    activeSheet_ = host ? host->content() : nullptr;
    activeSheetId_ = host ? id : QString();
}

void GoalDetailView::confirmAchieve() {
    QPointer<GoalDetailView> self(this);
    GoalAlerts::offerAchieve(
        this, *goal_,
        [self] {
            if (self)
                self->achieve(true);
        },
        [self] {
            if (self)
                self->achieve(false);
        });
}

void GoalDetailView::achieve(bool recordAchievement) {
    // A goal the store did not take as achieved gets no achievement either.
    if (!goalsViewModel_->achieveGoal(goal_) || !recordAchievement)
        return;
    auto* sheet =
        new AddAchievementSheet(achievements(), GoalText::title(*goal_), QStringLiteral("\U0001F3C6"));
    connect(sheet, &AddAchievementSheet::dismissed, sheet, [sheet] { closeSheetOf(sheet); });
    presentSheet(sheet, QSize(480, 600), QStringLiteral("addAchievement"));
}

AchievementsViewModel* GoalDetailView::achievements() {
    // Reading every achievement is left until one is recorded from here.
    return env_.models->achievements(this);
}

void GoalDetailView::updateConfetti(bool shown) {
    if (confetti_) {
        confetti_->hide();
        confetti_->deleteLater();
        confetti_.clear();
    }
    if (!shown)
        return;
    // A fresh overlay each time, so every celebration throws new pieces.
    auto* confetti = new ConfettiView(this);
    confetti->setObjectName(QStringLiteral("confetti"));
    confetti->setAttribute(Qt::WA_TransparentForMouseEvents);
    confetti->setGeometry(rect());
    confetti->show();
    confetti->raise();
    confetti_ = confetti;
}

void GoalDetailView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A panel narrowed by a small window keeps its cards' room out of its side margins.
    const int side = width() < kFullWidth ? kNarrowMargin : 32;
    contentColumn_->setContentsMargins(side, 32, side, 32);
    if (confetti_)
        confetti_->setGeometry(rect());
}
