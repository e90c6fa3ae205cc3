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
#define QV_DAILY_LOG_ATTRIBUTES(X)                                                                           \
    X(Id, id, uuid)                                                                                          \
    X(Date, date, date, indexed)                                                                             \
    X(Notes, notes, text)                                                                                    \
    X(MoodScore, moodScore, int16)                                                                           \
    X(EnergyScore, energyScore, int16)                                                                       \
    X(ProductivityScore, productivityScore, int16)                                                           \
    X(CreatedAt, createdAt, date)
#define QV_DAILY_LOG_RELATIONSHIPS(X) X(GoalRel, goal, Goal, toOne, dailyLogs, nullify)

// A journal entry of one goal for one day.
class DailyLog : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("DailyLog"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_DAILY_LOG_ATTRIBUTES, QV_DAILY_LOG_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<DailyLog> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QDateTime> date() const { return dateValue(Date); }
    void setDate(const std::optional<QDateTime>& value) { setOptional(Date, value); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    qint16 moodScore() const { return static_cast<qint16>(integerValue(MoodScore)); }
    void setMoodScore(qint16 value) { setValue(MoodScore, QVariant::fromValue(qint64(value))); }
    qint16 energyScore() const { return static_cast<qint16>(integerValue(EnergyScore)); }
    void setEnergyScore(qint16 value) { setValue(EnergyScore, QVariant::fromValue(qint64(value))); }
    qint16 productivityScore() const { return static_cast<qint16>(integerValue(ProductivityScore)); }
    void setProductivityScore(qint16 value) {
        setValue(ProductivityScore, QVariant::fromValue(qint64(value)));
    }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::shared_ptr<Goal> goal() const;
    void setGoal(const std::shared_ptr<Goal>& value);

    // Scores outside 1 to 5 show the middle emoji.
    QString moodEmoji() const;
    QString energyEmoji() const;

private:
    DailyLog() = default;
};
