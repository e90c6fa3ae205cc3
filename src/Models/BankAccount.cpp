#include "Models/BankAccount.h"

#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription BankAccount::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("balance"), AttributeType::doubleValue},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new BankAccount); };
    return e;
}

std::shared_ptr<BankAccount> BankAccount::create(ObjectContext* context) {
    auto record = context->insert<BankAccount>();
    RecordDefaults::apply(*record);
    return record;
}
