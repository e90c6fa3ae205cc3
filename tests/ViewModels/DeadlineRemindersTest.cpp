#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/NotificationCenter.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/Notifications/NotificationTimeStorage.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimeZone>

#include <memory>

// The reminders end to end on the fake clock: the scheduler builds the requests, a centre
// that records what it would show delivers them, and the goals change in between.

namespace {

QDateTime local(int y, int m, int d, int h, int min, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), QTimeZone::systemTimeZone());
}

struct Shown {
    QDateTime at;
    NotificationRequest request;
};

class Reminders : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(local(2026, 3, 10, 8, 0));
        store = std::make_unique<PersistenceController>(true);
        center = std::make_unique<NotificationCenter>([this](const NotificationRequest& r) {
            shown.push_back({Clock::now(), r});
        });
        scheduler = std::make_unique<NotificationScheduler>(center.get());
    }
    void TearDown() override {
        scheduler.reset();
        center.reset();
        store.reset();
        Clock::useSystem();
    }
    ObjectContext* context() const { return store->viewContext(); }

    std::shared_ptr<Goal> goal(const QString& title, const QDateTime& deadline) {
        auto g = Goal::create(context());
        g->setTitle(title);
        g->setDeadline(deadline);
        context()->save();
        return g;
    }
    std::vector<NotificationRequest> pending() {
        std::vector<NotificationRequest> out;
        bool answered = false;
        center->getPendingRequests([&](const std::vector<NotificationRequest>& list) {
            out = list;
            answered = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 30000));
        return out;
    }
    QStringList pendingIDs() {
        QStringList ids;
        for (const auto& r : pending())
            ids << r.identifier;
        ids.sort();
        return ids;
    }
    // Lets the queued answers of the centre arrive, so the reschedule is done.
    void settle() { qv::test::settle(5); }
    void rescheduleAt(std::initializer_list<QTime> times) {
        QList<QDateTime> list;
        for (const QTime& t : times)
            list << QDateTime(Clock::today(), t, QTimeZone::systemTimeZone());
        scheduler->reschedule(list, context());
        settle();
    }
    QStringList titlesShown() const {
        QStringList out;
        for (const Shown& s : shown)
            out << s.request.title;
        return out;
    }

    std::unique_ptr<PersistenceController> store;
    std::unique_ptr<NotificationCenter> center;
    std::unique_ptr<NotificationScheduler> scheduler;
    std::vector<Shown> shown;
};

class DeadlineReminders : public Reminders {};
class DeadlineRemindersDates : public Reminders {};

} // namespace

TEST_F(DeadlineReminders, RequestsCarryIdentifiersTitlesBodiesAndTriggers) {
    for (int i = 1; i <= 3; ++i)
        goal(QStringLiteral("Late %1").arg(i), Clock::now().addDays(-i));
    const auto [overdue, upcoming] = NotificationScheduler::fetchGoals(context());
    const auto requests = NotificationScheduler::buildRequests(
        {local(2026, 1, 1, 9, 0), local(2025, 6, 1, 18, 30)}, overdue, upcoming);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].identifier, QStringLiteral("deadline-overdue-0"));
    EXPECT_EQ(requests[1].identifier, QStringLiteral("deadline-overdue-1"));
    EXPECT_EQ(requests[0].title, QStringLiteral("Overdue Goals (3)"));
    EXPECT_EQ(requests[0].body, QStringLiteral("Late 3, Late 2, Late 1"));
    EXPECT_EQ(requests[1].hour, 18);
    EXPECT_EQ(requests[1].minute, 30);
    EXPECT_TRUE(requests[0].playsSound);
    EXPECT_TRUE(NotificationScheduler::buildRequests({local(2026, 1, 1, 9, 0)}, {}, {}).empty());
}

