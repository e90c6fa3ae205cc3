#include "Models/CalendarSubtask.h"

#include "Models/CalendarTask.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription CalendarSubtask::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},          {QStringLiteral("title"), AttributeType::text},
        {QStringLiteral("isCompleted"), AttributeType::flag}, {QStringLiteral("notes"), AttributeType::text},
        {QStringLiteral("createdAt"), AttributeType::date},
    };
    e.relationships = {
        {QStringLiteral("task"), QStringLiteral("CalendarTask"), false, QStringLiteral("subtasks"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new CalendarSubtask); };
    return e;
}

std::shared_ptr<CalendarSubtask> CalendarSubtask::create(ObjectContext* context) {
    auto record = context->insert<CalendarSubtask>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<CalendarTask> CalendarSubtask::task() const {
    return toOne<CalendarTask>(Task);
}

void CalendarSubtask::setTask(const std::shared_ptr<CalendarTask>& value) {
    setRelatedObject(Task, value);
}
