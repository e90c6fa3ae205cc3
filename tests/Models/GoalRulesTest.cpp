#include "ModelTestSupport.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"

namespace {

class GoalRules : public ModelTest {
protected:
    std::shared_ptr<Milestone> addMilestone(const std::shared_ptr<Goal>& goal, qint16 order, int steps,
                                            int completed) {
        auto milestone = Milestone::create(context());
        milestone->setOrder(order);
        milestone->setGoal(goal);
        for (int i = 0; i < steps; ++i) {
            auto step = Step::create(context());
            step->setIsCompleted(i < completed);
            step->setMilestone(milestone);
        }
        return milestone;
    }
    void addExpense(const std::optional<QUuid>& goalId, double amount) {
        auto expense = Expense::create(context());
        expense->setAmount(amount);
        expense->setGoalID(goalId);
    }
    void addLogs(const std::shared_ptr<Goal>& goal, int n, int daysAgo) {
        for (int i = 0; i < n; ++i) {
            auto log = DailyLog::create(context());
            log->setDate(Calendar::addDays(now(), -daysAgo - i));
            log->setGoal(goal);
        }
    }
};

class GoalRulesDates : public GoalRules {};

TEST_F(GoalRules, ProgressFollowsStepsOrFallsBackToManualProgress) {
    auto goal = Goal::create(context());
    EXPECT_FALSE(goal->needsMoney());
    EXPECT_EQ(goal->manualProgress(), 0.0);
    goal->setManualProgress(0.4);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.4);

    addMilestone(goal, 0, 0, 0);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.4);
    goal->setManualProgress(1.7);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 1.7);

    auto first = addMilestone(goal, 1, 3, 1);
    first->setIsCompleted(true);
    addMilestone(goal, 2, 1, 1);
    EXPECT_EQ(goal->totalSteps(), 4);
    EXPECT_EQ(goal->completedSteps(), 2);
    EXPECT_EQ(goal->completedMilestones(), 1);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.5);
}

TEST_F(GoalRules, MoneyGoalIsCappedAndIgnoresSteps) {
    auto goal = Goal::create(context());
    auto other = Goal::create(context());
    goal->setNeedsMoney(true);
    goal->setTargetAmount(1000);
    addMilestone(goal, 0, 2, 2);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.0);

    addExpense(goal->id(), 400);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.4);
    addExpense(goal->id(), 800);
    addExpense(other->id(), 5000);
    addExpense(std::nullopt, 5000);
    EXPECT_DOUBLE_EQ(goal->financialContributed(), 1200.0);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 1.0);

    ASSERT_TRUE(store_->save());
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 1.0);

    goal->setTargetAmount(0);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 1.0) << "a money goal without a target counts its steps";
}

TEST_F(GoalRules, GoalWithoutIdHasNoMoney) {
    auto goal = Goal::create(context());
    addExpense(std::nullopt, 300);
    goal->setId(std::nullopt);
    goal->setNeedsMoney(true);
    goal->setTargetAmount(100);
    EXPECT_DOUBLE_EQ(goal->financialContributed(), 0.0);
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.0);
}

TEST_F(GoalRules, MomentumCountsTheSevenNewestEntriesOfAnyAge) {
    const std::vector<std::pair<int, MomentumState>> cases{
        {0, MomentumState::stalling},     {1, MomentumState::stalling},     {2, MomentumState::coasting},
        {4, MomentumState::coasting},     {5, MomentumState::accelerating}, {6, MomentumState::accelerating},
        {10, MomentumState::accelerating}};
    for (const auto& [entries, expected] : cases) {
        auto goal = Goal::create(context());
        addLogs(goal, entries, 365);
        goal->updateMomentum();
        EXPECT_EQ(goal->wrappedMomentumState(), expected) << entries << " entries";
        EXPECT_EQ(goal->momentumState(), MomentumStates::rawValue(expected));
    }
}

