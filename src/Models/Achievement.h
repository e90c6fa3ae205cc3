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

class AchievementCategory;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_ACHIEVEMENT_ATTRIBUTES(X)                                                                         \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(Desc, desc, text)                                                                                      \
    X(Date, date, date)                                                                                      \
    X(Emoji, emoji, text)                                                                                    \
    X(CreatedAt, createdAt, date)
#define QV_ACHIEVEMENT_RELATIONSHIPS(X)                                                                      \
    X(Category, category, AchievementCategory, toOne, achievements, nullify)

// A recorded win.
class Achievement : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Achievement"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_ACHIEVEMENT_ATTRIBUTES, QV_ACHIEVEMENT_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Achievement> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> desc() const { return textValue(Desc); }
    void setDesc(const std::optional<QString>& value) { setOptional(Desc, value); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    std::optional<QString> emoji() const { return textValue(Emoji); }
    void setEmoji(const std::optional<QString>& value) { setOptional(Emoji, Text::oneLine(value)); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::shared_ptr<AchievementCategory> category() const;
    void setCategory(const std::shared_ptr<AchievementCategory>& value);

    // date, else createdAt, else now.
    QDateTime wrappedDate() const;
    // wrappedDate told relative to now ("2 days ago", "in 3 hours").
    QString relativeDate() const;

private:
    Achievement() = default;
};
