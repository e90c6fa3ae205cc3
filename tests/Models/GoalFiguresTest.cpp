#include "ModelTestSupport.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Store/LiveFetch.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

class GoalFiguresTest : public ModelTest {
protected:
    std::shared_ptr<Goal> goalWith(int milestones, int stepsEach, int doneEach) {
        auto goal = Goal::create(context());
        for (int m = 0; m < milestones; ++m) {
            auto milestone = Milestone::create(context());
            milestone->setGoal(goal);
            milestone->setIsCompleted(m == 0);
            for (int s = 0; s < stepsEach; ++s) {
                auto step = Step::create(context());
                step->setMilestone(milestone);
                step->setIsCompleted(s < doneEach);
            }
        }
        return goal;
    }
    // A money goal with one expense put towards it.
    std::shared_ptr<Goal> moneyGoal(double target, double paid) {
        auto goal = Goal::create(context());
        goal->setNeedsMoney(true);
        goal->setTargetAmount(target);
        auto expense = Expense::create(context());
        expense->setGoalID(goal->id());
        expense->setAmount(paid);
        return goal;
    }
    GoalFigures& figures() { return GoalFigures::of(context()); }
};

TEST_F(GoalFiguresTest, SavedFiguresComeFromOnePassOverTheStoreForEveryGoal) {
    useFileStore();
    std::vector<std::shared_ptr<Goal>> goals;
    for (int i = 0; i < 10; ++i)
        goals.push_back(goalWith(i % 3 + 1, 4, i % 5));
    auto money = moneyGoal(200, 50);
    ASSERT_TRUE(context()->save());

    const int before = figures().queriesRun();
    figures().prefetchAll(); // as a sort by progress does
    for (int i = 0; i < 10; ++i) {
        const GoalFigures::Figures f = goals[size_t(i)]->figures();
        EXPECT_EQ(f.milestones, i % 3 + 1) << i;
        EXPECT_EQ(f.completedMilestones, 1) << i;
        EXPECT_EQ(f.totalSteps, 4 * (i % 3 + 1)) << i;
        EXPECT_EQ(f.completedSteps, (i % 5) * (i % 3 + 1)) << i;
    }
    EXPECT_DOUBLE_EQ(money->progressPercentage(), 0.25);
    EXPECT_EQ(figures().queriesRun() - before, 4) << "no query per goal";

    reopenFileStore();
    const auto reread = context()->fetch<Goal>(FetchRequest(Goal::entityName()));
    ASSERT_EQ(reread.size(), 11u);
    EXPECT_EQ(reread[3]->figures().totalSteps, 4 * (3 % 3 + 1));
    EXPECT_EQ(reread[3]->figures().completedSteps, 3);
}

TEST_F(GoalFiguresTest, ChosenGoalsAreReadInOnePassAndOthersStayUnread) {
    std::vector<std::shared_ptr<Goal>> goals;
    for (int i = 0; i < 5; ++i)
        goals.push_back(goalWith(i % 2 + 1, 3, i % 4));
    auto bare = Goal::create(context());
    auto money = moneyGoal(80, 20);
    ASSERT_TRUE(context()->save());

    const int before = figures().queriesRun();
    figures().prefetch({goals[0], goals[3], bare, money});
    EXPECT_EQ(figures().queriesRun() - before, 3);
    EXPECT_EQ(goals[3]->completedSteps(), 3 * 2);
    EXPECT_EQ(goals[3]->totalSteps(), 3 * 2);
    EXPECT_EQ(goals[3]->milestoneCount(), 2);
    EXPECT_EQ(goals[0]->completedSteps(), 0);
    EXPECT_EQ(bare->figures(), GoalFigures::Figures{});
    EXPECT_DOUBLE_EQ(money->progressPercentage(), 0.25);
    EXPECT_EQ(figures().queriesRun() - before, 3) << "read in the pass";
    EXPECT_EQ(goals[2]->completedSteps(), 2);
    EXPECT_EQ(figures().queriesRun() - before, 6) << "a goal left out is read on its own";

    goals[3]->milestonesArray().front()->steps().front()->setIsCompleted(false);
    ASSERT_TRUE(context()->save());
    figures().prefetch({goals[0], goals[1], goals[3]});
    EXPECT_EQ(goals[3]->completedSteps(), 3 * 2 - 1) << "a goal the save touched is read again";
}

