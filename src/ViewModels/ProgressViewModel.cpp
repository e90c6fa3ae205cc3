#include "ViewModels/ProgressViewModel.h"

#include "Models/DailyLog.h"
#include "Models/Step.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <algorithm>

namespace {

constexpr int kWeek = 7;
constexpr int kMonth = 30;
constexpr int kQuarter = 90;

} // namespace

QString ProgressViewModel::rawValue(TimeRange range) {
    switch (range) {
    case TimeRange::week:
        return QStringLiteral("Week");
    case TimeRange::month:
        return QStringLiteral("Month");
    case TimeRange::quarter:
        return QStringLiteral("Quarter");
    }
    return {};
}

std::optional<ProgressViewModel::TimeRange> ProgressViewModel::timeRangeFromRaw(const QString& raw) {
    for (TimeRange range : allTimeRanges())
        if (rawValue(range) == raw)
            return range;
    return std::nullopt;
}

const std::vector<ProgressViewModel::TimeRange>& ProgressViewModel::allTimeRanges() {
    static const std::vector<TimeRange> ranges{TimeRange::week, TimeRange::month, TimeRange::quarter};
    return ranges;
}

ProgressViewModel::ProgressViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {}

void ProgressViewModel::loadData() {
    loadWeeklyData();
}

std::vector<ProgressViewModel::DayCounts> ProgressViewModel::countDays(const QDateTime& now, int days) const {
    // Day d (0 the oldest) is [starts[d], starts[d + 1]): consecutive local days, so two
    // range queries and one pass place every record, instead of a fetch and a count per day.
    std::vector<QDateTime> starts;
    for (int k = days - 1; k >= 0; --k)
        starts.push_back(Calendar::dayRange(Calendar::addDays(now, -k)).first);
    starts.push_back(Calendar::dayRange(now).second);
    std::vector<DayCounts> counts(static_cast<size_t>(days));
    if (!context_)
        return counts;
    auto dayOf = [&](const QDateTime& at) -> int {
        const auto it = std::upper_bound(starts.begin(), starts.end(), at);
        return static_cast<int>(it - starts.begin()) - 1;
    };
    const QDateTime from = starts.front();
    const QDateTime to = starts.back();
    const FetchRequest logs(DailyLog::entityName(),
                            Key(DailyLog::Keys::date) >= from && Key(DailyLog::Keys::date) < to);
    for (const auto& log : context_->fetch<DailyLog>(logs)) {
        const int d = dayOf(*log->date());
        if (d < 0 || d >= days)
            continue;
        ++counts[d].logCount;
        counts[d].productivitySum += log->productivityScore();
    }
    const FetchRequest steps(Step::entityName(), Key(Step::Keys::isCompleted) == true &&
                                                     Key(Step::Keys::completedAt) >= from &&
                                                     Key(Step::Keys::completedAt) < to);
    for (const auto& step : context_->fetch<Step>(steps)) {
        const int d = dayOf(*step->completedAt());
        if (d >= 0 && d < days)
            ++counts[d].stepsCompleted;
    }
    return counts;
}

std::vector<ProgressViewModel::DayActivity> ProgressViewModel::window(const std::vector<DayCounts>& counts,
                                                                      const QDateTime& now, int days) {
    std::vector<DayActivity> out;
    const int skip = static_cast<int>(counts.size()) - days;
    for (int i = 0; i < days; ++i) {
        const DayCounts& c = counts[static_cast<size_t>(skip + i)];
        DayActivity day;
        day.id = QUuid::createUuid();
        day.date = Calendar::addDays(now, -(days - 1 - i));
        day.logCount = c.logCount;
        day.avgProductivity =
            c.logCount == 0 ? 0.0 : static_cast<double>(c.productivitySum) / static_cast<double>(c.logCount);
        day.stepsCompleted = c.stepsCompleted;
        out.push_back(day);
    }
    return out;
}

void ProgressViewModel::loadWeeklyData() {
    const QDateTime now = Clock::now();
    const std::vector<DayCounts> counts = countDays(now, kQuarter);
    weeklyData_ = window(counts, now, kWeek);
    monthlyData_ = window(counts, now, kMonth);
    quarterlyData_ = window(counts, now, kQuarter);

    int busiest = 0;
    for (const DayCounts& c : counts)
        busiest = std::max(busiest, c.logCount + c.stepsCompleted);
    heatmapData_.clear();
    for (size_t i = 0; i < counts.size(); ++i) {
        const int activity = counts[i].logCount + counts[i].stepsCompleted;
        heatmapData_.push_back({QUuid::createUuid(), quarterlyData_[i].date,
                                busiest == 0 ? 0.0 : static_cast<double>(activity) / busiest});
    }
    emit dataChanged();
}