TEST_F(GoalRules, UnknownMomentumReadsAsCoasting) {
    auto goal = Goal::create(context());
    EXPECT_FALSE(goal->momentumState().has_value());
    EXPECT_EQ(goal->wrappedMomentumState(), MomentumState::coasting);
    for (const char* raw : {"Accelerating", "", "stalling ", "fast"}) {
        goal->setMomentumState(QString::fromLatin1(raw));
        EXPECT_EQ(goal->wrappedMomentumState(), MomentumState::coasting) << raw;
    }
    goal->setMomentumState(QStringLiteral("stalling"));
    EXPECT_EQ(goal->wrappedMomentumState(), MomentumState::stalling);
}

TEST_F(GoalRules, OrderedViews) {
    auto goal = Goal::create(context());
    EXPECT_TRUE(goal->milestonesArray().empty());
    EXPECT_TRUE(goal->dailyLogsArray().empty());
    auto third = addMilestone(goal, 2, 0, 0);
    auto first = addMilestone(goal, 0, 0, 0);
    auto twinA = addMilestone(goal, 1, 0, 0);
    auto twinB = addMilestone(goal, 1, 0, 0);
    EXPECT_EQ(goal->milestonesArray(), (std::vector{first, twinA, twinB, third}));

    auto undated = DailyLog::create(context());
    undated->setGoal(goal);
    auto old = DailyLog::create(context());
    old->setDate(local(2025, 1, 1));
    old->setGoal(goal);
    auto recent = DailyLog::create(context());
    recent->setDate(local(2026, 3, 13));
    recent->setGoal(goal);
    EXPECT_EQ(goal->dailyLogsArray(), (std::vector{recent, old, undated}));
}

TEST_F(GoalRulesDates, DaysUntilDeadlineCountsWholeCalendarDays) {
    auto goal = Goal::create(context());
    EXPECT_FALSE(goal->daysUntilDeadline().has_value());
    EXPECT_FALSE(goal->isOverdue());

    const QDateTime n = now();
    const std::vector<std::pair<QDateTime, int>> cases{{n.addSecs(36 * 3600), 1},
                                                       {n.addSecs(-36 * 3600), -1},
                                                       {n.addSecs(3600), 0},
                                                       {Calendar::addDays(n, 1).addSecs(-60), 0},
                                                       {Calendar::addDays(n, 1), 1},
                                                       {Calendar::addDays(n, 30), 30},
                                                       {local(2026, 12, 31, 23, 59), 292},
                                                       {local(2027, 1, 1, 10, 0), 293}};
    for (const auto& [deadline, days] : cases) {
        goal->setDeadline(deadline);
        EXPECT_EQ(goal->daysUntilDeadline(), days) << deadline.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(GoalRulesDates, DeadlineAcrossDaylightSavingKeepsCalendarDays) {
    Clock::setFake(local(2026, 3, 7, 12, 0));
    auto goal = Goal::create(context());
    goal->setDeadline(local(2026, 3, 9, 11, 30));
    EXPECT_EQ(goal->daysUntilDeadline(), 1);
    goal->setDeadline(local(2026, 3, 9, 12, 0));
    EXPECT_EQ(goal->daysUntilDeadline(), 2);
    Clock::setFake(local(2026, 10, 31, 12, 0));
    goal->setDeadline(local(2026, 11, 2, 12, 0));
    EXPECT_EQ(goal->daysUntilDeadline(), 2);
}

TEST_F(GoalRulesDates, OverdueComparesWithNowUnlessDone) {
    auto goal = Goal::create(context());
    goal->setDeadline(now().addSecs(-60));
    goal->setManualProgress(0.5);
    EXPECT_TRUE(goal->isOverdue()) << "a deadline earlier today is overdue";
    goal->setManualProgress(1.0);
    EXPECT_FALSE(goal->isOverdue());
    goal->setManualProgress(0.5);
    goal->setDeadline(now().addSecs(60));
    EXPECT_FALSE(goal->isOverdue());
}

} // namespace
