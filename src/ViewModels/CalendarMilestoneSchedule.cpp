#include "ViewModels/CalendarMilestoneSchedule.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Platform/Clock.h"

namespace {

QDate localDay(const QDateTime& instant) {
    return instant.toLocalTime().date();
}

} // namespace

CalendarMilestoneSchedule::CalendarMilestoneSchedule(const Milestone& milestone, const Goal& goal)
    : CalendarMilestoneSchedule(milestone.frequency(), milestone.dueDate(), goal.createdAt(),
                                goal.deadline()) {}

CalendarMilestoneSchedule::CalendarMilestoneSchedule(const std::optional<QString>& frequency,
                                                     const std::optional<QDateTime>& dueDate,
                                                     const std::optional<QDateTime>& goalCreatedAt,
                                                     const std::optional<QDateTime>& goalDeadline) {
    frequency_ = frequency ? MilestoneFrequencies::fromRaw(*frequency) : std::nullopt;
    anchor_ = localDay(goalCreatedAt.value_or(Clock::now()));
    if (goalDeadline)
        deadline_ = localDay(*goalDeadline);
    oneTimeDay_ = dueDate ? localDay(*dueDate) : anchor_;
}

int CalendarMilestoneSchedule::monthsDiff(const QDate& a, const QDate& b) {
    return (b.year() - a.year()) * 12 + (b.month() - a.month());
}

bool CalendarMilestoneSchedule::fallsOn(const QDate& day) const {
    if (!frequency_ || !day.isValid() || day < anchor_)
        return false;
    if (deadline_.isValid() && day > deadline_)
        return false;
    switch (*frequency_) {
    case MilestoneFrequency::oneTime:
        return day == oneTimeDay_;
    case MilestoneFrequency::daily:
        return true;
    case MilestoneFrequency::weekly:
        return day.dayOfWeek() == anchor_.dayOfWeek();
    case MilestoneFrequency::monthly:
        return day.day() == anchor_.day();
    case MilestoneFrequency::quarterly:
    case MilestoneFrequency::biYearly: {
        const int step = *frequency_ == MilestoneFrequency::quarterly ? 3 : 6;
        const int months = monthsDiff(anchor_, day);
        return months >= 0 && months % step == 0 && day.day() == anchor_.day();
    }
    case MilestoneFrequency::annually:
        return day.month() == anchor_.month() && day.day() == anchor_.day();
    }
    return false;
}
