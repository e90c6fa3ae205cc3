#include "Models/TaskCategory.h"

#include "Models/CalendarTask.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription TaskCategory::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new TaskCategory); }};
}

std::shared_ptr<TaskCategory> TaskCategory::create(ObjectContext* context) {
    auto record = context->insert<TaskCategory>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<CalendarTask>> TaskCategory::tasks() const {
    return toMany<CalendarTask>(Tasks);
}
