#include "ViewModels/DailyCheckInViewModel.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalRowText.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimeZone>

#include <sqlite3.h>

#include <memory>

// The check-in against a file store, so that a restart reads back exactly what was saved.

namespace {

const QString kLastCheckIn = QStringLiteral("lastCheckInDate");

class DailyCheckInViewModelTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(19, 45), QTimeZone::systemTimeZone()));
        UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
        store = std::make_unique<PersistenceController>(false);
        app = std::make_unique<AppViewModel>();
    }
    void TearDown() override {
        app.reset();
        store.reset();
        Clock::useSystem();
    }
    ObjectContext* context() const { return store->viewContext(); }

    std::shared_ptr<Goal> goal(const QString& title, int streak = 0, int createdDaysAgo = 0) {
        auto g = Goal::create(context());
        g->setTitle(title);
        g->setStreak(streak);
        g->setCreatedAt(Clock::now().addDays(-createdDaysAgo));
        context()->save();
        return g;
    }
    std::vector<std::shared_ptr<DailyLog>> entries() {
        return context()->fetch<DailyLog>(FetchRequest(DailyLog::entityName()));
    }
    void restart() {
        app.reset();
        store.reset();
        store = std::make_unique<PersistenceController>(false);
        app = std::make_unique<AppViewModel>();
    }
    // The store file refuses new journal entries from now on, as a full disk would.
    static void refuseJournalEntries() {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(PersistenceController::defaultStorePath().toUtf8().constData(), &db),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db,
                               "CREATE TRIGGER refuse_logs BEFORE INSERT ON \"DailyLog\" "
                               "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }

    std::unique_ptr<PersistenceController> store;
    std::unique_ptr<AppViewModel> app;
};

} // namespace

TEST_F(DailyCheckInViewModelTest, SubmitWritesOneEntryPerTickedGoalAtTheStartOfToday) {
    auto run = goal(QStringLiteral("Run"), 4, 3);
    auto read = goal(QStringLiteral("Read"), 0, 2);
    auto write = goal(QStringLiteral("Write"), 9, 1);
    auto untouched = goal(QStringLiteral("Rest"), 2, 0);
    ASSERT_TRUE(app->showDailyCheckIn());
    DailyCheckInViewModel model(context(), app.get());
    ASSERT_EQ(model.goalCount(), 4);
    EXPECT_EQ(model.goalAt(0), untouched) << "newest goal first";
    EXPECT_EQ(model.rowAt(0).goalID, untouched->objectID());
    EXPECT_EQ(model.rowAt(0).title, QStringLiteral("Rest"));
    EXPECT_EQ(model.rowAt(4).goalID, 0) << "no goal past the end";
    model.setMoodScore(4);
    model.setEnergyScore(5);
    model.setNotes(QStringLiteral("  a good day "));
    for (const auto& g : {run, read, write})
        model.toggle(g);
    model.toggle(untouched);
    model.toggle(untouched);
    EXPECT_EQ(model.checkedCount(), 3);

    ASSERT_TRUE(model.submit());
    EXPECT_FALSE(app->showDailyCheckIn());
    EXPECT_EQ(UserDefaults::standard().date(kLastCheckIn), Clock::now());

    restart();
    const auto logs = entries();
    ASSERT_EQ(logs.size(), 3u);
    for (const auto& log : logs) {
        EXPECT_EQ(log->date(), QDateTime(QDate(2026, 3, 10), QTime(0, 0), QTimeZone::systemTimeZone()));
        EXPECT_EQ(log->createdAt(), Clock::now());
        EXPECT_EQ(log->moodScore(), 4);
        EXPECT_EQ(log->energyScore(), 5);
        EXPECT_EQ(log->productivityScore(), 4);
        EXPECT_EQ(log->notes(), QStringLiteral("  a good day ")) << "stored exactly as typed";
        ASSERT_TRUE(log->goal());
        EXPECT_NE(log->goal()->title(), QStringLiteral("Rest"));
    }
    auto streakOf = [&](const QString& title) {
        for (const auto& g : context()->fetch<Goal>(FetchRequest(Goal::entityName())))
            if (g->title() == title)
                return g->streak();
        return -1;
    };
    EXPECT_EQ(streakOf(QStringLiteral("Run")), 5);
    EXPECT_EQ(streakOf(QStringLiteral("Read")), 1);
    EXPECT_EQ(streakOf(QStringLiteral("Write")), 10);
    EXPECT_EQ(streakOf(QStringLiteral("Rest")), 2);
    EXPECT_FALSE(app->showDailyCheckIn()) << "a restart the same day shows no check-in";
}

