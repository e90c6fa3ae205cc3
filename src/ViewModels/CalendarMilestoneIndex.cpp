#include "ViewModels/CalendarMilestoneIndex.h"

#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <QHash>
#include <QTimeZone>

#include <algorithm>
#include <limits>
#include <tuple>

namespace {

// Goals asked for in one fetch; keeps the statement short and reused.
constexpr std::size_t kPerFetch = 64;

bool concernsIndex(const QString& entity) {
    return entity == Goal::entityName() || entity == Milestone::entityName();
}

} // namespace

CalendarMilestoneIndex& CalendarMilestoneIndex::of(ObjectContext& context) {
    if (auto* kept = context.findChild<CalendarMilestoneIndex*>(QString(), Qt::FindDirectChildrenOnly))
        return *kept;
    return *new CalendarMilestoneIndex(context);
}

CalendarMilestoneIndex::CalendarMilestoneIndex(ObjectContext& context)
    : QObject(&context), context_(context) {
    // Saves and rollbacks announce their records before they land: the next ask reads anew.
    connect(&context_, &ObjectContext::aboutToCommit, this, &CalendarMilestoneIndex::commitComing);
}

void CalendarMilestoneIndex::commitComing(const std::vector<std::shared_ptr<ManagedObject>>& objects,
                                          bool everything) {
    if (everything || std::any_of(objects.begin(), objects.end(),
                                  [](const auto& o) { return concernsIndex(o->entityName()); }))
        dirty_ = true;
}

bool CalendarMilestoneIndex::stale() const {
    // Unsaved edits announce themselves only a turn later, so a second edit in the same turn
    // would go unseen: while any waits, every ask reads the records again. They wait only
    // within an action, which saves them at its end.
    if (dirty_ || fromRecords_)
        return true;
    if (context_.hasChanges({Goal::entityName(), Milestone::entityName()}) != fromRecords_)
        return true;
    if (QTimeZone::systemTimeZoneId() != zoneId_)
        return true;
    return anchoredToday_ && Clock::today() != readOn_;
}

const std::vector<CalendarMilestoneIndex::Entry>& CalendarMilestoneIndex::entries() {
    if (!stale())
        return entries_;
    entries_.clear();
    anchoredToday_ = false;
    readOn_ = Clock::today();
    zoneId_ = QTimeZone::systemTimeZoneId();
    // The store answers for saved records only; unsaved goals or milestones are read as records.
    fromRecords_ = context_.hasChanges({Goal::entityName(), Milestone::entityName()});
    if (fromRecords_)
        readRecords();
    else
        readStore();
    dirty_ = false;
    ++reads_;
    return entries_;
}

void CalendarMilestoneIndex::readStore() {
    const auto rows = GoalQueries::milestonesWithFrequency(context_);
    CalendarMilestoneSchedule::LocalDays days;
    entries_.reserve(rows.size());
    for (const auto& row : rows) {
        anchoredToday_ = anchoredToday_ || !row.goalCreatedAt;
        entries_.push_back({row.goalID, row.milestoneID,
                            CalendarMilestoneSchedule(row.frequency, row.dueDate, row.goalCreatedAt,
                                                      row.goalDeadline, days)});
    }
}

void CalendarMilestoneIndex::readRecords() {
    // Only milestones with a frequency can fall on a day; the rest of the store (most goals
    // and milestones of a long history) is never loaded for the calendar.
    const auto scheduled = context_.fetch<Milestone>(
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
        anchoredToday_ = anchoredToday_ || !created;
        Rank rank{created ? created->toMSecsSinceEpoch() : std::numeric_limits<qint64>::min(),
                  goal->objectID(), milestone->order(), milestone->objectID()};
        ranked.emplace_back(std::move(rank), Entry{goal->objectID(), milestone->objectID(), schedule});
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entries_.reserve(ranked.size());
    for (auto& [rank, entry] : ranked)
        entries_.push_back(entry);
}

std::vector<CalendarMilestoneItem> CalendarMilestoneIndex::items(ObjectContext& context,
                                                                 const std::vector<Ref>& refs) {
    // The scheduled milestones of the references' goals, a batch of goals per fetch: a goal
    // holds a handful, and its index lets the store find them at once.
    std::vector<qint64> goals;
    goals.reserve(refs.size());
    for (const Ref& ref : refs)
        goals.push_back(ref.goalID);
    std::sort(goals.begin(), goals.end());
    goals.erase(std::unique(goals.begin(), goals.end()), goals.end());
    QHash<qint64, std::shared_ptr<Milestone>> found;
    for (std::size_t from = 0; from < goals.size(); from += kPerFetch) {
        std::vector<Predicate> owners;
        for (std::size_t i = from; i < std::min(goals.size(), from + kPerFetch); ++i)
            owners.push_back(Key(Milestone::Keys::goal) ==
                             QVariant::fromValue(ObjectRef{Goal::entityName(), goals[i]}));
        const Predicate which =
            Key(Milestone::Keys::frequency).present() && Predicate::any(std::move(owners));
        for (auto& milestone : context.fetch<Milestone>(FetchRequest(Milestone::entityName(), which)))
            found.insert(milestone->objectID(), std::move(milestone));
    }

    std::vector<CalendarMilestoneItem> items;
    items.reserve(refs.size());
    for (const Ref& ref : refs) {
        const auto milestone = found.value(ref.milestoneID);
        auto goal = milestone ? milestone->goal() : nullptr;
        if (goal && goal->objectID() == ref.goalID)
            items.push_back({ref.milestoneID, std::move(goal), milestone});
        else
            items.push_back({ref.milestoneID, nullptr, nullptr});
    }
    return items;
}
