#include "ViewModels/DailyLogViewModel.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DailyLogFixture : public FrozenClockStoreTest {
protected:
    DailyLogFixture() : FrozenClockStoreTest(at(2026, 3, 7, 15, 30)) {}

    std::shared_ptr<Goal> makeGoal(const QString& title) {
        auto goal = Goal::create(context);
        goal->setTitle(title);
        context->save(); // stored, as the journal's goals are
        return goal;
    }
    std::shared_ptr<DailyLog> makeLog(const std::shared_ptr<Goal>& goal, const std::optional<QDateTime>& date,
                                      const QDateTime& createdAt) {
        auto log = DailyLog::create(context);
        log->setGoal(goal);
        log->setDate(date);
        log->setCreatedAt(createdAt);
        return log;
    }
    static QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min, s));
    }
};

class DailyLogViewModelTest : public DailyLogFixture {};
class DailyLogViewModelDates : public DailyLogFixture {};

} // namespace

TEST_F(DailyLogViewModelTest, StartsOnTodayHoldingTodaysEntriesNewestCreatedFirst) {
    auto goal = makeGoal("Run");
    makeLog(goal, at(2026, 3, 6), at(2026, 3, 6, 9));
    auto early = makeLog(goal, at(2026, 3, 7, 20), at(2026, 3, 7, 8));
    auto late = makeLog(goal, at(2026, 3, 7), at(2026, 3, 7, 12));
    context->save();

    DailyLogViewModel model(context);
    EXPECT_EQ(model.selectedDate(), now);
    ASSERT_EQ(model.todayLogs().size(), 2u);
    EXPECT_EQ(model.todayLogs()[0], late);
    EXPECT_EQ(model.todayLogs()[1], early);

    // Changing the day is the caller's pair of steps; fetching alone leaves the day selected.
    model.fetchLogs(at(2026, 3, 6, 18));
    EXPECT_EQ(model.todayLogs().size(), 1u);
    EXPECT_EQ(model.selectedDate(), now);
}

TEST_F(DailyLogViewModelDates, DayRangeIsHalfOpenAndUndatedEntriesBelongNowhere) {
    auto goal = makeGoal("Read");
    auto midnight = makeLog(goal, at(2026, 3, 5), now);
    auto nextMidnight = makeLog(goal, at(2026, 3, 6), now);
    makeLog(goal, std::nullopt, now);
    context->save();

    DailyLogViewModel model(context);
    model.fetchLogs(at(2026, 3, 5, 23, 59, 59));
    ASSERT_EQ(model.todayLogs().size(), 1u);
    EXPECT_EQ(model.todayLogs()[0], midnight);
    model.fetchLogs(at(2026, 3, 6, 0, 0, 1));
    ASSERT_EQ(model.todayLogs().size(), 1u);
    EXPECT_EQ(model.todayLogs()[0], nextMidnight);

    EXPECT_TRUE(model.hasLogForDate(at(2026, 3, 5, 12)));
    EXPECT_FALSE(model.hasLogForDate(at(2026, 3, 4, 12)));
    EXPECT_FALSE(model.hasLogForDate(now)); // the undated entry is never counted
    EXPECT_TRUE(model.todayLogs().size() == 1u);
}

TEST_F(DailyLogViewModelDates, AddingOnAPastDayDatesTheEntryAtThatDaysStart) {
    auto goal = makeGoal("Write");
    DailyLogViewModel model(context);
    const QDateTime threeDaysBack = now.addDays(-3);
    model.setSelectedDate(threeDaysBack);
    model.addLog(goal, QString(), 4, 2, 5);

    ASSERT_EQ(model.todayLogs().size(), 1u);
    const auto log = model.todayLogs()[0];
    EXPECT_EQ(log->date(), at(2026, 3, 4));
    EXPECT_EQ(log->createdAt(), now);
    EXPECT_EQ(log->goal(), goal);
    EXPECT_EQ(log->moodScore(), 4);
    EXPECT_EQ(log->energyScore(), 2);
    EXPECT_EQ(log->productivityScore(), 5);
    EXPECT_FALSE(log->notes().has_value());
    EXPECT_FALSE(context->hasChanges());
    EXPECT_TRUE(model.hasLogForDate(threeDaysBack));
    EXPECT_FALSE(model.hasLogForDate(now));
}

TEST_F(DailyLogViewModelDates, ADayWithAClockChangeKeepsItsLateEntries) {
    // 8 March 2026 has 23 hours where clocks spring forward; 86,400 s after its start is
    // already the next day there.
    auto goal = makeGoal("Yoga");
    auto late = makeLog(goal, at(2026, 3, 8, 23, 30), now);
    makeLog(goal, at(2026, 3, 9), now);
    context->save();
    DailyLogViewModel model(context);
    model.setSelectedDate(at(2026, 3, 8, 12));
    model.fetchLogs(model.selectedDate());
    ASSERT_EQ(model.todayLogs().size(), 1u);
    EXPECT_EQ(model.todayLogs()[0], late);
    Clock::advance(60);
    model.addLog(goal, QString(), 3, 3, 3);
    EXPECT_EQ(model.todayLogs().size(), 2u);
    EXPECT_EQ(model.todayLogs()[0]->date(), at(2026, 3, 8));
}

TEST_F(DailyLogViewModelTest, NotesOfBlanksAreKeptAsTyped) {
    auto goal = makeGoal("Swim");
    DailyLogViewModel model(context);
    model.addLog(goal, "  ", 3, 3, 3);
    ASSERT_EQ(model.todayLogs().size(), 1u);
    EXPECT_EQ(model.todayLogs()[0]->notes(), QString("  "));
}

TEST_F(DailyLogViewModelTest, MomentumFollowsAdditionsAndDeletions) {
    auto goal = makeGoal("Ship");
    DailyLogViewModel model(context);
    for (int i = 0; i < 5; ++i) {
        model.setSelectedDate(now.addDays(-i));
        model.addLog(goal, QString(), 3, 3, 3);
    }
    EXPECT_EQ(goal->momentumState(), QString("accelerating"));

    for (int i = 0; i < 4; ++i) {
        model.setSelectedDate(now.addDays(-i));
        model.fetchLogs(model.selectedDate());
        ASSERT_EQ(model.todayLogs().size(), 1u);
        model.deleteLog(model.todayLogs()[0]);
        EXPECT_TRUE(model.todayLogs().empty());
        EXPECT_FALSE(model.hasLogForDate(model.selectedDate()));
    }
    EXPECT_EQ(goal->momentumState(), QString("stalling"));
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(DailyLogViewModelTest, DeletingAnEntryWithoutAGoalOrTwiceIsHarmless) {
    auto log = makeLog(nullptr, now, now);
    context->save();
    DailyLogViewModel model(context);
    ASSERT_EQ(model.todayLogs().size(), 1u);
    model.deleteLog(log);
    model.deleteLog(log);
    EXPECT_TRUE(model.todayLogs().empty());
    EXPECT_TRUE(log->isDeleted());
}
