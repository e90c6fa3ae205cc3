#include "Models/Expense.h"

#include "Models/CreditCard.h"
#include "Models/ExpenseMonth.h"
#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Store/ObjectContext.h"

EntityDescription Expense::description() {
    EntityDescription entity{entityName(), storedAttributes(), storedRelationships(),
                             [] { return std::shared_ptr<ManagedObject>(new Expense); }};
    // The finance screens total a month's fixed bills by billing month and its dynamic spending
    // by date: a heavy user's month holds thousands of expenses, read from these alone.
    entity.compoundIndexes = {
        {QStringLiteral("billedMonth"), QStringLiteral("expenseType"), QStringLiteral("amount")},
        {QStringLiteral("date"), QStringLiteral("expenseType"), QStringLiteral("amount")}};
    return entity;
}

std::shared_ptr<Expense> Expense::create(ObjectContext* context) {
    auto record = context->insert<Expense>();
    RecordDefaults::apply(*record);
    return record;
}

void Expense::write(const Draft& draft, const std::shared_ptr<CreditCard>& card) {
    const auto unlessEmpty = [](const QString& text) {
        return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
    };
    setTitle(draft.title);
    setAmount(draft.amount);
    setDate(draft.date);
    setExpenseType(draft.expenseType);
    setPaymentMethod(draft.paymentMethod);
    setCreditCardID(draft.creditCardID);
    setCategory(unlessEmpty(draft.category));
    setNotes(unlessEmpty(draft.notes));
    setBankAccountID(draft.bankAccountID);
    setGoalID(draft.goalID);
    setBilledMonth(computeBilledMonth(draft.date, card));
}

std::shared_ptr<ExpenseMonth> Expense::month() const {
    return toOne<ExpenseMonth>(Month);
}

void Expense::setMonth(const std::shared_ptr<ExpenseMonth>& value) {
    setRelatedObject(Month, value);
}

QDateTime Expense::computeBilledMonth(const QDateTime& spendDate,
                                      const std::shared_ptr<CreditCard>& creditCard) {
    const QDate day = spendDate.toLocalTime().date();
    int month = day.month();
    if (creditCard && day.day() >= creditCard->statementCloseDay())
        ++month;
    return Calendar::composeStartOfDay(day.year(), month, 1);
}
