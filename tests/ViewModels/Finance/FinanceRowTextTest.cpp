#include "Models/Bill.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Subscription.h"
#include "Platform/MoneyFormatter.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/FinanceTestSupport.h"
#include "ViewModels/Finance/OverviewViewModel.h"

#include <QSignalSpy>
#include <cmath>
#include <limits>

// What the rows of the money screens say, read from their view models without a widget.

namespace {

class FinanceRowTextDates : public FinanceStoreTest {
protected:
    FinanceRowTextDates() : FinanceStoreTest(local(2026, 12, 10, 10)) {}

    std::shared_ptr<CreditCard> namelessCard(int closeDay, int dueDay) {
        auto card = makeCard(QString(), closeDay, dueDay);
        card->setName(std::nullopt);
        context->save();
        return card;
    }
    std::shared_ptr<Bill> addBill(BillsViewModel& vm, const QString& name, int dueDay, double amount,
                                  const QString& method = "cash", const std::optional<QUuid>& card = {},
                                  const QString& category = "Electricity") {
        EXPECT_TRUE(vm.addBill(name, amount, dueDay, category, "", method, card));
        for (const auto& bill : vm.bills())
            if (bill->name() == name)
                return bill;
        return nullptr;
    }
    // A payment of the bill written at a given moment, as another device might have stored it.
    void paymentAt(const Bill& bill, const QDateTime& when) {
        auto payment = Expense::create(context);
        payment->setAmount(bill.amount());
        payment->setDate(when);
        payment->setNotes(BillsViewModel::paymentNote(*bill.id()));
        payment->setExpenseType(QStringLiteral("fixed"));
        context->save();
    }
    void income(double amount) {
        auto record = Income::create(context);
        record->setTitle(QStringLiteral("Salary"));
        record->setAmount(amount);
        record->setDate(local(2026, 12, 1));
        context->save();
    }
    std::shared_ptr<Expense> expense(double amount, const QString& type,
                                     const std::optional<QString>& title) {
        auto record = Expense::create(context);
        record->setTitle(title);
        record->setAmount(amount);
        record->setExpenseType(type);
        record->setDate(local(2026, 12, 2));
        record->setBilledMonth(local(2026, 12, 1));
        context->save();
        return record;
    }
    std::shared_ptr<Subscription> subscription(const std::optional<QString>& name, double price,
                                               const std::optional<QString>& cycle,
                                               const QString& status = Subscription::active) {
        auto record = Subscription::create(context);
        record->setName(name);
        record->setPrice(price);
        record->setBillingCycle(cycle);
        record->setStatus(status);
        record->setRenewalDate(local(2027, 1, 4, 9));
        context->save();
        return record;
    }
};

} // namespace

TEST_F(FinanceRowTextDates, ACardRowShowsItsNextBillDueAfterTheReferenceMoment) {
    auto card = makeCard("Alpha", 5, 20);
    const CommitmentsViewModel::CardFigures billed{50, 1199.6};
    // The due day counts from its first moment: on it, the next one is a month on.
    const auto before = CommitmentsViewModel::cardRow(card, billed, local(2026, 12, 19, 23, 59));
    EXPECT_EQ(before.name, QString("Alpha"));
    EXPECT_EQ(before.daysText, QString("Closes day 5 · Due day 20"));
    EXPECT_EQ(before.nextBillText, QString("Next bill: ₹1,200"));
    EXPECT_EQ(before.dueText, QString("Due Dec 20"));
    EXPECT_TRUE(before.monthSpendText.isEmpty()) << "the month's spend gives way to the bill";
    EXPECT_EQ(CommitmentsViewModel::cardRow(card, billed, local(2026, 12, 20)).dueText,
              QString("Due Jan 20"));
    EXPECT_EQ(CommitmentsViewModel::cardRow(card, billed, local(2026, 12, 31, 23)).dueText,
              QString("Due Jan 20"));

    // Nothing billed yet (or a refund that leaves the bill at nothing): the month's spend.
    for (double nothing : {0.0, -30.0}) {
        const auto spend = CommitmentsViewModel::cardRow(card, {1310.4, nothing}, now);
        EXPECT_TRUE(spend.nextBillText.isEmpty()) << nothing;
        EXPECT_TRUE(spend.dueText.isEmpty()) << nothing;
        EXPECT_EQ(spend.monthSpendText, QString("This month: ₹1,310")) << nothing;
    }
    EXPECT_EQ(CommitmentsViewModel::cardRow(card, {0, 0.4}, now).nextBillText, QString("Next bill: ₹0"))
        << "any bill at all shows, even one that rounds to nothing";
    EXPECT_TRUE(before.figureNote.isEmpty()) << "a figure that is a number needs no word";

    // Sums a store kept from before amounts were bounded: the dash, and why in the tooltip.
    const double past = std::numeric_limits<double>::infinity();
    const auto billedPast = CommitmentsViewModel::cardRow(card, {0, past}, now);
    EXPECT_EQ(billedPast.nextBillText, QStringLiteral("Next bill: ") + MoneyFormatter::notShown);
    EXPECT_EQ(billedPast.figureNote, MoneyFormatter::notShownReason(past));
    const auto spentPast = CommitmentsViewModel::cardRow(card, {std::nan(""), 0}, now);
    EXPECT_EQ(spentPast.monthSpendText, QStringLiteral("This month: ") + MoneyFormatter::notShown);
    EXPECT_FALSE(spentPast.figureNote.isEmpty());
}

