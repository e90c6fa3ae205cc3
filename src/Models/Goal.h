#pragma once

#include "Models/GoalFigures.h"
#include "Models/MomentumState.h"
#include "Platform/TextHelpers.h"
#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class DailyLog;
class GoalCheckIn;
class Milestone;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_GOAL_ATTRIBUTES(X)                                                                                \
    X(Id, id, uuid)                                                                                          \
    X(Title, title, text)                                                                                    \
    X(Category, category, text)                                                                              \
    X(Priority, priority, int16)                                                                             \
    X(Deadline, deadline, date)                                                                              \
    X(CreatedAt, createdAt, date)                                                                            \
    X(ColorHex, colorHex, text)                                                                              \
    X(Notes, notes, text)                                                                                    \
    X(IsArchived, isArchived, flag)                                                                          \
    X(Streak, streak, int32)                                                                                 \
    X(MomentumStateAttr, momentumState, text)                                                                \
    X(ManualProgress, manualProgress, doubleValue)                                                           \
    X(NeedsMoney, needsMoney, flag)                                                                          \
    X(TargetAmount, targetAmount, doubleValue)
#define QV_GOAL_RELATIONSHIPS(X)                                                                             \
    X(Milestones, milestones, Milestone, toMany, goal, cascade)                                              \
    X(DailyLogs, dailyLogs, DailyLog, toMany, goal, cascade)                                                 \
    X(CheckIns, checkIns, GoalCheckIn, toMany, goal, cascade)

// Something the user works towards, broken into milestones and journalled daily.
class Goal : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Goal"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_GOAL_ATTRIBUTES, QV_GOAL_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Goal> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> title() const { return textValue(Title); }
    void setTitle(const std::optional<QString>& value) { setOptional(Title, Text::oneLine(value)); }
    std::optional<QString> category() const { return textValue(Category); }
    void setCategory(const std::optional<QString>& value) { setOptional(Category, Text::oneLine(value)); }
    qint16 priority() const { return static_cast<qint16>(integerValue(Priority)); }
    void setPriority(qint16 value) { setValue(Priority, QVariant::fromValue(qint64(value))); }
    std::optional<QDateTime> deadline() const { return dateValue(Deadline); }
    void setDeadline(const std::optional<QDateTime>& value) { setOptional(Deadline, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> colorHex() const { return textValue(ColorHex); }
    void setColorHex(const std::optional<QString>& value) { setOptional(ColorHex, value); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    bool isArchived() const { return flagValue(IsArchived); }
    void setIsArchived(bool value) { setValue(IsArchived, QVariant(value)); }
    qint32 streak() const { return static_cast<qint32>(integerValue(Streak)); }
    void setStreak(qint32 value) { setValue(Streak, QVariant::fromValue(qint64(value))); }
    std::optional<QString> momentumState() const { return textValue(MomentumStateAttr); }
    void setMomentumState(const std::optional<QString>& value) { setOptional(MomentumStateAttr, value); }
    double manualProgress() const { return doubleValue(ManualProgress); }
    void setManualProgress(double value) { setValue(ManualProgress, QVariant(value)); }
    bool needsMoney() const { return flagValue(NeedsMoney); }
    void setNeedsMoney(bool value) { setValue(NeedsMoney, QVariant(value)); }
    double targetAmount() const { return doubleValue(TargetAmount); }
    void setTargetAmount(double value) { setValue(TargetAmount, QVariant(value)); }

    std::vector<std::shared_ptr<Milestone>> milestones() const;
    std::vector<std::shared_ptr<DailyLog>> dailyLogs() const;
    std::vector<std::shared_ptr<GoalCheckIn>> checkIns() const;

    // Milestones by ascending order; equal orders keep the order they were added in.
    std::vector<std::shared_ptr<Milestone>> milestonesArray() const;
    // Journal entries newest first; an entry without a date sorts last.
    std::vector<std::shared_ptr<DailyLog>> dailyLogsArray() const;
    // The figures below come from GoalFigures: one read serves them all.
    GoalFigures::Figures figures() const;
    int totalSteps() const;
    int completedSteps() const;
    int milestoneCount() const;
    int completedMilestones() const;
    // The sum of the expenses whose goalID names this goal, pending ones included.
    double financialContributed() const;
    // 0 to 1 for a money goal (capped); else completed over all steps, or manualProgress
    // while the goal has no steps.
    double progressPercentage() const;
    // progressPercentage as a SQL expression, for figures the store sums: it reads the goal as
    // g, its steps' count and completed count as steps.total and steps.done, and the money put
    // towards it as money.amount (each absent when there is none).
    static const QString& progressSql();
    // Overdue: a deadline strictly before the reference instant (now unless given) while the
    // progress has not reached 1.
    bool isOverdue() const;
    bool isOverdue(const QDateTime& reference) const;
    // Whole days from the reference instant (now unless given) to the deadline, a partial day
    // dropped; absent without a deadline.
    std::optional<int> daysUntilDeadline() const;
    std::optional<int> daysUntilDeadline(const QDateTime& reference) const;
    // Absent or unknown text reads as coasting.
    MomentumState wrappedMomentumState() const;
    // Derives the momentum from the seven newest journal entries and sets it; the user action
    // that changed the entries saves it with the rest of the action, once.
    void updateMomentum();

private:
    Goal() = default;
};
