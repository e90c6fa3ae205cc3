#include "Models/LinkItem.h"

#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription LinkItem::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new LinkItem); }};
}

std::shared_ptr<LinkItem> LinkItem::create(ObjectContext* context) {
    auto record = context->insert<LinkItem>();
    RecordDefaults::apply(*record);
    return record;
}
