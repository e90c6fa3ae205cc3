#include "ViewModels/CalendarViewModel.h"

#include "Models/Bill.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Models/TaskCategory.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/CalendarMonthMarks.h"
#include "ViewModels/RecordNames.h"

#include <algorithm>

namespace {

QDate localDay(const QDateTime& instant) {
    return instant.toLocalTime().date();
}

bool live(const std::shared_ptr<ManagedObject>& record) {
    return record && !record->isDeleted();
}

// The entities whose records put marks on the month grid.
bool marksDependOn(const QSet<QString>& entities) {
    static const QSet<QString> marked{Goal::entityName(), Milestone::entityName(), CalendarTask::entityName(),
                                      Bill::entityName()};
    return entities.intersects(marked);
}

} // namespace

CalendarViewModel::CalendarViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context), firstWeekday_(Calendar::firstWeekdayNumber()),
      currentMonth_(Clock::now()), selectedDate_(currentMonth_),
      milestoneIndex_(CalendarMilestoneIndex::of(*context)) {
    connect(context_, &ObjectContext::objectsChanged, this, [this](const QSet<QString>& entities) {
        if (marksDependOn(entities))
            invalidateMarks();
    });
    fetchMilestonesForDate(selectedDate_);
    fetchTasksForDate(selectedDate_);
    fetchCategories();
}

void CalendarViewModel::setToastMessage(const std::optional<QString>& message) {
    if (message == toastMessage_)
        return;
    toastMessage_ = message;
    emit toastMessageChanged();
}

QDate CalendarViewModel::firstOfMonth() const {
    const QDate day = localDay(currentMonth_);
    return day.isValid() ? QDate(day.year(), day.month(), 1) : QDate();
}

std::vector<QDateTime> CalendarViewModel::daysInMonth() const {
    const QDate first = firstOfMonth();
    std::vector<QDateTime> days;
    if (!first.isValid())
        return days;
    for (int d = 0; d < first.daysInMonth(); ++d)
        days.push_back(first.addDays(d).startOfDay(Qt::LocalTime));
    return days;
}

int CalendarViewModel::leadingEmptyDays() const {
    const QDate first = firstOfMonth();
    if (!first.isValid())
        return 0;
    return (Calendar::weekdayNumber(first) - firstWeekday_ + 7) % 7;
}

QString CalendarViewModel::monthTitle() const {
    return DateText::monthYear(localDay(currentMonth_));
}

void CalendarViewModel::setCurrentMonth(const QDateTime& month) {
    if (!month.isValid())
        return;
    const bool monthMoved = localDay(month).month() != localDay(currentMonth_).month() ||
                            localDay(month).year() != localDay(currentMonth_).year();
    currentMonth_ = month;
    // The new month's marks are due before anyone draws it.
    if (monthMoved)
        marksDirty_ = true;
    emit currentMonthChanged();
    if (monthMoved)
        emit monthMarksChanged();
}

void CalendarViewModel::nextMonth() {
    setCurrentMonth(Calendar::addMonths(currentMonth_, 1));
}

void CalendarViewModel::previousMonth() {
    setCurrentMonth(Calendar::addMonths(currentMonth_, -1));
}

void CalendarViewModel::selectDate(const QDateTime& date) {
    selectedDate_ = date;
    emit selectedDateChanged();
    fetchMilestonesForDate(date);
    fetchTasksForDate(date);
}

void CalendarViewModel::updateHiddenGoals(const QSet<qint64>& goalIDs) {
    const bool moved = goalIDs != hiddenGoalIDs_;
    hiddenGoalIDs_ = goalIDs;
    fetchMilestonesForDate(selectedDate_);
    if (moved)
        invalidateMarks();
}

void CalendarViewModel::invalidateMarks() {
    marksDirty_ = true;
    emit monthMarksChanged();
}

const std::vector<CalendarMilestoneIndex::Entry>& CalendarViewModel::milestoneEntries() {
    return milestoneIndex_.entries();
}

const std::vector<CalendarDayMarks>& CalendarViewModel::monthMarks() {
    if (marksDirty_) {
        const QDate first = firstOfMonth();
        marks_ = CalendarMonthMarks::compute(*context_, milestoneEntries(), hiddenGoalIDs_, first,
                                             first.isValid() ? first.daysInMonth() : 0);
        marksDirty_ = false;
    }
    return marks_;
}

double CalendarViewModel::activityIntensity(const QDateTime& date) {
    const auto marks =
        CalendarMonthMarks::compute(*context_, milestoneEntries(), hiddenGoalIDs_, localDay(date), 1);
    return marks.empty() ? 0 : marks.front().intensity;
}

bool CalendarViewModel::hasTask(const QDateTime& date) {
    const auto marks =
        CalendarMonthMarks::compute(*context_, milestoneEntries(), hiddenGoalIDs_, localDay(date), 1);
    return !marks.empty() && marks.front().hasTask;
}

bool CalendarViewModel::hasBillDue(const QDateTime& date) {
    FetchRequest request(Bill::entityName(), CalendarMonthMarks::billsDuePredicate(localDay(date)));
    request.fetchLimit = 1;
    return context_->count(request) > 0;
}

