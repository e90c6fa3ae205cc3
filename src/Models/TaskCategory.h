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

class CalendarTask;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_TASK_CATEGORY_ATTRIBUTES(X)                                                                       \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(ColorHex, colorHex, text)                                                                              \
    X(CreatedAt, createdAt, date)
#define QV_TASK_CATEGORY_RELATIONSHIPS(X) X(Tasks, tasks, CalendarTask, toMany, category, nullify)

// A coloured category of calendar tasks.
class TaskCategory : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("TaskCategory"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_TASK_CATEGORY_ATTRIBUTES, QV_TASK_CATEGORY_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<TaskCategory> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    std::optional<QString> colorHex() const { return textValue(ColorHex); }
    void setColorHex(const std::optional<QString>& value) { setOptional(ColorHex, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::vector<std::shared_ptr<CalendarTask>> tasks() const;

private:
    TaskCategory() = default;
};
