#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <QStandardPaths>
#include <QTimeZone>

#include <cstdlib>

TEST(Harness, RunsOffscreenInTheTestLocaleWithATemporaryHome) {
    EXPECT_EQ(QLocale().name(), QStringLiteral("en_US"));
    EXPECT_TRUE(QStandardPaths::isTestModeEnabled());
    ASSERT_FALSE(qv::test::tempHome().isEmpty());
    EXPECT_TRUE(QString::fromUtf8(std::getenv("XDG_DATA_HOME")).startsWith(qv::test::tempHome()));
}

TEST(HarnessDates, ZoneTookEffect) {
    const QByteArray zone = qgetenv("TZ");
    const QDateTime july(QDate(2026, 7, 1), QTime(12, 0), Qt::UTC);
    const QDateTime january(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC);
    if (zone == "America/New_York") {
        EXPECT_EQ(july.toLocalTime().offsetFromUtc(), -4 * 3600);
        EXPECT_EQ(january.toLocalTime().offsetFromUtc(), -5 * 3600);
    } else if (zone == "Asia/Kolkata") {
        // East of UTC: a local day begins on the day before in UTC.
        EXPECT_EQ(july.toLocalTime().offsetFromUtc(), 5 * 3600 + 1800);
        EXPECT_EQ(QDate(2026, 7, 1).startOfDay().toUTC().date(), QDate(2026, 6, 30));
    } else {
        EXPECT_EQ(zone, QByteArray("UTC"));
        EXPECT_EQ(july.toLocalTime().offsetFromUtc(), 0);
    }
}
