#include "ModelTestSupport.h"

#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Income.h"

namespace {

class FinanceRulesDates : public ModelTest {
protected:
    std::shared_ptr<CreditCard> card(qint16 closeDay, qint16 dueDay) {
        auto c = CreditCard::create(context());
        c->setStatementCloseDay(closeDay);
        c->setPaymentDueDay(dueDay);
        return c;
    }
};

TEST_F(FinanceRulesDates, BilledMonthMovesOnFromTheCloseDay) {
    const auto c = card(15, 5);
    const std::vector<std::pair<QDateTime, QDateTime>> cases{
        {local(2026, 3, 14, 23, 30), local(2026, 3, 1)},  {local(2026, 3, 15), local(2026, 4, 1)},
        {local(2026, 3, 31, 18, 0), local(2026, 4, 1)},   {local(2026, 12, 20, 9, 0), local(2027, 1, 1)},
        {local(2026, 12, 31, 23, 59), local(2027, 1, 1)}, {local(2027, 1, 1, 0, 0), local(2027, 1, 1)}};
    for (const auto& [spend, billed] : cases)
        EXPECT_EQ(Expense::computeBilledMonth(spend, c), billed) << spend.toString(Qt::ISODate).toStdString();

    EXPECT_EQ(Expense::computeBilledMonth(local(2026, 1, 31, 23, 0), nullptr), local(2026, 1, 1));
    EXPECT_EQ(Expense::computeBilledMonth(local(2026, 12, 31, 23, 0), nullptr), local(2026, 12, 1));
    EXPECT_EQ(Expense::computeBilledMonth(local(2026, 3, 1), card(0, 1)), local(2026, 4, 1));
}

TEST_F(FinanceRulesDates, BilledMonthTakesTheLocalDayOfAUtcInstant) {
    const QDateTime spend = local(2026, 3, 14, 22, 0).toUTC();
    EXPECT_EQ(Expense::computeBilledMonth(spend, card(15, 5)), local(2026, 3, 1));
    EXPECT_EQ(Expense::computeBilledMonth(local(2026, 2, 28, 23, 0).toUTC(), nullptr), local(2026, 2, 1));
}

TEST_F(FinanceRulesDates, AnExpenseIsWrittenFromItsDraftWholeAndItsCardSetsTheBilledMonth) {
    const auto byCard = card(15, 5);
    Expense::Draft draft;
    draft.title = QStringLiteral("Shoes");
    draft.amount = 80;
    draft.date = local(2026, 3, 20, 9, 0);
    draft.expenseType = QStringLiteral("dynamic");
    draft.paymentMethod = QStringLiteral("credit");
    draft.creditCardID = byCard->id();
    draft.category = QStringLiteral("Clothes");
    draft.bankAccountID = QUuid::createUuid();
    draft.goalID = QUuid::createUuid();
    auto expense = Expense::create(context());
    expense->write(draft, byCard);
    EXPECT_EQ(expense->title(), draft.title);
    EXPECT_EQ(expense->amount(), 80);
    EXPECT_EQ(expense->date(), draft.date);
    EXPECT_EQ(expense->expenseType(), draft.expenseType);
    EXPECT_EQ(expense->paymentMethod(), draft.paymentMethod);
    EXPECT_EQ(expense->creditCardID(), byCard->id());
    EXPECT_EQ(expense->category(), draft.category);
    EXPECT_EQ(expense->notes(), std::nullopt) << "empty notes are none";
    EXPECT_EQ(expense->bankAccountID(), draft.bankAccountID);
    EXPECT_EQ(expense->goalID(), draft.goalID);
    EXPECT_EQ(expense->billedMonth(), local(2026, 4, 1)) << "after the card's close day";

    // Rewritten without a card or a category: the month is the spend's own, and none is kept.
    draft.creditCardID.reset();
    draft.category.clear();
    draft.notes = QStringLiteral("returned");
    expense->write(draft, nullptr);
    EXPECT_EQ(expense->creditCardID(), std::nullopt);
    EXPECT_EQ(expense->category(), std::nullopt);
    EXPECT_EQ(expense->notes(), draft.notes);
    EXPECT_EQ(expense->billedMonth(), local(2026, 3, 1));
}

TEST_F(FinanceRulesDates, AnIncomeIsWrittenFromItsDraftAndKeepsItsIdAndAccount) {
    auto income = Income::create(context());
    const auto id = income->id();
    const QUuid account = QUuid::createUuid();
    income->setBankAccountID(account);
    income->write({QStringLiteral("Salary"), 2500, local(2026, 3, 1), QStringLiteral("debit"), {}});
    EXPECT_EQ(income->title(), QStringLiteral("Salary"));
    EXPECT_EQ(income->amount(), 2500);
    EXPECT_EQ(income->date(), local(2026, 3, 1));
    EXPECT_EQ(income->paymentMethod(), QStringLiteral("debit"));
    EXPECT_EQ(income->notes(), std::nullopt) << "empty notes are none";
    income->write(
        {QStringLiteral("Bonus"), 300, local(2026, 3, 2), QStringLiteral("cash"), QStringLiteral("Q1")});
    EXPECT_EQ(income->notes(), QStringLiteral("Q1"));
    EXPECT_EQ(income->id(), id) << "a write never makes a second id";
    EXPECT_EQ(income->bankAccountID(), account) << "the form does not move money between accounts";
}

TEST_F(FinanceRulesDates, ACardIsFoundByItsIdAmongTheLiveOnesOnly) {
    const auto first = card(1, 10);
    const auto second = card(5, 20);
    const std::vector<std::shared_ptr<CreditCard>> cards{first, second};
    EXPECT_EQ(CreditCard::withID(cards, second->id()), second);
    EXPECT_EQ(CreditCard::withID(cards, std::nullopt), nullptr);
    EXPECT_EQ(CreditCard::withID(cards, QUuid::createUuid()), nullptr) << "an id that outlived its card";
    context()->deleteObject(second);
    EXPECT_EQ(CreditCard::withID(cards, second->id()), nullptr);
    EXPECT_EQ(CreditCard::withID(cards, first->id()), first);
}

TEST_F(FinanceRulesDates, NextDueDateIsAfterTheGivenMoment) {
    const auto c = card(1, 10);
    EXPECT_EQ(c->nextDueDate(local(2026, 5, 9, 23, 59)), local(2026, 5, 10));
    EXPECT_EQ(c->nextDueDate(local(2026, 5, 10, 0, 0)), local(2026, 6, 10));
    EXPECT_EQ(c->nextDueDate(local(2026, 5, 10, 8, 0)), local(2026, 6, 10));
    EXPECT_EQ(c->nextDueDate(local(2026, 12, 20)), local(2027, 1, 10));
    EXPECT_EQ(c->nextDueDate(local(2026, 12, 10, 12, 0).toUTC()), local(2027, 1, 10));

    const auto lastDay = card(1, 31);
    EXPECT_EQ(lastDay->nextDueDate(local(2026, 4, 1)), local(2026, 5, 1));
    EXPECT_EQ(lastDay->nextDueDate(local(2026, 1, 31, 9, 0)), local(2026, 3, 3));
}

} // namespace
