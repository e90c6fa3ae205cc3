#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates in words, in the order and with the month and weekday names of the user's locale, the
// same on every screen: "Dec 7, 2026" under en_US, "7. Dez. 2026" under de_DE. Every date a
// person reads is written by one of these.
class DateText {
public:
    // The locale's long form without the weekday and with short month names.
    static QString medium(const QDate& date, const QLocale& locale = QLocale());
    // The same as a display format for date fields.
    static QString mediumFormat(const QLocale& locale = QLocale());
    // The locale's long form without the weekday: "December 7, 2026", "7. Dezember 2026".
    static QString longDate(const QDate& date, const QLocale& locale = QLocale());
    // The long form with the weekday: "Monday, December 7, 2026", "Montag, 7. Dezember 2026".
    static QString fullDate(const QDate& date, const QLocale& locale = QLocale());

    // A day of the year with the short month: "Dec 7", "7. Dez.".
    static QString monthDay(const QDate& date, const QLocale& locale = QLocale());
    // A day with its weekday and the month: "Monday, December 7", "Montag, 7. Dezember".
    static QString weekdayMonthDay(const QDate& date, const QLocale& locale = QLocale());
    // The same with the short month: "Monday, Dec 7", "Montag, 7. Dez.".
    static QString weekdayShortMonthDay(const QDate& date, const QLocale& locale = QLocale());
    // A month of a year: "December 2026", "Dezember 2026".
    static QString monthYear(const QDate& date, const QLocale& locale = QLocale());
    // The short month on its own, as an axis names it: "Mar", "Mär".
    static QString shortMonth(const QDate& date, const QLocale& locale = QLocale());
    // The short weekday on its own: "Mon", "Mo".
    static QString shortWeekday(const QDate& date, const QLocale& locale = QLocale());
};