TEST_F(FinanceRowTextDates, ACardRowWithoutANameAndInAnotherLocale) {
    auto card = namelessCard(1, 5);
    const auto row = CommitmentsViewModel::cardRow(card, {0, 499}, now);
    EXPECT_EQ(row.name, QString("Card"));
    EXPECT_EQ(row.card.lock(), card);
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    const auto germanRow = CommitmentsViewModel::cardRow(card, {0, 12499.5}, now);
    EXPECT_EQ(germanRow.nextBillText, QString("Next bill: 12.500\u00a0₹")) << "half to even";
    EXPECT_EQ(germanRow.dueText, QString("Due 5. Jan."));
}

TEST_F(FinanceRowTextDates, TheCardRowsCarryEachCardsOwnFiguresFromTheStore) {
    auto alpha = makeCard("Alpha", 5, 20);
    auto beta = makeCard("Beta", 25, 15);
    auto spend = [&](const std::shared_ptr<CreditCard>& card, double amount, const QDateTime& when) {
        auto expense = Expense::create(context);
        expense->setAmount(amount);
        expense->setDate(when);
        expense->setCreditCardID(card->id());
        expense->setBilledMonth(Expense::computeBilledMonth(when, card));
        context->save();
    };
    spend(alpha, 300, local(2026, 12, 3)); // before Alpha's closing day: billed this month
    spend(beta, 880, local(2026, 12, 8));  // before Beta's: billed this month as well
    spend(alpha, 20, local(2026, 12, 9));  // after Alpha's: next month's bill
    CommitmentsViewModel vm(context);
    const auto rows = vm.cardRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, QString("Alpha"));
    EXPECT_EQ(rows[0].nextBillText, QString("Next bill: ₹20"));
    EXPECT_EQ(rows[0].dueText, QString("Due Dec 20"));
    EXPECT_EQ(rows[1].name, QString("Beta"));
    EXPECT_EQ(rows[1].monthSpendText, QString("This month: ₹880"));
}

TEST_F(FinanceRowTextDates, ABillRowReadsItsDueDayPaymentAndAmount) {
    QStringList days;
    for (int d : {1, 2, 3, 4, 11, 12, 13, 20, 21, 22, 23, 24, 30, 31})
        days << BillsViewModel::ordinal(d);
    EXPECT_EQ(days, (QStringList{"1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "20th", "21st", "22nd",
                                 "23rd", "24th", "30th", "31st"}));
    EXPECT_EQ(BillsViewModel::categorySymbol("Loan EMI"), QString("banknote.fill"));
    EXPECT_EQ(BillsViewModel::categorySymbol("rent"), QString("doc.text.fill"));
    EXPECT_EQ(BillsViewModel::categorySymbol("Other"), QString("doc.text.fill"));

    auto alpha = makeCard("Alpha", 5, 20);
    auto nameless = namelessCard(5, 20);
    BillsViewModel vm(context);
    auto byCard = addBill(vm, "Internet", 22, 1199.6, "credit card", alpha->id(), "Internet");
    auto byNameless = addBill(vm, "Phone", 2, 499, "credit card", nameless->id(), "Phone");
    auto lostCard = addBill(vm, "Gas", 13, 800, "credit card", QUuid::createUuid(), "Gas");
    auto debit = addBill(vm, "Rent", 1, 25000, "debit", {}, "Rent");
    auto cash = addBill(vm, "Power", 31, 1450, "cash");

    const auto row = BillsViewModel::billRow(byCard, vm.creditCards(), false);
    EXPECT_EQ(row.symbol, QString("wifi"));
    EXPECT_EQ(row.category, QString("Internet"));
    EXPECT_EQ(row.dueText, QString("Due 22nd of every month"));
    EXPECT_EQ(row.paymentText, QString("Alpha"));
    EXPECT_EQ(row.paymentTone, FinanceTone::Card);
    EXPECT_EQ(row.amountText, QString("₹1,200"));
    const auto nameless_ = BillsViewModel::billRow(byNameless, vm.creditCards(), false);
    EXPECT_EQ(nameless_.paymentText, QString("Card"));
    EXPECT_EQ(nameless_.paymentTone, FinanceTone::Card);
    // A card that is gone leaves the method, which names no card.
    const auto lost = BillsViewModel::billRow(lostCard, vm.creditCards(), false);
    EXPECT_EQ(lost.paymentText, QString("Credit Card"));
    EXPECT_EQ(lost.paymentTone, FinanceTone::Muted);
    EXPECT_EQ(BillsViewModel::billRow(debit, vm.creditCards(), false).paymentText, QString("Debit"));
    EXPECT_TRUE(BillsViewModel::billRow(cash, vm.creditCards(), false).paymentText.isEmpty());

    // A bill with neither name nor category.
    cash->setName(std::nullopt);
    cash->setCategory(std::nullopt);
    context->save();
    const auto bare = BillsViewModel::billRow(cash, vm.creditCards(), false);
    EXPECT_EQ(bare.name, QString("Untitled Bill"));
    EXPECT_EQ(bare.category, QString("Other"));
    EXPECT_EQ(bare.symbol, QString("doc.text.fill"));

    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    EXPECT_EQ(BillsViewModel::billRow(debit, vm.creditCards(), false).amountText, QString("25.000\u00a0₹"));
}

