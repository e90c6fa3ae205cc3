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

class CalendarSubtask;
class ObjectContext;
class TaskCategory;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_CALENDAR_TASK_ATTRIBUTES(X)                                                                       \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(Notes, notes, text)                                                                                    \
    X(Date, date, date, indexed)                                                                             \
    X(IsCompleted, isCompleted, flag)                                                                        \
    X(IsFollowUp, isFollowUp, flag)                                                                          \
    X(CreatedAt, createdAt, date)                                                                            \
    X(RepeatFrequency, repeatFrequency, text, indexed)                                                       \
    X(RepeatUntil, repeatUntil, date)                                                                        \
    X(CarriedFromDate, carriedFromDate, date)
#define QV_CALENDAR_TASK_RELATIONSHIPS(X)                                                                    \
    X(Subtasks, subtasks, CalendarSubtask, toMany, task, cascade)                                            \
    X(Category, category, TaskCategory, toOne, tasks, nullify)

// A task on one day of the calendar, optionally repeating.
class CalendarTask : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CalendarTask"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_CALENDAR_TASK_ATTRIBUTES, QV_CALENDAR_TASK_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<CalendarTask> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    bool isCompleted() const { return flagValue(IsCompleted); }
    void setIsCompleted(bool value) { setValue(IsCompleted, QVariant(value)); }
    bool isFollowUp() const { return flagValue(IsFollowUp); }
    void setIsFollowUp(bool value) { setValue(IsFollowUp, QVariant(value)); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> repeatFrequency() const { return textValue(RepeatFrequency); }
    void setRepeatFrequency(const std::optional<QString>& value) { setOptional(RepeatFrequency, value); }
    std::optional<QDateTime> repeatUntil() const { return dateValue(RepeatUntil); }
    void setRepeatUntil(const std::optional<QDateTime>& value) { setOptional(RepeatUntil, value); }
    std::optional<QDateTime> carriedFromDate() const { return dateValue(CarriedFromDate); }
    void setCarriedFromDate(const std::optional<QDateTime>& value) { setOptional(CarriedFromDate, value); }

    std::vector<std::shared_ptr<CalendarSubtask>> subtasks() const;
    std::shared_ptr<TaskCategory> category() const;
    void setCategory(const std::shared_ptr<TaskCategory>& value);

    // Subtasks oldest first; one without createdAt sorts first, equal moments keep the
    // order the subtasks were added in.
    std::vector<std::shared_ptr<CalendarSubtask>> wrappedSubtasks() const;

    // Whether the task's repetition lists it on a later day than its own: it is dated
    // before that day, its repeatUntil (if any) is not before the day's start, and its rule
    // ("Daily", "Weekdays" Monday to Friday, "Weekly" on its own weekday) matches. Its own
    // day is not a repetition: there it is listed as a dated task.
    bool repeatsOn(const QDate& day) const;
    // Whether the rule alone matches the day, ignoring the task's dates range.
    bool repeatRuleMatches(const QDate& day) const;

private:
    CalendarTask() = default;
};
