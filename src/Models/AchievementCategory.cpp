#include "Models/AchievementCategory.h"

#include "Models/Achievement.h"
#include "Models/RecordDefaults.h"
#include "Store/ObjectContext.h"

EntityDescription AchievementCategory::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new AchievementCategory); }};
}

std::shared_ptr<AchievementCategory> AchievementCategory::create(ObjectContext* context) {
    auto record = context->insert<AchievementCategory>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<Achievement>> AchievementCategory::achievements() const {
    return toMany<Achievement>(Achievements);
}
