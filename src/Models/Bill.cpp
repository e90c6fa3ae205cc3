#include "Models/Bill.h"

#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription Bill::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Bill); }};
}

std::shared_ptr<Bill> Bill::create(ObjectContext* context) {
    auto record = context->insert<Bill>();
    RecordDefaults::apply(*record);
    return record;
}
