#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class DailyLog;
class Goal;
class ObjectContext;

// The journal: the day the user is looking at and that day's entries, newest first, plus
// every store operation the journal performs. One instance belongs to one journal screen.
class DailyLogViewModel : public QObject {
    Q_OBJECT
public:
    explicit DailyLogViewModel(ObjectContext* context, QObject* parent = nullptr);

    // Entries of the selected day (not necessarily today), newest createdAt first.
    const std::vector<std::shared_ptr<DailyLog>>& todayLogs() const { return todayLogs_; }
    // "1 entry", "3 entries": the count over the day's entries.
    QString entryCountText() const;
    // Any instant inside a day stands for that whole day.
    QDateTime selectedDate() const { return selectedDate_; }
    void setSelectedDate(const QDateTime& date);

    // Replaces todayLogs with the entries of the day of date; selectedDate is left alone.
    void fetchLogs(const QDateTime& date);
    // One entry for goal dated at the start of the selected day; the goal's momentum follows,
    // in the same save. False when the save failed: nothing of it stays, the sheet stays open.
    bool addLog(const std::shared_ptr<Goal>& goal, const QString& notes, qint16 moodScore, qint16 energyScore,
                qint16 productivityScore);
    // Removes the entry; its goal's momentum follows, as it does for an addition.
    bool deleteLog(const std::shared_ptr<DailyLog>& log);
    // The goals an entry can be written for: the active ones, newest created first.
    std::vector<std::shared_ptr<Goal>> goalsToLog() const;
    // Counted in the store; entries are never loaded for this.
    bool hasLogForDate(const QDateTime& date) const;

signals:
    void todayLogsChanged();
    void selectedDateChanged();

private:
    ObjectContext* context_;
    std::vector<std::shared_ptr<DailyLog>> todayLogs_;
    QDateTime selectedDate_;
};
