#include "Models/ExpenseMonth.h"

#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription ExpenseMonth::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new ExpenseMonth); }};
}

std::shared_ptr<ExpenseMonth> ExpenseMonth::create(ObjectContext* context) {
    auto record = context->insert<ExpenseMonth>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<Expense>> ExpenseMonth::expenses() const {
    return toMany<Expense>(Expenses);
}

std::vector<std::shared_ptr<Income>> ExpenseMonth::incomes() const {
    return toMany<Income>(Incomes);
}