TEST_F(DeadlineReminders, OnlyUnfinishedPastAndNearDeadlinesCountWhateverTheirProgressIsMadeOf) {
    // Past deadlines: steps all done, steps half done, money reached, money short.
    auto stepsDone = goal(QStringLiteral("Steps done"), Clock::now().addDays(-2));
    auto stepsHalf = goal(QStringLiteral("Steps half"), Clock::now().addDays(-3));
    for (const auto& [g, done] : {std::pair{stepsDone, 2}, std::pair{stepsHalf, 1}}) {
        auto milestone = Milestone::create(context());
        milestone->setGoal(g);
        for (int i = 0; i < 2; ++i) {
            auto step = Step::create(context());
            step->setMilestone(milestone);
            step->setIsCompleted(i < done);
        }
    }
    auto paid = goal(QStringLiteral("Paid"), Clock::now().addDays(-4));
    auto shortOfIt = goal(QStringLiteral("Short"), Clock::now().addDays(-5));
    for (const auto& g : {paid, shortOfIt}) {
        g->setNeedsMoney(true);
        g->setTargetAmount(100);
        auto expense = Expense::create(context());
        expense->setGoalID(g->id());
        expense->setAmount(g == paid ? 100 : 60);
    }
    goal(QStringLiteral("Next week"), Clock::now().addDays(6));
    goal(QStringLiteral("Next month"), Clock::now().addDays(30));
    ASSERT_TRUE(context()->save());
    const auto [overdue, upcoming] = NotificationScheduler::fetchGoals(context());
    QStringList titles;
    for (const auto& g : overdue)
        titles << g->title().value_or(QString());
    EXPECT_EQ(titles, (QStringList{"Short", "Steps half"}));
    ASSERT_EQ(upcoming.size(), 1u);
    EXPECT_EQ(upcoming.front()->title(), QStringLiteral("Next week"));
}

TEST_F(DeadlineReminders, AReminderCountsTheGoalsAsTheyStandWhenShown) {
    std::vector<std::shared_ptr<Goal>> late;
    for (int i = 1; i <= 3; ++i)
        late.push_back(goal(QStringLiteral("Late %1").arg(i), Clock::now().addDays(-i)));
    auto soon = goal(QStringLiteral("Soon"), local(2026, 3, 12, 8, 0));
    rescheduleAt({QTime(9, 0)});
    EXPECT_EQ(pendingIDs(), (QStringList{"deadline-overdue-0", "deadline-upcoming-0"}));

    Clock::advance(3600);
    EXPECT_EQ(titlesShown(), (QStringList{"Overdue Goals (3)", "Deadlines in 7 days (1)"}));
    EXPECT_EQ(shown.front().at, local(2026, 3, 10, 9, 0));

    // The late goals are done: the next day's reminder does not repeat "Overdue Goals (3)".
    for (const auto& g : late)
        g->setManualProgress(1.0);
    context()->save();
    shown.clear();
    Clock::advance(24 * 3600);
    EXPECT_EQ(titlesShown(), (QStringList{"Deadlines in 7 days (1)"}));

    // Soon passed its deadline at 08:00 on the 12th while the application ran.
    shown.clear();
    Clock::advance(24 * 3600);
    ASSERT_EQ(titlesShown(), (QStringList{"Overdue Goals (1)"}));
    EXPECT_EQ(shown.front().request.body, QStringLiteral("Soon"));
    EXPECT_EQ(shown.front().request.identifier, QStringLiteral("deadline-overdue-0"));
    EXPECT_EQ(soon->progressPercentage(), 0.0);
}

TEST_F(DeadlineReminders, AListThatFillsAfterTheRebuildIsStillReminded) {
    rescheduleAt({QTime(9, 0), QTime(18, 0)});
    EXPECT_EQ(pendingIDs().size(), 4) << "both identifiers wait at each time";
    for (const auto& r : pending())
        EXPECT_TRUE(r.title.isEmpty()) << "nothing to say yet";
    Clock::advance(3600);
    EXPECT_TRUE(shown.empty()) << "an empty list shows nothing";

    goal(QStringLiteral("Tax return"), local(2026, 3, 11, 12, 0));
    Clock::advance(9 * 3600);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].request.identifier, QStringLiteral("deadline-upcoming-1"));
    EXPECT_EQ(shown[0].request.title, QStringLiteral("Deadlines in 7 days (1)"));
    EXPECT_EQ(shown[0].at, local(2026, 3, 10, 18, 0));
}

TEST_F(DeadlineReminders, SwitchCountAndTimesApplyAtOnce) {
    goal(QStringLiteral("Late"), Clock::now().addDays(-1));
    NotificationRequest other;
    other.identifier = QStringLiteral("other");
    center->add(other);
    EXPECT_TRUE(NotificationScheduler::remindersEnabled()) << "never written reads as on";
    scheduler->applySettings(context());
    settle();
    EXPECT_EQ(pendingIDs(), (QStringList{"deadline-overdue-0", "deadline-overdue-1", "deadline-upcoming-0",
                                         "deadline-upcoming-1", "other"}));

    scheduler->setRemindersEnabled(false, context());
    EXPECT_EQ(pendingIDs(), (QStringList{"other"})) << "switching off removes them at once";
    EXPECT_FALSE(UserDefaults::standard().flag(QStringLiteral("enableNotifications"), true));

    scheduler->setRemindersEnabled(true, context());
    scheduler->setAlertCount(3, context());
    settle();
    EXPECT_EQ(NotificationScheduler::alertCount(), 3);
    EXPECT_EQ(NotificationTimeStorage::load(3).size(), 3);
    EXPECT_EQ(pendingIDs().size(), 7);
    scheduler->setAlertTime(2, local(2026, 1, 1, 7, 45), context());
    settle();
    for (const auto& r : pending())
        if (r.identifier.endsWith(QLatin1Char('2'))) {
            EXPECT_EQ(QTime(r.hour, r.minute), QTime(7, 45));
        }

    scheduler->setAlertCount(1, context());
    settle();
    EXPECT_EQ(pendingIDs(), (QStringList{"deadline-overdue-0", "deadline-upcoming-0", "other"}));
}

