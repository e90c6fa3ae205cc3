#include "Models/BankAccount.h"

#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription BankAccount::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new BankAccount); }};
}

std::shared_ptr<BankAccount> BankAccount::create(ObjectContext* context) {
    auto record = context->insert<BankAccount>();
    RecordDefaults::apply(*record);
    return record;
}
