#pragma once

#include "Models/MilestoneFrequency.h"
#include "Store/FetchRequest.h"

#include <QDateTime>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class Goal;
class ObjectContext;

// The goal lists every screen and service asks for, each written once: the goals screen, the
// sidebar, the journal, the task board and the deadline reminders all read one of these.
class GoalQueries {
public:
    enum class Order { newestFirst, oldestFirst };

    // Goals not archived, by creation.
    static FetchRequest active(Order order);
    // Archived ("achieved") goals, newest created first.
    static FetchRequest archived();
    // Active goals that have a deadline, soonest deadline first.
    static FetchRequest activeWithDeadline();
    // Steps by priority, highest first, then oldest first; with a goal, only the steps of
    // its milestones.
    static FetchRequest steps(const std::shared_ptr<Goal>& goal = nullptr);
    // One goal's milestones in store order. Read through this rather than the goal's own
    // relationship when their steps follow: a goal fetched in a list brings its whole list's
    // milestones (and then every one of their steps) in with it, this brings only its own.
    static FetchRequest milestones(const std::shared_ptr<Goal>& goal);

    // A saved milestone with a known check-in frequency, with what its schedule reads of it and
    // its goal: dates as stored instants, in milliseconds since the epoch.
    struct MilestoneWithFrequency {
        qint64 milestoneID = 0;
        qint64 goalID = 0;
        MilestoneFrequency frequency = MilestoneFrequency::oneTime;
        std::optional<qint64> dueDate;
        std::optional<qint64> goalCreatedAt;
        std::optional<qint64> goalDeadline;
    };
    // Every saved milestone with a known frequency and a goal, read without loading a record:
    // goals by creation (those without a date first), then each goal's milestones in their order.
    static std::vector<MilestoneWithFrequency> milestonesWithFrequency(ObjectContext& context);

    // What a goal row derives its figures from besides the goal itself: progress reads
    // milestones, steps and the expenses put towards the goal; momentum follows the journal.
    // A live list of goals shown with their progress follows these too.
    static const QStringList& rowSources();
};
