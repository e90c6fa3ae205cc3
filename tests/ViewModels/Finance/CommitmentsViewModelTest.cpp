#include "ViewModels/Finance/CommitmentsViewModel.h"

#include "Models/Expense.h"
#include "Models/Subscription.h"
#include "ViewModels/Finance/FinanceTestSupport.h"

#include <limits>

namespace {

class CommitmentsViewModelDates : public FinanceStoreTest {
protected:
    // Friday 20 March 2026, 10:00.
    CommitmentsViewModelDates() : FinanceStoreTest(local(2026, 3, 20, 10)) {}

    std::shared_ptr<Expense> spend(const std::shared_ptr<CreditCard>& card, double amount,
                                   const QDateTime& date) {
        auto e = Expense::create(context);
        e->setAmount(amount);
        e->setDate(date);
        e->setExpenseType("dynamic");
        e->setCreditCardID(card->id());
        e->setBilledMonth(Expense::computeBilledMonth(date, card));
        context->save();
        return e;
    }
    std::shared_ptr<Subscription> subscription(double price, const std::optional<QString>& cycle,
                                               const std::optional<QString>& status) {
        Clock::advanceMs(1);
        auto s = Subscription::create(context);
        s->setPrice(price);
        s->setBillingCycle(cycle);
        s->setStatus(status);
        s->setCreatedAt(Clock::now());
        context->save();
        return s;
    }
};

} // namespace

TEST_F(CommitmentsViewModelDates, ThisMonthsSpendStartsAtTheFirstAndHasNoEnd) {
    auto card = makeCard("Alpha", 25, 15);
    spend(card, 10, local(2026, 3, 1));
    spend(card, 20, local(2026, 3, 1).addMSecs(-1));
    spend(card, 40, local(2026, 4, 2));
    auto other = makeCard("Beta", 25, 15);
    spend(other, 1000, local(2026, 3, 5));
    CommitmentsViewModel vm(context);
    EXPECT_EQ(vm.currentMonthSpend(*card), 50);
    EXPECT_EQ(vm.currentMonthSpend(*other), 1000);
    // The list's one-query figures agree with the per-card ones.
    const auto figures = vm.cardFigures();
    EXPECT_EQ(figures.value(*card->id()).monthSpend, 50);
    EXPECT_EQ(figures.value(*card->id()).nextBill, vm.nextBillAmount(*card));
    EXPECT_EQ(figures.value(*other->id()).monthSpend, 1000);
    card->setId(std::nullopt);
    EXPECT_EQ(vm.currentMonthSpend(*card), 0);
    EXPECT_EQ(vm.nextBillAmount(*card), 0);
}

TEST_F(CommitmentsViewModelDates, CardFiguresSummedByTheStoreMatchTheRecords) {
    auto alpha = makeCard("Alpha", 25, 15);
    auto beta = makeCard("Beta", 10, 5);
    auto idle = makeCard("Idle", 1, 20);
    spend(alpha, 10, local(2026, 3, 1));  // this month, billed this month
    spend(alpha, 20, local(2026, 3, 26)); // this month, billed next month
    spend(alpha, 40, local(2026, 2, 27)); // last month, billed this month: neither
    spend(beta, 80, local(2026, 3, 12));  // this month, billed next month
    spend(beta, 160, local(2026, 5, 2));  // later, billed later
    spend(idle, 320, local(2025, 12, 1)); // long ago
    auto undated = spend(beta, 640, local(2026, 3, 13));
    undated->setDate(std::nullopt); // billed next month, no date
    context->save();
    auto unbilled = spend(alpha, 1280, local(2026, 3, 14));
    unbilled->setBilledMonth(std::nullopt); // this month, never billed
    context->save();
    auto cash = Expense::create(context); // no card at all
    cash->setAmount(2560);
    cash->setDate(local(2026, 3, 15));
    context->save();

    CommitmentsViewModel vm(context);
    const auto fromStore = vm.cardFigures();
    for (const auto& card : {alpha, beta}) {
        EXPECT_EQ(fromStore.value(*card->id()).monthSpend, vm.currentMonthSpend(*card));
        EXPECT_EQ(fromStore.value(*card->id()).nextBill, vm.nextBillAmount(*card));
    }
    EXPECT_EQ(fromStore.value(*alpha->id()).monthSpend, 1310);
    EXPECT_EQ(fromStore.value(*alpha->id()).nextBill, 20);
    EXPECT_EQ(fromStore.value(*beta->id()).monthSpend, 240);
    EXPECT_EQ(fromStore.value(*beta->id()).nextBill, 880);
    EXPECT_FALSE(fromStore.contains(*idle->id())) << "nothing this month or to come";

    // An unsaved expense is counted as well, one record at a time.
    auto pending = Expense::create(context);
    pending->setAmount(5);
    pending->setDate(local(2026, 3, 20));
    pending->setCreditCardID(beta->id());
    pending->setBilledMonth(local(2026, 4, 1));
    const auto withPending = vm.cardFigures();
    EXPECT_EQ(withPending.value(*beta->id()).monthSpend, 245);
    EXPECT_EQ(withPending.value(*beta->id()).nextBill, 885);
    EXPECT_EQ(withPending.value(*alpha->id()).monthSpend, 1310);
    context->save();
    EXPECT_EQ(vm.cardFigures().value(*beta->id()).nextBill, 885);
}

