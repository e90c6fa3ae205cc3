#include "ViewModels/CalendarMilestoneSchedule.h"

#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Platform/Clock.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;
// QDate's Julian day of 1 January 1970.
constexpr qint64 kEpochJulianDay = 2440588;

QDate localDay(const QDateTime& instant) {
    return instant.toLocalTime().date();
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

CalendarMilestoneSchedule::LocalDays::LocalDays()
    : zone_(QTimeZone::systemTimeZone()), today_(Clock::today()) {}

const CalendarMilestoneSchedule::LocalDays::Stretch&
CalendarMilestoneSchedule::LocalDays::stretchAt(qint64 msecs) {
    // Instants come mostly in order (goals by creation), so the last stretch is asked first.
    if (last_ < stretches_.size() && stretches_[last_].from <= msecs && msecs < stretches_[last_].to)
        return stretches_[last_];
    auto it = std::upper_bound(stretches_.begin(), stretches_.end(), msecs,
                               [](qint64 at, const Stretch& s) { return at < s.from; });
    if (it != stretches_.begin() && msecs < std::prev(it)->to) {
        last_ = std::size_t(std::prev(it) - stretches_.begin());
        return stretches_[last_];
    }
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc());
    Stretch stretch;
    stretch.offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime).offsetFromUtc()) * 1000;
    stretch.from = std::numeric_limits<qint64>::min();
    stretch.to = std::numeric_limits<qint64>::max();
    bool keep = zone_.isValid();
    if (keep && zone_.hasTransitions()) {
        const QTimeZone::OffsetData before = zone_.previousTransition(at.addMSecs(1));
        const QTimeZone::OffsetData after = zone_.nextTransition(at);
        if (before.atUtc.isValid())
            stretch.from = before.atUtc.toMSecsSinceEpoch();
        if (after.atUtc.isValid())
            stretch.to = after.atUtc.toMSecsSinceEpoch();
    } else if (keep) {
        // A zone without changes keeps one offset for all time, if local time agrees with it.
        keep = qint64(zone_.offsetFromUtc(at)) * 1000 == stretch.offsetMs;
    }
    // Where the zone's rules and local time disagree (a stretch would overlap one kept), the
    // instant's own offset answers for it alone.
    it = std::upper_bound(stretches_.begin(), stretches_.end(), msecs,
                          [](qint64 value, const Stretch& s) { return value < s.from; });
    if (!keep || (it != stretches_.end() && it->from < stretch.to) ||
        (it != stretches_.begin() && std::prev(it)->to > stretch.from)) {
        oneOff_ = stretch;
        return oneOff_;
    }
    it = stretches_.insert(it, stretch);
    last_ = std::size_t(it - stretches_.begin());
    return *it;
}

QDate CalendarMilestoneSchedule::LocalDays::dayOf(qint64 msecsSinceEpoch) {
    const Stretch& stretch = stretchAt(msecsSinceEpoch);
    return QDate::fromJulianDay(floorDiv(msecsSinceEpoch + stretch.offsetMs, kDayMs) + kEpochJulianDay);
}

CalendarMilestoneSchedule::Day::Day(const QDate& date) : valid(date.isValid()) {
    if (!valid)
        return;
    julian = date.toJulianDay();
    date.getDate(&year, &month, &day);
    dayOfWeek = date.dayOfWeek();
}

CalendarMilestoneSchedule::CalendarMilestoneSchedule(const Milestone& milestone, const Goal& goal)
    : CalendarMilestoneSchedule(milestone.frequency(), milestone.dueDate(), goal.createdAt(),
                                goal.deadline()) {}

CalendarMilestoneSchedule::CalendarMilestoneSchedule(const std::optional<QString>& frequency,
                                                     const std::optional<QDateTime>& dueDate,
                                                     const std::optional<QDateTime>& goalCreatedAt,
                                                     const std::optional<QDateTime>& goalDeadline) {
    frequency_ = frequency ? MilestoneFrequencies::fromRaw(*frequency) : std::nullopt;
    const QDate anchor = goalCreatedAt ? localDay(*goalCreatedAt) : Clock::today();
    setDays(anchor, goalDeadline ? localDay(*goalDeadline) : QDate(), dueDate ? localDay(*dueDate) : anchor);
}

