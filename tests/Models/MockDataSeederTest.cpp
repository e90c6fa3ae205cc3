#include "ModelTestSupport.h"

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/MockData/MockDataSeeder.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"

namespace {

class MockDataSeederDates : public ModelTest {
protected:
    std::vector<std::shared_ptr<Goal>> goals() {
        return context()->fetch<Goal>(FetchRequest(Goal::entityName(), {}, {{Goal::Keys::createdAt, true}}));
    }
    static int highest(int, int high) { return high; }
    static int lowest(int low, int) { return low; }
};

TEST_F(MockDataSeederDates, EmptyStoreGetsTheSampleGoalsInTableOrder) {
    MockDataSeeder::seedIfNeeded(context(), highest);
    EXPECT_FALSE(context()->hasChanges());
    EXPECT_EQ(count(Goal::entityName()), 5);
    EXPECT_EQ(count(Milestone::entityName()), 19);
    EXPECT_EQ(count(Step::entityName()), 65);
    EXPECT_EQ(context()->count(FetchRequest(Step::entityName(), Key(Step::Keys::isCompleted) == true)), 46);

    const auto list = goals();
    ASSERT_EQ(list.size(), 5u);
    const std::vector<QString> titles{"Launch Personal Brand", "Run a Half Marathon",
                                      "Learn Advanced SwiftUI", "Read 12 Books This Year",
                                      "Launch Side Project"};
    const std::vector<int> total{17, 14, 10, 12, 12}, done{10, 11, 7, 9, 9}, deadline{90, 120, 60, 200, 45};
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->title(), titles[i]);
        EXPECT_EQ(list[i]->totalSteps(), total[i]);
        EXPECT_EQ(list[i]->completedSteps(), done[i]);
        EXPECT_EQ(list[i]->deadline(), Calendar::addDays(now(), deadline[i]));
        EXPECT_EQ(list[i]->createdAt(), Calendar::addDays(now(), -30));
        EXPECT_FALSE(list[i]->isArchived());
    }
    EXPECT_EQ(list[0]->wrappedMomentumState(), MomentumState::accelerating);
    EXPECT_EQ(list[4]->momentumState(), QStringLiteral("stalling"));
    EXPECT_EQ(list[4]->priority(), 3);
    EXPECT_EQ(list[3]->colorHex(), QStringLiteral("#F5C842"));

    const auto website = list[0]->milestonesArray().at(1);
    EXPECT_EQ(website->title(), QStringLiteral("Website & Portfolio"));
    std::vector<QString> steps;
    for (const auto& s : website->stepsArray()) {
        steps.push_back(*s->title());
        EXPECT_EQ(s->isCompleted(), steps.size() <= 2);
        EXPECT_EQ(s->priority(), 2);
    }
    EXPECT_EQ(steps, (std::vector<QString>{"Buy domain", "Design homepage", "Write case studies", "SEO setup",
                                           "Launch beta"}));
    EXPECT_EQ(website->stepsArray()[1]->completedAt(), Calendar::addDays(now(), -18));
    EXPECT_FALSE(website->stepsArray()[2]->completedAt().has_value());

    const auto marathon = list[1]->milestonesArray();
    EXPECT_EQ(marathon[0]->completedAt(), Calendar::addDays(now(), -30));
    EXPECT_EQ(marathon[1]->title(), QStringLiteral("5K Milestone"));
    EXPECT_EQ(marathon[1]->completedAt(), Calendar::addDays(now(), -25));
    EXPECT_FALSE(marathon[2]->completedAt().has_value());
    EXPECT_EQ(marathon[1]->completedStepsCount(), 3);
}

TEST_F(MockDataSeederDates, JournalHasOneEntryPerDrawnDayWithNotesOnTheLastThree) {
    MockDataSeeder::seedIfNeeded(context(), highest);
    for (const auto& goal : goals()) {
        const auto logs = goal->dailyLogsArray();
        ASSERT_EQ(logs.size(), 30u);
        for (std::size_t d = 0; d < logs.size(); ++d) {
            EXPECT_EQ(logs[d]->date(), Calendar::addDays(now(), -int(d)));
            EXPECT_EQ(logs[d]->createdAt(), logs[d]->date());
            EXPECT_EQ(logs[d]->moodScore(), 5);
            EXPECT_EQ(logs[d]->notes().has_value(), d < 3);
        }
        EXPECT_EQ(logs[0]->notes(), QStringLiteral("Breakthrough moment today \u2014 everything clicked."));
    }
}

TEST_F(MockDataSeederDates, ZeroDrawsSkipTheJournal) {
    MockDataSeeder::seedIfNeeded(context(), lowest);
    EXPECT_EQ(count(DailyLog::entityName()), 0);
    EXPECT_EQ(count(Goal::entityName()), 5);
}

TEST_F(MockDataSeederDates, SystemRandomStaysInRange) {
    MockDataSeeder::seedIfNeeded(context());
    for (const auto& log : context()->fetch<DailyLog>(FetchRequest(DailyLog::entityName()))) {
        EXPECT_GE(log->energyScore(), 2);
        EXPECT_LE(log->productivityScore(), 5);
    }
    EXPECT_LE(count(DailyLog::entityName()), 150);
}

TEST_F(MockDataSeederDates, AnyGoalMeansNothingIsAdded) {
    auto archived = Goal::create(context());
    archived->setIsArchived(true);
    ASSERT_TRUE(store_->save());
    MockDataSeeder::seedIfNeeded(context(), highest);
    EXPECT_EQ(count(Goal::entityName()), 1);
    EXPECT_EQ(count(Milestone::entityName()), 0);
    EXPECT_EQ(count(DailyLog::entityName()), 0);

    context()->deleteObject(archived);
    ASSERT_TRUE(store_->save());
    MockDataSeeder::seedIfNeeded(context(), highest);
    MockDataSeeder::seedIfNeeded(context(), highest);
    EXPECT_EQ(count(Goal::entityName()), 5);
}

} // namespace
