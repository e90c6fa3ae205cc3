#include "Models/Income.h"

#include "Models/ExpenseMonth.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Income::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("amount"), AttributeType::doubleValue},
        {QStringLiteral("date"), AttributeType::date, true},
        {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("title"), AttributeType::text},
        {QStringLiteral("paymentMethod"), AttributeType::text},
        {QStringLiteral("bankAccountID"), AttributeType::uuid},
    };
    e.relationships = {
        {QStringLiteral("month"), QStringLiteral("ExpenseMonth"), false, QStringLiteral("incomes"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Income); };
    return e;
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
