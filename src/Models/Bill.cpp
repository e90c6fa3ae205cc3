#include "Models/Bill.h"

#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Bill::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("amount"), AttributeType::doubleValue},
        {QStringLiteral("dueDay"), AttributeType::int16},
        {QStringLiteral("category"), AttributeType::text},
        {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
        {QStringLiteral("paymentMethod"), AttributeType::text},
        {QStringLiteral("creditCardID"), AttributeType::uuid},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Bill); };
    return e;
}

std::shared_ptr<Bill> Bill::create(ObjectContext* context) {
    auto record = context->insert<Bill>();
    RecordDefaults::apply(*record);
    return record;
}
