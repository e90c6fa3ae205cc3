#include "ViewModels/Finance/OverviewViewModel.h"

#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/FinanceStoreFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class OverviewFigures : public FinanceStoreFixture {};

class OverviewViewModelDates : public FinanceStoreFixture {
protected:
    OverviewViewModelDates() : FinanceStoreFixture(QDateTime(QDate(2027, 1, 20), QTime(9, 0))) {}
};

TEST_F(OverviewFigures, NetWorthTakesCardBillsStillToComeOffCashAndHoldings) {
    account(QStringLiteral("A"), 1000);
    account(QStringLiteral("B"), 500);
    // Spent on the 20th with a statement closing on the 10th: billed next month.
    expense(300, QStringLiteral("dynamic"), at(2026, 3, 12), card(10));
    OverviewViewModel model(context);
    EXPECT_EQ(MoneyFormatter::format(model.netWorth(), QStringLiteral("INR"), 0), QStringLiteral("₹1,200"));
    EXPECT_EQ(MoneyFormatter::format(model.totalLiquidCash(), QStringLiteral("INR"), 0),
              QStringLiteral("₹1,500"));
    EXPECT_DOUBLE_EQ(model.pendingCCBills(), 300);
    EXPECT_DOUBLE_EQ(model.thisMonthDynamic(), 300) << "a dynamic expense counts in the month it was spent";
}

TEST_F(OverviewFigures, MonthFiguresFollowBillingForFixedAndSpendingForDynamic) {
    auto visa = card(10);
    expense(100, QStringLiteral("fixed"), at(2026, 3, 12), visa); // billed April
    expense(40, QStringLiteral("fixed"), at(2026, 3, 5), visa);   // billed March
    expense(7, QStringLiteral("fixed"), at(2026, 2, 20), visa);   // billed March, spent February
    expense(60, QStringLiteral("dynamic"), at(2026, 3, 1, 0));    // first moment of the month
    expense(5, QStringLiteral("dynamic"), at(2026, 4, 1, 0));     // next month
    expense(9, QStringLiteral("other"), at(2026, 3, 3));          // neither kind
    income(1000, at(2026, 3, 2));
    income(50, at(2026, 2, 28, 23));
    OverviewViewModel model(context);
    EXPECT_DOUBLE_EQ(model.thisMonthIncome(), 1000);
    EXPECT_DOUBLE_EQ(model.thisMonthFixed(), 47);
    EXPECT_DOUBLE_EQ(model.thisMonthDynamic(), 60);
    EXPECT_DOUBLE_EQ(model.thisMonthFlow(), 893);
    EXPECT_DOUBLE_EQ(model.spendable(), 953);
    EXPECT_DOUBLE_EQ(model.pendingCCBills(), 100) << "fixed card spending billed next month";
    ASSERT_EQ(model.sixMonthFlow().size(), 6u);
    EXPECT_DOUBLE_EQ(model.sixMonthFlow().back().spend, 107);
    EXPECT_DOUBLE_EQ(model.sixMonthFlow()[4].income, 50);
}

