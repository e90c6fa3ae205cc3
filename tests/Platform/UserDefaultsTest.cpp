#include "Platform/UserDefaults.h"
#include "Platform/Clock.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

#include <cmath>
#include <limits>

namespace {

QString storePath() {
    return qv::test::tempHome() + QStringLiteral("/prefs/defaults.sqlite");
}

} // namespace

TEST(UserDefaults, AbsentKeysReadAsTheCallersFallback) {
    UserDefaults defaults(storePath());
    EXPECT_FALSE(defaults.contains(QStringLiteral("hasSeenWelcome")));
    EXPECT_FALSE(defaults.flag(QStringLiteral("hasSeenWelcome")));
    EXPECT_TRUE(defaults.flag(QStringLiteral("hasSeenWelcome"), true));
    EXPECT_EQ(defaults.integer(QStringLiteral("streak")), 0);
    EXPECT_EQ(defaults.integer(QStringLiteral("streak"), 7), 7);
    EXPECT_EQ(defaults.doubleValue(QStringLiteral("ratio"), 0.5), 0.5);
    EXPECT_EQ(defaults.text(QStringLiteral("name"), QStringLiteral("Friend")), QStringLiteral("Friend"));
    EXPECT_FALSE(defaults.date(QStringLiteral("lastOpened")).has_value());
    EXPECT_TRUE(defaults.data(QStringLiteral("blob")).isEmpty());
    EXPECT_TRUE(defaults.textList(QStringLiteral("tags")).isEmpty());
    EXPECT_FALSE(defaults.optionalFlag(QStringLiteral("hasSeenWelcome")).has_value());
    EXPECT_FALSE(defaults.optionalInteger(QStringLiteral("streak")).has_value());
    EXPECT_FALSE(defaults.optionalText(QStringLiteral("name")).has_value());

    // Present values equal to the fallbacks are still present.
    defaults.setFlag(QStringLiteral("hasSeenWelcome"), false);
    defaults.setInteger(QStringLiteral("streak"), 0);
    defaults.setText(QStringLiteral("name"), QString());
    EXPECT_EQ(defaults.optionalFlag(QStringLiteral("hasSeenWelcome")), std::optional<bool>(false));
    EXPECT_EQ(defaults.optionalInteger(QStringLiteral("streak")), std::optional<qint64>(0));
    EXPECT_EQ(defaults.optionalText(QStringLiteral("name")), std::optional<QString>(QString()));
    EXPECT_TRUE(defaults.flag(QStringLiteral("hasSeenWelcome"), true) == false);
}

TEST(UserDefaults, EveryTypeSurvivesReopening) {
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(1'772'000'123'456);
    {
        UserDefaults defaults(storePath());
        defaults.setFlag(QStringLiteral("flag"), true);
        defaults.setInteger(QStringLiteral("big"), std::numeric_limits<qint64>::min());
        defaults.setDouble(QStringLiteral("amount"), 1234.5678);
        defaults.setText(QStringLiteral("text"), QStringLiteral("Grüße ✨ \"quoted\" 'x'"));
        defaults.setDate(QStringLiteral("when"), when);
        defaults.setData(QStringLiteral("bytes"), QByteArray("\0\1\2\xff", 4));
        defaults.setTextList(QStringLiteral("list"),
                             {QStringLiteral("a"), QString(), QStringLiteral("ü,\"")});
    }
    UserDefaults defaults(storePath());
    EXPECT_TRUE(defaults.isPersistent());
    EXPECT_EQ(defaults.count(), 7);
    EXPECT_TRUE(defaults.flag(QStringLiteral("flag")));
    EXPECT_EQ(defaults.integer(QStringLiteral("big")), std::numeric_limits<qint64>::min());
    EXPECT_EQ(defaults.doubleValue(QStringLiteral("amount")), 1234.5678);
    EXPECT_EQ(defaults.text(QStringLiteral("text")), QStringLiteral("Grüße ✨ \"quoted\" 'x'"));
    EXPECT_EQ(defaults.date(QStringLiteral("when")), std::optional<QDateTime>(when));
    EXPECT_EQ(defaults.data(QStringLiteral("bytes")), QByteArray("\0\1\2\xff", 4));
    EXPECT_EQ(defaults.textList(QStringLiteral("list")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("ü,\"")}));

    defaults.remove(QStringLiteral("flag"));
    defaults.setDate(QStringLiteral("when"), QDateTime());
    UserDefaults reopened(storePath());
    EXPECT_FALSE(reopened.contains(QStringLiteral("flag")));
    EXPECT_FALSE(reopened.contains(QStringLiteral("when")));
    EXPECT_EQ(reopened.count(), 5);
}

