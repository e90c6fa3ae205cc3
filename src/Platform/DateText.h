#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates in words, in the order and with the month names of the user's locale, the same on
// every screen: "Dec 7, 2026" under en_US, "7. Dez. 2026" under de_DE.
class DateText {
public:
    // The locale's long form without the weekday and with short month names.
    static QString medium(const QDate& date, const QLocale& locale = QLocale());
    // The same as a display format for date fields.
    static QString mediumFormat(const QLocale& locale = QLocale());
    // The locale's long form without the weekday: "December 7, 2026", "7. Dezember 2026".
    static QString longDate(const QDate& date, const QLocale& locale = QLocale());
};
