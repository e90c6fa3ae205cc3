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

std::shared_ptr<ExpenseMonth> Income::month() const {
    return toOne<ExpenseMonth>(Month);
}

void Income::setMonth(const std::shared_ptr<ExpenseMonth>& value) {
    setRelatedObject(Month, value);
}
