#include "Models/TaskCategory.h"

#include "Models/CalendarTask.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription TaskCategory::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("colorHex"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("tasks"), QStringLiteral("CalendarTask"), true, QStringLiteral("category"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new TaskCategory); };
    return e;
}

std::shared_ptr<TaskCategory> TaskCategory::create(ObjectContext* context) {
    auto record = context->insert<TaskCategory>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<CalendarTask>> TaskCategory::tasks() const {
    return toMany<CalendarTask>(Tasks);
}
