#include "ViewModels/Finance/CashFlowViewModel.h"

#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Income.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceTestSupport.h"

#include <QSignalSpy>

#include <cmath>
#include <limits>

namespace {

class CashFlowViewModelDates : public FinanceStoreTest {
protected:
    // Saturday 14 March 2026, 10:00.
    CashFlowViewModelDates() : FinanceStoreTest(local(2026, 3, 14, 10)) {}

    ExpenseDraft draft(const QString& title, double amount,
                       const QString& type = CashFlowViewModel::fixedType,
                       const QString& method = QStringLiteral("debit"),
                       const std::shared_ptr<BankAccount>& account = nullptr,
                       const std::shared_ptr<CreditCard>& card = nullptr, const QDateTime& date = {}) {
        ExpenseDraft d;
        d.title = title;
        d.amount = amount;
        d.date = date.isValid() ? date : now;
        d.expenseType = type;
        d.paymentMethod = method;
        d.creditCardID = card ? card->id() : std::nullopt;
        d.bankAccountID = account ? account->id() : std::nullopt;
        return d;
    }
    static QStringList titles(const std::vector<std::shared_ptr<Expense>>& expenses) {
        QStringList out;
        for (const auto& e : expenses)
            out << e->title().value_or("-");
        return out;
    }
};

} // namespace

TEST_F(CashFlowViewModelDates, StartsOnTheFirstOfThisMonthAndStepsAcrossYearEnds) {
    Clock::setFake(local(2026, 1, 31, 23, 30));
    CashFlowViewModel vm(context);
    EXPECT_EQ(vm.selectedMonth(), local(2026, 1, 1));
    vm.navigateToPreviousMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2025, 12, 1));
    vm.navigateToNextMonth();
    vm.navigateToNextMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2026, 2, 1));
    EXPECT_EQ(vm.totalIncome(), 0.0);
    EXPECT_EQ(vm.totalFixed(), 0.0);
    EXPECT_EQ(vm.totalDynamic(), 0.0);
}

TEST_F(CashFlowViewModelDates, FixedExpensesBelongToTheirBilledMonthAndDynamicOnesToTheirSpendMonth) {
    auto card = makeCard("Alpha", 15, 5);
    CashFlowViewModel vm(context);
    const QDateTime spent = local(2026, 3, 20, 12);
    ASSERT_TRUE(vm.addExpense(
        draft("Card fixed", 100, CashFlowViewModel::fixedType, "creditCard", nullptr, card, spent)));
    ASSERT_TRUE(vm.addExpense(
        draft("Card dynamic", 40, CashFlowViewModel::dynamicType, "creditCard", nullptr, card, spent)));
    ASSERT_TRUE(vm.addExpense(
        draft("Cash fixed", 30, CashFlowViewModel::fixedType, "cash", nullptr, nullptr, spent)));
    ASSERT_TRUE(vm.addExpense(draft("Odd type", 5, "planned")));
    // The last instant of the month stays in it; the first of the next does not.
    ASSERT_TRUE(vm.addExpense(draft("Late", 7, CashFlowViewModel::dynamicType, "cash", nullptr, nullptr,
                                    local(2026, 4, 1).addMSecs(-1))));
    ASSERT_TRUE(vm.addExpense(
        draft("April", 9, CashFlowViewModel::dynamicType, "cash", nullptr, nullptr, local(2026, 4, 1))));

    EXPECT_EQ(titles(vm.fixedExpenses()), QStringList{"Cash fixed"});
    EXPECT_EQ(titles(vm.dynamicExpenses()), (QStringList{"Card dynamic", "Late"}));
    vm.navigateToNextMonth();
    EXPECT_EQ(titles(vm.fixedExpenses()), QStringList{"Card fixed"});
    EXPECT_EQ(vm.fixedExpenses()[0]->billedMonth(), local(2026, 4, 1));
    EXPECT_EQ(titles(vm.dynamicExpenses()), QStringList{"April"});

    // December's card spend is billed in January of the next year.
    ASSERT_TRUE(vm.addExpense(
        draft("Gift", 80, CashFlowViewModel::fixedType, "creditCard", nullptr, card, local(2026, 12, 28))));
    for (int i = 0; i < 9; ++i)
        vm.navigateToNextMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2027, 1, 1));
    EXPECT_EQ(titles(vm.fixedExpenses()), QStringList{"Gift"});
}

