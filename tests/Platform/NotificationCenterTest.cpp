#include "Platform/NotificationCenter.h"
#include "NotificationCenterServerStub.h"
#include "Platform/Clock.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>
#include <QVariantMap>

#include <vector>

// Delivery goes to the desktop's notification service, so every test that lets a request
// fall due runs in a child process: on a private bus of its own under dbus-run-session, or
// with no bus at all. The parent never talks to the session bus of whoever runs the tests.

namespace {

NotificationRequest request(const QString& id, int hour, int minute,
                            const QString& body = QStringLiteral("Body")) {
    NotificationRequest r;
    r.identifier = id;
    r.title = QStringLiteral("Title ") + id;
    r.body = body;
    r.hour = hour;
    r.minute = minute;
    return r;
}

QDateTime local(int y, int m, int d, int h, int min, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), QTimeZone::systemTimeZone());
}

std::vector<NotificationRequest> pendingOf(NotificationCenter& center) {
    std::vector<NotificationRequest> out;
    bool answered = false;
    center.getPendingRequests([&](const std::vector<NotificationRequest>& list) {
        out = list;
        answered = true;
    });
    EXPECT_FALSE(answered) << "answers arrive later, never from inside the call";
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 30000));
    return out;
}

class NotificationCenterTest : public testing::Test {
protected:
    void SetUp() override { Clock::setFake(local(2026, 3, 10, 8, 59, 30)); }
    void TearDown() override { Clock::useSystem(); }
};

// Runs this test program again with a filter, in the environment given; true when it passed.
bool runChild(const QString& program, const QStringList& prefix, const QString& filter,
              const QProcessEnvironment& env) {
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args = prefix;
    args << QCoreApplication::applicationFilePath() << QStringLiteral("--gtest_filter=") + filter;
    child.start(program, args);
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        ADD_FAILURE() << "the child run did not finish";
        return false;
    }
    const QString out = QString::fromLocal8Bit(child.readAll());
    const bool passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                        out.contains(QStringLiteral("[  PASSED  ]")) &&
                        !out.contains(QStringLiteral("[  SKIPPED ]"));
    if (!passed)
        ADD_FAILURE() << out.toStdString();
    return passed;
}

} // namespace

TEST_F(NotificationCenterTest, KeepsPendingRequestsAndReplacesBySameIdentifier) {
    NotificationCenter center;
    std::vector<QString> errors;
    center.add(request(QStringLiteral("a"), 9, 0), [&](const QString& e) { errors.push_back(e); });
    center.add(request(QStringLiteral("b"), 13, 30));
    NotificationRequest replacement = request(QStringLiteral("a"), 18, 15);
    replacement.title = QStringLiteral("Replaced");
    center.add(replacement, [&](const QString& e) { errors.push_back(e); });
    EXPECT_TRUE(errors.empty());

    const auto pending = pendingOf(center);
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].identifier, QStringLiteral("b"));
    EXPECT_EQ(pending[1], replacement);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[0].isEmpty());

    center.removePendingRequests({QStringLiteral("a"), QStringLiteral("unknown")});
    const auto left = pendingOf(center);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].identifier, QStringLiteral("b"));
    center.removeAllPendingRequests();
    EXPECT_TRUE(pendingOf(center).empty());
}

TEST_F(NotificationCenterTest, RefusesRequestsWithoutIdentifierOrWithImpossibleTimes) {
    NotificationCenter center;
    QStringList errors;
    center.add(request(QString(), 9, 0), [&](const QString& e) { errors << e; });
    center.add(request(QStringLiteral("late"), 24, 0), [&](const QString& e) { errors << e; });
    center.add(request(QStringLiteral("odd"), 9, -1), [&](const QString& e) { errors << e; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.size() == 3; }, 30000));
    for (const QString& e : errors)
        EXPECT_FALSE(e.isEmpty());
    EXPECT_TRUE(pendingOf(center).empty());
}

TEST_F(NotificationCenterTest, PermissionIsGrantedLater) {
    NotificationCenter center;
    int answers = 0;
    bool granted = false;
    center.requestAuthorization(NotificationCenter::alert | NotificationCenter::sound |
                                    NotificationCenter::badge,
                                [&](bool g, const QString& error) {
                                    ++answers;
                                    granted = g && error.isEmpty();
                                });
    EXPECT_EQ(answers, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers == 1; }, 30000));
    EXPECT_TRUE(granted);
}

TEST_F(NotificationCenterTest, NextDeliveryIsTheNextMatchingMinute) {
    NotificationCenter center;
    center.add(request(QStringLiteral("soon"), 9, 0));
    center.add(request(QStringLiteral("passed"), 8, 30));
    center.add(request(QStringLiteral("now"), 8, 59));
    EXPECT_EQ(center.nextDelivery(QStringLiteral("soon")), local(2026, 3, 10, 9, 0));
    EXPECT_EQ(center.nextDelivery(QStringLiteral("passed")), local(2026, 3, 11, 8, 30));
    EXPECT_EQ(center.nextDelivery(QStringLiteral("now")), local(2026, 3, 11, 8, 59));
    EXPECT_FALSE(center.nextDelivery(QStringLiteral("missing")).isValid());
}

