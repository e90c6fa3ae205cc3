#include "Models/AchievementCategory.h"

#include "Models/Achievement.h"
#include "Models/RecordDefaults.h"
#include "Platform/Store/ObjectContext.h"

EntityDescription AchievementCategory::description() {
    EntityDescription e;
    e.name = entityName();
    e.attributes = {
        {QStringLiteral("id"), AttributeType::uuid},
        {QStringLiteral("name"), AttributeType::text},
        {QStringLiteral("isCustom"), AttributeType::flag},
    };
    e.relationships = {
        {QStringLiteral("achievements"), QStringLiteral("Achievement"), true, QStringLiteral("category"),
         DeleteRule::nullify},
    };
    e.make = [] { return std::shared_ptr<ManagedObject>(new AchievementCategory); };
    return e;
}

std::shared_ptr<AchievementCategory> AchievementCategory::create(ObjectContext* context) {
    auto record = context->insert<AchievementCategory>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<Achievement>> AchievementCategory::achievements() const {
    return toMany<Achievement>(Achievements);
}
