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

class Goal;
class ObjectContext;
class Step;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_MILESTONE_ATTRIBUTES(X)                                                                           \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(Order, order, int16)                                                                                   \
    X(IsCompleted, isCompleted, flag)                                                                        \
    X(CompletedAt, completedAt, date)                                                                        \
    X(DueDate, dueDate, date)                                                                                \
    X(CreatedAt, createdAt, date)                                                                            \
    X(Frequency, frequency, text, indexed)
#define QV_MILESTONE_RELATIONSHIPS(X)                                                                        \
    X(GoalRel, goal, Goal, toOne, milestones, nullify)                                                       \
    X(Steps, steps, Step, toMany, milestone, cascade)

// A checkpoint of a goal, made of steps.
class Milestone : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Milestone"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_MILESTONE_ATTRIBUTES, QV_MILESTONE_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Milestone> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    qint16 order() const { return static_cast<qint16>(integerValue(Order)); }
    void setOrder(qint16 value) { setValue(Order, QVariant::fromValue(qint64(value))); }
    bool isCompleted() const { return flagValue(IsCompleted); }
    void setIsCompleted(bool value) { setValue(IsCompleted, QVariant(value)); }
    std::optional<QDateTime> completedAt() const { return dateValue(CompletedAt); }
    void setCompletedAt(const std::optional<QDateTime>& value) { setOptional(CompletedAt, value); }
    std::optional<QDateTime> dueDate() const { return dateValue(DueDate); }
    void setDueDate(const std::optional<QDateTime>& value) { setOptional(DueDate, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> frequency() const { return textValue(Frequency); }
    void setFrequency(const std::optional<QString>& value) { setOptional(Frequency, value); }

    std::shared_ptr<Goal> goal() const;
    void setGoal(const std::shared_ptr<Goal>& value);
    std::vector<std::shared_ptr<Step>> steps() const;

    // Steps oldest first; a step without createdAt sorts first, equal moments keep the
    // order the steps were added in.
    std::vector<std::shared_ptr<Step>> stepsArray() const;
    int completedStepsCount() const;

private:
    Milestone() = default;
};