TEST(NotificationCenterDates, DailyTimeSurvivesDaylightSavingChanges) {
    Clock::setFake(local(2026, 3, 7, 12, 0));
    NotificationCenter center;
    center.add(request(QStringLiteral("morning"), 9, 0));
    center.add(request(QStringLiteral("skipped"), 2, 30));
    // 8 March 2026 starts daylight saving in New York: 02:30 does not exist that night.
    Clock::setFake(local(2026, 3, 7, 23, 0));
    center.add(request(QStringLiteral("skipped"), 2, 30));
    const QDateTime skipped = center.nextDelivery(QStringLiteral("skipped"));
    EXPECT_EQ(skipped.date(), QDate(2026, 3, 8));
    EXPECT_GT(skipped, Clock::now());
    EXPECT_LE(Clock::now().secsTo(skipped), 5 * 3600);
    Clock::setFake(local(2026, 3, 8, 10, 0));
    center.add(request(QStringLiteral("morning"), 9, 0));
    EXPECT_EQ(center.nextDelivery(QStringLiteral("morning")), local(2026, 3, 9, 9, 0));
    EXPECT_EQ(center.nextDelivery(QStringLiteral("morning")).time(), QTime(9, 0));
    Clock::useSystem();
}

TEST(NotificationCenterBus, DeliversOnAPrivateSessionBus) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QV_NOTIFICATION_CHILD"), QStringLiteral("bus"));
    runChild(QStringLiteral("dbus-run-session"), {QStringLiteral("--")},
             QStringLiteral("NotificationCenterOnBus.*"), env);
}

TEST(NotificationCenterBus, WithoutABusNothingIsShownAndNothingFails) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QV_NOTIFICATION_CHILD"), QStringLiteral("nobus"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + qv::test::tempHome() + QStringLiteral("/no-bus-here"));
    runChild(QCoreApplication::applicationFilePath(), {}, QStringLiteral("NotificationCenterOffBus.*"), env);
}

namespace {

bool childOf(const char* kind) {
    return qgetenv("QV_NOTIFICATION_CHILD") == kind;
}

class NotificationCenterOnBus : public NotificationCenterTest {
protected:
    void SetUp() override {
        if (!childOf("bus"))
            GTEST_SKIP() << "runs inside NotificationCenterBus";
        NotificationCenterTest::SetUp();
    }
};

} // namespace

TEST_F(NotificationCenterOnBus, ShowsEachRequestAtItsMinuteEveryDay) {
    NotificationServerStub server({QStringLiteral("body")});
    ASSERT_TRUE(server.start());
    NotificationCenter center;
    QSignalSpy delivered(&center, &NotificationCenter::delivered);
    center.add(request(QStringLiteral("deadline-overdue-0"), 9, 0, QStringLiteral("Run <b>5k</b> & swim")));
    center.add(request(QStringLiteral("removed"), 9, 0));
    center.removePendingRequests({QStringLiteral("removed")});

    Clock::advance(29);
    qv::test::settle();
    EXPECT_EQ(delivered.count(), 0);
    Clock::advance(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 1; }, 30000));
    EXPECT_EQ(delivered.count(), 1);
    const auto& first = server.shown.front();
    EXPECT_EQ(first.appName, QStringLiteral("Quorvale"));
    EXPECT_EQ(first.summary, QStringLiteral("Title deadline-overdue-0"));
    EXPECT_EQ(first.body, QStringLiteral("Run <b>5k</b> & swim"))
        << "a service without markup gets the text as it is";
    EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("quorvale"));
    EXPECT_TRUE(first.hints.contains(QStringLiteral("sound-name")));

    Clock::advance(24 * 3600 - 1);
    qv::test::settle();
    EXPECT_EQ(server.shown.size(), 1u);
    Clock::advance(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 2; }, 30000));
    EXPECT_EQ(Clock::now(), local(2026, 3, 11, 9, 0));
}

TEST_F(NotificationCenterOnBus, EscapesTheBodyForAServiceThatReadsMarkup) {
    NotificationServerStub server({QStringLiteral("body"), QStringLiteral("body-markup")});
    ASSERT_TRUE(server.start());
    NotificationCenter center;
    center.add(request(QStringLiteral("x"), 9, 0, QStringLiteral("<i>x</i> & %1")));
    Clock::advance(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 1; }, 30000));
    EXPECT_EQ(server.shown.front().body, QStringLiteral("&lt;i&gt;x&lt;/i&gt; &amp; %1"));
}

TEST_F(NotificationCenterOnBus, AServiceStartedLaterShowsTheNextDelivery) {
    NotificationCenter center;
    QSignalSpy delivered(&center, &NotificationCenter::delivered);
    center.add(request(QStringLiteral("x"), 9, 0));
    Clock::advance(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return delivered.count() == 1; }, 30000));
    // The refused call comes back without harm: the bus answers in order, so once two later
    // calls of our own are answered, its refusal has arrived and been handled.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.freedesktop.DBus")));
        qv::test::settle();
    }

    NotificationServerStub server({QStringLiteral("body")});
    ASSERT_TRUE(server.start());
    Clock::advance(24 * 3600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.shown.size() == 1; }, 30000));
}

TEST(NotificationCenterOffBus, DeliversWithoutShowingAnything) {
    if (!childOf("nobus"))
        GTEST_SKIP() << "runs inside NotificationCenterBus";
    Clock::setFake(local(2026, 3, 10, 8, 59, 30));
    NotificationCenter center;
    QSignalSpy delivered(&center, &NotificationCenter::delivered);
    center.add(request(QStringLiteral("x"), 9, 0));
    Clock::advance(30);
    EXPECT_EQ(delivered.count(), 1);
    EXPECT_FALSE(QDBusConnection::sessionBus().isConnected());
    qv::test::settle();
    Clock::advance(24 * 3600);
    EXPECT_EQ(delivered.count(), 2);
    Clock::useSystem();
}