TEST_F(GoalFiguresTest, ASaveQueriesAgainOnlyTheGoalsItTouched) {
    auto a = goalWith(1, 4, 1);
    auto b = goalWith(1, 2, 2);
    ASSERT_TRUE(context()->save());
    const int unread = figures().queriesRun();
    EXPECT_DOUBLE_EQ(a->progressPercentage(), 0.25);
    EXPECT_EQ(figures().queriesRun(), unread + 3) << "a goal shown alone is read alone";
    EXPECT_DOUBLE_EQ(b->progressPercentage(), 1.0);

    const int before = figures().queriesRun();
    a->milestonesArray().front()->steps().back()->setIsCompleted(true);
    ASSERT_TRUE(context()->save());
    EXPECT_DOUBLE_EQ(b->progressPercentage(), 1.0);
    EXPECT_EQ(figures().queriesRun(), before) << "b was not touched";
    EXPECT_DOUBLE_EQ(a->progressPercentage(), 0.5);
    EXPECT_EQ(figures().queriesRun(), before + 3);
}

TEST_F(GoalFiguresTest, UnsavedChangesAreSeenAndARollbackBringsTheSavedFiguresBack) {
    auto goal = goalWith(2, 2, 0);
    ASSERT_TRUE(context()->save());
    EXPECT_EQ(goal->completedSteps(), 0);

    auto step = goal->milestonesArray().back()->steps().front();
    step->setIsCompleted(true);
    EXPECT_EQ(goal->completedSteps(), 1) << "pending, not yet saved";
    context()->rollback();
    EXPECT_EQ(goal->completedSteps(), 0);

    context()->deleteObject(goal->milestonesArray().front());
    EXPECT_EQ(goal->milestoneCount(), 1);
    ASSERT_TRUE(context()->save());
    EXPECT_EQ(goal->milestoneCount(), 1);
    EXPECT_EQ(goal->totalSteps(), 2) << "the deleted milestone's steps went with it";
}

TEST_F(GoalFiguresTest, MoneyMovedFromOneGoalToAnotherIsCountedForTheNewOneOnly) {
    auto first = Goal::create(context());
    auto second = Goal::create(context());
    auto expense = Expense::create(context());
    expense->setGoalID(first->id());
    expense->setAmount(120);
    ASSERT_TRUE(context()->save());
    EXPECT_DOUBLE_EQ(first->financialContributed(), 120);
    EXPECT_DOUBLE_EQ(second->financialContributed(), 0);

    expense->setGoalID(second->id());
    ASSERT_TRUE(context()->save());
    EXPECT_DOUBLE_EQ(first->financialContributed(), 0);
    EXPECT_DOUBLE_EQ(second->financialContributed(), 120);

    context()->deleteObject(expense);
    ASSERT_TRUE(context()->save());
    EXPECT_DOUBLE_EQ(second->financialContributed(), 0);
}

