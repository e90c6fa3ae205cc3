#include "Models/Step.h"

#include "Models/Milestone.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription Step::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Step); }};
}

std::shared_ptr<Step> Step::create(ObjectContext* context) {
    auto record = context->insert<Step>();
    RecordDefaults::apply(*record);
    return record;
}

void Step::toggleCompletion(const QDateTime& now) {
    const bool completed = !isCompleted();
    setIsCompleted(completed);
    setCompletedAt(completed ? std::optional<QDateTime>(now) : std::nullopt);
}

std::shared_ptr<Milestone> Step::milestone() const {
    return toOne<Milestone>(MilestoneRel);
}

void Step::setMilestone(const std::shared_ptr<Milestone>& value) {
    setRelatedObject(MilestoneRel, value);
}
