#pragma once

#include "Models/MilestoneFrequency.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <vector>

class Goal;
class Milestone;

// The days on which a milestone comes round in the calendar, by its check-in frequency.
// Every recurring schedule counts from the goal's creation day (the anchor; today when the goal
// has none), never from the milestone's own dates, and ends with the goal's deadline day.
// Day numbers are compared exactly: a goal created on the 31st has no monthly day in a
// shorter month. The milestone's own completion is not consulted.
class CalendarMilestoneSchedule {
public:
    // The local days of stored instants for a whole run of schedules: the clock is read once,
    // and the local zone once per stretch of time between two of its offset changes, so that
    // thousands of schedules cost no zone conversion each.
    class LocalDays {
    public:
        LocalDays();
        QDate today() const { return today_; }
        // The local calendar day of an instant given in milliseconds since the epoch.
        QDate dayOf(qint64 msecsSinceEpoch);

    private:
        struct Stretch {
            qint64 from = 0; // inclusive
            qint64 to = 0;   // exclusive
            qint64 offsetMs = 0;
        };
        const Stretch& stretchAt(qint64 msecs);

        QTimeZone zone_;
        QDate today_;
        std::vector<Stretch> stretches_; // by from, never overlapping
        std::size_t last_ = 0;
        Stretch oneOff_; // an instant whose stretch could not be kept
    };

    // A day's parts read once, for asking many schedules about the same day.
    struct Day {
        Day() = default;
        explicit Day(const QDate& date);
        qint64 julian = 0;
        int year = 0;
        int month = 0;
        int day = 0;
        int dayOfWeek = 0;
        bool valid = false;
    };

    // Reads what the schedule needs once, so that many days can be asked cheaply.
    CalendarMilestoneSchedule(const Milestone& milestone, const Goal& goal);
    // The same from the stored values: the milestone's frequency and due date, the goal's
    // creation day and deadline.
    CalendarMilestoneSchedule(const std::optional<QString>& frequency,
                              const std::optional<QDateTime>& dueDate,
                              const std::optional<QDateTime>& goalCreatedAt,
                              const std::optional<QDateTime>& goalDeadline);
    // The same from stored instants (milliseconds since the epoch), their days read through
    // days.
    CalendarMilestoneSchedule(std::optional<MilestoneFrequency> frequency, std::optional<qint64> dueDate,
                              std::optional<qint64> goalCreatedAt, std::optional<qint64> goalDeadline,
                              LocalDays& days);

    // Whether the milestone has a frequency at all; one without never falls on a day.
    bool isScheduled() const { return frequency_.has_value(); }
    bool fallsOn(const QDate& day) const { return fallsOn(Day(day)); }
    bool fallsOn(const Day& day) const;
    bool fallsOn(const QDateTime& instant) const { return fallsOn(instant.toLocalTime().date()); }
    // Adds one to counts[i] for every days[i] the milestone falls on. The days follow one
    // another without a gap; counts is as long as days.
    void countOn(const std::vector<Day>& days, std::vector<int>& counts) const;

    // Whole calendar months from a to b, days ignored: 31 January to 1 February is 1.
    static int monthsDiff(const QDate& a, const QDate& b);

private:
    void setDays(const QDate& anchor, const QDate& deadline, const QDate& oneTimeDay);

    std::optional<MilestoneFrequency> frequency_;
    Day anchor_;
    qint64 deadline_ = 0; // Julian day; none when hasDeadline_ is false
    bool hasDeadline_ = false;
    qint64 oneTimeDay_ = 0; // Julian day
};
