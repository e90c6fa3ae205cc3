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

class Milestone;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_STEP_ATTRIBUTES(X)                                                                                \
    X(Id, id, uuid)                                                                                          \
    X(InputType, inputType, text)                                                                            \
    X(Title, title, text)                                                                                    \
    X(Notes, notes, text)                                                                                    \
    X(IsCompleted, isCompleted, flag)                                                                        \
    X(IsRecurring, isRecurring, flag)                                                                        \
    X(CompletedAt, completedAt, date)                                                                        \
    X(CreatedAt, createdAt, date)                                                                            \
    X(Priority, priority, int16)
#define QV_STEP_RELATIONSHIPS(X) X(MilestoneRel, milestone, Milestone, toOne, steps, nullify)

// One actionable item of a milestone.
class Step : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Step"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_STEP_ATTRIBUTES, QV_STEP_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Step> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> inputType() const { return textValue(InputType); }
    void setInputType(const std::optional<QString>& value) { setOptional(InputType, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    bool isCompleted() const { return flagValue(IsCompleted); }
    void setIsCompleted(bool value) { setValue(IsCompleted, QVariant(value)); }
    bool isRecurring() const { return flagValue(IsRecurring); }
    void setIsRecurring(bool value) { setValue(IsRecurring, QVariant(value)); }
    std::optional<QDateTime> completedAt() const { return dateValue(CompletedAt); }
    void setCompletedAt(const std::optional<QDateTime>& value) { setOptional(CompletedAt, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    qint16 priority() const { return static_cast<qint16>(integerValue(Priority)); }
    void setPriority(qint16 value) { setValue(Priority, QVariant::fromValue(qint64(value))); }

    // Ticks an open step, stamped with the moment given, or opens a ticked one again.
    void toggleCompletion(const QDateTime& now);

    std::shared_ptr<Milestone> milestone() const;
    void setMilestone(const std::shared_ptr<Milestone>& value);

private:
    Step() = default;
};
