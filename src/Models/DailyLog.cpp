#include "Models/DailyLog.h"

#include "Models/Goal.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription DailyLog::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new DailyLog); }};
}

std::shared_ptr<DailyLog> DailyLog::create(ObjectContext* context) {
    auto record = context->insert<DailyLog>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<Goal> DailyLog::goal() const {
    return toOne<Goal>(GoalRel);
}

void DailyLog::setGoal(const std::shared_ptr<Goal>& value) {
    setRelatedObject(GoalRel, value);
}

QString DailyLog::moodEmoji() const {
    switch (moodScore()) {
    case 1:
        return QStringLiteral("\U0001F614");
    case 2:
        return QStringLiteral("\U0001F615");
    case 4:
        return QStringLiteral("\U0001F604");
    case 5:
        return QStringLiteral("\U0001F929");
    default:
        return QStringLiteral("\U0001F60A");
    }
}

QString DailyLog::energyEmoji() const {
    switch (energyScore()) {
    case 1:
        return QStringLiteral("\U0001F50B");
    case 2:
        return QStringLiteral("\u26A1");
    case 4:
        return QStringLiteral("\U0001F525");
    case 5:
        return QStringLiteral("\U0001F680");
    default:
        return QStringLiteral("\u2728");
    }
}
