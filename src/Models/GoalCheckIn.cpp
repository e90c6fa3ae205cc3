#include "Models/GoalCheckIn.h"

#include "Models/Goal.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription GoalCheckIn::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},       {QStringLiteral("date"), AttributeType::date},
        {QStringLiteral("progress"), AttributeType::text}, {QStringLiteral("wentWrong"), AttributeType::text},
        {QStringLiteral("comments"), AttributeType::text}, {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("goal"), QStringLiteral("Goal"), false, QStringLiteral("checkIns"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new GoalCheckIn); };
    return e;
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
