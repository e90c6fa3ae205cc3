// A save refused by a full store: every action is rolled back whole, in memory and on disk,
// the failure is printed and announced, and no later save writes any of it.

#include "Models/Achievement.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Models/Subscription.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/CreateGoalViewModel.h"
#include "ViewModels/DailyLogViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/PaymentMethods.h"
#include "ViewModels/GoalDetailViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/LinksViewModel.h"
#include "ViewModels/SettingsViewModel.h"
#include "ViewModels/TaskBoardViewModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <SQLiteCpp/Database.h>

#include <sqlite3.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

class FailedSave : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(false);
        context = store->viewContext();
        goal = Goal::create(context);
        goal->setTitle(QStringLiteral("Run a marathon"));
        goal->setMomentumState(QStringLiteral("coasting"));
        milestone = Milestone::create(context);
        milestone->setGoal(goal);
        step = Step::create(context);
        step->setTitle(QStringLiteral("Buy shoes"));
        step->setMilestone(milestone);
        ASSERT_TRUE(context->save());
    }
    void TearDown() override {
        store.reset();
        Clock::useSystem();
    }

    // What another reader of the file sees, past anything held in memory.
    int onDisk(const QString& sql) {
        SQLite::Database db(PersistenceController::defaultStorePath().toStdString(), SQLite::OPEN_READONLY);
        return db.execAndGet(sql.toStdString()).getInt();
    }
    int count(const QString& entity) { return context->count(FetchRequest(entity)); }

    // Runs action against a full store and checks what every failed save must do.
    template <typename Action> void failsCleanly(Action action) {
        qv::test::fillStore(*context);
        QSignalSpy alerts(&SaveFailures::shared(), &SaveFailures::saveFailed);
        testing::internal::CaptureStdout();
        const bool result = action();
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_FALSE(result);
        EXPECT_NE(printed.find("CoreData save error: "), std::string::npos) << printed;
        ASSERT_EQ(alerts.count(), 1);
        EXPECT_EQ(alerts.front().front().toString(), QStringLiteral("Couldn't save: the disk is full"));
        EXPECT_FALSE(context->hasChanges()) << "the action was rolled back whole";
        qv::test::freeStore(*context);
    }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    std::shared_ptr<Goal> goal;
    std::shared_ptr<Milestone> milestone;
    std::shared_ptr<Step> step;
};

TEST_F(FailedSave, AnActionLeftWithoutItsCommitLeavesNothingForTheNextSave) {
    const auto halfMade = [&](bool giveUp) {
        ActionGuard action(*context);
        step->setTitle(QStringLiteral("Buy better shoes"));
        Goal::create(context)->setTitle(QStringLiteral("Swim"));
        if (giveUp)
            return false; // an early return: nothing of the action stays
        return action.commit();
    };
    EXPECT_FALSE(halfMade(true));
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(step->title(), QStringLiteral("Buy shoes"));
    ASSERT_TRUE(context->save());
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal")), 1);

    EXPECT_TRUE(halfMade(false));
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal")), 2);
    failsCleanly([&] { return halfMade(false); });
    EXPECT_EQ(step->title(), QStringLiteral("Buy better shoes"))
        << "the failed action is undone, the saved one kept";
}

TEST_F(FailedSave, NewGoalLeavesNoTraceAndTheFormKeepsItsTextForAnotherTry) {
    GoalsViewModel goals(context);
    CreateGoalViewModel form(&goals, nullptr);
    form.setTitle(QStringLiteral("Learn Portuguese"));
    form.setNotes(QStringLiteral("Thirty minutes a day"));
    failsCleanly([&] { return form.confirm() != nullptr; });
    EXPECT_EQ(count(QStringLiteral("Goal")), 1);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal")), 1);
    EXPECT_EQ(form.title(), QStringLiteral("Learn Portuguese"));
    EXPECT_EQ(form.notes(), QStringLiteral("Thirty minutes a day"));

    // Once there is room again, the same form goes through.
    ASSERT_NE(form.confirm(), nullptr);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal WHERE title = 'Learn Portuguese'")), 1);
}

TEST_F(FailedSave, EditedGoalGoesBackToWhatIsStored) {
    GoalsViewModel goals(context);
    CreateGoalViewModel form(&goals, goal);
    form.setTitle(QStringLiteral("Run two marathons"));
    failsCleanly([&] { return form.confirm() != nullptr; });
    EXPECT_EQ(goal->title(), QStringLiteral("Run a marathon"));
    EXPECT_EQ(form.title(), QStringLiteral("Run two marathons"));
}