TEST_F(CashFlowViewModelDates, IncomesMoveTheirAccountOnAddEditAndDelete) {
    auto a = makeAccount("A", 100);
    CashFlowViewModel vm(context);
    ASSERT_TRUE(vm.setIncome(500, a->id()));
    EXPECT_EQ(a->balance(), 600);
    ASSERT_EQ(vm.incomes().size(), 1u);
    const auto income = vm.incomes()[0];
    EXPECT_EQ(income->title(), QString("Income"));
    EXPECT_EQ(income->date(), local(2026, 3, 1));
    EXPECT_EQ(income->paymentMethod(), QString("debit"));
    EXPECT_FALSE(income->notes().has_value());

    // The edit applies the difference, so a later delete leaves the account where it started.
    ASSERT_TRUE(vm.updateIncome(income, {"Salary", 600, local(2026, 3, 2), "cash", ""}));
    EXPECT_EQ(a->balance(), 700);
    EXPECT_EQ(income->title(), QString("Salary"));
    ASSERT_TRUE(vm.deleteIncome(income));
    EXPECT_EQ(a->balance(), 100);
    EXPECT_TRUE(vm.incomes().empty());

    // No account, or one that is not listed: the income is written, no balance moves.
    ASSERT_TRUE(vm.setIncome(50, std::nullopt));
    ASSERT_TRUE(vm.setIncome(70, QUuid::createUuid()));
    EXPECT_EQ(vm.incomes().size(), 2u);
    EXPECT_EQ(vm.totalIncome(), 120);
    EXPECT_EQ(a->balance(), 100);
    EXPECT_EQ(reopened()->viewContext()->fetch<BankAccount>(FetchRequest("BankAccount"))[0]->balance(), 100);
}

TEST_F(CashFlowViewModelDates, ExpenseEditsCreditTheOldAccountAndDebitTheNewOne) {
    auto a = makeAccount("A", 1000);
    auto b = makeAccount("B", 1000);
    auto card = makeCard("Alpha", 25, 15);
    CashFlowViewModel vm(context);
    ASSERT_TRUE(vm.addExpense(draft("Rent", 200, CashFlowViewModel::fixedType, "debit", a)));
    EXPECT_EQ(a->balance(), 800);
    const auto rent = vm.fixedExpenses().at(0);

    ASSERT_TRUE(vm.updateExpense(rent, draft("Rent", 150, CashFlowViewModel::fixedType, "debit", a)));
    EXPECT_EQ(a->balance(), 850);
    ASSERT_TRUE(vm.updateExpense(rent, draft("Rent", 150, CashFlowViewModel::fixedType, "debit", b)));
    EXPECT_EQ(a->balance(), 1000);
    EXPECT_EQ(b->balance(), 850);
    ASSERT_TRUE(vm.updateExpense(
        rent, draft("Rent", 150, CashFlowViewModel::fixedType, "creditCard", nullptr, card)));
    EXPECT_EQ(b->balance(), 1000);
    EXPECT_EQ(rent->creditCardID(), card->id());
    EXPECT_FALSE(rent->bankAccountID().has_value());

    // A card expense never touches a balance, and deleting it gives nothing back.
    ASSERT_TRUE(vm.deleteExpense(rent));
    EXPECT_EQ(a->balance(), 1000);
    EXPECT_EQ(b->balance(), 1000);
    EXPECT_TRUE(vm.fixedExpenses().empty());
}

TEST_F(CashFlowViewModelDates, ADeletedAccountSkipsOnlyTheBalanceChange) {
    auto a = makeAccount("A", 300);
    CashFlowViewModel vm(context);
    ExpenseDraft d = draft("Coffee", 20, CashFlowViewModel::dynamicType, "cash", a);
    d.category = "Food";
    d.notes = "";
    ASSERT_TRUE(vm.addExpense(d));
    const auto coffee = vm.dynamicExpenses().at(0);
    EXPECT_EQ(coffee->category(), QString("Food"));
    EXPECT_FALSE(coffee->notes().has_value());
    context->deleteObject(a);
    ASSERT_TRUE(context->save());
    EXPECT_TRUE(vm.deleteExpense(coffee));
    EXPECT_TRUE(vm.dynamicExpenses().empty());
}