TEST_F(CommitmentsViewModelDates, TheNextBillCountsFromNextMonthAcrossTheYearEnd) {
    Clock::setFake(local(2026, 12, 10, 9));
    auto card = makeCard("Alpha", 25, 15);
    spend(card, 100, local(2026, 12, 24)); // billed December
    spend(card, 200, local(2026, 12, 25)); // billed January
    spend(card, 300, local(2027, 2, 26));  // billed March
    CommitmentsViewModel vm(context);
    EXPECT_EQ(vm.nextBillAmount(*card), 500);
    EXPECT_EQ(vm.cardFigures().value(*card->id()).nextBill, 500);
    EXPECT_EQ(vm.cardFigures().value(*card->id()).monthSpend, 600);
    EXPECT_EQ(card->nextDueDate(Clock::now()), local(2026, 12, 15));
    Clock::setFake(local(2026, 12, 15, 9));
    EXPECT_EQ(card->nextDueDate(Clock::now()), local(2027, 1, 15));
}

TEST_F(CommitmentsViewModelDates, ASubscriptionBooksOneFixedExpenseBilledByItsCard) {
    auto card = makeCard("Alpha", 25, 15);
    CommitmentsViewModel vm(context);
    ASSERT_TRUE(
        vm.addSubscription("Stream", 499, "monthly", local(2026, 3, 25, 10), "creditCard", card->id()));
    ASSERT_TRUE(
        vm.addSubscription("Music", 119, "monthly", local(2026, 3, 24, 10), "creditCard", card->id()));
    ASSERT_TRUE(
        vm.addSubscription("Ghost", 50, "annual", local(2026, 3, 25, 10), "creditCard", QUuid::createUuid()));
    ASSERT_EQ(vm.subscriptions().size(), 3u);
    const auto stream = vm.subscriptions()[0];
    EXPECT_EQ(stream->status(), QString("active"));
    EXPECT_EQ(stream->createdAt(), Clock::now());
    EXPECT_FALSE(stream->category().has_value());

    auto expenses = context->fetch<Expense>(FetchRequest("Expense", {}, {{Expense::Keys::title, true}}));
    ASSERT_EQ(expenses.size(), 3u);
    const auto& ghost = expenses[0];
    const auto& music = expenses[1];
    const auto& streamExpense = expenses[2];
    EXPECT_EQ(streamExpense->billedMonth(), local(2026, 4, 1)); // on the close day: next month
    EXPECT_EQ(music->billedMonth(), local(2026, 3, 1));         // the day before: this month
    EXPECT_EQ(ghost->billedMonth(), local(2026, 3, 1));         // no such card: the renewal month
    EXPECT_TRUE(ghost->creditCardID().has_value());
    EXPECT_EQ(streamExpense->amount(), 499);
    EXPECT_EQ(streamExpense->date(), local(2026, 3, 25, 10));
    EXPECT_EQ(streamExpense->expenseType(), QString("fixed"));
    EXPECT_EQ(streamExpense->category(), QString("Subscription"));
    EXPECT_EQ(streamExpense->notes(), QString("Auto-created from subscription"));
    EXPECT_EQ(streamExpense->paymentMethod(), QString("creditCard"));
    EXPECT_FALSE(streamExpense->bankAccountID().has_value());
    EXPECT_EQ(vm.nextBillAmount(*card), 499);
    EXPECT_EQ(vm.currentMonthSpend(*card), 618);
}