TEST(UserDefaults, AValueOfAnotherTypeReadsAsAbsentExceptAmongNumbers) {
    UserDefaults defaults(storePath());
    defaults.setText(QStringLiteral("lastCheckIn"), QStringLiteral("2026-03-07T09:00:00"));
    EXPECT_TRUE(defaults.contains(QStringLiteral("lastCheckIn")));
    EXPECT_FALSE(defaults.date(QStringLiteral("lastCheckIn")).has_value());
    EXPECT_EQ(defaults.integer(QStringLiteral("lastCheckIn"), -1), -1);
    EXPECT_FALSE(defaults.flag(QStringLiteral("lastCheckIn")));

    defaults.setText(QStringLiteral("count"), QStringLiteral("12"));
    EXPECT_FALSE(defaults.optionalInteger(QStringLiteral("count")).has_value());
    defaults.setInteger(QStringLiteral("count"), 12);
    EXPECT_FALSE(defaults.optionalText(QStringLiteral("count")).has_value());
    EXPECT_EQ(defaults.doubleValue(QStringLiteral("count")), 12.0);
    EXPECT_TRUE(defaults.flag(QStringLiteral("count")));

    defaults.setDouble(QStringLiteral("ratio"), -2.75);
    EXPECT_EQ(defaults.integer(QStringLiteral("ratio")), -2);
    defaults.setDouble(QStringLiteral("huge"), 1e300);
    EXPECT_EQ(defaults.integer(QStringLiteral("huge"), 5), 5);
    defaults.setDouble(QStringLiteral("nan"), std::nan(""));
    EXPECT_FALSE(defaults.flag(QStringLiteral("nan"), false));
    EXPECT_EQ(defaults.integer(QStringLiteral("nan"), 3), 3);

    defaults.setFlag(QStringLiteral("on"), true);
    EXPECT_EQ(defaults.integer(QStringLiteral("on")), 1);
    EXPECT_FALSE(defaults.textList(QStringLiteral("on")).size());
}

TEST(UserDefaults, SignalsEachRealChange) {
    UserDefaults defaults(storePath());
    QSignalSpy spy(&defaults, &UserDefaults::changed);
    defaults.setInteger(QStringLiteral("a"), 1);
    defaults.setInteger(QStringLiteral("a"), 1);
    defaults.setDouble(QStringLiteral("a"), 1.0);
    defaults.remove(QStringLiteral("a"));
    defaults.remove(QStringLiteral("a"));
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("a"));
}

TEST(UserDefaults, EachSetIsOnDiskAtOnce) {
    UserDefaults defaults(storePath());
    defaults.setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("EUR"));
    // Another connection sees the committed row while the first store stays open.
    QProcess sqlite;
    sqlite.start(
        QStringLiteral("sqlite3"),
        {storePath(), QStringLiteral("SELECT type, value FROM defaults WHERE key='financeCurrencyCode'")});
    ASSERT_TRUE(sqlite.waitForFinished(10000));
    EXPECT_EQ(sqlite.readAllStandardOutput().trimmed(), QByteArray("text|EUR"));
}

TEST(UserDefaults, AnUnreadableFileIsMovedAsideAndAnEmptyStoreUsed) {
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    QFile garbage(storePath());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, 'x'));
    garbage.close();

    Clock::setFake(QDateTime(QDate(2026, 3, 7), QTime(9, 30, 5)));
    UserDefaults defaults(storePath());
    Clock::useSystem();

    EXPECT_TRUE(defaults.isPersistent());
    EXPECT_EQ(defaults.count(), 0);
    EXPECT_EQ(defaults.movedAsidePath(), storePath() + QStringLiteral(".unreadable-20260307-093005"));
    QFile moved(defaults.movedAsidePath());
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), QByteArray(8192, 'x'));

    defaults.setFlag(QStringLiteral("works"), true);
    EXPECT_TRUE(UserDefaults(storePath()).flag(QStringLiteral("works")));
}

TEST(UserDefaults, ADatabaseOfAnotherShapeIsMovedAside) {
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
                 {storePath(), QStringLiteral("CREATE TABLE defaults (name TEXT);")});
    ASSERT_TRUE(sqlite.waitForFinished(10000));
    UserDefaults defaults(storePath());
    EXPECT_FALSE(defaults.movedAsidePath().isEmpty());
    defaults.setInteger(QStringLiteral("x"), 3);
    EXPECT_EQ(UserDefaults(storePath()).integer(QStringLiteral("x")), 3);
}

TEST(UserDefaults, TheStandardStoreFollowsTheCurrentHome) {
    UserDefaults::standard().setText(QStringLiteral("probe"), QStringLiteral("here"));
    EXPECT_TRUE(UserDefaults::standardPath().startsWith(qv::test::tempHome()));
    EXPECT_TRUE(QFileInfo::exists(UserDefaults::standardPath()));
    UserDefaults::resetStandard();
    EXPECT_EQ(UserDefaults::standard().text(QStringLiteral("probe")), QStringLiteral("here"));
    UserDefaults::resetStandard();
}
