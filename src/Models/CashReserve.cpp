#include "Models/CashReserve.h"

#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription CashReserve::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new CashReserve); }};
}

std::shared_ptr<CashReserve> CashReserve::create(ObjectContext* context) {
    auto record = context->insert<CashReserve>();
    RecordDefaults::apply(*record);
    return record;
}
