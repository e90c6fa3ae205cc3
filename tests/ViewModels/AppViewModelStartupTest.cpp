#include "Models/AchievementCategory.h"
#include "Models/Goal.h"
#include "Models/JournalQueries.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Platform/NotificationCenter.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/AppStartup.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/Notifications/NotificationTimeStorage.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>

#include <memory>

// The start-up sequence of the application: the legacy wipe, the permission request and the
// deadline reminders, against a file store in the test's own data folder.

namespace {

QDateTime local(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::systemTimeZone());
}

class AppViewModelStartup : public testing::Test {
protected:
    void SetUp() override { Clock::setFake(local(2026, 3, 10, 10, 0)); }
    void TearDown() override {
        PersistenceController::resetShared();
        Clock::useSystem();
    }
    UserDefaults& defaults() { return UserDefaults::standard(); }

    std::vector<NotificationRequest> pending() {
        std::vector<NotificationRequest> out;
        bool answered = false;
        center.getPendingRequests([&](const std::vector<NotificationRequest>& list) {
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
    // Lets every queued answer of the centre arrive: they are queued calls, not timers.
    void drain() { qv::test::settle(); }

    std::shared_ptr<Goal> goalDue(ObjectContext* context, const QString& title, const QDateTime& deadline) {
        auto goal = Goal::create(context);
        goal->setTitle(title);
        goal->setDeadline(deadline);
        return goal;
    }

    NotificationCenter center;
    NotificationScheduler scheduler{&center};
};

} // namespace

TEST_F(AppViewModelStartup, LegacyWipeNeverTouchesAStoreThatAlreadyHeldRecords) {
    {
        PersistenceController first(false);
        EXPECT_TRUE(first.createdNewStore());
        Goal::create(first.viewContext())->setTitle(QStringLiteral("Mine"));
        first.save();
    }
    // The defaults were lost, the store survived: its goal is the user's own.
    PersistenceController reopened(false);
    ASSERT_FALSE(reopened.createdNewStore());
    ASSERT_FALSE(defaults().contains(QStringLiteral("mockDataWiped_v2")));
    AppStartup::clearLegacyMockDataIfNeeded(reopened);
    EXPECT_EQ(reopened.viewContext()->count(FetchRequest(Goal::entityName())), 1);
    EXPECT_TRUE(defaults().flag(QStringLiteral("mockDataWiped_v2")));
}

TEST_F(AppViewModelStartup, LegacyWipeRunsOnceOnAFreshStore) {
    PersistenceController fresh(true);
    AppStartup::clearLegacyMockDataIfNeeded(fresh);
    EXPECT_TRUE(defaults().flag(QStringLiteral("mockDataWiped_v2")));
    Goal::create(fresh.viewContext());
    fresh.save();
    AppStartup::clearLegacyMockDataIfNeeded(fresh);
    EXPECT_EQ(fresh.viewContext()->count(FetchRequest(Goal::entityName())), 1)
        << "the flag keeps it from running again";
}

TEST_F(AppViewModelStartup, StartUpSeedsTheBuiltInAchievementCategoriesOnce) {
    PersistenceController fresh(true);
    auto* context = fresh.viewContext();
    const auto builtIns = [&] {
        return context->fetch<AchievementCategory>(JournalQueries::achievementCategories());
    };
    AppStartup::run(fresh, scheduler);
    drain();
    QStringList names;
    for (const auto& category : builtIns()) {
        EXPECT_FALSE(category->isCustom());
        names << category->name().value_or(QString());
    }
    QStringList expected = AchievementsViewModel::builtInCategoryNames();
    expected.sort();
    EXPECT_EQ(names, expected) << "seeded after the wipe, so they survive it";
    EXPECT_FALSE(context->hasChanges());

    AppStartup::run(fresh, scheduler);
    drain();
    EXPECT_EQ(builtIns().size(), 7u) << "a second start finds them";
}

TEST_F(AppViewModelStartup, AlertCountComesFromTheStoredCount) {
    const QString key = QStringLiteral("deadlineNotifCount");
    EXPECT_EQ(AppStartup::deadlineNotificationCount(), 2);
    defaults().setInteger(key, 0);
    EXPECT_EQ(AppStartup::deadlineNotificationCount(), 2);
    defaults().setInteger(key, -3);
    EXPECT_EQ(AppStartup::deadlineNotificationCount(), 1);
    defaults().setInteger(key, 5);
    EXPECT_EQ(AppStartup::deadlineNotificationCount(), 5);
    defaults().setInteger(key, 4'000'000'000LL);
    EXPECT_EQ(AppStartup::deadlineNotificationCount(), AppStartup::kMaxAlertTimes);
}

TEST_F(AppViewModelStartup, RemindersAreRebuiltUnlessSwitchedOff) {
    PersistenceController store(true);
    goalDue(store.viewContext(), QStringLiteral("Late"), local(2026, 3, 9, 12, 0));
    goalDue(store.viewContext(), QStringLiteral("Soon"), local(2026, 3, 17, 10, 0));
    store.save();
    NotificationRequest other;
    other.identifier = QStringLiteral("other");
    center.add(other);
    center.add([] {
        NotificationRequest stale;
        stale.identifier = NotificationScheduler::overduePrefix() + QStringLiteral("5");
        return stale;
    }());

    // Never written: on, as the settings screen shows it; two alert times.
    AppStartup::run(store, scheduler);
    drain();
    EXPECT_EQ(pendingIDs(), (QStringList{"deadline-overdue-0", "deadline-overdue-1", "deadline-upcoming-0",
                                         "deadline-upcoming-1", "other"}));
    const auto requests = pending();
    const auto first = std::find_if(requests.begin(), requests.end(), [](const auto& r) {
        return r.identifier == QStringLiteral("deadline-overdue-0");
    });
    EXPECT_EQ(first->title, QStringLiteral("Overdue Goals (1)"));
    EXPECT_EQ(first->body, QStringLiteral("Late"));
    EXPECT_EQ(first->hour, 9);

    defaults().setFlag(QStringLiteral("enableNotifications"), false);
    AppStartup::run(store, scheduler);
    drain();
    EXPECT_EQ(pendingIDs(), (QStringList{"other"}));
}

TEST(NotificationSchedulerRules, GoalBodyListsFiveTitlesThenCountsTheRest) {
    PersistenceController store(true);
    NotificationScheduler::Goals goals;
    for (int i = 1; i <= 7; ++i) {
        auto goal = Goal::create(store.viewContext());
        if (i != 2)
            goal->setTitle(QStringLiteral("G%1").arg(i));
        goals.push_back(goal);
    }
    EXPECT_EQ(NotificationScheduler::goalBody(goals),
              QStringLiteral("G1, Untitled Goal, G3, G4, G5 +2 more"));
    goals.resize(5);
    EXPECT_EQ(NotificationScheduler::goalBody(goals), QStringLiteral("G1, Untitled Goal, G3, G4, G5"));
}

TEST(NotificationSchedulerRules, WindowIsNowToSevenCalendarDaysAhead) {
    const QDateTime now = local(2026, 3, 10, 10, 0);
    Clock::setFake(now);
    PersistenceController store(true);
    auto* ctx = store.viewContext();
    auto make = [&](const QString& title, const std::optional<QDateTime>& deadline, bool archived = false) {
        auto goal = Goal::create(ctx);
        goal->setTitle(title);
        goal->setDeadline(deadline);
        goal->setIsArchived(archived);
        return goal;
    };
    make(QStringLiteral("now"), now);
    make(QStringLiteral("edge"), now.addDays(7));
    make(QStringLiteral("after"), now.addDays(7).addSecs(1));
    make(QStringLiteral("late"), now.addSecs(-1));
    auto doneLate = make(QStringLiteral("doneLate"), now.addDays(-2));
    doneLate->setManualProgress(1);
    make(QStringLiteral("archived"), now.addDays(-2), true);
    make(QStringLiteral("noDeadline"), std::nullopt);
    ctx->save();
    const auto [overdue, upcoming] = NotificationScheduler::fetchGoals(ctx);
    auto titles = [](const NotificationScheduler::Goals& goals) {
        QStringList out;
        for (const auto& g : goals)
            out << g->title().value_or(QString());
        return out;
    };
    EXPECT_EQ(titles(overdue), (QStringList{"late"}));
    EXPECT_EQ(titles(upcoming), (QStringList{"now", "edge"}));

    const auto requests = NotificationScheduler::buildRequests({local(2026, 1, 1, 7, 45)}, overdue, {});
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].hour, 7);
    EXPECT_EQ(requests[0].minute, 45);
    Clock::useSystem();
}

TEST(NotificationTimeStorageRules, PadsFromTheDefaultsByPositionAndNeverWrites) {
    Clock::setFake(local(2026, 3, 10, 10, 0));
    QStringList hours;
    for (const QDateTime& t : NotificationTimeStorage::load(8))
        hours << t.toString(QStringLiteral("HH:mm"));
    EXPECT_EQ(hours, (QStringList{"09:00", "13:00", "18:00", "10:00", "15:00", "20:00", "09:00", "13:00"}));
    EXPECT_FALSE(UserDefaults::standard().contains(NotificationTimeStorage::key()));
    EXPECT_TRUE(NotificationTimeStorage::load(0).isEmpty());

    NotificationTimeStorage::save({local(2026, 3, 1, 7, 45)});
    const QList<QDateTime> three = NotificationTimeStorage::load(3);
    ASSERT_EQ(three.size(), 3);
    EXPECT_EQ(three[0], local(2026, 3, 1, 7, 45));
    EXPECT_EQ(three[1], local(2026, 3, 10, 13, 0));
    const QJsonArray stored =
        QJsonDocument::fromJson(UserDefaults::standard().data(NotificationTimeStorage::key())).array();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_DOUBLE_EQ(stored[0].toDouble(), local(2026, 3, 1, 7, 45).toSecsSinceEpoch() - 978307200.0);

    UserDefaults::standard().setData(NotificationTimeStorage::key(), QByteArray("[1, \"x\"]"));
    EXPECT_EQ(NotificationTimeStorage::load(1).value(0), local(2026, 3, 10, 9, 0));
    Clock::useSystem();
}