TEST_F(OverviewViewModelDates, TheSixMonthFlowOfJanuaryStartsInAugust) {
    income(10, at(2026, 8, 1, 0));
    income(20, at(2026, 7, 31, 23));
    OverviewViewModel model(context);
    const auto& flow = model.sixMonthFlow();
    ASSERT_EQ(flow.size(), 6u);
    EXPECT_EQ(flow.front().month, QDateTime(QDate(2026, 8, 1), QTime(0, 0)));
    EXPECT_EQ(flow.back().month, QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(flow.front().income, 10);
    EXPECT_NE(flow[0].id, flow[1].id);
}

TEST_F(OverviewFigures, AnEarlierMonthSpendsItsFixedBillsAndItsDynamicSpending) {
    auto visa = card(10);
    expense(100, QStringLiteral("fixed"), at(2026, 1, 12), visa); // billed February
    expense(40, QStringLiteral("fixed"), at(2026, 1, 5), visa);   // billed January
    expense(7, QStringLiteral("fixed"), at(2026, 2, 3));          // billed February
    expense(60, QStringLiteral("dynamic"), at(2026, 2, 1, 0));    // spent February
    expense(5, QStringLiteral("dynamic"), at(2026, 1, 31, 23));   // spent January
    expense(9, QStringLiteral("other"), at(2026, 2, 3));          // neither kind
    OverviewViewModel model(context);
    const auto& flow = model.sixMonthFlow();
    ASSERT_EQ(flow.size(), 6u);
    EXPECT_EQ(flow[4].month, at(2026, 2, 1, 0));
    EXPECT_DOUBLE_EQ(flow[4].spend, 167);
    EXPECT_DOUBLE_EQ(flow[3].spend, 45);
    EXPECT_DOUBLE_EQ(flow[2].spend, 0);
}

TEST_F(OverviewFigures, TheWorkedHealthScoreExample) {
    income(1000, at(2026, 3, 2));
    expense(500, QStringLiteral("fixed"), at(2026, 3, 3));
    expense(300, QStringLiteral("dynamic"), at(2026, 3, 4));
    auto subscription = Subscription::create(context);
    subscription->setPrice(150);
    subscription->setBillingCycle(QStringLiteral("quarterly"));
    subscription->setStatus(QStringLiteral("active"));
    holding(QStringLiteral("stock"), 700);
    holding(std::nullopt, 200, QStringLiteral("active"), at(2026, 3, 1, 8)); // a stock, created this month
    holding(QStringLiteral("crypto"), 100);
    context->save();
    OverviewViewModel model(context);
    EXPECT_DOUBLE_EQ(model.monthlySubsCost(), 50);
    const auto& health = model.health();
    EXPECT_EQ(health.savingsRate, 25);
    EXPECT_EQ(health.subscriptionRatio, 25);
    EXPECT_EQ(health.investmentRatio, 25);
    EXPECT_EQ(health.diversification, 12);
    EXPECT_EQ(model.healthScore(), 87);
}

TEST_F(OverviewFigures, WhatCountsAsLiveAndWhatIsCounted) {
    income(1000, at(2026, 3, 2));
    holding(QStringLiteral("stock"), 100, QStringLiteral("sold"), at(2026, 3, 2)); // not live, but new
    holding(QStringLiteral("stock"), 400, std::nullopt);                           // no status: live
    auto noCycle = Subscription::create(context);
    noCycle->setPrice(30);
    noCycle->setStatus(QStringLiteral("active"));
    auto noStatus = Subscription::create(context);
    noStatus->setPrice(999);
    auto annual = Subscription::create(context);
    annual->setPrice(120);
    annual->setBillingCycle(QStringLiteral("annual"));
    annual->setStatus(QStringLiteral("active"));
    context->save();
    OverviewViewModel model(context);
    EXPECT_DOUBLE_EQ(model.totalInvestmentValue(), 400);
    EXPECT_DOUBLE_EQ(model.monthlySubsCost(), 40);
    EXPECT_EQ(model.health().investmentRatio, 16) << "100 / 1000 / 0.15 * 25 = 16.7";
    EXPECT_EQ(model.health().diversification, 0) << "one live type holds everything";
}

TEST(FinanceHealthScore, StaysWithinItsRangeWhateverTheInputs) {
    FinanceHealthScore::Inputs none;
    none.fixedSpend = 5;
    none.investedByType[QStringLiteral("stock")] = 10;
    EXPECT_EQ(FinanceHealthScore::compute(none).total, 0) << "no income, no score";
    none.income = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FinanceHealthScore::compute(none).total, 0);

    FinanceHealthScore::Inputs wild;
    wild.income = 1e-300;
    wild.newlyInvested = 1e300;
    wild.monthlySubscriptions = 1e-301;
    wild.investedByType[QStringLiteral("stock")] = -5;
    wild.investedByType[QStringLiteral("crypto")] = std::numeric_limits<double>::infinity();
    const auto score = FinanceHealthScore::compute(wild);
    for (int part :
         {score.savingsRate, score.subscriptionRatio, score.investmentRatio, score.diversification}) {
        EXPECT_GE(part, 0);
        EXPECT_LE(part, 25);
    }
    EXPECT_EQ(score.investmentRatio, 25);
    EXPECT_LE(score.total, 100);

    FinanceHealthScore::Inputs costly;
    costly.income = 1000;
    costly.monthlySubscriptions = 99.99;
    EXPECT_EQ(FinanceHealthScore::compute(costly).subscriptionRatio, 25);
    costly.monthlySubscriptions = 100;
    EXPECT_EQ(FinanceHealthScore::compute(costly).subscriptionRatio, 0);
    costly.fixedSpend = 5000;
    EXPECT_EQ(FinanceHealthScore::compute(costly).savingsRate, 0) << "overspending saves nothing";
}

