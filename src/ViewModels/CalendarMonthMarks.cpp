#include "ViewModels/CalendarMonthMarks.h"

#include "Models/Bill.h"
#include "Models/CalendarTask.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/TaskRepeatFrequency.h"
#include "Store/ObjectContext.h"
#include "ViewModels/CalendarMilestoneSchedule.h"

#include <algorithm>

namespace {

void countMilestones(const std::vector<CalendarMilestoneIndex::Entry>& milestones,
                     const QSet<qint64>& hiddenGoals, const QDate& first, std::vector<int>& active) {
    // Each day's parts are read once; a heavy store asks every day about tens of thousands.
    std::vector<CalendarMilestoneSchedule::Day> days;
    days.reserve(active.size());
    for (std::size_t i = 0; i < active.size(); ++i)
        days.emplace_back(first.addDays(qint64(i)));
    const bool hiding = !hiddenGoals.isEmpty();
    for (const auto& entry : milestones) {
        if (hiding && hiddenGoals.contains(entry.goalID))
            continue;
        entry.schedule.countOn(days, active);
    }
}

void markTasks(ObjectContext& context, const QDate& first, std::vector<CalendarDayMarks>& marks) {
    const int count = static_cast<int>(marks.size());
    // One counted lookup per day: the month's tasks are never loaded for their dots.
    for (int i = 0; i < count; ++i) {
        FetchRequest dated(CalendarTask::entityName(),
                           Key(CalendarTask::Keys::date) >= first.addDays(i).startOfDay(Qt::LocalTime) &&
                               Key(CalendarTask::Keys::date) <
                                   first.addDays(i + 1).startOfDay(Qt::LocalTime));
        dated.fetchLimit = 1;
        marks[static_cast<std::size_t>(i)].hasTask = context.count(dated) > 0;
    }
    const QDateTime start = first.startOfDay(Qt::LocalTime);
    const QDateTime end = first.addDays(count).startOfDay(Qt::LocalTime);
    for (const auto& task : context.fetch<CalendarTask>(
             FetchRequest(CalendarTask::entityName(), CalendarMonthMarks::repeatingPredicate(start, end)))) {
        for (int i = 0; i < count; ++i) {
            auto& mark = marks[static_cast<std::size_t>(i)];
            if (!mark.hasTask && task->repeatsOn(first.addDays(i)))
                mark.hasTask = true;
        }
    }
}

void markBills(ObjectContext& context, const QDate& first, std::vector<CalendarDayMarks>& marks) {
    QSet<int> dueDays;
    for (const auto& bill : context.fetch<Bill>(FetchRequest(Bill::entityName())))
        dueDays.insert(bill->dueDay());
    if (dueDays.isEmpty())
        return;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QDate day = first.addDays(static_cast<qint64>(i));
        marks[i].hasBill = std::any_of(dueDays.begin(), dueDays.end(), [&](int dueDay) {
            return CalendarMonthMarks::billDueOn(dueDay, day);
        });
    }
}

} // namespace

std::vector<CalendarDayMarks>
CalendarMonthMarks::compute(ObjectContext& context,
                            const std::vector<CalendarMilestoneIndex::Entry>& milestones,
                            const QSet<qint64>& hiddenGoals, const QDate& first, int count) {
    if (!first.isValid() || count <= 0)
        return {};
    std::vector<CalendarDayMarks> marks(static_cast<std::size_t>(count));
    std::vector<int> active(static_cast<std::size_t>(count), 0);
    countMilestones(milestones, hiddenGoals, first, active);
    for (std::size_t i = 0; i < marks.size(); ++i)
        marks[i].intensity = intensityFor(active[i]);
    markTasks(context, first, marks);
    markBills(context, first, marks);
    return marks;
}

Predicate CalendarMonthMarks::repeatingPredicate(const QDateTime& dayStart, const QDateTime& rangeEnd) {
    std::vector<Predicate> known;
    for (TaskRepeatFrequency frequency : TaskRepeatFrequencies::allCases)
        known.push_back(Key(CalendarTask::Keys::repeatFrequency) ==
                        TaskRepeatFrequencies::rawValue(frequency));
    return Predicate::any(std::move(known)) && Key(CalendarTask::Keys::date) < rangeEnd &&
           (Key(CalendarTask::Keys::repeatUntil).absent() ||
            Key(CalendarTask::Keys::repeatUntil) >= dayStart);
}

bool CalendarMonthMarks::billDueOn(int dueDay, const QDate& day) {
    return dueDay == day.day() || (day.day() == day.daysInMonth() && dueDay > day.day());
}

Predicate CalendarMonthMarks::billsDuePredicate(const QDate& day) {
    const Predicate exact = Key(Bill::Keys::dueDay) == day.day();
    if (day.day() != day.daysInMonth())
        return exact;
    return exact || Key(Bill::Keys::dueDay) > day.day();
}

double CalendarMonthMarks::intensityFor(int activeMilestones) {
    return std::min(1.0, activeMilestones * 0.25);
}
