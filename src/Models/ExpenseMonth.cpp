#include "Models/ExpenseMonth.h"

#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription ExpenseMonth::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("month"), AttributeType::int16},
        {QStringLiteral("year"), AttributeType::int16},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("expenses"), QStringLiteral("Expense"), true, QStringLiteral("month"),
         DeleteRule::nullify},
        {QStringLiteral("incomes"), QStringLiteral("Income"), true, QStringLiteral("month"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new ExpenseMonth); };
    return e;
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
