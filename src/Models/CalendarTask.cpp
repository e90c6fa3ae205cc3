#include "Models/CalendarTask.h"

#include "Models/CalendarSubtask.h"
#include "Models/CreationOrder.h"
#include "Models/RecordDefaults.h"
#include "Models/TaskCategory.h"
#include "Models/TaskRepeatFrequency.h"
#include "Platform/CalendarHelpers.h"
#include "Store/ObjectContext.h"

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
    CreationOrder::sort(list);
    return list;
}

bool CalendarTask::repeatRuleMatches(const QDate& day) const {
    const auto raw = repeatFrequency();
    const auto frequency = raw ? TaskRepeatFrequencies::fromRaw(*raw) : std::nullopt;
    if (!frequency)
        return false;
    switch (*frequency) {
    case TaskRepeatFrequency::daily:
        return true;
    case TaskRepeatFrequency::weekdays: {
        const int weekday = Calendar::weekdayNumber(day);
        return weekday >= 2 && weekday <= 6;
    }
    case TaskRepeatFrequency::weekly: {
        const auto own = date();
        return own && own->toLocalTime().date().dayOfWeek() == day.dayOfWeek();
    }
    }
    return false;
}

bool CalendarTask::repeatsOn(const QDate& day) const {
    const QDateTime start = day.startOfDay(Qt::LocalTime);
    const auto own = date();
    if (!own || *own >= start)
        return false;
    const auto until = repeatUntil();
    if (until && *until < start)
        return false;
    return repeatRuleMatches(day);
}
