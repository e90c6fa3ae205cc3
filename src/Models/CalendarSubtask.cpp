#include "Models/CalendarSubtask.h"

#include "Models/CalendarTask.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription CalendarSubtask::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new CalendarSubtask); }};
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