TEST_F(DeadlineReminders, ANewerRescheduleSupersedesOneInFlight) {
    goal(QStringLiteral("Late"), Clock::now().addDays(-1));
    scheduler->reschedule({local(2026, 3, 10, 9, 0), local(2026, 3, 10, 10, 0), local(2026, 3, 10, 11, 0)},
                          context());
    scheduler->reschedule({local(2026, 3, 10, 12, 0)}, context());
    settle();
    EXPECT_EQ(pendingIDs(), (QStringList{"deadline-overdue-0", "deadline-upcoming-0"}));
    for (const auto& r : pending())
        EXPECT_EQ(r.hour, 12);

    scheduler->reschedule({local(2026, 3, 10, 9, 0)}, context());
    scheduler->setRemindersEnabled(false, context());
    settle();
    EXPECT_TRUE(pendingIDs().isEmpty()) << "the switch turned off wins over the reschedule in flight";
}

TEST_F(DeadlineRemindersDates, OnceADayAcrossMidnightAndASuspend) {
    goal(QStringLiteral("Late"), Clock::now().addDays(-1));
    rescheduleAt({QTime(23, 59), QTime(9, 0)});
    Clock::advance(16 * 3600); // to 00:00 on the 11th
    QStringList times;
    for (const Shown& s : shown)
        times << s.at.toString(QStringLiteral("dd HH:mm"));
    EXPECT_EQ(times, (QStringList{"10 09:00", "10 23:59"}));

    // Asleep from 08:00 on the 11th to 10:30 on the 13th: the 13th's 09:00 is shown once on
    // waking; the 11th and the 12th are not replayed.
    shown.clear();
    Clock::advance(8 * 3600);
    Clock::setFake(local(2026, 3, 13, 10, 30));
    Clock::advance(1);
    times.clear();
    for (const Shown& s : shown)
        times << s.at.toString(QStringLiteral("dd HH:mm")) + QLatin1Char(' ') + s.request.identifier;
    EXPECT_EQ(times, (QStringList{"13 10:30 deadline-overdue-1"}));
    shown.clear();
    Clock::advance(14 * 3600);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].at, local(2026, 3, 13, 23, 59));

    // The clock set back an hour after the 13th's 23:59: not shown again that day.
    shown.clear();
    Clock::setFake(local(2026, 3, 13, 23, 0));
    Clock::advance(2 * 3600);
    EXPECT_TRUE(shown.empty());
}

TEST_F(DeadlineRemindersDates, ClockChangesNeitherSkipNorRepeatAReminder) {
    // In New York 8 March 2026 skips 02:00 to 03:00 and 1 November 2026 repeats 01:00 to 02:00.
    Clock::setFake(local(2026, 3, 7, 12, 0));
    goal(QStringLiteral("Late"), Clock::now().addDays(-1));
    rescheduleAt({QTime(2, 30)});
    Clock::advance(40 * 3600);
    std::vector<QDateTime> at;
    for (const Shown& s : shown)
        if (s.request.identifier == QStringLiteral("deadline-overdue-0"))
            at.push_back(s.at);
    ASSERT_EQ(at.size(), 2u) << "the 8th and the 9th";
    EXPECT_EQ(at[0].date(), QDate(2026, 3, 8));
    EXPECT_GE(at[0].time(), QTime(2, 30));
    EXPECT_LE(at[0].time(), QTime(3, 0)) << "the first valid minute after a skipped time";
    EXPECT_EQ(at[1], local(2026, 3, 9, 2, 30));

    shown.clear();
    Clock::setFake(local(2026, 10, 31, 12, 0));
    rescheduleAt({QTime(1, 30)});
    Clock::advance(24 * 3600);
    ASSERT_EQ(shown.size(), 1u) << "once on a night that repeats the hour";
    EXPECT_EQ(shown[0].at.toLocalTime().time(), QTime(1, 30));
}
