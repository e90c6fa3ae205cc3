#include "Models/Income.h"

#include "Models/ExpenseMonth.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription Income::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Income); }};
}

std::shared_ptr<Income> Income::create(ObjectContext* context) {
    auto record = context->insert<Income>();
    RecordDefaults::apply(*record);
    return record;
}

void Income::write(const Draft& draft) {
    setTitle(draft.title);
    setAmount(draft.amount);
    setDate(draft.date);
    setPaymentMethod(draft.paymentMethod);
    setNotes(draft.notes.isEmpty() ? std::nullopt : std::optional<QString>(draft.notes));
}

std::shared_ptr<ExpenseMonth> Income::month() const {
    return toOne<ExpenseMonth>(Month);
}

void Income::setMonth(const std::shared_ptr<ExpenseMonth>& value) {
    setRelatedObject(Month, value);
}
