#include "Models/Expense.h"

#include "Models/CreditCard.h"
#include "Models/ExpenseMonth.h"
#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Expense::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("amount"), AttributeType::doubleValue},
        {QStringLiteral("category"), AttributeType::text},
        {QStringLiteral("date"), AttributeType::date, true},
        {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("title"), AttributeType::text},
        {QStringLiteral("expenseType"), AttributeType::text},
        {QStringLiteral("paymentMethod"), AttributeType::text},
        {QStringLiteral("creditCardID"), AttributeType::uuid},
        {QStringLiteral("billedMonth"), AttributeType::date, true},
        {QStringLiteral("bankAccountID"), AttributeType::uuid},
        {QStringLiteral("goalID"), AttributeType::uuid},
    };
    e.relationships = {
        {QStringLiteral("month"), QStringLiteral("ExpenseMonth"), false, QStringLiteral("expenses"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Expense); };
    return e;
}

std::shared_ptr<Expense> Expense::create(ObjectContext* context) {
    auto record = context->insert<Expense>();
    RecordDefaults::apply(*record);
    return record;
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
