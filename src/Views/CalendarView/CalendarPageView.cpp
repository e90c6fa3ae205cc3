#include "Views/CalendarView/CalendarPageView.h"

#include "Components/BareScrollArea.h"
#include "Components/ChoiceGroup.h"
#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/ScreenStyle.h"
#include "Components/SymbolIcon.h"
#include "Components/TabChain.h"
#include "Models/Bill.h"
#include "Models/CalendarTask.h"
#include "Models/TaskCategory.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "ViewModels/AppEnvironment.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/CalendarToastSequence.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/CalendarView/CalendarAddTaskBar.h"
#include "Views/CalendarView/CalendarBillRow.h"
#include "Views/CalendarView/CalendarChip.h"
#include "Views/CalendarView/CalendarIconButton.h"
#include "Views/CalendarView/CalendarMilestoneCard.h"
#include "Views/CalendarView/CalendarMonthColumn.h"
#include "Views/CalendarView/CalendarPopover.h"
#include "Views/CalendarView/CalendarStyle.h"
#include "Views/CalendarView/CalendarTaskRow.h"
#include "Views/CalendarView/CalendarToast.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The day column paints the primary background under its scrolling sections.
class DayColumn : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Theme::backgroundPrimary()); }
};

QLabel* sectionTitle(const QString& text) {
    return ScreenStyle::label(text, Theme::font(15, QFont::DemiBold), Theme::textPrimary());
}

} // namespace

CalendarPageView::CalendarPageView(const AppEnvironment& env, QWidget* parent)
    : QWidget(parent), viewModel_(env.models->calendar(this)), appViewModel_(env.appViewModel),
      toastSequence_(new CalendarToastSequence(viewModel_, this)) {
    setObjectName(QStringLiteral("CalendarPageView"));
    if (appViewModel_) {
        viewModel_->updateHiddenGoals(appViewModel_->hiddenGoalIDs());
        connect(appViewModel_, &AppViewModel::hiddenGoalsChanged, this,
                [this] { viewModel_->updateHiddenGoals(appViewModel_->hiddenGoalIDs()); });
    }
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    monthColumn_ = new CalendarMonthColumn(viewModel_);
    row->addWidget(monthColumn_);
    row->addWidget(ScreenStyle::divider(nullptr, true));
    row->addWidget(buildDayColumn(), 1);
    toast_ = new CalendarToast(this);

    connect(viewModel_, &CalendarViewModel::selectedDateChanged, this, &CalendarPageView::dayChanged);
    connect(viewModel_, &CalendarViewModel::tasksChanged, this, [this] {
        renderFilter();
        renderTasks();
        renderEmptyStates();
    });
    connect(viewModel_, &CalendarViewModel::milestonesChanged, this, [this] {
        renderHeader();
        renderMilestones();
        renderEmptyStates();
    });
    connect(viewModel_, &CalendarViewModel::changed, this, [this] {
        for (auto& [id, taskRow] : taskRows_)
            taskRow->refresh();
        renderFilter();
    });
    connect(toastSequence_, &CalendarToastSequence::shownChanged, this, &CalendarPageView::showToast);
    connect(viewModel_, &CalendarViewModel::toastMessageChanged, this, &CalendarPageView::showToast);
    dayChanged();
}

CalendarPageView::~CalendarPageView() = default;

