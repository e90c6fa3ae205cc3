#include "Platform/CalendarHelpers.h"

#include <QLocale>

#include <algorithm>

namespace {

QDateTime localAt(const QDate& date, const QTime& time) {
    const QDateTime result(date, time, Qt::LocalTime);
    if (result.isValid())
        return result;
    // The clock time was skipped by a change to daylight saving: count the elapsed time from
    // the start of the day instead, which lands past the gap by as much as the time was into it.
    return date.startOfDay(Qt::LocalTime).addMSecs(QTime(0, 0).msecsTo(time));
}

int floorDiv(int a, int b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

namespace Calendar {

QDateTime startOfDay(const QDateTime& instant) {
    return instant.toLocalTime().date().startOfDay(Qt::LocalTime);
}

std::pair<QDateTime, QDateTime> dayRange(const QDateTime& instant) {
    const QDate day = instant.toLocalTime().date();
    return {day.startOfDay(Qt::LocalTime), day.addDays(1).startOfDay(Qt::LocalTime)};
}

QDateTime startOfMonth(const QDateTime& instant) {
    const QDate day = instant.toLocalTime().date();
    return QDate(day.year(), day.month(), 1).startOfDay(Qt::LocalTime);
}

std::pair<QDateTime, QDateTime> monthRange(const QDateTime& instant) {
    const QDate day = instant.toLocalTime().date();
    const QDate first(day.year(), day.month(), 1);
    return {first.startOfDay(Qt::LocalTime), first.addMonths(1).startOfDay(Qt::LocalTime)};
}

QDateTime addDays(const QDateTime& instant, int days) {
    const QDateTime local = instant.toLocalTime();
    return localAt(local.date().addDays(days), local.time());
}

QDateTime addMonths(const QDateTime& instant, int months) {
    const QDateTime local = instant.toLocalTime();
    return localAt(local.date().addMonths(months), local.time());
}

int wholeDaysBetween(const QDateTime& from, const QDateTime& to) {
    const QDateTime start = from.toLocalTime();
    const QDateTime end = to.toLocalTime();
    const qint64 estimate = start.date().daysTo(end.date());
    int days = static_cast<int>(std::clamp<qint64>(estimate, -(1 << 30), 1 << 30));
    if (end >= start) {
        days = std::max(days, 0);
        while (days > 0 && addDays(start, days) > end)
            --days;
    } else {
        days = std::min(days, 0);
        while (days < 0 && addDays(start, days) < end)
            ++days;
    }
    return days;
}

bool isSameDay(const QDateTime& a, const QDateTime& b) {
    return a.toLocalTime().date() == b.toLocalTime().date();
}

QDate composeDate(int year, int month, int day) {
    const int monthIndex = month - 1;
    const int years = floorDiv(monthIndex, 12);
    const int normalizedMonth = monthIndex - years * 12 + 1;
    const QDate first(year + years, normalizedMonth, 1);
    return first.addDays(static_cast<qint64>(day) - 1);
}

QDateTime composeStartOfDay(int year, int month, int day) {
    return composeDate(year, month, day).startOfDay(Qt::LocalTime);
}

Qt::DayOfWeek firstWeekday() {
    return QLocale().firstDayOfWeek();
}

int weekdayNumber(const QDate& date) {
    return date.dayOfWeek() % 7 + 1;
}

int firstWeekdayNumber() {
    return static_cast<int>(firstWeekday()) % 7 + 1;
}

} // namespace Calendar
