#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Tells an instant relative to another in words of the user's locale, in the largest unit
// that is not zero among years, months, weeks, days, hours, minutes and seconds, counted by
// the calendar and truncated ("2 days ago", "in 3 hours"; ten days back is "1 week ago").
class RelativeDateFormatter {
public:
    static QString text(const QDateTime& date, const QDateTime& relativeTo,
                        const QLocale& locale = QLocale());

    enum class Unit { Year, Month, Week, Day, Hour, Minute, Second };
    struct Amount {
        Unit unit;
        qint64 value; // negative for the past
    };
    // The unit and count the text is written in.
    static Amount largestUnit(const QDateTime& date, const QDateTime& relativeTo);
};
