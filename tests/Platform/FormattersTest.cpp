#include "Platform/MoneyFormatter.h"
#include "Platform/RelativeDateFormatter.h"
#include "Platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <limits>

TEST(MoneyFormatter, FormatsInTheLocaleWithTheCurrency) {
    const QLocale us(QStringLiteral("en_US"));
    EXPECT_EQ(MoneyFormatter::format(1234.5, QStringLiteral("INR"), 0, us), QStringLiteral("₹1,234"));
    EXPECT_EQ(MoneyFormatter::format(250.5, QStringLiteral("INR"), 2, us), QStringLiteral("₹250.50"));
    // Half to even.
    EXPECT_EQ(MoneyFormatter::format(1235.5, QStringLiteral("INR"), 0, us), QStringLiteral("₹1,236"));
    EXPECT_EQ(MoneyFormatter::format(0.125, QStringLiteral("USD"), 2, us), QStringLiteral("$0.12"));
    EXPECT_EQ(MoneyFormatter::format(-20, QStringLiteral("USD"), 2, us), QStringLiteral("-$20.00"));
    EXPECT_EQ(MoneyFormatter::format(1234.5, QStringLiteral("EUR"), 2, QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("1.234,50\u00a0€"));

    const QString huge = MoneyFormatter::format(1e300, QStringLiteral("INR"), 0, us);
    EXPECT_TRUE(huge.startsWith(QStringLiteral("₹1,000,000,000"))) << huge.toStdString();
    EXPECT_EQ(huge.count(QLatin1Char(',')), 100);
    EXPECT_EQ(MoneyFormatter::format(1e20, QStringLiteral("INR"), 0, us),
              QStringLiteral("₹100,000,000,000,000,000,000"));

    // Not a currency code: the plain number.
    EXPECT_EQ(MoneyFormatter::format(1234.5, QStringLiteral("rupees"), 2, us), QStringLiteral("1,234.50"));
}

TEST(MoneyFormatter, TheCurrencyComesFromTheUserDefaults) {
    EXPECT_EQ(MoneyFormatter::currencyCode(), QStringLiteral("INR"));
    UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("USD"));
    EXPECT_EQ(MoneyFormatter::currencyCode(), QStringLiteral("USD"));
    EXPECT_EQ(MoneyFormatter::format(5, 2), QStringLiteral("$5.00"));
    UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("??"));
    EXPECT_EQ(MoneyFormatter::currencyCode(), QStringLiteral("INR"));
    UserDefaults::resetStandard();
}

TEST(RelativeDates, UseTheLargestUnitThatIsNotZero) {
    const QDateTime now(QDate(2026, 3, 20), QTime(12, 0), Qt::LocalTime);
    auto text = [&](const QDateTime& d) { return RelativeDateFormatter::text(d, now).toStdString(); };
    EXPECT_EQ(text(now.addDays(-2)), "2 days ago");
    EXPECT_EQ(text(now.addSecs(3 * 3600 + 59 * 60)), "in 3 hours");
    EXPECT_EQ(text(now.addDays(-10)), "1 week ago");
    EXPECT_EQ(text(now.addDays(-1).addSecs(-23 * 3600)), "1 day ago");
    EXPECT_EQ(text(now.addSecs(-90)), "1 minute ago");
    EXPECT_EQ(text(now.addSecs(-5)), "5 seconds ago");
    EXPECT_EQ(text(now), "in 0 seconds");
    EXPECT_EQ(text(QDateTime(QDate(2026, 1, 19), QTime(12, 0), Qt::LocalTime)), "2 months ago");
    EXPECT_EQ(text(QDateTime(QDate(2024, 3, 21), QTime(12, 0), Qt::LocalTime)), "1 year ago");
    EXPECT_EQ(text(QDateTime(QDate(2029, 3, 20), QTime(12, 0), Qt::LocalTime)), "in 3 years");
    EXPECT_EQ(
        RelativeDateFormatter::text(now.addDays(-2), now, QLocale(QStringLiteral("de_DE"))).toStdString(),
        "vor 2 Tagen");
}

TEST(RelativeDates, CountCalendarDaysAcrossDaylightSaving) {
    // 23 hours of elapsed time over the short night are still a whole day.
    const QDateTime before(QDate(2026, 3, 7), QTime(12, 0), Qt::LocalTime);
    const QDateTime after(QDate(2026, 3, 8), QTime(12, 0), Qt::LocalTime);
    EXPECT_EQ(RelativeDateFormatter::text(after, before).toStdString(), "in 1 day");
    EXPECT_EQ(RelativeDateFormatter::text(before, after).toStdString(), "1 day ago");
}

TEST(MoneyFormatter, TheCLocaleGroupsAmountsAsItGroupsEveryOtherNumber) {
    // A process started under C or C.UTF-8 has Qt's C locale, which groups thousands.
    const QLocale c = QLocale::c();
    EXPECT_EQ(MoneyFormatter::format(125001, QStringLiteral("INR"), 0, c), QStringLiteral("₹125,001"));
    EXPECT_EQ(MoneyFormatter::format(2924546, QStringLiteral("USD"), 0, c), QStringLiteral("$2,924,546"));
    EXPECT_EQ(MoneyFormatter::number(100000, 0, c), QStringLiteral("100,000"));
    EXPECT_EQ(MoneyFormatter::number(100000, 0, QLocale(QStringLiteral("de_DE"))), QStringLiteral("100.000"));
    EXPECT_EQ(MoneyFormatter::number(-2500.5, 0, QLocale(QStringLiteral("en_US"))), QStringLiteral("-2,500"));
}

TEST(MoneyFormatter, AmountsThatAreNotNumbersShowADashWithTheReason) {
    const QLocale us(QStringLiteral("en_US"));
    for (double unreadable :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(MoneyFormatter::format(unreadable, QStringLiteral("INR"), 0, us), MoneyFormatter::notShown);
        EXPECT_EQ(MoneyFormatter::number(unreadable, 2, us), MoneyFormatter::notShown);
        EXPECT_EQ(MoneyFormatter::compactNumber(unreadable, us), MoneyFormatter::notShown);
        EXPECT_FALSE(MoneyFormatter::notShownReason(unreadable).isEmpty());
    }
    EXPECT_TRUE(MoneyFormatter::notShownReason(1e308).isEmpty());
    EXPECT_EQ(MoneyFormatter::format(1e13, QStringLiteral("INR"), 0, us),
              QStringLiteral("₹10,000,000,000,000"));
}

TEST(MoneyFormatter, CompactNumbersUseTheLocalesShortNames) {
    EXPECT_EQ(MoneyFormatter::compactNumber(1.2e12, QLocale(QStringLiteral("en_US"))),
              QStringLiteral("1.2T"));
    EXPECT_EQ(MoneyFormatter::compactNumber(1.2e12, QLocale(QStringLiteral("de_DE"))),
              QStringLiteral("1,2\u00a0Bio."));
    EXPECT_EQ(MoneyFormatter::compactNumber(50000, QLocale(QStringLiteral("en_US"))), QStringLiteral("50K"));
    EXPECT_EQ(MoneyFormatter::compactNumber(0, QLocale(QStringLiteral("en_US"))), QStringLiteral("0"));
    EXPECT_LE(MoneyFormatter::compactNumber(1e308, QLocale(QStringLiteral("en_US"))).size(), 8)
        << "past the named sizes, exponent form";
}