TEST_F(CashFlowViewModelDates, AFailedSaveKeepsNeitherTheRecordNorTheBalance) {
    auto a = makeAccount("A", 100);
    CashFlowViewModel vm(context);
    ASSERT_TRUE(vm.setIncome(500, a->id()));
    const auto income = vm.incomes().at(0);
    QSignalSpy failures(&SaveFailures::shared(), &SaveFailures::saveFailed);

    refuseWrites({"Income", "Expense"});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(vm.setIncome(50, a->id()));
    EXPECT_FALSE(vm.addExpense(draft("Rent", 200, CashFlowViewModel::fixedType, "debit", a)));
    EXPECT_FALSE(vm.updateIncome(income, {"Salary", 900, now, "debit", ""}));
    EXPECT_FALSE(vm.deleteIncome(income));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("CoreData save error: "), std::string::npos);
    EXPECT_EQ(failures.count(), 4);

    EXPECT_EQ(a->balance(), 600);
    ASSERT_EQ(vm.incomes().size(), 1u);
    EXPECT_EQ(vm.incomes()[0]->amount(), 500);
    EXPECT_EQ(vm.incomes()[0]->title(), QString("Income"));
    EXPECT_TRUE(vm.fixedExpenses().empty());
    EXPECT_FALSE(context->hasChanges());

    allowWrites();
    auto disk = reopened();
    EXPECT_EQ(disk->viewContext()->fetch<BankAccount>(FetchRequest("BankAccount"))[0]->balance(), 600);
    EXPECT_EQ(disk->viewContext()->count(FetchRequest("Income")), 1);
}

TEST_F(CashFlowViewModelDates, AmountsAndBalancesThatAreNotFiniteAreRefused) {
    auto a = makeAccount("A", std::numeric_limits<double>::max());
    CashFlowViewModel vm(context);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(vm.setIncome(inf, std::nullopt));
    EXPECT_FALSE(vm.addExpense(draft("x", std::nan(""), CashFlowViewModel::fixedType, "debit", nullptr)));
    // The balance would overflow to infinity.
    EXPECT_FALSE(vm.setIncome(std::numeric_limits<double>::max(), a->id()));
    EXPECT_TRUE(vm.incomes().empty());
    EXPECT_EQ(a->balance(), std::numeric_limits<double>::max());
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(CashFlowViewModelDates, RemainingIsJudgedInCents) {
    CashFlowViewModel vm(context);
    ASSERT_TRUE(vm.setIncome(4141.02, std::nullopt));
    ASSERT_TRUE(vm.setIncome(6826.54, std::nullopt));
    ASSERT_TRUE(vm.addExpense(draft("Plan", 10967.56)));
    EXPECT_NE(vm.totalIncome() - vm.totalFixed(), 0.0); // the doubles do not cancel exactly
    EXPECT_EQ(vm.remainingToAllocate(), 0.0);
    EXPECT_FALSE(std::signbit(vm.remainingToAllocate()));
    EXPECT_TRUE(vm.isFullyAllocated());
    ASSERT_TRUE(vm.addExpense(draft("More", 100)));
    EXPECT_EQ(vm.remainingToAllocate(), -100.0);
    EXPECT_TRUE(vm.isFullyAllocated());
}

TEST_F(CashFlowViewModelDates, MoneyGoalsFollowTheStore) {
    CashFlowViewModel vm(context);
    QSignalSpy changed(&vm, &CashFlowViewModel::moneyGoalsChanged);
    auto goal = Goal::create(context);
    goal->setTitle("Bike");
    goal->setNeedsMoney(true);
    auto archived = Goal::create(context);
    archived->setTitle("Old");
    archived->setNeedsMoney(true);
    archived->setIsArchived(true);
    context->save();
    QCoreApplication::processEvents();
    ASSERT_EQ(vm.moneyGoals().size(), 1u);
    EXPECT_EQ(vm.moneyGoals()[0]->title(), QString("Bike"));
    EXPECT_GE(changed.count(), 1);
}
