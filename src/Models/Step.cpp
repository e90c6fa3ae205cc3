#include "Models/Step.h"

#include "Models/Milestone.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription Step::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("inputType"), AttributeType::text},
        {QStringLiteral("title"), AttributeType::text},
        {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("isCompleted"), AttributeType::flag},
        {QStringLiteral("isRecurring"), AttributeType::flag},
        {QStringLiteral("completedAt"), AttributeType::date},
        {QStringLiteral("createdAt"), AttributeType::date},
        {QStringLiteral("priority"), AttributeType::int16},
    };
    e.relationships = {
        {QStringLiteral("milestone"), QStringLiteral("Milestone"), false, QStringLiteral("steps"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new Step); };
    return e;
}

std::shared_ptr<Step> Step::create(ObjectContext* context) {
    auto record = context->insert<Step>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Milestone> Step::milestone() const {
    return toOne<Milestone>(MilestoneRel);
}

void Step::setMilestone(const std::shared_ptr<Milestone>& value) {
    setRelatedObject(MilestoneRel, value);
}
