#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

#include <memory>
#include <vector>

class Goal;
class ManagedObject;
class ObjectContext;

// The figures a goal shows in lists, cards and its detail (its steps and milestones done,
// the money put towards it), kept per context and shared by every screen. They come from
// aggregate queries of the store (COUNT, SUM, GROUP BY), all goals in one pass the first
// time and afterwards only the goals an action's save or rollback touched, so a list never
// loads every step of every goal. While records they derive from have unsaved changes,
// the figures are counted from the records in memory, which sees those changes.
class GoalFigures : public QObject {
    Q_OBJECT
public:
    struct Figures {
        int totalSteps = 0;
        int completedSteps = 0;
        int milestones = 0;
        int completedMilestones = 0;
        double contributed = 0;
        bool operator==(const Figures&) const = default;
    };

    // The figures of the context; made on first use, gone with the context.
    static GoalFigures& of(ObjectContext* context);
    Figures figures(const Goal& goal);

    // Aggregate queries run so far (tests check that a list does not query per goal).
    int queriesRun() const { return queries_; }

private:
    explicit GoalFigures(ObjectContext* context);
    void forget(const std::vector<std::shared_ptr<ManagedObject>>& objects, bool everything);
    void loadAll();
    Figures loadOne(const Goal& goal);
    static Figures counted(const Goal& goal);

    ObjectContext* context_;
    QHash<qint64, Figures> cache_;
    QSet<qint64> stale_;
    bool loaded_ = false;
    int queries_ = 0;
};
