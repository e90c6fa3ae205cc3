#include "Models/Expense.h"

#include "Models/CreditCard.h"
#include "Models/ExpenseMonth.h"
#include "Models/RecordDefaults.h"
#include "Platform/CalendarHelpers.h"
#include "Store/ObjectContext.h"

EntityDescription Expense::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Expense); }};
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
