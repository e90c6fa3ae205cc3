#include "Models/Bill.h"
#include "Platform/MoneyFormatter.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/FinanceStoreFixture.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/Finance/OverviewViewModel.h"

#include <gtest/gtest.h>

namespace {

class NonFiniteSums : public FinanceStoreFixture {};

bool readable(const QString& text) {
    return !text.contains(QChar(0x221E)) && !text.contains(QLatin1String("nan"), Qt::CaseInsensitive) &&
           !text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

} // namespace

// Amounts a store kept before they were bounded can add up past a double: the figures say so
// with a dash and a reason instead of "∞".
TEST_F(NonFiniteSums, TheOverviewShowsADashAndItsReasonForEachSumPastANumber) {
    account(QStringLiteral("First"), 1e308);
    account(QStringLiteral("Second"), 1e308);
    OverviewViewModel model(context);
    const auto figures = model.headlines();
    EXPECT_EQ(figures.netWorth, MoneyFormatter::notShown);
    EXPECT_EQ(figures.liquidCash, MoneyFormatter::notShown);
    EXPECT_FALSE(figures.netWorthTip.isEmpty());
    EXPECT_FALSE(figures.liquidCashTip.isEmpty());
    EXPECT_EQ(figures.thisMonth, QStringLiteral("₹0")) << "a figure that adds up shows as ever";
    EXPECT_TRUE(figures.thisMonthTip.isEmpty());
    for (const auto& row : model.accountRows())
        EXPECT_TRUE(readable(row.balanceText)) << row.balanceText.toStdString() << ": one balance is finite";
}

TEST_F(NonFiniteSums, TheAllocationsAndDynamicSpendingShowADashAndItsReason) {
    income(1e308, now);
    income(1e308, now);
    expense(5, QStringLiteral("fixed"), now);
    CashFlowViewModel model(context);
    EXPECT_EQ(model.totalIncomeText(), MoneyFormatter::notShown);
    EXPECT_FALSE(model.totalIncomeTip().isEmpty());
    const auto allocation = model.allocation();
    EXPECT_EQ(allocation.status, MoneyFormatter::notShown);
    EXPECT_FALSE(allocation.statusTip.isEmpty());
    EXPECT_TRUE(readable(model.dynamicSummary())) << model.dynamicSummary().toStdString();
    EXPECT_FALSE(model.dynamicSummaryTip().isEmpty());

    // Income and spending both past a number leave no number at all: still a dash, not "nan".
    expense(1e308, QStringLiteral("fixed"), now);
    expense(1e308, QStringLiteral("fixed"), now);
    model.fetchForSelectedMonth();
    EXPECT_EQ(model.allocation().status, MoneyFormatter::notShown) << "not \"Fully allocated\"";
    EXPECT_TRUE(readable(model.dynamicSummary()));
}

TEST_F(NonFiniteSums, TheBillsSubscriptionsAndPortfolioTotalsShowADashAndItsReason) {
    for (int i = 0; i < 2; ++i) {
        auto bill = Bill::create(context);
        bill->setName(QStringLiteral("Old bill"));
        bill->setAmount(1e308);
        bill->setDueDay(3);
        auto subscription = Subscription::create(context);
        subscription->setName(QStringLiteral("Old subscription"));
        subscription->setPrice(1e308);
        subscription->setBillingCycle(Subscription::monthly);
        subscription->setStatus(Subscription::active);
        holding(QStringLiteral("other"), 1e308);
    }
    context->save();
    BillsViewModel bills(context);
    EXPECT_EQ(bills.totalMonthlyText(), MoneyFormatter::notShown);
    EXPECT_FALSE(bills.totalMonthlyTip().isEmpty());
    CommitmentsViewModel commitments(context);
    EXPECT_TRUE(commitments.totalMonthlySubscriptionsText().startsWith(MoneyFormatter::notShown));
    EXPECT_FALSE(commitments.totalMonthlySubscriptionsTip().isEmpty());
    InvestmentsViewModel investments(context);
    const auto summary = investments.summary();
    for (const QString& figure : {summary.value, summary.invested, summary.profit, summary.overallReturn})
        EXPECT_EQ(figure, MoneyFormatter::notShown);
    for (const QString& tip : {summary.valueTip, summary.investedTip, summary.profitTip, summary.returnTip})
        EXPECT_FALSE(tip.isEmpty());
}
