#include "Models/Subscription.h"

#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Subscription::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("price"), AttributeType::doubleValue},
        {QStringLiteral("renewalDate"), AttributeType::date},
        {QStringLiteral("billingCycle"), AttributeType::text},
        {QStringLiteral("category"), AttributeType::text},
        {QStringLiteral("status"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
        {QStringLiteral("paymentMethod"), AttributeType::text},
        {QStringLiteral("creditCardID"), AttributeType::uuid},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Subscription); };
    return e;
}

std::shared_ptr<Subscription> Subscription::create(ObjectContext* context) {
    auto record = context->insert<Subscription>();
    RecordDefaults::apply(*record);
    return record;
}
