#include "Models/CashReserve.h"

#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription CashReserve::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("amount"), AttributeType::doubleValue},
        {QStringLiteral("updatedAt"), AttributeType::date},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new CashReserve); };
    return e;
}

std::shared_ptr<CashReserve> CashReserve::create(ObjectContext* context) {
    auto record = context->insert<CashReserve>();
    RecordDefaults::apply(*record);
    return record;
}
