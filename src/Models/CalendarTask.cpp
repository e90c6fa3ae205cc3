#include "Models/CalendarTask.h"

#include "Models/CalendarSubtask.h"
#include "Models/RecordDefaults.h"
#include "Models/TaskCategory.h"
#include "Platform/Store/ObjectContext.h"

#include <algorithm>

EntityDescription CalendarTask::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new CalendarTask); }};
}

std::shared_ptr<CalendarTask> CalendarTask::create(ObjectContext* context) {
    auto record = context->insert<CalendarTask>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<CalendarSubtask>> CalendarTask::subtasks() const {
    return toMany<CalendarSubtask>(Subtasks);
}

std::shared_ptr<TaskCategory> CalendarTask::category() const {
    return toOne<TaskCategory>(Category);
}

void CalendarTask::setCategory(const std::shared_ptr<TaskCategory>& value) {
    setRelatedObject(Category, value);
}

std::vector<std::shared_ptr<CalendarSubtask>> CalendarTask::wrappedSubtasks() const {
    auto list = subtasks();
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        const auto ca = a->createdAt();
        const auto cb = b->createdAt();
        if (!cb)
            return false;
        return !ca || *ca < *cb;
    });
    return list;
}