CalendarMilestoneSchedule::CalendarMilestoneSchedule(std::optional<MilestoneFrequency> frequency,
                                                     std::optional<qint64> dueDate,
                                                     std::optional<qint64> goalCreatedAt,
                                                     std::optional<qint64> goalDeadline, LocalDays& days)
    : frequency_(frequency) {
    if (!frequency_)
        return;
    const QDate anchor = goalCreatedAt ? days.dayOf(*goalCreatedAt) : days.today();
    setDays(anchor, goalDeadline ? days.dayOf(*goalDeadline) : QDate(),
            dueDate ? days.dayOf(*dueDate) : anchor);
}

void CalendarMilestoneSchedule::setDays(const QDate& anchor, const QDate& deadline, const QDate& oneTimeDay) {
    anchor_ = Day(anchor);
    hasDeadline_ = deadline.isValid();
    deadline_ = hasDeadline_ ? deadline.toJulianDay() : 0;
    oneTimeDay_ = oneTimeDay.isValid() ? oneTimeDay.toJulianDay() : std::numeric_limits<qint64>::min();
}

int CalendarMilestoneSchedule::monthsDiff(const QDate& a, const QDate& b) {
    return (b.year() - a.year()) * 12 + (b.month() - a.month());
}

void CalendarMilestoneSchedule::countOn(const std::vector<Day>& days, std::vector<int>& counts) const {
    if (!frequency_ || days.empty() || !days.front().valid)
        return;
    // Only the days between the anchor and the deadline can count; most kinds then step
    // straight to their days instead of asking each one.
    const qint64 first = days.front().julian;
    qint64 from = 0;
    qint64 to = qint64(days.size()) - 1;
    if (anchor_.valid)
        from = std::max(from, anchor_.julian - first);
    if (hasDeadline_)
        to = std::min(to, deadline_ - first);
    if (from > to)
        return;
    switch (*frequency_) {
    case MilestoneFrequency::oneTime:
        if (oneTimeDay_ - first >= from && oneTimeDay_ - first <= to)
            ++counts[std::size_t(oneTimeDay_ - first)];
        return;
    case MilestoneFrequency::daily:
        for (qint64 i = from; i <= to; ++i)
            ++counts[std::size_t(i)];
        return;
    case MilestoneFrequency::weekly:
        if (!anchor_.valid)
            return;
        for (qint64 i = from + (anchor_.dayOfWeek - days[std::size_t(from)].dayOfWeek + 7) % 7; i <= to;
             i += 7)
            ++counts[std::size_t(i)];
        return;
    default:
        for (qint64 i = from; i <= to; ++i)
            if (days[std::size_t(i)].day == anchor_.day && fallsOn(days[std::size_t(i)]))
                ++counts[std::size_t(i)];
        return;
    }
}

bool CalendarMilestoneSchedule::fallsOn(const Day& day) const {
    if (!frequency_ || !day.valid || (anchor_.valid && day.julian < anchor_.julian))
        return false;
    if (hasDeadline_ && day.julian > deadline_)
        return false;
    switch (*frequency_) {
    case MilestoneFrequency::oneTime:
        return day.julian == oneTimeDay_;
    case MilestoneFrequency::daily:
        return true;
    case MilestoneFrequency::weekly:
        return day.dayOfWeek == anchor_.dayOfWeek;
    case MilestoneFrequency::monthly:
        return day.day == anchor_.day;
    case MilestoneFrequency::quarterly:
    case MilestoneFrequency::biYearly: {
        const int step = *frequency_ == MilestoneFrequency::quarterly ? 3 : 6;
        const int months = (day.year - anchor_.year) * 12 + (day.month - anchor_.month);
        return months >= 0 && months % step == 0 && day.day == anchor_.day;
    }
    case MilestoneFrequency::annually:
        return day.month == anchor_.month && day.day == anchor_.day;
    }
    return false;
}
