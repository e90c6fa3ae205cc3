#pragma once

#include <QDate>
#include <QDateTime>

#include <utility>

// Date arithmetic of the user's calendar in local time. Days are calendar days: adding one
// keeps the clock time across a daylight-saving change instead of adding 86,400 seconds.
// Ranges are half open: [start, end).
namespace Calendar {

// 00:00 of the instant's local day (the first valid moment when midnight is skipped).
QDateTime startOfDay(const QDateTime& instant);
std::pair<QDateTime, QDateTime> dayRange(const QDateTime& instant);
QDateTime startOfMonth(const QDateTime& instant);
std::pair<QDateTime, QDateTime> monthRange(const QDateTime& instant);

// The same local clock time n calendar days later (earlier when negative). A clock time
// skipped by a daylight-saving change moves forward by the length of the gap.
QDateTime addDays(const QDateTime& instant, int days);
// The same local clock time n months later; a day beyond the end of the target month is
// clamped to its last day (31 January + 1 month is 28 or 29 February).
QDateTime addMonths(const QDateTime& instant, int months);

// The whole calendar days from one instant to another, a partial day dropped (truncated
// toward zero). Clock times are not moved to the start of the day: 36 hours ahead is 1, later
// today or tomorrow at an earlier clock time is 0; negative once a full day is past.
int wholeDaysBetween(const QDateTime& from, const QDateTime& to);
bool isSameDay(const QDateTime& a, const QDateTime& b);

// Lenient composition: month 13 is January of the next year, month 0 December of the year
// before, a day beyond its month runs on into the next (31 April is 1 May) and day 0 is the
// last day of the month before.
QDate composeDate(int year, int month, int day);
// 00:00 local time of the composed date.
QDateTime composeStartOfDay(int year, int month, int day);

// The locale's first day of the week.
Qt::DayOfWeek firstWeekday();
// Weekday numbers counted 1 Sunday through 7 Saturday, whatever the first weekday.
int weekdayNumber(const QDate& date);
int firstWeekdayNumber();

} // namespace Calendar
