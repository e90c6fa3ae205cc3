#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

class Goal;
class ManagedObject;
class ObjectContext;

// The figures a goal shows in lists, cards and its detail (its steps and milestones done,
// the money put towards it), kept per context and shared by every screen. They come from
// aggregate queries of the store (COUNT, SUM, GROUP BY): a goal's own the first time it is
// shown (or every goal's in one pass before a sort by progress), and afterwards again only
// for the goals an action's save or rollback touched, so a list never loads every step of
// every goal. While records they derive from have unsaved changes,
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
    // Reads every goal's figures in one pass (before sorting a whole list by progress);
    // otherwise each goal is read on its own the first time it is shown.
    void prefetchAll();
    // Reads these goals' figures in one pass, three queries however many they are, for a list
    // about to read each of them; goals whose figures are known are left as they are.
    void prefetch(const std::vector<std::shared_ptr<Goal>>& goals);

    // The active goals in sum, as the dashboard shows them: how many, how many at full
    // progress, their progress added up and the longest streak. One aggregate query, so no
    // goal is loaded, kept until a save or rollback touches what it derives from; while
    // records they derive from have unsaved changes, counted in memory.
    struct ActiveSummary {
        int goals = 0;
        int completed = 0;
        double progressSum = 0;
        int bestStreak = 0;
    };
    ActiveSummary activeSummary();

    // The figures of these goals folded into one number, for a live list to tell whether what
    // its rows show changed; 0 (unknown) while unsaved changes would make it cost a full count.
    static size_t digest(const std::vector<std::shared_ptr<ManagedObject>>& goals);

    // Aggregate queries run so far (tests check that a list does not query per goal).
    int queriesRun() const { return queries_; }

private:
    explicit GoalFigures(ObjectContext* context);
    void forget(const std::vector<std::shared_ptr<ManagedObject>>& objects, bool everything);
    void loadAll();
    // Reads into the cache, in three queries, the figures of the goals whose pk passes which
    // (" = ?" and the like, bound to binds; empty for every goal). A goal without steps,
    // milestones or money keeps what the cache holds for it.
    void read(const QString& which, const QVariantList& binds = {});
    static Figures counted(const Goal& goal);

    ObjectContext* context_;
    QHash<qint64, Figures> cache_;
    QSet<qint64> stale_;
    bool loaded_ = false;
    std::optional<ActiveSummary> summary_;
    int queries_ = 0;
};
