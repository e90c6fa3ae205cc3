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

bool Subscription::isActive() const {
    return status().value_or(active) == active;
}

QString Subscription::effectiveCycle() const {
    return billingCycle().value_or(monthly);
}

double Subscription::monthlyEquivalent() const {
    const QString cycle = effectiveCycle();
    if (cycle == quarterly)
        return price() / 3;
    if (cycle == annual)
        return price() / 12;
    return price();
}