TEST_F(CommitmentsViewModelDates, MonthlyEquivalentsAndTheActiveTotal) {
    subscription(120, "annual", std::nullopt);
    subscription(30, "quarterly", "active");
    subscription(7, std::nullopt, "active");
    subscription(9, "weekly", "active");
    subscription(1000, "monthly", "paused");
    subscription(1000, "monthly", "cancelled");
    CommitmentsViewModel vm(context);
    const auto& subs = vm.subscriptions();
    ASSERT_EQ(subs.size(), 6u);
    EXPECT_EQ(subs[0]->monthlyEquivalent(), 10);
    EXPECT_EQ(subs[1]->monthlyEquivalent(), 10);
    EXPECT_EQ(subs[2]->monthlyEquivalent(), 7);
    EXPECT_EQ(subs[3]->monthlyEquivalent(), 9);
    EXPECT_EQ(vm.totalMonthlySubscriptions(), 36);
    EXPECT_EQ(vm.activeSubscriptionCount(), 4);
    EXPECT_EQ(vm.activeSubscriptionsText(), QString("4 active"));
    EXPECT_EQ(CommitmentsViewModel::inactiveHeading(2), QString("Inactive (2)"));

    // No status counts as active, so the first toggle pauses; "cancelled" resumes to active.
    ASSERT_TRUE(vm.toggleSubscriptionStatus(subs[0]));
    EXPECT_EQ(vm.subscriptions()[0]->status(), QString("paused"));
    ASSERT_TRUE(vm.toggleSubscriptionStatus(vm.subscriptions()[5]));
    EXPECT_EQ(vm.subscriptions()[5]->status(), QString("active"));
    EXPECT_EQ(vm.totalMonthlySubscriptions(), 1026);
}

TEST_F(CommitmentsViewModelDates, CardsAreListedOldestFirst) {
    CommitmentsViewModel vm(context);
    EXPECT_TRUE(vm.creditCards().empty());
    EXPECT_EQ(vm.totalMonthlySubscriptions(), 0);
    ASSERT_TRUE(vm.addCreditCard("Zeta", 1, 28));
    Clock::advance(60);
    ASSERT_TRUE(vm.addCreditCard("Alpha", 28, 1));
    ASSERT_EQ(vm.creditCards().size(), 2u);
    EXPECT_EQ(vm.creditCards()[0]->name(), QString("Zeta"));
    EXPECT_EQ(vm.creditCards()[0]->statementCloseDay(), 1);
    EXPECT_EQ(vm.creditCards()[0]->paymentDueDay(), 28);
    EXPECT_EQ(vm.creditCards()[0]->createdAt(), now);
    EXPECT_EQ(vm.currentMonthSpend(*vm.creditCards()[1]), 0);
}

TEST_F(CommitmentsViewModelDates, DeletingACardOrASubscriptionKeepsTheirExpenses) {
    auto card = makeCard("Alpha", 25, 15);
    CommitmentsViewModel vm(context);
    ASSERT_TRUE(vm.addSubscription("Stream", 499, "monthly", now, "creditCard", card->id()));
    spend(card, 20, now);
    const auto cardID = card->id();
    ASSERT_TRUE(vm.deleteSubscription(vm.subscriptions().at(0)));
    ASSERT_TRUE(vm.deleteCreditCard(vm.creditCards().at(0)));
    EXPECT_TRUE(vm.subscriptions().empty());
    EXPECT_TRUE(vm.creditCards().empty());
    const auto expenses = context->fetch<Expense>(FetchRequest("Expense"));
    ASSERT_EQ(expenses.size(), 2u);
    for (const auto& e : expenses)
        EXPECT_EQ(e->creditCardID(), cardID);
}

TEST_F(CommitmentsViewModelDates, ASubscriptionAndItsExpenseAreSavedTogetherOrNotAtAll) {
    CommitmentsViewModel vm(context);
    refuseWrites({"Expense"});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(vm.addSubscription("Stream", 499, "monthly", now, "debit", std::nullopt));
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(vm.subscriptions().empty());
    EXPECT_EQ(context->count(FetchRequest("Subscription")), 0);
    allowWrites();
    EXPECT_EQ(reopened()->viewContext()->count(FetchRequest("Subscription")), 0);
    EXPECT_FALSE(
        vm.addSubscription("Inf", std::numeric_limits<double>::infinity(), "monthly", now, "debit", {}));
}
