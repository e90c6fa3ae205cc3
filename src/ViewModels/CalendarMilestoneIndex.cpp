#include "ViewModels/CalendarMilestoneIndex.h"

#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Store/ObjectContext.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <tuple>

namespace {

// Milestones (or goals) asked for in one fetch; keeps the statement short and reused.
constexpr std::size_t kPerFetch = 64;

} // namespace

void CalendarMilestoneIndex::rebuild(ObjectContext& context) {
    entries_.clear();
    // The store answers for saved records only; unsaved goals or milestones are read as records.
    if (context.hasChanges({Goal::entityName(), Milestone::entityName()}))
        readRecords(context);
    else
        readStore(context);
}

void CalendarMilestoneIndex::readStore(ObjectContext& context) {
    const auto rows = GoalQueries::milestonesWithFrequency(context);
    entries_.reserve(rows.size());
    for (const auto& row : rows) {
        CalendarMilestoneSchedule schedule(row.frequency, row.dueDate, row.goalCreatedAt, row.goalDeadline);
        if (schedule.isScheduled())
            entries_.push_back({row.goalID, row.milestoneID, row.milestoneUuid, schedule});
    }
}

void CalendarMilestoneIndex::readRecords(ObjectContext& context) {
    // Only milestones with a frequency can fall on a day; the rest of the store (most goals
    // and milestones of a long history) is never loaded for the calendar.
    const auto scheduled = context.fetch<Milestone>(
        FetchRequest(Milestone::entityName(), Key(Milestone::Keys::frequency).present()));
    // Each entry's place is read once: a record's date is decoded on every read, and a sort
    // asks for it many times per entry. Goals without a creation date come first.
    using Rank = std::tuple<qint64, qint64, qint16, qint64>;
    std::vector<std::pair<Rank, Entry>> ranked;
    ranked.reserve(scheduled.size());
    for (const auto& milestone : scheduled) {
        const auto goal = milestone->goal();
        if (!goal)
            continue;
        CalendarMilestoneSchedule schedule(*milestone, *goal);
        if (!schedule.isScheduled())
            continue;
        const auto created = goal->createdAt();
        Rank rank{created ? created->toMSecsSinceEpoch() : std::numeric_limits<qint64>::min(),
                  goal->objectID(), milestone->order(), milestone->objectID()};
        ranked.emplace_back(std::move(rank), Entry{goal->objectID(), milestone->objectID(),
                                                   milestone->id().value_or(QUuid()), schedule});
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entries_.reserve(ranked.size());
    for (auto& [rank, entry] : ranked)
        entries_.push_back(entry);
}

std::vector<CalendarMilestoneItem> CalendarMilestoneIndex::items(ObjectContext& context,
                                                                 const std::vector<const Entry*>& entries) {
    QHash<qint64, std::shared_ptr<Milestone>> found;
    const auto take = [&](const Predicate& which) {
        for (auto& milestone : context.fetch<Milestone>(FetchRequest(Milestone::entityName(), which)))
            found.insert(milestone->objectID(), std::move(milestone));
    };
    // Milestones by their identifier, a batch per fetch; the few without one by their goal.
    std::vector<Predicate> named;
    std::vector<qint64> goals;
    for (const Entry* entry : entries) {
        if (!entry->milestoneUuid.isNull())
            named.push_back(Key(Milestone::Keys::id) == QVariant::fromValue(entry->milestoneUuid));
        else
            goals.push_back(entry->goalID);
        if (named.size() == kPerFetch) {
            take(Predicate::any(std::move(named)));
            named.clear();
        }
    }
    if (!named.empty())
        take(Predicate::any(std::move(named)));
    std::sort(goals.begin(), goals.end());
    goals.erase(std::unique(goals.begin(), goals.end()), goals.end());
    for (std::size_t from = 0; from < goals.size(); from += kPerFetch) {
        std::vector<Predicate> owners;
        for (std::size_t i = from; i < std::min(goals.size(), from + kPerFetch); ++i)
            owners.push_back(Key(Milestone::Keys::goal) ==
                             QVariant::fromValue(ObjectRef{Goal::entityName(), goals[i]}));
        take(Key(Milestone::Keys::frequency).present() && Predicate::any(std::move(owners)));
    }

    std::vector<CalendarMilestoneItem> items;
    items.reserve(entries.size());
    for (const Entry* entry : entries) {
        const auto milestone = found.value(entry->milestoneID);
        auto goal = milestone ? milestone->goal() : nullptr;
        if (goal && goal->objectID() == entry->goalID)
            items.push_back({entry->milestoneID, std::move(goal), milestone});
    }
    return items;
}