TEST_F(DailyCheckInViewModelTest, ScoresAndNotesFollowTheRules) {
    EXPECT_EQ(DailyCheckInViewModel::productivityScore(3, 3), 3);
    EXPECT_EQ(DailyCheckInViewModel::productivityScore(4, 5), 4);
    EXPECT_EQ(DailyCheckInViewModel::productivityScore(1, 2), 1);
    EXPECT_EQ(DailyCheckInViewModel::productivityScore(5, 5), 5);
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(1), QStringLiteral("Drained"));
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(2), QStringLiteral("Low"));
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(3), QStringLiteral("Normal"));
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(4), QStringLiteral("High"));
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(5), QStringLiteral("Peak"));
    EXPECT_EQ(DailyCheckInViewModel::energyLabel(0), QStringLiteral("Normal"));

    auto only = goal(QStringLiteral("Only"));
    DailyCheckInViewModel model(context(), app.get());
    EXPECT_EQ(model.moodScore(), 3);
    EXPECT_EQ(model.energyScore(), 3);
    model.setNotes(QString());
    model.toggle(only);
    ASSERT_TRUE(model.submit());
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_FALSE(entries().front()->notes().has_value()) << "an empty note is stored as none";
    EXPECT_EQ(entries().front()->productivityScore(), 3);
}

TEST_F(DailyCheckInViewModelTest, ADeletedOrArchivedTickedGoalIsHandledAndNothingTickedWritesNothing) {
    auto kept = goal(QStringLiteral("Kept"));
    auto deleted = goal(QStringLiteral("Deleted"));
    auto archived = goal(QStringLiteral("Archived"));
    DailyCheckInViewModel model(context(), app.get());
    model.toggle(kept);
    model.toggle(deleted);
    model.toggle(archived);
    archived->setIsArchived(true);
    context()->deleteObject(deleted);
    context()->save();
    qv::test::settle();
    EXPECT_EQ(model.goalCount(), 1) << "the list follows the store";
    EXPECT_EQ(model.goalAt(0), kept);
    EXPECT_TRUE(model.isChecked(archived->objectID())) << "a goal that left the list keeps its tick";
    ASSERT_TRUE(model.submit());
    QStringList titles;
    for (const auto& log : entries())
        titles << log->goal()->title().value_or(QString());
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"Archived", "Kept"}));

    restart();
    DailyCheckInViewModel empty(context(), app.get());
    const int before = int(entries().size());
    ASSERT_TRUE(empty.submit());
    EXPECT_EQ(int(entries().size()), before);
    EXPECT_EQ(UserDefaults::standard().date(kLastCheckIn), Clock::now());
}

TEST_F(DailyCheckInViewModelTest, SkipWritesOnlyTheDay) {
    auto g = goal(QStringLiteral("Run"), 3);
    DailyCheckInViewModel model(context(), app.get());
    model.toggle(g);
    model.skip();
    EXPECT_FALSE(app->showDailyCheckIn());
    EXPECT_EQ(UserDefaults::standard().date(kLastCheckIn), Clock::now());
    EXPECT_FALSE(context()->hasChanges());
    restart();
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(context()->fetch<Goal>(FetchRequest(Goal::entityName())).front()->streak(), 3);
}

TEST_F(DailyCheckInViewModelTest, AFailedSaveKeepsNothingAndLeavesTheCheckInOpenWithItsChoices) {
    auto a = goal(QStringLiteral("A"), 1);
    auto b = goal(QStringLiteral("B"), 7);
    refuseJournalEntries();
    DailyCheckInViewModel model(context(), app.get());
    model.setMoodScore(5);
    model.setEnergyScore(2);
    model.setNotes(QStringLiteral("kept for another try"));
    model.toggle(a);
    model.toggle(b);
    QSignalSpy failures(&SaveFailures::shared(), &SaveFailures::saveFailed);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(model.submit());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(QString::fromStdString(printed).count(QStringLiteral("CoreData save error: ")), 1);
    EXPECT_EQ(failures.count(), 1);

    EXPECT_TRUE(app->showDailyCheckIn());
    EXPECT_FALSE(UserDefaults::standard().contains(kLastCheckIn));
    EXPECT_EQ(model.moodScore(), 5);
    EXPECT_EQ(model.energyScore(), 2);
    EXPECT_EQ(model.notes(), QStringLiteral("kept for another try"));
    EXPECT_TRUE(model.isChecked(a->objectID()) && model.isChecked(b->objectID()));
    EXPECT_EQ(a->streak(), 1) << "the streaks were rolled back in memory";
    EXPECT_EQ(b->streak(), 7);
    EXPECT_TRUE(entries().empty());
    EXPECT_FALSE(context()->hasChanges()) << "no later save can write the failed check-in";

    // Another action saves; the failed check-in must not ride along.
    a->setTitle(QStringLiteral("A renamed"));
    ASSERT_TRUE(context()->save());
    restart();
    EXPECT_TRUE(entries().empty());
    for (const auto& g : context()->fetch<Goal>(FetchRequest(Goal::entityName())))
        EXPECT_EQ(g->streak(), g->title() == QStringLiteral("B") ? 7 : 1);
    EXPECT_FALSE(UserDefaults::standard().contains(kLastCheckIn));
    EXPECT_TRUE(app->showDailyCheckIn());
}