std::vector<std::shared_ptr<Bill>> CalendarViewModel::billsDue(const QDateTime& date) {
    const QDate day = localDay(date);
    if (!day.isValid())
        return {};
    return context_->fetch<Bill>(FetchRequest(Bill::entityName(), CalendarMonthMarks::billsDuePredicate(day),
                                              {{Bill::Keys::name, true}}));
}

void CalendarViewModel::fetchMilestonesForDate(const QDateTime& date) {
    const CalendarMilestoneSchedule::Day day(localDay(date));
    const bool hiding = !hiddenGoalIDs_.isEmpty();
    due_.clear();
    for (const auto& entry : milestoneEntries())
        if (entry.schedule.fallsOn(day) && !(hiding && hiddenGoalIDs_.contains(entry.goalID)))
            due_.push_back({entry.goalID, entry.milestoneID});
    // Only the milestones asked for become records.
    milestonePages_.clear();
    allMilestones_.clear();
    allMilestonesRead_ = false;
    emit milestonesChanged();
}

const std::vector<CalendarMilestoneItem>& CalendarViewModel::milestonePage(int number) {
    auto& page = milestonePages_[number];
    if (page.empty()) {
        const auto from = std::size_t(number) * std::size_t(kMilestonePage);
        const auto to = std::min(due_.size(), from + std::size_t(kMilestonePage));
        if (from < to)
            page = CalendarMilestoneIndex::items(
                *context_, std::vector<CalendarMilestoneIndex::Ref>(due_.begin() + qsizetype(from),
                                                                    due_.begin() + qsizetype(to)));
    }
    return page;
}

CalendarMilestoneItem CalendarViewModel::milestoneAt(int index) {
    if (index < 0 || index >= milestoneCount())
        return {};
    const auto& page = milestonePage(index / kMilestonePage);
    const auto at = std::size_t(index % kMilestonePage);
    return at < page.size() ? page[at] : CalendarMilestoneItem{};
}

const std::vector<CalendarMilestoneItem>& CalendarViewModel::milestonesForSelectedDate() {
    if (!allMilestonesRead_) {
        allMilestones_.clear();
        for (int number = 0; number * kMilestonePage < milestoneCount(); ++number)
            for (const auto& item : milestonePage(number))
                if (item.milestone)
                    allMilestones_.push_back(item);
        allMilestonesRead_ = true;
    }
    return allMilestones_;
}

std::vector<std::shared_ptr<Step>> CalendarViewModel::stepsOf(const std::shared_ptr<Milestone>& milestone) {
    if (!live(milestone))
        return {};
    return context_->fetch<Step>(FetchRequest(Step::entityName(), Key(Step::Keys::milestone) == milestone,
                                              {{Step::Keys::createdAt, true}}));
}

void CalendarViewModel::fetchTasksForDate(const QDateTime& date) {
    const QDate day = localDay(date);
    const auto [start, end] = Calendar::dayRange(date);
    const std::vector<SortDescriptor> byCreation{{CalendarTask::Keys::createdAt, true}};
    auto tasks = context_->fetch<CalendarTask>(FetchRequest(
        CalendarTask::entityName(),
        Key(CalendarTask::Keys::date) >= start && Key(CalendarTask::Keys::date) < end, byCreation));
    // Repeating tasks are dated before the day; they follow the day's own tasks, oldest first.
    // The request already holds them to dated before the day and repeating until it at least,
    // so only the rule is asked of each (a whole repeatsOn reads the local zone per task).
    const Predicate repeating = CalendarMonthMarks::repeatingPredicate(start, start);
    for (auto& task :
         context_->fetch<CalendarTask>(FetchRequest(CalendarTask::entityName(), repeating, byCreation)))
        if (task->date() && task->repeatRuleMatches(day))
            tasks.push_back(std::move(task));
    tasks_ = std::move(tasks);
    emit tasksChanged();
}

void CalendarViewModel::fetchCategories() {
    categories_ = context_->fetch<TaskCategory>(
        FetchRequest(TaskCategory::entityName(), {}, {{TaskCategory::Keys::createdAt, true}}));
    emit categoriesChanged();
}

bool CalendarViewModel::commit(ActionGuard& action) {
    if (action.commit())
        return true;
    refetchDay();
    return false;
}

bool CalendarViewModel::announceAfter(bool saved) {
    if (saved)
        emit changed();
    return saved;
}

void CalendarViewModel::refetchDay() {
    fetchMilestonesForDate(selectedDate_);
    fetchTasksForDate(selectedDate_);
    fetchCategories();
    emit changed();
}

bool CalendarViewModel::addTask(const QString& title, const std::optional<QString>& notes,
                                const std::shared_ptr<TaskCategory>& category,
                                std::optional<TaskRepeatFrequency> repeatFrequency,
                                const std::optional<QDateTime>& repeatUntil) {
    ActionGuard action(*context_);
    auto task = CalendarTask::create(context_);
    task->setTitle(title);
    task->setNotes(notes);
    task->setDate(Calendar::startOfDay(selectedDate_));
    task->setIsCompleted(false);
    task->setCreatedAt(Clock::now());
    task->setCategory(live(category) ? category : nullptr);
    task->setRepeatFrequency(
        repeatFrequency ? std::optional(TaskRepeatFrequencies::rawValue(*repeatFrequency)) : std::nullopt);
    task->setRepeatUntil(repeatUntil);
    if (!commit(action))
        return false;
    fetchTasksForDate(selectedDate_);
    return true;
}

