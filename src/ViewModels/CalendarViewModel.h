#pragma once

#include "Models/TaskRepeatFrequency.h"
#include "ViewModels/CalendarDayMarks.h"
#include "ViewModels/CalendarMilestoneIndex.h"
#include "ViewModels/CalendarMilestoneItem.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class ActionGuard;
class Bill;
class CalendarSubtask;
class CalendarTask;
class Goal;
class Milestone;
class ObjectContext;
class Step;
class TaskCategory;

// The calendar's model: the shown month and the chosen day, that day's tasks, milestones and
// bills, the task categories, and every write the calendar makes. Each write is one user
// action saved once; when the save fails the action is rolled back whole, the window shows
// the alert, the chosen day is fetched again and the operation answers false. One instance
// belongs to one visit of the calendar page; the milestone index it reads is the context's
// (see CalendarMilestoneIndex::of), kept across visits.
class CalendarViewModel : public QObject {
    Q_OBJECT
public:
    // The day's milestones read at a time.
    static constexpr int kMilestonePage = 32;

    explicit CalendarViewModel(ObjectContext* context, QObject* parent = nullptr);

    // Any instant inside the shown month; only its year and month matter.
    QDateTime currentMonth() const { return currentMonth_; }
    QDateTime selectedDate() const { return selectedDate_; }
    // The chosen day's milestones are counted at once and read as a list asks for them, a page
    // at a time: a heavy store brings thousands round on one day.
    int milestoneCount() const { return static_cast<int>(due_.size()); }
    // The milestone at index with its goal; neither when index is out of range or the record
    // is gone.
    CalendarMilestoneItem milestoneAt(int index);
    // Every one of the day's milestones, for the few who need them all.
    const std::vector<CalendarMilestoneItem>& milestonesForSelectedDate();
    const std::vector<std::shared_ptr<CalendarTask>>& tasksForSelectedDate() const { return tasks_; }
    const std::vector<std::shared_ptr<TaskCategory>>& categories() const { return categories_; }
    const std::optional<QString>& toastMessage() const { return toastMessage_; }
    void setToastMessage(const std::optional<QString>& message);

    // The starts of the days of the shown month, in order.
    std::vector<QDateTime> daysInMonth() const;
    // Blank cells before the 1st, counted from the first weekday of the user's locale.
    int leadingEmptyDays() const;
    // The first weekday of the locale when the model was made, 1 Sunday through 7 Saturday.
    int firstWeekday() const { return firstWeekday_; }
    // Full month name and year in the user's language, "March 2026".
    QString monthTitle() const;
    void nextMonth();
    void previousMonth();

    // Chooses the day and fetches its milestones, then its tasks; the shown month stays.
    void selectDate(const QDateTime& date);
    // Goals (store object identifiers) whose milestones the calendar leaves out.
    void updateHiddenGoals(const QSet<qint64>& goalIDs);

    // The marks of every day of the shown month, computed once per change of month, hidden
    // goals or stored records, and kept until the next such change.
    const std::vector<CalendarDayMarks>& monthMarks();
    // Single days, for whoever needs one day only.
    double activityIntensity(const QDateTime& date);
    bool hasTask(const QDateTime& date);
    bool hasBillDue(const QDateTime& date);
    // Bills due on the day by name; a due day past the end of a shorter month falls on its last day.
    std::vector<std::shared_ptr<Bill>> billsDue(const QDateTime& date);

    // Counts the day's milestones; their records are read as they are asked for.
    void fetchMilestonesForDate(const QDateTime& date);
    // A milestone's steps, oldest first, read for that milestone alone: its relationship
    // would read the steps of every milestone loaded with it, in a heavy store all of them.
    std::vector<std::shared_ptr<Step>> stepsOf(const std::shared_ptr<Milestone>& milestone);

    // Dated tasks of the day by creation, then the repeating tasks that fall on it.
    void fetchTasksForDate(const QDateTime& date);
    void fetchCategories();

    // Writes. Each answers whether it was stored.
    bool addTask(const QString& title, const std::optional<QString>& notes,
                 const std::shared_ptr<TaskCategory>& category,
                 std::optional<TaskRepeatFrequency> repeatFrequency,
                 const std::optional<QDateTime>& repeatUntil);
    // Copies the task, with its open subtasks, to the day after the chosen day and sets the
    // toast "<title> moved to tomorrow". The task itself stays as it was.
    bool carryForward(const std::shared_ptr<CalendarTask>& task);
    // Copies the task, with its open subtasks, to the start of the given day as a follow-up.
    bool scheduleFollowUp(const std::shared_ptr<CalendarTask>& task, const QDateTime& date);
    bool toggleTask(const std::shared_ptr<CalendarTask>& task);
    // The task goes with its subtasks, from every day it is listed on.
    bool deleteTask(const std::shared_ptr<CalendarTask>& task);
    bool addSubtask(const std::shared_ptr<CalendarTask>& task, const QString& title);
    // Ticking the last open subtask completes its task too; unticking never reopens it.
    bool toggleSubtask(const std::shared_ptr<CalendarSubtask>& subtask);
    bool deleteSubtask(const std::shared_ptr<CalendarSubtask>& subtask);
    // A title of blanks (spaces and tabs) is refused without a write and answers true:
    // nothing failed. Any other title is stored exactly as passed.
    bool editTask(const std::shared_ptr<CalendarTask>& task, const QString& newTitle);
    bool editSubtask(const std::shared_ptr<CalendarSubtask>& subtask, const QString& newTitle);
    // Empty text clears the notes; anything else, blanks too, is stored as passed.
    bool saveTaskNotes(const std::shared_ptr<CalendarTask>& task, const QString& notes);
    bool saveSubtaskNotes(const std::shared_ptr<CalendarSubtask>& subtask, const QString& notes);
    // The new category, last in categories; none when it could not be stored.
    std::shared_ptr<TaskCategory> createCategory(const QString& name, const QString& colorHex);

    ObjectContext* context() const { return context_; }

signals:
    void currentMonthChanged();
    void selectedDateChanged();
    void milestonesChanged();
    void tasksChanged();
    void categoriesChanged();
    void toastMessageChanged();
    // Stored records shown by the calendar changed without a list being fetched again.
    void changed();
    // The month's marks must be read again (see monthMarks()).
    void monthMarksChanged();

private:
    QDate firstOfMonth() const;
    void setCurrentMonth(const QDateTime& month);
    void invalidateMarks();
    const std::vector<CalendarMilestoneIndex::Entry>& milestoneEntries();
    const std::vector<CalendarMilestoneItem>& milestonePage(int number);
    bool commit(ActionGuard& action);
    bool announceAfter(bool saved);
    void refetchDay();
    std::shared_ptr<CalendarTask> copyTask(const CalendarTask& source, const QDateTime& day);

    ObjectContext* const context_;
    const int firstWeekday_;
    QDateTime currentMonth_;
    QDateTime selectedDate_;
    CalendarMilestoneIndex& milestoneIndex_;
    std::vector<CalendarMilestoneIndex::Ref> due_;
    std::map<int, std::vector<CalendarMilestoneItem>> milestonePages_;
    std::vector<CalendarMilestoneItem> allMilestones_;
    bool allMilestonesRead_ = false;
    std::vector<std::shared_ptr<CalendarTask>> tasks_;
    std::vector<std::shared_ptr<TaskCategory>> categories_;
    std::optional<QString> toastMessage_;
    QSet<qint64> hiddenGoalIDs_;
    std::vector<CalendarDayMarks> marks_;
    bool marksDirty_ = true;
};
