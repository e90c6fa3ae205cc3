#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUuid>

#include <optional>
#include <vector>

class ObjectContext;

// Per-day activity over the last 7, 30 and 90 days: how many journal entries were written,
// their mean productivity and how many steps were completed. A model without a screen.
class ProgressViewModel : public QObject {
    Q_OBJECT
public:
    struct DayActivity {
        QUuid id;
        // Now moved back by whole calendar days, at the same clock time.
        QDateTime date;
        int logCount = 0;
        double avgProductivity = 0;
        int stepsCompleted = 0;
    };
    struct HeatmapEntry {
        QUuid id;
        QDateTime date;
        // The day's journal entries and completed steps over those of the busiest of the 90
        // days, from 0 to 1.
        double intensity = 0;
    };
    enum class TimeRange { week, month, quarter };
    static QString rawValue(TimeRange range);
    static std::optional<TimeRange> timeRangeFromRaw(const QString& raw);
    static const std::vector<TimeRange>& allTimeRanges();

    explicit ProgressViewModel(ObjectContext* context, QObject* parent = nullptr);

    const std::vector<DayActivity>& weeklyData() const { return weeklyData_; }
    const std::vector<DayActivity>& monthlyData() const { return monthlyData_; }
    const std::vector<DayActivity>& quarterlyData() const { return quarterlyData_; }
    const std::vector<HeatmapEntry>& heatmapData() const { return heatmapData_; }

    // Recomputes the three windows and the heatmap from the store.
    void loadData();

signals:
    void dataChanged();

private:
    struct DayCounts {
        int logCount = 0;
        long long productivitySum = 0;
        int stepsCompleted = 0;
    };
    void loadWeeklyData();
    // The counts of the last `days` days, oldest first, each day the calendar's day range.
    std::vector<DayCounts> countDays(const QDateTime& now, int days) const;
    static std::vector<DayActivity> window(const std::vector<DayCounts>& counts, const QDateTime& now,
                                           int days);

    ObjectContext* context_;
    std::vector<DayActivity> weeklyData_;
    std::vector<DayActivity> monthlyData_;
    std::vector<DayActivity> quarterlyData_;
    std::vector<HeatmapEntry> heatmapData_;
};