TEST_F(FailedSave, GoalListWritesAreUndone) {
    GoalsViewModel goals(context);
    failsCleanly([&] { return goals.deleteGoal(goal); });
    EXPECT_FALSE(goal->isDeleted());
    EXPECT_FALSE(step->isDeleted()) << "the cascade is undone with it";
    EXPECT_EQ(count(QStringLiteral("Step")), 1);
    failsCleanly([&] { return goals.achieveGoal(goal); });
    EXPECT_FALSE(goal->isArchived());
    EXPECT_EQ(goals.archivedGoals().size(), 0u);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal WHERE isArchived = 0")), 1);
}

TEST_F(FailedSave, JournalEntryAndItsMomentumAreUndoneTogether) {
    DailyLogViewModel journal(context);
    failsCleanly([&] { return journal.addLog(goal, QStringLiteral("Ran 5 km"), 4, 4, 4); });
    EXPECT_TRUE(journal.todayLogs().empty());
    EXPECT_EQ(count(QStringLiteral("DailyLog")), 0);
    EXPECT_EQ(goal->momentumState(), QStringLiteral("coasting"));
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM DailyLog")), 0);

    ASSERT_TRUE(journal.addLog(goal, QStringLiteral("Ran 5 km"), 4, 4, 4));
    EXPECT_EQ(goal->momentumState(), QStringLiteral("stalling"));
    EXPECT_FALSE(context->hasChanges()) << "entry and momentum are saved once, together";
    failsCleanly([&] { return journal.deleteLog(journal.todayLogs().front()); });
    EXPECT_EQ(journal.todayLogs().size(), 1u);
}

TEST_F(FailedSave, TickThatCompletesAMilestoneIsUndoneWithoutCelebrating) {
    GoalDetailViewModel detail(goal, context);
    QSignalSpy confetti(&detail, &GoalDetailViewModel::showConfettiChanged);
    failsCleanly([&] { return detail.toggleStep(step); });
    EXPECT_FALSE(step->isCompleted());
    EXPECT_FALSE(milestone->isCompleted());
    EXPECT_EQ(confetti.count(), 0);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Step WHERE isCompleted = 1")), 0);

    ASSERT_TRUE(detail.toggleStep(step));
    EXPECT_TRUE(milestone->isCompleted());
    EXPECT_TRUE(detail.showConfetti());
}

TEST_F(FailedSave, NoLaterSaveWritesAFailedChange) {
    GoalDetailViewModel detail(goal, context);
    failsCleanly([&] { return detail.adjustManualProgress(0.25); });
    EXPECT_DOUBLE_EQ(goal->manualProgress(), 0.0);
    ASSERT_TRUE(
        detail.addStep(QStringLiteral("Stretch"), std::nullopt, 2, StepInputType::checkbox, milestone));
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal WHERE manualProgress > 0")), 0);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Step")), 2);

    failsCleanly(
        [&] { return detail.addMilestone(QStringLiteral("Weekly"), MilestoneFrequency::weekly, {}); });
    failsCleanly([&] { return detail.deleteMilestone(milestone); });
    EXPECT_EQ(count(QStringLiteral("Milestone")), 1);
    EXPECT_EQ(count(QStringLiteral("Step")), 2);
}

TEST_F(FailedSave, AchievementsAndCategoriesAreNotKept) {
    AchievementsViewModel achievements(context);
    const std::size_t categories = achievements.categories().size();
    failsCleanly([&] {
        return achievements.add(QStringLiteral("First 10k"), kNow, QStringLiteral("🏃"), nullptr, QString());
    });
    EXPECT_TRUE(achievements.achievements().empty());
    failsCleanly([&] { return achievements.addCategory(QStringLiteral("Running")) != nullptr; });
    EXPECT_EQ(achievements.categories().size(), categories);
}

TEST_F(FailedSave, BoardTickIsUndone) {
    TaskBoardViewModel board(context);
    failsCleanly([&] { return board.toggleStep(step); });
    EXPECT_FALSE(step->isCompleted());
    EXPECT_TRUE(board.completedSteps().empty());
}

TEST_F(FailedSave, CardsAndSubscriptionsAreNotKept) {
    CommitmentsViewModel commitments(context);
    failsCleanly([&] { return commitments.addCreditCard(QStringLiteral("Travel"), 25, 15); });
    EXPECT_TRUE(commitments.creditCards().empty());
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM CreditCard")), 0);

    const auto subscribe = [&] {
        return commitments.addSubscription(QStringLiteral("Music"), 9.99, Subscription::monthly, kNow,
                                           PaymentMethods::debit, std::nullopt);
    };
    failsCleanly(subscribe);
    EXPECT_TRUE(commitments.subscriptions().empty());
    EXPECT_EQ(count(QStringLiteral("Expense")), 0) << "nor the expense booked with it";

    ASSERT_TRUE(subscribe());
    ASSERT_EQ(commitments.subscriptions().size(), 1u);
    const auto subscription = commitments.subscriptions().front();
    failsCleanly([&] { return commitments.toggleSubscriptionStatus(subscription); });
    EXPECT_TRUE(subscription->isActive());
    failsCleanly([&] { return commitments.deleteSubscription(subscription); });
    EXPECT_EQ(commitments.subscriptions().size(), 1u);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Subscription WHERE status = 'active'")), 1);
}