QWidget* CalendarPageView::buildDayColumn() {
    auto* column = new DayColumn;
    column->setObjectName(QStringLiteral("calendarDayColumn"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QVBoxLayout;
    header->setContentsMargins(32, 32, 32, 16);
    header->setSpacing(4);
    dateLabel_ = ScreenStyle::label(QString(), Theme::font(22, QFont::Bold), Theme::textPrimary());
    dateLabel_->setObjectName(QStringLiteral("selectedDateLabel"));
    summary_ = ScreenStyle::label(QString(), Theme::font(13), Theme::textSecondary());
    summary_->setObjectName(QStringLiteral("daySummary"));
    header->addWidget(dateLabel_);
    header->addWidget(summary_);
    layout->addLayout(header);
    layout->addWidget(ScreenStyle::divider());

    auto* content = new QWidget;
    auto* sections = new QVBoxLayout(content);
    sections->setContentsMargins(32, 32, 32, 32);
    sections->setSpacing(32);
    sections->addWidget(buildTasksSection());
    sections->addWidget(buildBillsSection());
    sections->addWidget(buildGoalsSection());
    sections->addWidget(buildEmptyDay());
    sections->addStretch(1);
    // A day of a heavy store lists dozens of task rows; unstyled, they cost what they draw.
    auto* scroll = BareScrollArea::wrapUnstyled(content);
    scroll->setObjectName(QStringLiteral("dayScroll"));
    scroll->setAccessibleName(tr("Day"));
    layout->addWidget(scroll, 1);
    dayScroll_ = scroll;
    BareScrollArea::onViewChange(scroll, this, [this] { makeMoreIfNearEnd(); });
    return column;
}

QWidget* CalendarPageView::buildTasksSection() {
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("dailyTasksSection"));
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->addWidget(sectionTitle(tr("Daily Tasks")));
    header->addStretch(1);
    auto* plus = new CalendarIconButton(QStringLiteral("plus.circle.fill"), 16, AppTheme::Colors::purple());
    plus->setObjectName(QStringLiteral("toggleAddTaskButton"));
    FocusAfter::markCarryOn(plus, QStringLiteral("calendarTaskRow"));
    plus->setAccessibleName(tr("Add task"));
    connect(plus, &CalendarIconButton::clicked, this, &CalendarPageView::toggleAddTask);
    header->addWidget(plus);
    column->addLayout(header);

    auto* chips = new QWidget;
    filterChips_ = new QHBoxLayout(chips);
    filterChips_->setContentsMargins(2, 0, 2, 0);
    filterChips_->setSpacing(4);
    filterChips_->addStretch(1);
    auto* scroll = BareScrollArea::wrap(chips);
    scroll->setObjectName(QStringLiteral("filterChipRow"));
    scroll->setFixedHeight(QFontMetrics(Theme::font(11, QFont::Medium)).height() + 10);
    filterRow_ = scroll;
    // The filter's chips are one group of choices: one Tab stop, moved through with the arrows.
    filterGroup_ = new ChoiceGroup(this);
    column->addWidget(filterRow_);

    addBar_ = new CalendarAddTaskBar(viewModel_, Calendar::addMonths(Clock::now(), 1));
    addBar_->hide();
    connect(addBar_, &CalendarAddTaskBar::finished, this, [this] {
        addBar_->hide();
        renderTasks();
    });
    column->addWidget(addBar_);

    taskList_ = new QVBoxLayout;
    taskList_->setSpacing(8);
    column->addLayout(taskList_);
    emptyTasks_ = ScreenStyle::label(QString(), Theme::font(12), Theme::textMuted());
    emptyTasks_->setObjectName(QStringLiteral("emptyTasksLabel"));
    emptyTasks_->setContentsMargins(0, 4, 0, 4);
    column->addWidget(emptyTasks_);
    return section;
}

QWidget* CalendarPageView::buildBillsSection() {
    billsSection_ = new QWidget;
    billsSection_->setObjectName(QStringLiteral("billsSection"));
    billList_ = new QVBoxLayout(billsSection_);
    billList_->setContentsMargins(0, 0, 0, 0);
    billList_->setSpacing(8);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    auto* dot = new QWidget;
    dot->setFixedSize(8, 8);
    dot->setStyleSheet(
        QStringLiteral("background: %1; border-radius: 4px;").arg(Theme::css(AppTheme::Colors::rose())));
    header->addWidget(dot);
    header->addWidget(sectionTitle(tr("Bills Due")));
    header->addStretch(1);
    billList_->addLayout(header);
    return billsSection_;
}

QWidget* CalendarPageView::buildGoalsSection() {
    goalsSection_ = new QWidget;
    goalsSection_->setObjectName(QStringLiteral("goalsSection"));
    cardList_ = new QVBoxLayout(goalsSection_);
    cardList_->setContentsMargins(0, 0, 0, 0);
    cardList_->setSpacing(8);
    cardList_->addWidget(sectionTitle(tr("Goals")));
    return goalsSection_;
}

QWidget* CalendarPageView::buildEmptyDay() {
    emptyDay_ = new QWidget;
    emptyDay_->setObjectName(QStringLiteral("emptyDay"));
    auto* column = new QVBoxLayout(emptyDay_);
    column->setContentsMargins(0, 32, 0, 0);
    column->setSpacing(8);
    column->addWidget(CalendarStyle::symbol(QStringLiteral("moon.stars"), 36, Theme::textMuted()), 0,
                      Qt::AlignHCenter);
    column->addWidget(
        ScreenStyle::label(tr("No goals scheduled for this day"), Theme::font(13), Theme::textMuted()), 0,
        Qt::AlignHCenter);
    return emptyDay_;
}

std::vector<CalendarTaskRow*> CalendarPageView::taskRows() const {
    std::vector<CalendarTaskRow*> rows;
    for (int i = 0; i < taskList_->count(); ++i)
        if (auto* row = qobject_cast<CalendarTaskRow*>(taskList_->itemAt(i)->widget()))
            rows.push_back(row);
    return rows;
}

std::vector<CalendarMilestoneCard*> CalendarPageView::milestoneCards() const {
    std::vector<CalendarMilestoneCard*> cards;
    for (int i = 0; i < cardList_->count(); ++i)
        if (auto* card = qobject_cast<CalendarMilestoneCard*>(cardList_->itemAt(i)->widget()))
            cards.push_back(card);
    return cards;
}

void CalendarPageView::toggleAddTask() {
    addBar_->setVisible(!addBar_->isVisibleTo(this));
    if (addBar_->isVisibleTo(this))
        addBar_->titleField()->setFocus();
    renderTasks();
}

void CalendarPageView::setFilter(const std::shared_ptr<TaskCategory>& category) {
    filterCategory_ = category;
    renderFilter();
    renderTasks();
}

void CalendarPageView::dayChanged() {
    // A new day starts unfiltered; the add-task bar stays as it is and adds to the new day.
    filterCategory_.reset();
    cardLimit_ = kCardBatch;
    taskLimit_ = kTaskBatch;
    // Another day is read from its top, one batch of rows and cards at a time.
    dayScroll_->verticalScrollBar()->setValue(0);
    addBar_->dayChanged();
    dateLabel_->setText(DateText::weekdayShortMonthDay(viewModel_->selectedDate().toLocalTime().date()));
    renderHeader();
    renderFilter();
    renderTasks();
    renderBills();
    renderMilestones();
    renderEmptyStates();
}

void CalendarPageView::renderHeader() {
    const auto count = viewModel_->milestoneCount();
    summary_->setText(count == 0
                          ? tr("Nothing scheduled")
                          : QString::number(count) + (count == 1 ? tr(" task today") : tr(" tasks today")));
}

void CalendarPageView::renderFilter() {
    // The categories of the day's tasks, in order of first appearance.
    std::vector<std::shared_ptr<TaskCategory>> dayCategories;
    for (const auto& task : viewModel_->tasksForSelectedDate()) {
        const auto category = task->category();
        if (category && std::none_of(dayCategories.begin(), dayCategories.end(),
                                     [&](const auto& c) { return c->objectID() == category->objectID(); }))
            dayCategories.push_back(category);
    }
    filterRow_->setVisible(!dayCategories.empty());
    // A chip chosen from the keyboard goes with the chips made anew: the chosen one takes its focus
    // once it shows, and meanwhile the window passes it on to nothing.
    QWidget* focus = QApplication::focusWidget();
    const FocusAfter::Handover held = focus && filterRow_->isAncestorOf(focus) && !dayCategories.empty()
                                          ? FocusAfter::takeFrom(focus)
                                          : FocusAfter::Handover();
    filterGroup_->clear();
    for (CalendarChip* chip : filterChipList_)
        CalendarStyle::removeLater(chip);
    filterChipList_.clear();
    if (dayCategories.empty())
        return;
    auto* all = CalendarStyle::plainChip(tr("All"));
    all->setObjectName(QStringLiteral("filterAllChip"));
    CalendarStyle::markPlainChip(all, !filterCategory_);
    connect(all, &CalendarChip::clicked, this, [this] { setFilter(nullptr); });
    filterChips_->insertWidget(0, all);
    // Shown at once rather than with the next events: the group only makes a shown chip its stop,
    // and the chosen chip takes the focus the old one held.
    all->show();
    filterChipList_.push_back(all);
    filterGroup_->add(all);
    if (!filterCategory_)
        filterGroup_->setChosen(all);
    for (const auto& category : dayCategories) {
        auto* chip = CalendarStyle::categoryChip(category);
        const bool selected = filterCategory_ && filterCategory_->objectID() == category->objectID();
        CalendarStyle::markCategoryChip(chip, *category, selected);
        connect(chip, &CalendarChip::clicked, this,
                [this, category, selected] { setFilter(selected ? nullptr : category); });
        filterChips_->insertWidget(static_cast<int>(filterChipList_.size()), chip);
        chip->show();
        filterChipList_.push_back(chip);
        filterGroup_->add(chip);
        if (selected)
            filterGroup_->setChosen(chip);
    }
    TabChain::followLayout(dayScroll_);
    held.giveTo(filterGroup_->stop());
}

void CalendarPageView::renderTasks() {
    const auto& tasks = viewModel_->tasksForSelectedDate();
    std::vector<std::shared_ptr<CalendarTask>> shown;
    for (const auto& task : tasks) {
        const auto category = task->category();
        if (!filterCategory_ || (category && category->objectID() == filterCategory_->objectID()))
            shown.push_back(task);
    }
    // A heavy user's day holds dozens of tasks: rows are made a batch at a time, the next
    // batch once the end of those made comes near the bottom of the view. Rows that stay keep
    // what they hold open; rows of tasks gone leave after the click.
    shownTasks_ = shown.size();
    shown.resize(std::min(shown.size(), taskLimit_));
    std::map<qint64, CalendarTaskRow*> kept;
    int index = 0;
    for (const auto& task : shown) {
        auto it = taskRows_.find(task->objectID());
        CalendarTaskRow* row = nullptr;
        if (it != taskRows_.end()) {
            row = it->second;
            taskRows_.erase(it);
            row->refresh();
        } else {
            // Made inside its section: a row built loose is styled once more, whole, when the
            // list takes it in.
            row = new CalendarTaskRow(task, viewModel_, taskList_->parentWidget());
        }
        FocusAfter::fillRow(row, task->objectID());
        taskList_->insertWidget(index++, row);
        row->show();
        kept.emplace(task->objectID(), row);
    }
    for (auto& [id, row] : taskRows_)
        CalendarStyle::removeLater(row);
    taskRows_ = std::move(kept);

    const bool barOpen = addBar_->isVisibleTo(this);
    QString empty;
    if (!barOpen && tasks.empty())
        empty = tr("No tasks for today \u2014 tap + to add one");
    else if (!barOpen && shownTasks_ == 0)
        empty = tr("No ") + (filterCategory_ ? CalendarStyle::categoryName(*filterCategory_) : QString()) +
                tr(" tasks today");
    emptyTasks_->setText(empty);
    emptyTasks_->setVisible(!empty.isEmpty());
    TabChain::followLayout(dayScroll_);
}

void CalendarPageView::renderBills() {
    for (QWidget* row : billRows_)
        CalendarStyle::removeLater(row);
    billRows_.clear();
    const auto bills = viewModel_->billsDue(viewModel_->selectedDate());
    for (const auto& bill : bills) {
        auto* row = new CalendarBillRow(*bill);
        billList_->addWidget(row);
        billRows_.push_back(row);
    }
    billsSection_->setVisible(!bills.empty());
    TabChain::followLayout(dayScroll_);
}

void CalendarPageView::renderMilestones() {
    // A heavy user's day can hold thousands of milestones: cards are made a batch at a time,
    // the next batch once the reader scrolls near the end of those made, and the model reads
    // only the milestones carded.
    const int count = viewModel_->milestoneCount();
    std::map<qint64, CalendarMilestoneCard*> kept;
    int index = 1; // after the section title
    for (int i = 0; i < count && kept.size() < cardLimit_; ++i) {
        const auto item = viewModel_->milestoneAt(i);
        if (!item.milestone)
            continue;
        auto it = cards_.find(item.id);
        CalendarMilestoneCard* card = nullptr;
        if (it != cards_.end()) {
            card = it->second;
            cards_.erase(it);
        } else {
            card = new CalendarMilestoneCard(item, viewModel_);
        }
        cardList_->insertWidget(index++, card);
        kept.emplace(item.id, card);
    }
    for (auto& [id, card] : cards_)
        CalendarStyle::removeLater(card);
    cards_ = std::move(kept);
    goalsSection_->setVisible(count > 0);
    // Rows and cards made now stand last in the window's chain: Tab goes as the day reads.
    TabChain::followLayout(dayScroll_);
}

void CalendarPageView::makeMoreIfNearEnd() {
    const auto lastOf = [](QLayout* list) {
        QWidget* last = nullptr;
        for (int i = list->count() - 1; i >= 0 && !last; --i)
            last = list->itemAt(i)->widget();
        return last;
    };
    if (taskLimit_ < shownTasks_ && BareScrollArea::endsInView(dayScroll_, lastOf(taskList_))) {
        taskLimit_ += kTaskBatch;
        renderTasks();
    }
    if (cardLimit_ < static_cast<std::size_t>(viewModel_->milestoneCount()) &&
        BareScrollArea::endsInView(dayScroll_, lastOf(cardList_))) {
        cardLimit_ += kCardBatch;
        renderMilestones();
    }
}

void CalendarPageView::renderEmptyStates() {
    emptyDay_->setVisible(viewModel_->milestoneCount() == 0 && viewModel_->tasksForSelectedDate().empty());
}

void CalendarPageView::showToast() {
    const auto& message = viewModel_->toastMessage();
    if (message)
        toast_->setMessage(*message);
    toast_->setShown(toastSequence_->isShown() && message.has_value());
}
