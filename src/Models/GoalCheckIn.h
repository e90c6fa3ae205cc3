#pragma once

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

// The stored attributes (in column order) and relationships, each listed once.
#define QV_GOAL_CHECK_IN_ATTRIBUTES(X)                                                                       \
    X(Id, id, uuid)                                                                                          \
    X(Date, date, date)                                                                                      \
    X(Progress, progress, text)                                                                              \
    X(WentWrong, wentWrong, text)                                                                            \
    X(Comments, comments, text)                                                                              \
    X(CreatedAt, createdAt, date)
#define QV_GOAL_CHECK_IN_RELATIONSHIPS(X) X(GoalRel, goal, Goal, toOne, checkIns, nullify)

// A check-in record of a goal; kept in the store for older data.
class GoalCheckIn : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("GoalCheckIn"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_GOAL_CHECK_IN_ATTRIBUTES, QV_GOAL_CHECK_IN_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<GoalCheckIn> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    std::optional<QString> progress() const { return textValue(Progress); }
    void setProgress(const std::optional<QString>& value) { setOptional(Progress, value); }
    std::optional<QString> wentWrong() const { return textValue(WentWrong); }
    void setWentWrong(const std::optional<QString>& value) { setOptional(WentWrong, value); }
    std::optional<QString> comments() const { return textValue(Comments); }
    void setComments(const std::optional<QString>& value) { setOptional(Comments, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::shared_ptr<Goal> goal() const;
    void setGoal(const std::shared_ptr<Goal>& value);

private:
    GoalCheckIn() = default;
};
