#include "ViewModels/DailyLogViewModel.h"

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/JournalQueries.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"

DailyLogViewModel::DailyLogViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context), selectedDate_(Clock::now()) {
    fetchLogs(selectedDate_);
}

void DailyLogViewModel::setSelectedDate(const QDateTime& date) {
    if (date == selectedDate_)
        return;
    selectedDate_ = date;
    emit selectedDateChanged();
}

void DailyLogViewModel::fetchLogs(const QDateTime& date) {
    todayLogs_ = context_->fetch<DailyLog>(JournalQueries::entriesOnDay(date));
    emit todayLogsChanged();
}

bool DailyLogViewModel::addLog(const std::shared_ptr<Goal>& goal, const QString& notes, qint16 moodScore,
                               qint16 energyScore, qint16 productivityScore) {
    ActionGuard action(*context_);
    auto log = DailyLog::create(context_);
    log->setDate(Calendar::startOfDay(selectedDate_));
    log->setNotes(notes.isEmpty() ? std::nullopt : std::optional<QString>(notes));
    log->setMoodScore(moodScore);
    log->setEnergyScore(energyScore);
    log->setProductivityScore(productivityScore);
    log->setGoal(goal);
    if (goal)
        goal->updateMomentum();
    const bool saved = action.commit();
    fetchLogs(selectedDate_);
    return saved;
}

bool DailyLogViewModel::deleteLog(const std::shared_ptr<DailyLog>& log) {
    if (!log || log->isDeleted())
        return false;
    ActionGuard action(*context_);
    // The goal is read before the entry goes: afterwards the entry no longer knows it.
    const std::shared_ptr<Goal> goal = log->goal();
    context_->deleteObject(log);
    if (goal && !goal->isDeleted())
        goal->updateMomentum();
    const bool saved = action.commit();
    fetchLogs(selectedDate_);
    return saved;
}

std::vector<std::shared_ptr<Goal>> DailyLogViewModel::goalsToLog() const {
    return context_->fetch<Goal>(GoalQueries::active(GoalQueries::Order::newestFirst));
}

bool DailyLogViewModel::hasLogForDate(const QDateTime& date) const {
    return context_->count(JournalQueries::entriesOnDay(date)) > 0;
}

QString DailyLogViewModel::entryCountText() const {
    return Text::counted(qint64(todayLogs_.size()), tr("entry"), tr("entries"));
}
