#include "Models/Subscription.h"

#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription Subscription::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Subscription); }};
}

std::shared_ptr<Subscription> Subscription::create(ObjectContext* context) {
    auto record = context->insert<Subscription>();
    RecordDefaults::apply(*record);
    return record;
}
