#pragma once

#include "Platform/Store/ManagedObject.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class CalendarTask;
class ObjectContext;

// A subtask of a calendar task.
class CalendarSubtask : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CalendarSubtask"); }
    static EntityDescription description();
    enum Attribute { Id, Title, IsCompleted, Notes, CreatedAt };
    enum Relationship { Task };

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<CalendarSubtask> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, value); }
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
