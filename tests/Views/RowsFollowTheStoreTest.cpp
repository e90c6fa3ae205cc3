// A goal's row in the goals list and in the sidebar show figures derived from other records
// (its steps, the expenses put towards it). Changed from another screen's view model, with
// the goals screen itself untouched, both rows must show the new figures.

#include "Views/MainRoadSupport.h"

#include "Components/ElidedLabel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/TaskBoardViewModel.h"

TEST_F(MainRoad, GoalRowsFollowAStepTickedAndAnExpenseAddedElsewhere) {
    auto reading = makeGoal(QStringLiteral("Read more"), 3, 4, 1);
    auto bike = makeGoal(QStringLiteral("Bike"), 2);
    bike->setNeedsMoney(true);
    bike->setTargetAmount(400);
    ASSERT_TRUE(context()->save());
    start();
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    const auto rowPercent = [this](const std::shared_ptr<Goal>& goal) {
        GoalRowView* row = rowOf(goal);
        auto* label = row ? row->findChild<QLabel*>(QStringLiteral("goalRowPercent")) : nullptr;
        return label ? label->text() : QStringLiteral("(no row)");
    };
    ASSERT_EQ(rowPercent(reading), QStringLiteral("25%"));
    ASSERT_EQ(sidebarPercent(reading), QStringLiteral("25%"));
    ASSERT_EQ(rowPercent(bike), QStringLiteral("0%"));

    TaskBoardViewModel board(context());
    std::shared_ptr<Step> open;
    for (const auto& milestone : reading->milestones())
        for (const auto& step : milestone->steps())
            if (!step->isCompleted())
                open = step;
    ASSERT_TRUE(open);
    ASSERT_TRUE(board.toggleStep(open));
    qv::test::settle();
    EXPECT_EQ(rowPercent(reading), QStringLiteral("50%")) << "the goals list follows a step ticked elsewhere";
    EXPECT_EQ(sidebarPercent(reading), QStringLiteral("50%")) << "and so does the sidebar";

    CashFlowViewModel cashFlow(context());
    ExpenseDraft expense;
    expense.title = QStringLiteral("Helmet");
    expense.amount = 100;
    expense.date = Clock::now();
    expense.expenseType = CashFlowViewModel::fixedType;
    expense.paymentMethod = QStringLiteral("debit");
    expense.goalID = bike->id();
    for (const auto& [amount, shown] : {std::pair{100, "25%"}, std::pair{100, "50%"}}) {
        SCOPED_TRACE(shown);
        expense.amount = amount;
        ASSERT_TRUE(cashFlow.addExpense(expense));
        qv::test::settle();
        EXPECT_EQ(rowPercent(bike), QString::fromLatin1(shown)) << "the goals list follows each expense";
        EXPECT_EQ(sidebarPercent(bike), QString::fromLatin1(shown));
    }
    GoalRowView* row = rowOf(bike);
    ASSERT_NE(row, nullptr);
    auto* money = row->findChild<ElidedLabel*>(QStringLiteral("goalRowMoneyText"));
    ASSERT_NE(money, nullptr);
    EXPECT_TRUE(money->fullText().startsWith(QStringLiteral("200/400"))) << money->fullText().toStdString();
}
