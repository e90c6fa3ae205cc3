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
#define QV_CALENDAR_SUBTASK_ATTRIBUTES(X)                                                                    \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(IsCompleted, isCompleted, flag)                                                                        \
    X(Notes, notes, text)                                                                                    \
    X(CreatedAt, createdAt, date)
#define QV_CALENDAR_SUBTASK_RELATIONSHIPS(X) X(Task, task, CalendarTask, toOne, subtasks, nullify)

// A subtask of a calendar task.
class CalendarSubtask : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CalendarSubtask"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_CALENDAR_SUBTASK_ATTRIBUTES, QV_CALENDAR_SUBTASK_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<CalendarSubtask> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    bool isCompleted() const { return flagValue(IsCompleted); }
    void setIsCompleted(bool value) { setValue(IsCompleted, QVariant(value)); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::shared_ptr<CalendarTask> task() const;
    void setTask(const std::shared_ptr<CalendarTask>& value);

private:
    CalendarSubtask() = default;
};
