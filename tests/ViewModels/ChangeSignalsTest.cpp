// Screens redraw on their view models' change signals: a signal missing leaves a stale
// screen, a signal too many (or one on a no-op) redraws for nothing. Each change here must
// announce itself exactly once, to the lists it concerns.

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/Milestone.h"
#include "Models/ModelTestSupport.h"
#include "Models/Step.h"
#include "ViewModels/DailyLogViewModel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/SidebarViewModel.h"
#include "ViewModels/TaskBoardViewModel.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <cmath>
#include <initializer_list>

namespace {

class ChangeSignals : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        reading = Goal::create(context());
        reading->setTitle(QStringLiteral("Read"));
        auto milestone = Milestone::create(context());
        milestone->setGoal(reading);
        step = Step::create(context());
        step->setMilestone(milestone);
        bike = Goal::create(context());
        bike->setTitle(QStringLiteral("Bike"));
        bike->setNeedsMoney(true);
        bike->setTargetAmount(400);
        ASSERT_TRUE(context()->save());
    }

    // Every spy's count since the last call, then all cleared.
    static std::vector<int> taken(std::initializer_list<QSignalSpy*> spies) {
        QCoreApplication::processEvents();
        std::vector<int> counts;
        for (QSignalSpy* spy : spies) {
            counts.push_back(int(spy->count()));
            spy->clear();
        }
        return counts;
    }

    ExpenseDraft expense(double amount, std::optional<QUuid> goal) const {
        ExpenseDraft d;
        d.title = QStringLiteral("Helmet");
        d.amount = amount;
        d.date = now();
        d.expenseType = CashFlowViewModel::fixedType;
        d.paymentMethod = QStringLiteral("debit");
        d.goalID = goal;
        return d;
    }

    std::shared_ptr<Goal> reading;
    std::shared_ptr<Goal> bike;
    std::shared_ptr<Step> step;
};

} // namespace

TEST_F(ChangeSignals, GoalListsAnnounceEachChangeOnceAndNothingElse) {
    GoalsViewModel goals(context());
    (void)goals.activeGoals();
    SidebarViewModel sidebar(context());
    CashFlowViewModel cashFlow(context());
    TaskBoardViewModel board(context());
    QSignalSpy goalsChanged(&goals, &GoalsViewModel::goalsChanged);
    QSignalSpy sidebarChanged(&sidebar, &SidebarViewModel::goalsChanged);
    QSignalSpy moneyGoalsChanged(&cashFlow, &CashFlowViewModel::moneyGoalsChanged);
    QSignalSpy monthChanged(&cashFlow, &CashFlowViewModel::changed);
    const auto all = {&goalsChanged, &sidebarChanged, &moneyGoalsChanged, &monthChanged};

    // The lists' figures, read as their screens read them.
    for (const auto& goal : {reading, bike})
        (void)GoalFigures::of(context()).figures(*goal);

    ASSERT_TRUE(board.toggleStep(step));
    QCoreApplication::processEvents();
    moneyGoalsChanged.clear(); // ticking writes the goal itself, which any list of goals redraws
    EXPECT_EQ(taken(all), (std::vector<int>{1, 1, 0, 0})) << "a step ticked: the goal lists, once";

    for (double amount : {100.0, 50.0}) {
        SCOPED_TRACE(amount);
        ASSERT_TRUE(cashFlow.addExpense(expense(amount, bike->id())));
        EXPECT_EQ(taken(all), (std::vector<int>{1, 1, 0, 1})) << "an expense towards a goal";
        for (const auto& goal : {reading, bike})
            (void)GoalFigures::of(context()).figures(*goal);
    }

    ASSERT_TRUE(cashFlow.addExpense(expense(30, std::nullopt)));
    EXPECT_EQ(taken(all), (std::vector<int>{0, 0, 0, 1}))
        << "an expense towards no goal shows in no goal list";

    EXPECT_FALSE(cashFlow.addExpense(expense(std::nan(""), bike->id())));
    EXPECT_TRUE(context()->save());
    EXPECT_EQ(taken(all), (std::vector<int>{0, 0, 0, 0})) << "a refused draft and an empty save: nothing";
}

TEST_F(ChangeSignals, SettersAnnounceARealChangeOnly) {
    GoalsViewModel goals(context());
    QSignalSpy filter(&goals, &GoalsViewModel::filterCategoryChanged);
    QSignalSpy sort(&goals, &GoalsViewModel::sortOrderChanged);
    QSignalSpy search(&goals, &GoalsViewModel::searchTextChanged);
    QSignalSpy create(&goals, &GoalsViewModel::showCreateGoalChanged);
    for (int round = 0; round < 2; ++round) {
        goals.setFilterCategory(QStringLiteral("Health"));
        goals.setSortOrder(GoalsViewModel::SortOrder::progress);
        goals.setSearchText(QStringLiteral("run"));
        goals.setShowCreateGoal(true);
    }
    EXPECT_EQ(taken({&filter, &sort, &search, &create}), (std::vector<int>{1, 1, 1, 1}));

    DailyLogViewModel journal(context());
    QSignalSpy day(&journal, &DailyLogViewModel::selectedDateChanged);
    QSignalSpy entries(&journal, &DailyLogViewModel::todayLogsChanged);
    journal.setSelectedDate(journal.selectedDate());
    EXPECT_EQ(taken({&day, &entries}), (std::vector<int>{0, 0})) << "the same day again";
    journal.setSelectedDate(now().addDays(-1));
    journal.setSelectedDate(now().addDays(-1));
    EXPECT_EQ(taken({&day, &entries}), (std::vector<int>{1, 0}));

    ASSERT_TRUE(journal.addLog(reading, QStringLiteral("Chapter 3"), 3, 3, 3));
    EXPECT_EQ(taken({&day, &entries}), (std::vector<int>{0, 1})) << "a new entry: the list, once";
    EXPECT_FALSE(journal.deleteLog(nullptr));
    EXPECT_EQ(taken({&day, &entries}), (std::vector<int>{0, 0})) << "nothing to delete";
    ASSERT_EQ(journal.todayLogs().size(), 1u);
    ASSERT_TRUE(journal.deleteLog(journal.todayLogs().front()));
    EXPECT_EQ(taken({&day, &entries}), (std::vector<int>{0, 1}));
}
