#pragma once

#include "Models/MilestoneFrequency.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

class Goal;
class Milestone;

// The days on which a milestone comes round in the calendar, by its check-in frequency.
// Every recurring schedule counts from the goal's creation day (the anchor; now when the goal
// has none), never from the milestone's own dates, and ends with the goal's deadline day.
// Day numbers are compared exactly: a goal created on the 31st has no monthly day in a
// shorter month. The milestone's own completion is not consulted.
class CalendarMilestoneSchedule {
public:
    // Reads what the schedule needs once, so that many days can be asked cheaply.
    CalendarMilestoneSchedule(const Milestone& milestone, const Goal& goal);
    // The same from the stored values: the milestone's frequency and due date, the goal's
    // creation day and deadline.
    CalendarMilestoneSchedule(const std::optional<QString>& frequency,
                              const std::optional<QDateTime>& dueDate,
                              const std::optional<QDateTime>& goalCreatedAt,
                              const std::optional<QDateTime>& goalDeadline);

    // Whether the milestone has a frequency at all; one without never falls on a day.
    bool isScheduled() const { return frequency_.has_value(); }
    bool fallsOn(const QDate& day) const;
    bool fallsOn(const QDateTime& instant) const { return fallsOn(instant.toLocalTime().date()); }

    // Whole calendar months from a to b, days ignored: 31 January to 1 February is 1.
    static int monthsDiff(const QDate& a, const QDate& b);

private:
    std::optional<MilestoneFrequency> frequency_;
    QDate anchor_;
    QDate deadline_; // null without a deadline
    QDate oneTimeDay_;
};