TEST_F(FinanceRowTextDates, ABillIsPaidInTheMonthItsPaymentFallsInToTheLastMinute) {
    BillsViewModel vm(context);
    auto power = addBill(vm, "Power", 31, 1450);
    auto water = addBill(vm, "Water", 1, 300);
    paymentAt(*power, local(2026, 12, 31, 23, 59)); // the last minute of December
    paymentAt(*water, local(2027, 1, 1));           // the first of January
    auto paidNames = [&] {
        QStringList names;
        for (const auto& row : vm.billRows())
            if (row.paid)
                names << row.name;
        return names;
    };
    EXPECT_EQ(paidNames(), QStringList{"Power"});
    vm.navigateToNextMonth();
    EXPECT_EQ(paidNames(), QStringList{"Water"});

    // A payment made from the row counts for the month shown, on its due day kept within it.
    vm.navigateToNextMonth(); // February 2027
    ASSERT_TRUE(vm.togglePaid(power));
    EXPECT_EQ(paidNames(), QStringList{"Power"});
    EXPECT_TRUE(vm.isPaid(*power, local(2027, 2, 28, 23, 59)));
    EXPECT_FALSE(vm.isPaid(*power, local(2027, 3, 1)));
    ASSERT_TRUE(vm.togglePaid(power));
    EXPECT_TRUE(paidNames().isEmpty()) << "a second tap takes the payment back";
    EXPECT_EQ(vm.totalMonthlyText(), QString("₹1,750"));
}

TEST_F(FinanceRowTextDates, TheBillsMonthStepsAcrossTheYearEnd) {
    BillsViewModel vm(context);
    QSignalSpy stepped(&vm, &BillsViewModel::monthChanged);
    EXPECT_EQ(vm.selectedMonth(), local(2026, 12, 1));
    EXPECT_EQ(vm.monthTitle(), QString("December 2026"));
    vm.navigateToNextMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2027, 1, 1));
    EXPECT_EQ(vm.monthTitle(), QString("January 2027"));
    vm.navigateToPreviousMonth();
    vm.navigateToPreviousMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2026, 11, 1));
    EXPECT_EQ(vm.monthTitle(), QString("November 2026"));
    EXPECT_EQ(stepped.count(), 3);
    for (int i = 0; i < 13; ++i)
        vm.navigateToNextMonth();
    EXPECT_EQ(vm.selectedMonth(), local(2027, 12, 1)) << "a whole year on, at 00:00 of the first";
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    EXPECT_EQ(vm.monthTitle(), QString("Dezember 2027"));
}

