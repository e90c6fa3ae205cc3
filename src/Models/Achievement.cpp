#include "Models/Achievement.h"

#include "Models/AchievementCategory.h"
#include "Models/RecordDefaults.h"
#include "Platform/Clock.h"
#include "Platform/RelativeDateFormatter.h"
#include "Store/ObjectContext.h"

EntityDescription Achievement::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Achievement); }};
}

std::shared_ptr<Achievement> Achievement::create(ObjectContext* context) {
    auto record = context->insert<Achievement>();
    RecordDefaults::apply(*record);
    return record;
}

std::shared_ptr<AchievementCategory> Achievement::category() const {
    return toOne<AchievementCategory>(Category);
}

void Achievement::setCategory(const std::shared_ptr<AchievementCategory>& value) {
    setRelatedObject(Category, value);
}

QDateTime Achievement::wrappedDate() const {
    if (const auto d = date())
        return *d;
    if (const auto c = createdAt())
        return *c;
    return Clock::now();
}

QString Achievement::relativeDate() const {
    return RelativeDateFormatter::text(wrappedDate(), Clock::now());
}
