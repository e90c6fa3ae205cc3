#include "Models/LinkItem.h"

#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription LinkItem::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},        {QStringLiteral("title"), AttributeType::text},
        {QStringLiteral("url"), AttributeType::text},       {QStringLiteral("category"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new LinkItem); };
    return e;
}

std::shared_ptr<LinkItem> LinkItem::create(ObjectContext* context) {
    auto record = context->insert<LinkItem>();
    RecordDefaults::apply(*record);
    return record;
}
