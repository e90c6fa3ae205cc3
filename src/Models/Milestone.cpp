#include "Models/Milestone.h"

#include "Models/CreationOrder.h"
#include "Models/Goal.h"
#include "Models/RecordDefaults.h"
#include "Models/Step.h"
#include "Store/ObjectContext.h"

#include <algorithm>

EntityDescription Milestone::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Milestone); }};
}

std::shared_ptr<Milestone> Milestone::create(ObjectContext* context) {
    auto record = context->insert<Milestone>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Goal> Milestone::goal() const {
    return toOne<Goal>(GoalRel);
}

void Milestone::setGoal(const std::shared_ptr<Goal>& value) {
    setRelatedObject(GoalRel, value);
}

std::vector<std::shared_ptr<Step>> Milestone::steps() const {
    return toMany<Step>(Steps);
}

std::vector<std::shared_ptr<Step>> Milestone::stepsArray() const {
    auto list = steps();
    CreationOrder::sort(list);
    return list;
}

int Milestone::completedStepsCount() const {
    const auto list = steps();
    return static_cast<int>(
        std::count_if(list.begin(), list.end(), [](const auto& s) { return s->isCompleted(); }));
}