std::shared_ptr<CalendarTask> CalendarViewModel::copyTask(const CalendarTask& source, const QDateTime& day) {
    auto copy = CalendarTask::create(context_);
    copy->setTitle(source.title());
    copy->setNotes(source.notes());
    copy->setDate(day);
    copy->setIsCompleted(false);
    const QDateTime now = Clock::now();
    copy->setCreatedAt(now);
    copy->setCategory(source.category());
    copy->setCarriedFromDate(source.date());
    for (const auto& subtask : source.wrappedSubtasks()) {
        if (subtask->isCompleted())
            continue;
        auto open = CalendarSubtask::create(context_);
        open->setTitle(subtask->title());
        open->setNotes(subtask->notes());
        open->setIsCompleted(false);
        open->setCreatedAt(now);
        open->setTask(copy);
    }
    return copy;
}

bool CalendarViewModel::carryForward(const std::shared_ptr<CalendarTask>& task) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    copyTask(*task, Calendar::addDays(Calendar::startOfDay(selectedDate_), 1));
    if (!commit(action))
        return false;
    setToastMessage(RecordNames::task(*task) + QStringLiteral(" moved to tomorrow"));
    emit changed();
    return true;
}

bool CalendarViewModel::scheduleFollowUp(const std::shared_ptr<CalendarTask>& task, const QDateTime& date) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    copyTask(*task, Calendar::startOfDay(date))->setIsFollowUp(true);
    if (!commit(action))
        return false;
    fetchTasksForDate(selectedDate_);
    return true;
}

bool CalendarViewModel::toggleTask(const std::shared_ptr<CalendarTask>& task) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    task->setIsCompleted(!task->isCompleted());
    return announceAfter(commit(action));
}

bool CalendarViewModel::deleteTask(const std::shared_ptr<CalendarTask>& task) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(task);
    if (!commit(action))
        return false;
    fetchTasksForDate(selectedDate_);
    return true;
}

bool CalendarViewModel::addSubtask(const std::shared_ptr<CalendarTask>& task, const QString& title) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    auto subtask = CalendarSubtask::create(context_);
    subtask->setTitle(title);
    subtask->setIsCompleted(false);
    subtask->setCreatedAt(Clock::now());
    subtask->setTask(task);
    return announceAfter(commit(action));
}

bool CalendarViewModel::toggleSubtask(const std::shared_ptr<CalendarSubtask>& subtask) {
    if (!live(subtask))
        return false;
    ActionGuard action(*context_);
    subtask->setIsCompleted(!subtask->isCompleted());
    if (const auto task = subtask->task()) {
        const auto siblings = task->wrappedSubtasks();
        if (!siblings.empty() &&
            std::all_of(siblings.begin(), siblings.end(), [](const auto& s) { return s->isCompleted(); }))
            task->setIsCompleted(true);
    }
    return announceAfter(commit(action));
}

bool CalendarViewModel::deleteSubtask(const std::shared_ptr<CalendarSubtask>& subtask) {
    if (!live(subtask))
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(subtask);
    return announceAfter(commit(action));
}

bool CalendarViewModel::editTask(const std::shared_ptr<CalendarTask>& task, const QString& newTitle) {
    if (Text::trimmed(newTitle).isEmpty())
        return true;
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    task->setTitle(newTitle);
    return announceAfter(commit(action));
}

bool CalendarViewModel::editSubtask(const std::shared_ptr<CalendarSubtask>& subtask,
                                    const QString& newTitle) {
    if (Text::trimmed(newTitle).isEmpty())
        return true;
    if (!live(subtask))
        return false;
    ActionGuard action(*context_);
    subtask->setTitle(newTitle);
    return announceAfter(commit(action));
}

bool CalendarViewModel::saveTaskNotes(const std::shared_ptr<CalendarTask>& task, const QString& notes) {
    if (!live(task))
        return false;
    ActionGuard action(*context_);
    task->setNotes(notes.isEmpty() ? std::nullopt : std::optional(notes));
    return announceAfter(commit(action));
}

bool CalendarViewModel::saveSubtaskNotes(const std::shared_ptr<CalendarSubtask>& subtask,
                                         const QString& notes) {
    if (!live(subtask))
        return false;
    ActionGuard action(*context_);
    subtask->setNotes(notes.isEmpty() ? std::nullopt : std::optional(notes));
    return announceAfter(commit(action));
}

std::shared_ptr<TaskCategory> CalendarViewModel::createCategory(const QString& name,
                                                                const QString& colorHex) {
    ActionGuard action(*context_);
    auto category = TaskCategory::create(context_);
    category->setName(name);
    category->setColorHex(colorHex);
    category->setCreatedAt(Clock::now());
    if (!commit(action))
        return nullptr;
    fetchCategories();
    return category;
}
