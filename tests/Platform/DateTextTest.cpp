#include "Platform/DateText.h"

#include <gtest/gtest.h>

namespace {

const QLocale us(QStringLiteral("en_US"));
const QLocale german(QStringLiteral("de_DE"));

std::string text(const QString& value) {
    return value.toStdString();
}

} // namespace

TEST(LocaleDates, EachFormFollowsTheLocalesOrderAndNames) {
    const QDate day(2026, 5, 12);
    EXPECT_EQ(text(DateText::monthDay(day, us)), "May 12");
    EXPECT_EQ(text(DateText::monthDay(day, german)), "12. Mai");
    EXPECT_EQ(text(DateText::monthDay(QDate(2026, 4, 15), german)), "15. Apr.");
    EXPECT_EQ(text(DateText::monthDay(QDate(2026, 3, 25), german)), "25. März");
    EXPECT_EQ(text(DateText::monthYear(day, us)), "May 2026");
    EXPECT_EQ(text(DateText::monthYear(day, german)), "Mai 2026");
    EXPECT_EQ(text(DateText::weekdayMonthDay(day, us)), "Tuesday, May 12");
    EXPECT_EQ(text(DateText::weekdayMonthDay(day, german)), "Dienstag, 12. Mai");
    EXPECT_EQ(text(DateText::weekdayShortMonthDay(QDate(2026, 12, 8), us)), "Tuesday, Dec 8");
    EXPECT_EQ(text(DateText::weekdayShortMonthDay(QDate(2026, 12, 8), german)), "Dienstag, 8. Dez.");
    EXPECT_EQ(text(DateText::fullDate(day, us)), "Tuesday, May 12, 2026");
    EXPECT_EQ(text(DateText::fullDate(day, german)), "Dienstag, 12. Mai 2026");
    EXPECT_EQ(text(DateText::shortWeekday(day, us)), "Tue");
    EXPECT_EQ(text(DateText::shortWeekday(day, german)), "Di") << "standing alone";
    EXPECT_EQ(text(DateText::shortMonth(day, us)), "May");
    EXPECT_EQ(text(DateText::shortMonth(QDate(2026, 3, 1), german)), "Mär") << "standing alone";
}

TEST(LocaleDates, TheDayNeverMovesWithTheZoneOrTheLocale) {
    // Midnight at either end of the day, the first and last days of a year, and the C locale
    // of a process started under C.UTF-8, which writes English.
    EXPECT_EQ(text(DateText::monthDay(QDate(2026, 1, 1), us)), "Jan 1");
    EXPECT_EQ(text(DateText::monthDay(QDate(2025, 12, 31), us)), "Dec 31");
    EXPECT_EQ(text(DateText::monthYear(QDate(1969, 7, 20), us)), "July 1969");
    EXPECT_EQ(text(DateText::monthDay(QDate(2026, 5, 12), QLocale::c())), "May 12");
    EXPECT_EQ(text(DateText::medium(QDate(2026, 5, 12), QLocale::c())), "May 12, 2026") << "the same order";
    EXPECT_EQ(text(DateText::longDate(QDate(2026, 5, 12), QLocale::c())), "May 12, 2026");
    EXPECT_EQ(text(DateText::monthDay(QDate(), us)), "");
}