TEST_F(FailedSave, LinksAreNotKeptNorWrittenByTheNextSave) {
    LinksViewModel links(context);
    ASSERT_TRUE(
        links.addLink(QStringLiteral("Kept"), QStringLiteral("https://example.org"), QStringLiteral("Work")));
    qv::test::settle();
    const auto kept = links.links().front();
    failsCleanly(
        [&] { return links.addLink(QStringLiteral("Lost"), QStringLiteral("https://example.org"), {}); });
    failsCleanly([&] {
        return links.updateLink(kept, QStringLiteral("Renamed"), QStringLiteral("x"),
                                QStringLiteral("Other"));
    });
    failsCleanly([&] { return links.deleteLink(kept); });
    qv::test::settle();
    EXPECT_EQ(links.linkCount(), 1);
    EXPECT_EQ(kept->title(), QStringLiteral("Kept"));
    EXPECT_EQ(links.categoryNames(), QStringList{QStringLiteral("Work")});

    ASSERT_TRUE(links.addLink(QStringLiteral("Next"), QStringLiteral("https://example.com"), {}));
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM LinkItem")), 2);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM LinkItem WHERE title = 'Kept'")), 1);
}

TEST_F(FailedSave, ResetOfAllDataIsAllOrNothing) {
    DailyLogViewModel journal(context);
    ASSERT_TRUE(journal.addLog(goal, QStringLiteral("Ran 5 km"), 4, 4, 4));
    const auto refuseStepDeletion = [](bool refuse) {
        SQLite::Database db(PersistenceController::defaultStorePath().toStdString(), SQLite::OPEN_READWRITE);
        db.exec(
            refuse
                ? "CREATE TRIGGER refuseStep BEFORE DELETE ON Step BEGIN SELECT RAISE(ABORT, 'refused'); END"
                : "DROP TRIGGER refuseStep");
    };
    refuseStepDeletion(true);
    SettingsViewModel settings(context, nullptr);
    QSignalSpy alerts(&SaveFailures::shared(), &SaveFailures::saveFailed);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(settings.resetAllData());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("CoreData save error: "), std::string::npos) << printed;
    EXPECT_EQ(alerts.count(), 1);
    EXPECT_FALSE(context->hasChanges());
    // The goal, its milestone and the journal entry go no more than the step the store kept.
    for (const char* entity : {"Goal", "Milestone", "Step", "DailyLog"}) {
        EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(entity))), 1) << entity;
        EXPECT_EQ(count(QLatin1String(entity)), 1) << entity;
    }
    EXPECT_FALSE(goal->isDeleted());

    refuseStepDeletion(false);
    EXPECT_TRUE(settings.resetAllData());
    for (const char* entity : {"Goal", "Milestone", "Step", "DailyLog"})
        EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(entity))), 0) << entity;
}

TEST_F(FailedSave, DeleteAllIsAllOrNothing) {
    qv::test::fillStore(*context);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(store->deleteAllData());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("CoreData save error: "), std::string::npos);
    qv::test::freeStore(*context);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal")), 1);
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Step")), 1);
    EXPECT_TRUE(store->deleteAllData());
    EXPECT_EQ(onDisk(QStringLiteral("SELECT count(*) FROM Goal")), 0);
}

TEST(SaveFailureMessages, TheResultCodeNamesTheReason) {
    EXPECT_EQ(SaveFailures::messageFor(QStringLiteral("database or disk is full"), SQLITE_FULL),
              QStringLiteral("Couldn't save: the disk is full"));
    EXPECT_EQ(SaveFailures::messageFor(QStringLiteral("x"), SQLITE_IOERR | (4 << 8)),
              QStringLiteral("Couldn't save: the disk could not be written"));
    EXPECT_EQ(SaveFailures::messageFor(QStringLiteral("database disk image is malformed"), SQLITE_CORRUPT),
              QStringLiteral("Couldn't save: the store is damaged"));
    EXPECT_EQ(SaveFailures::messageFor(QStringLiteral("attempt to write a readonly database")),
              QStringLiteral("Couldn't save: the store is read-only"));
    EXPECT_EQ(SaveFailures::messageFor(QString()), QStringLiteral("Couldn't save: an unknown error"));
}

} // namespace
