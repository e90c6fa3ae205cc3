#include "Platform/CalendarHelpers.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

QDateTime local(int y, int m, int d, int h = 0, int min = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::LocalTime);
}

bool zoneHasDaylightSaving() {
    return qgetenv("TZ") == "America/New_York";
}

} // namespace

TEST(CalendarDates, DayAndMonthRangesFollowLocalMidnights) {
    const auto [start, end] = Calendar::dayRange(local(2026, 3, 8, 15, 45));
    EXPECT_EQ(start, local(2026, 3, 8));
    EXPECT_EQ(end, local(2026, 3, 9));
    // The day daylight saving starts is 23 hours long.
    EXPECT_EQ(start.secsTo(end), zoneHasDaylightSaving() ? 23 * 3600 : 24 * 3600);
    EXPECT_EQ(Calendar::startOfDay(local(2026, 3, 8, 0, 0)), local(2026, 3, 8));
    EXPECT_EQ(Calendar::startOfDay(local(2026, 3, 8, 23, 59)), local(2026, 3, 8));

    // An instant given in UTC is placed in the local day it falls on.
    const QDateTime lateUtc(QDate(2026, 7, 2), QTime(2, 0), Qt::UTC);
    EXPECT_EQ(Calendar::startOfDay(lateUtc), local(2026, 7, zoneHasDaylightSaving() ? 1 : 2));

    const auto [monthStart, monthEnd] = Calendar::monthRange(local(2026, 12, 31, 23, 0));
    EXPECT_EQ(monthStart, local(2026, 12, 1));
    EXPECT_EQ(monthEnd, local(2027, 1, 1));
    EXPECT_EQ(Calendar::startOfMonth(local(2026, 2, 14, 8)), local(2026, 2, 1));
}

TEST(CalendarDates, AddingDaysKeepsTheClockTimeAcrossDaylightSaving) {
    const QDateTime before = local(2026, 3, 7, 9, 0);
    const QDateTime after = Calendar::addDays(before, 1);
    EXPECT_EQ(after, local(2026, 3, 8, 9, 0));
    EXPECT_EQ(before.secsTo(after), zoneHasDaylightSaving() ? 23 * 3600 : 24 * 3600);
    EXPECT_EQ(Calendar::addDays(local(2026, 11, 2, 9, 0), -1), local(2026, 11, 1, 9, 0));
    EXPECT_EQ(Calendar::addDays(local(2026, 12, 31, 18, 0), 7), local(2027, 1, 7, 18, 0));

    // 02:30 does not exist on the morning daylight saving starts in New York.
    const QDateTime skipped = Calendar::addDays(local(2026, 3, 7, 2, 30), 1);
    ASSERT_TRUE(skipped.isValid());
    EXPECT_EQ(skipped.time(), zoneHasDaylightSaving() ? QTime(3, 30) : QTime(2, 30));

    EXPECT_EQ(Calendar::addMonths(local(2026, 1, 31, 10, 0), 1), local(2026, 2, 28, 10, 0));
    EXPECT_EQ(Calendar::addMonths(local(2028, 1, 31, 10, 0), 1), local(2028, 2, 29, 10, 0));
    EXPECT_EQ(Calendar::addMonths(local(2026, 3, 15, 10, 0), -3), local(2025, 12, 15, 10, 0));
}

TEST(CalendarDates, WholeDaysDropThePartialDay) {
    const QDateTime now = local(2026, 3, 10, 15, 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, now.addSecs(36 * 3600)), 1);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 10, 22, 0)), 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 11, 10, 0)), 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 11, 15, 0)), 1);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 17, 14, 59)), 6);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, now), 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, now.addSecs(-12 * 3600)), 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 9, 15, 0)), -1);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 3, 9, 16, 0)), 0);
    EXPECT_EQ(Calendar::wholeDaysBetween(now, local(2026, 2, 10, 15, 0)), -28);

    // Counted in calendar days: noon to noon over the short day is one day, though only 23
    // hours pass in New York.
    EXPECT_EQ(Calendar::wholeDaysBetween(local(2026, 3, 7, 12, 0), local(2026, 3, 8, 12, 0)), 1);
    EXPECT_EQ(Calendar::wholeDaysBetween(local(2026, 10, 31, 12, 0), local(2026, 11, 1, 11, 30)), 0);

    EXPECT_TRUE(Calendar::isSameDay(local(2026, 3, 8, 0, 0), local(2026, 3, 8, 23, 59)));
    EXPECT_FALSE(Calendar::isSameDay(local(2026, 3, 8, 23, 59), local(2026, 3, 9, 0, 0)));
}

TEST(CalendarDates, CompositionIsLenient) {
    EXPECT_EQ(Calendar::composeDate(2026, 4, 31), QDate(2026, 5, 1));
    EXPECT_EQ(Calendar::composeDate(2026, 13, 10), QDate(2027, 1, 10));
    EXPECT_EQ(Calendar::composeDate(2026, 3, 0), QDate(2026, 2, 28));
    EXPECT_EQ(Calendar::composeDate(2028, 3, 0), QDate(2028, 2, 29));
    EXPECT_EQ(Calendar::composeDate(2026, 0, 15), QDate(2025, 12, 15));
    EXPECT_EQ(Calendar::composeDate(2026, -1, 1), QDate(2025, 11, 1));
    EXPECT_EQ(Calendar::composeDate(2026, 25, 1), QDate(2028, 1, 1));
    EXPECT_EQ(Calendar::composeDate(2026, 2, 31), QDate(2026, 3, 3));
    EXPECT_EQ(Calendar::composeDate(2026, 1, -1), QDate(2025, 12, 30));
    EXPECT_EQ(Calendar::composeStartOfDay(2026, 3, 8), local(2026, 3, 8));
}

TEST(CalendarDates, WeekdaysFollowTheLocale) {
    EXPECT_EQ(Calendar::firstWeekday(), Qt::Sunday);
    EXPECT_EQ(Calendar::firstWeekdayNumber(), 1);
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(Calendar::firstWeekday(), Qt::Monday);
    EXPECT_EQ(Calendar::firstWeekdayNumber(), 2);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));

    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 8)), 1);  // a Sunday
    EXPECT_EQ(Calendar::weekdayNumber(QDate(2026, 3, 14)), 7); // a Saturday
}