TEST_F(OverviewFigures, AccountsChangeTheTotalsAtOnceAndOtherFiguresWaitForRefresh) {
    OverviewViewModel model(context);
    ASSERT_TRUE(model.addBankAccount(QStringLiteral("Salary"), 1500));
    ASSERT_EQ(model.bankAccounts().size(), 1u);
    EXPECT_TRUE(model.bankAccounts()[0]->id().has_value());
    EXPECT_DOUBLE_EQ(model.totalLiquidCash(), 1500);
    ASSERT_TRUE(model.addBankAccount(QStringLiteral("Spare"), 10));
    EXPECT_EQ(model.bankAccounts()[1]->name(), QStringLiteral("Spare")) << "oldest first";

    income(500, at(2026, 3, 3));
    ASSERT_TRUE(model.updateBankAccount(model.bankAccounts()[0], QStringLiteral("Main"), 2000));
    EXPECT_DOUBLE_EQ(model.netWorth(), 2010);
    EXPECT_DOUBLE_EQ(model.thisMonthIncome(), 0) << "only the accounts are read again";
    ASSERT_TRUE(model.deleteBankAccount(model.bankAccounts()[1]));
    EXPECT_DOUBLE_EQ(model.totalLiquidCash(), 2000);
    model.refresh();
    EXPECT_DOUBLE_EQ(model.thisMonthIncome(), 500);
}

TEST_F(OverviewFigures, AFailedSaveLeavesTheAccountsAsStored) {
    auto kept = account(QStringLiteral("Kept"), 100);
    OverviewViewModel model(context);
    refuseWrites(QStringLiteral("BankAccount"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(model.addBankAccount(QStringLiteral("New"), 5));
    EXPECT_FALSE(model.updateBankAccount(kept, QStringLiteral("Renamed"), 9));
    EXPECT_FALSE(model.deleteBankAccount(kept));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("CoreData save error: "), std::string::npos);
    ASSERT_EQ(model.bankAccounts().size(), 1u);
    EXPECT_EQ(model.bankAccounts()[0]->name(), QStringLiteral("Kept"));
    EXPECT_DOUBLE_EQ(model.totalLiquidCash(), 100);
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(OverviewFigures, MoneyAddedHereTouchesNoAccountAndCardSpendWaitsForItsStatement) {
    auto salary = account(QStringLiteral("Salary"), 1000);
    auto visa = card(14);
    OverviewViewModel model(context);
    model.fetchCreditCards();
    ASSERT_TRUE(
        model.addIncome({QStringLiteral("Bonus"), 300, at(2026, 3, 5), QStringLiteral("debit"), QString()}));
    auto spend = [&](const QString& title, double amount, const QDateTime& date,
                     const std::optional<QUuid>& card, const QString& category, const QString& notes) {
        ExpenseDraft draft;
        draft.title = title;
        draft.amount = amount;
        draft.date = date;
        draft.expenseType = QStringLiteral("dynamic");
        draft.paymentMethod = QStringLiteral("creditCard");
        draft.creditCardID = card;
        draft.category = category;
        draft.notes = notes;
        draft.bankAccountID = salary->id(); // not offered here: never stored
        return model.addExpense(draft);
    };
    ASSERT_TRUE(
        spend(QStringLiteral("Shoes"), 80, at(2026, 3, 14), visa->id(), QString(), QStringLiteral("gift")));
    ASSERT_TRUE(
        spend(QStringLiteral("Lunch"), 20, at(2026, 3, 13), visa->id(), QStringLiteral("Food"), QString()));
    EXPECT_DOUBLE_EQ(salary->balance(), 1000);
    EXPECT_DOUBLE_EQ(model.totalLiquidCash(), 1000);
    EXPECT_DOUBLE_EQ(model.thisMonthIncome(), 300) << "figures are read again after the save";
    EXPECT_DOUBLE_EQ(model.pendingCCBills(), 80) << "spent on the statement's closing day: billed next month";
    const auto stored =
        context->fetch<Expense>(FetchRequest(Expense::entityName(), Key(Expense::Keys::title) == "Shoes"));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_FALSE(stored[0]->bankAccountID().has_value());
    EXPECT_FALSE(stored[0]->category().has_value());
    EXPECT_EQ(stored[0]->notes(), QStringLiteral("gift"));
    EXPECT_EQ(stored[0]->billedMonth(), QDateTime(QDate(2026, 4, 1), QTime(0, 0)));

    // A card the screen was not offered does not move the billed month.
    auto unseen = card(1);
    ASSERT_TRUE(spend(QStringLiteral("Late"), 5, at(2026, 3, 14), unseen->id(), QString(), QString()));
    EXPECT_DOUBLE_EQ(model.pendingCCBills(), 80);
}

TEST_F(OverviewFigures, AnInvestmentAddedHereIsValuedAtOnce) {
    OverviewViewModel model(context);
    Investment::Draft draft;
    draft.name = QStringLiteral("Index");
    draft.investmentType = QStringLiteral("mutualFund");
    draft.units = 10;
    draft.buyPrice = 50;
    draft.investedAmount = 500;
    draft.buyDate = at(2026, 3, 1);
    ASSERT_TRUE(model.addInvestment(draft));
    EXPECT_DOUBLE_EQ(model.totalInvestmentValue(), 500) << "no current price: the buy price stands in";
    EXPECT_EQ(model.health().investmentRatio, 0);
}

} // namespace
