#include "ViewModels/ProgressViewModel.h"
#include "Models/DailyLog.h"
#include "Models/Milestone.h"
#include "Models/ModelTestSupport.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <QSet>

namespace {

class ProgressViewModelDates : public FrozenClockStoreTest {
protected:
    ProgressViewModelDates()
        : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(15, 30), QTimeZone::systemTimeZone())) {}

    void log(const QDateTime& date, int productivity) {
        auto entry = DailyLog::create(context);
        entry->setDate(date);
        entry->setProductivityScore(static_cast<qint16>(productivity));
    }
    void step(const std::optional<QDateTime>& completedAt, bool completed) {
        if (!milestone)
            milestone = Milestone::create(context);
        auto s = Step::create(context);
        s->setMilestone(milestone);
        s->setIsCompleted(completed);
        s->setCompletedAt(completedAt);
    }
    QDateTime today(int h, int m = 0) const {
        return QDateTime(now.date(), QTime(h, m), QTimeZone::systemTimeZone());
    }

    std::shared_ptr<Milestone> milestone;
};

} // namespace

TEST_F(ProgressViewModelDates, WindowsHoldOneRecordPerDayOldestFirstAtNowsClockTime) {
    ProgressViewModel model(context);
    model.loadData();
    ASSERT_EQ(model.weeklyData().size(), 7u);
    ASSERT_EQ(model.monthlyData().size(), 30u);
    ASSERT_EQ(model.quarterlyData().size(), 90u);
    EXPECT_EQ(model.weeklyData().back().date, now);
    EXPECT_EQ(model.weeklyData().front().date, Calendar::addDays(now, -6));
    EXPECT_EQ(model.quarterlyData().front().date, Calendar::addDays(now, -89));
    // 8 March 2026 is a daylight-saving change in New York: days stay at the same clock time.
    for (const auto& day : model.quarterlyData()) {
        EXPECT_EQ(day.date.time(), now.time());
        EXPECT_EQ(day.logCount, 0);
        EXPECT_EQ(day.avgProductivity, 0.0);
        EXPECT_EQ(day.stepsCompleted, 0);
    }
    EXPECT_EQ(model.heatmapData().size(), 90u);

    QSet<QUuid> ids;
    for (const auto& day : model.weeklyData())
        ids.insert(day.id);
    model.loadData();
    for (const auto& day : model.weeklyData())
        EXPECT_FALSE(ids.contains(day.id)) << "every load makes new identities";
}

TEST_F(ProgressViewModelDates, DaysCountEntriesAndStepsByTheirDayRange) {
    log(today(0, 0), 3);
    log(today(23, 59), 4);
    log(Calendar::startOfDay(Calendar::addDays(now, 1)), 5); // the start of tomorrow is not today
    log(Calendar::addDays(today(12), -2), 2);
    log(Calendar::addDays(today(12), -40), 1);
    step(today(9), true);
    step(today(9), false);                        // a time but not completed
    step(std::nullopt, true);                     // completed without a time
    step(Calendar::addDays(today(8), -29), true); // the oldest day of the month
    step(Calendar::addDays(today(8), -30), true); // a day before the month
    context->save();

    ProgressViewModel model(context);
    model.loadData();
    const auto& week = model.weeklyData();
    EXPECT_EQ(week.back().logCount, 2);
    EXPECT_DOUBLE_EQ(week.back().avgProductivity, 3.5);
    EXPECT_EQ(week.back().stepsCompleted, 1);
    EXPECT_EQ(week[4].logCount, 1);
    EXPECT_DOUBLE_EQ(week[4].avgProductivity, 2.0);
    EXPECT_EQ(model.monthlyData().back().stepsCompleted, 1);
    EXPECT_EQ(model.quarterlyData().back().stepsCompleted, 1);
    EXPECT_EQ(model.monthlyData().front().stepsCompleted, 1);
    int monthSteps = 0;
    for (const auto& day : model.monthlyData())
        monthSteps += day.stepsCompleted;
    EXPECT_EQ(monthSteps, 2);
    EXPECT_EQ(model.quarterlyData()[89 - 40].logCount, 1);
    EXPECT_DOUBLE_EQ(model.heatmapData().back().intensity, 1.0) << "today is the busiest day";
}

TEST(ProgressTimeRange, RawValuesRoundTripExactly) {
    for (auto range : ProgressViewModel::allTimeRanges())
        EXPECT_EQ(ProgressViewModel::timeRangeFromRaw(ProgressViewModel::rawValue(range)), range);
    EXPECT_EQ(ProgressViewModel::rawValue(ProgressViewModel::TimeRange::quarter), QStringLiteral("Quarter"));
    EXPECT_FALSE(ProgressViewModel::timeRangeFromRaw(QStringLiteral("week")).has_value());
    EXPECT_EQ(ProgressViewModel::allTimeRanges().size(), 3u);
}
