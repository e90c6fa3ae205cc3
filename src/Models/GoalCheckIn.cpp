#include "Models/GoalCheckIn.h"

#include "Models/Goal.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription GoalCheckIn::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new GoalCheckIn); }};
}

std::shared_ptr<GoalCheckIn> GoalCheckIn::create(ObjectContext* context) {
    auto record = context->insert<GoalCheckIn>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Goal> GoalCheckIn::goal() const {
    return toOne<Goal>(GoalRel);
}

void GoalCheckIn::setGoal(const std::shared_ptr<Goal>& value) {
    setRelatedObject(GoalRel, value);
}