TEST_F(GoalFiguresTest, TheActiveSummaryReadsEachGoalsProgressAsTheGoalItselfDoes) {
    useFileStore();
    goalWith(2, 3, 1);                               // a third of its steps
    goalWith(1, 2, 2);                               // every step: complete
    Goal::create(context())->setManualProgress(0.4); // no steps: its own figure
    Goal::create(context())->setManualProgress(1.0);
    auto over = Goal::create(context()); // money past its target: exactly one
    over->setNeedsMoney(true);
    over->setTargetAmount(100);
    for (double amount : {80.0, 70.0}) {
        auto expense = Expense::create(context());
        expense->setGoalID(over->id());
        expense->setAmount(amount);
    }
    auto noTarget = goalWith(1, 4, 1); // money without a target reads its steps
    noTarget->setNeedsMoney(true);
    auto nameless = Goal::create(context()); // no id: nothing can be put towards it
    nameless->setNeedsMoney(true);
    nameless->setTargetAmount(50);
    nameless->setId(std::nullopt);
    nameless->setManualProgress(0.9);
    auto achieved = goalWith(1, 1, 1);
    achieved->setIsArchived(true);
    achieved->setStreak(40);
    over->setStreak(7);
    ASSERT_TRUE(context()->save());

    auto expected = [this] {
        GoalFigures::ActiveSummary s;
        for (const auto& goal :
             context()->fetch<Goal>(GoalQueries::active(GoalQueries::Order::newestFirst))) {
            ++s.goals;
            s.completed += goal->progressPercentage() >= 1.0 ? 1 : 0;
            s.progressSum += goal->progressPercentage();
            s.bestStreak = std::max<int>(s.bestStreak, goal->streak());
        }
        return s;
    };
    auto expectSame = [](const GoalFigures::ActiveSummary& a, const GoalFigures::ActiveSummary& b) {
        EXPECT_EQ(a.goals, b.goals);
        EXPECT_EQ(a.completed, b.completed);
        EXPECT_NEAR(a.progressSum, b.progressSum, 1e-9);
        EXPECT_EQ(a.bestStreak, b.bestStreak);
    };
    const int before = figures().queriesRun();
    const GoalFigures::ActiveSummary saved = figures().activeSummary();
    EXPECT_EQ(figures().queriesRun() - before, 1) << "one query, no goal loaded";
    EXPECT_EQ(saved.goals, 7);
    EXPECT_EQ(saved.completed, 3);
    EXPECT_EQ(saved.bestStreak, 7) << "an achieved goal's streak takes no part";
    expectSame(saved, expected());

    const int kept = figures().queriesRun();
    figures().activeSummary();
    EXPECT_EQ(figures().queriesRun(), kept) << "kept while nothing it reads changed";
    auto log = DailyLog::create(context());
    log->setGoal(over);
    ASSERT_TRUE(context()->save());
    figures().activeSummary();
    EXPECT_EQ(figures().queriesRun(), kept) << "a journal entry changes none of it";

    // Unsaved changes are counted as they stand.
    achieved->setIsArchived(false);
    noTarget->setTargetAmount(10);
    expectSame(figures().activeSummary(), expected());
    EXPECT_EQ(figures().activeSummary().bestStreak, 40);
    ASSERT_TRUE(context()->save());
    expectSame(figures().activeSummary(), expected());
    EXPECT_EQ(figures().activeSummary().bestStreak, 40) << "the save read it again";
    // A rollback puts it back as it was saved.
    over->setStreak(90);
    EXPECT_EQ(figures().activeSummary().bestStreak, 90);
    context()->rollback();
    EXPECT_EQ(figures().activeSummary().bestStreak, 40);
    noTarget->milestones().front()->steps().front()->setIsCompleted(false);
    ASSERT_TRUE(context()->save());
    expectSame(figures().activeSummary(), expected());
}

TEST_F(GoalFiguresTest, ALiveListOfGoalsSpeaksUpOnlyWhenItsRowsOrTheirFiguresChange) {
    auto goal = goalWith(1, 2, 0);
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents(); // the store tells of the goal's making before the list exists
    LiveFetch list(context(), FetchRequest(Goal::entityName()),
                   {QStringLiteral("Milestone"), QStringLiteral("Step"), QStringLiteral("DailyLog")});
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 0.0); // as its row shows it
    list.setDerivedDigest(GoalFigures::digest);
    int announced = 0;
    QObject::connect(&list, &LiveFetch::changed, [&announced] { ++announced; });

    auto log = DailyLog::create(context());
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 0) << "a journal entry changes nothing the rows show";

    goal->milestonesArray().front()->steps().front()->setTitle(QStringLiteral("Renamed"));
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 0) << "neither does a step's title";

    goal->milestonesArray().front()->steps().front()->setIsCompleted(true);
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 1);

    goal->setTitle(QStringLiteral("A goal's own change is always told"));
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(announced, 2);
}

} // namespace
