#pragma once

#include "Platform/TextHelpers.h"
#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class Achievement;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_ACHIEVEMENT_CATEGORY_ATTRIBUTES(X)                                                                \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(IsCustom, isCustom, flag)
#define QV_ACHIEVEMENT_CATEGORY_RELATIONSHIPS(X)                                                             \
    X(Achievements, achievements, Achievement, toMany, category, nullify)

// A category achievements are filed under; built-in or added by the user.
class AchievementCategory : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("AchievementCategory"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_ACHIEVEMENT_CATEGORY_ATTRIBUTES, QV_ACHIEVEMENT_CATEGORY_RELATIONSHIPS)

    // Inserts a new record with a fresh id.
    static std::shared_ptr<AchievementCategory> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    bool isCustom() const { return flagValue(IsCustom); }
    void setIsCustom(bool value) { setValue(IsCustom, QVariant(value)); }

    std::vector<std::shared_ptr<Achievement>> achievements() const;

private:
    AchievementCategory() = default;
};