TEST_F(FinanceRowTextDates, ASubscriptionRowShowsTheMonthlyCostOfAnyOtherCycle) {
    const auto monthly = CommitmentsViewModel::subscriptionRow(subscription("Music", 119, std::nullopt));
    EXPECT_EQ(monthly.name, QString("Music"));
    EXPECT_EQ(monthly.detail, QString("Monthly · renews Jan 4"));
    EXPECT_EQ(monthly.priceText, QString("₹119"));
    EXPECT_TRUE(monthly.perMonthText.isEmpty()) << "no cycle counts as monthly";
    EXPECT_TRUE(monthly.active);

    const auto annual =
        CommitmentsViewModel::subscriptionRow(subscription("Cloud", 1499, Subscription::annual));
    EXPECT_EQ(annual.detail, QString("Annual · renews Jan 4"));
    EXPECT_EQ(annual.priceText, QString("₹1,499"));
    EXPECT_EQ(annual.perMonthText, QString("₹125/mo"));
    const auto quarterly = CommitmentsViewModel::subscriptionRow(
        subscription(std::nullopt, 899, Subscription::quarterly, Subscription::paused));
    EXPECT_EQ(quarterly.name, QString("Untitled"));
    EXPECT_EQ(quarterly.perMonthText, QString("₹300/mo"));
    EXPECT_FALSE(quarterly.active);

    CommitmentsViewModel vm(context);
    EXPECT_EQ(vm.totalMonthlySubscriptionsText(), QString("₹244/mo")) << "the paused one counts for nothing";
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    for (const auto& record : vm.subscriptions())
        if (record->name() == QString("Cloud")) {
            EXPECT_EQ(CommitmentsViewModel::subscriptionRow(record).perMonthText, QString("125\u00a0₹/mo"));
        }
}

TEST_F(FinanceRowTextDates, TheAllocationIsPendingUntilNotACentIsLeft) {
    income(1000);
    auto rent = expense(600, CashFlowViewModel::fixedType, std::nullopt);
    {
        CashFlowViewModel vm(context);
        const auto allocation = vm.allocation();
        ASSERT_EQ(allocation.shares.size(), 2u);
        EXPECT_EQ(allocation.shares[0].label, QString("Untitled"));
        EXPECT_FALSE(allocation.shares[0].remaining);
        EXPECT_EQ(allocation.shares[1].label, QString("Remaining"));
        EXPECT_EQ(allocation.shares[1].amount, 400);
        EXPECT_TRUE(allocation.shares[1].remaining);
        EXPECT_EQ(allocation.status, QString("₹400.00 remaining to allocate"));
        EXPECT_EQ(allocation.statusTone, FinanceTone::Pending);
        EXPECT_EQ(vm.totalIncomeText(), QString("₹1,000.00"));
        EXPECT_EQ(vm.fixedRows()[0].title, QString("Untitled"));
        EXPECT_EQ(vm.incomeRows()[0].date, QString("Dec 1"));
    }
    // Less than half a cent left counts as nothing left; so does allocating more than the income.
    for (double fixed : {999.996, 1000.0, 1250.0}) {
        rent->setAmount(fixed);
        context->save();
        CashFlowViewModel vm(context);
        const auto allocation = vm.allocation();
        EXPECT_EQ(allocation.shares.size(), 1u) << fixed;
        EXPECT_EQ(allocation.status, QString("Fully allocated")) << fixed;
        EXPECT_EQ(allocation.statusTone, FinanceTone::Gain) << fixed;
    }
    rent->setAmount(999.99);
    context->save();
    CashFlowViewModel vm(context);
    EXPECT_EQ(vm.allocation().status, QString("₹0.01 remaining to allocate"));
    expense(12.5, CashFlowViewModel::dynamicType, QString("Lunch"));
    vm.fetchForSelectedMonth();
    EXPECT_EQ(vm.dynamicSummary(), QString("₹12.50 spent of ₹0.01 available"));
}

TEST_F(FinanceRowTextDates, TheMonthsFlowIsAGainUpToSpendingAllOfIt) {
    income(1000);
    auto spent = expense(1000, CashFlowViewModel::dynamicType, QString("Trip"));
    {
        OverviewViewModel vm(context);
        EXPECT_EQ(vm.headlines().thisMonth, QString("₹0"));
        EXPECT_EQ(vm.headlines().thisMonthTone, FinanceTone::Gain);
    }
    spent->setAmount(1001);
    context->save();
    OverviewViewModel vm(context);
    EXPECT_EQ(vm.headlines().thisMonth, QString("-₹1"));
    EXPECT_EQ(vm.headlines().thisMonthTone, FinanceTone::Loss);
    EXPECT_EQ(vm.headlines().spendable, QString("₹1,000"));
    auto account = makeAccount("Savings", 2500.5);
    account->setName(std::nullopt);
    context->save();
    vm.refresh();
    const auto rows = vm.accountRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, QString("Unnamed Account"));
    EXPECT_EQ(rows[0].balanceText, QString("₹2,500")) << "half to even";
    EXPECT_EQ(vm.headlines().liquidCash, QString("₹2,500"));
}
