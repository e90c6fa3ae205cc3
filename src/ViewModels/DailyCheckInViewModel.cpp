#include "ViewModels/DailyCheckInViewModel.h"

#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/PagedFetch.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/GoalRowText.h"

#include <QStringList>

#include <algorithm>
#include <limits>

DailyCheckInViewModel::DailyCheckInViewModel(ObjectContext* context, AppViewModel* appViewModel,
                                             QObject* parent)
    : QObject(parent), context_(context), appViewModel_(appViewModel) {
    goals_ = new PagedFetch(context_, GoalQueries::active(GoalQueries::Order::newestFirst), {}, this);
    connect(goals_, &PagedFetch::changed, this, &DailyCheckInViewModel::goalsChanged);
}

DailyCheckInViewModel::~DailyCheckInViewModel() = default;

int DailyCheckInViewModel::goalCount() const {
    return goals_->count();
}

std::shared_ptr<Goal> DailyCheckInViewModel::goalAt(int index) {
    return goals_->typedAt<Goal>(index);
}

GoalFace DailyCheckInViewModel::rowAt(int index) {
    const std::shared_ptr<Goal> goal = goalAt(index);
    return goal ? GoalFace::of(*goal, false) : GoalFace{};
}

void DailyCheckInViewModel::setMoodScore(int score) {
    score = std::clamp(score, 1, 5);
    if (score == moodScore_)
        return;
    moodScore_ = score;
    emit choicesChanged();
}

void DailyCheckInViewModel::setEnergyScore(int score) {
    score = std::clamp(score, 1, 5);
    if (score == energyScore_)
        return;
    energyScore_ = score;
    emit choicesChanged();
}

void DailyCheckInViewModel::setNotes(const QString& notes) {
    if (notes == notes_)
        return;
    notes_ = notes;
    emit choicesChanged();
}

void DailyCheckInViewModel::toggle(const std::shared_ptr<Goal>& goal) {
    if (!goal)
        return;
    const qint64 id = goal->objectID();
    if (!checked_.erase(id))
        checked_.emplace(id, goal);
    emit choicesChanged();
}

const QStringList& DailyCheckInViewModel::moodEmoji() {
    static const QStringList emoji{QStringLiteral("\U0001F614"), QStringLiteral("\U0001F615"),
                                   QStringLiteral("\U0001F60A"), QStringLiteral("\U0001F604"),
                                   QStringLiteral("\U0001F929")};
    return emoji;
}

QString DailyCheckInViewModel::moodLabel(int moodScore) {
    switch (moodScore) {
    case 1:
        return QStringLiteral("Sad");
    case 2:
        return QStringLiteral("Unsure");
    case 4:
        return QStringLiteral("Happy");
    case 5:
        return QStringLiteral("Thrilled");
    default:
        return QStringLiteral("Content");
    }
}

QString DailyCheckInViewModel::energyLabel(int energyScore) {
    switch (energyScore) {
    case 1:
        return QStringLiteral("Drained");
    case 2:
        return QStringLiteral("Low");
    case 4:
        return QStringLiteral("High");
    case 5:
        return QStringLiteral("Peak");
    default:
        return QStringLiteral("Normal");
    }
}

bool DailyCheckInViewModel::submit() {
    if (context_) {
        ActionGuard action(*context_);
        const qint16 productivity = static_cast<qint16>(productivityScore(moodScore_, energyScore_));
        for (const auto& [id, goal] : checked_) {
            // A goal deleted since it was ticked gets nothing; the others go on.
            if (!goal || goal->isDeleted())
                continue;
            const QDateTime now = Clock::now();
            auto entry = DailyLog::create(context_);
            entry->setDate(Calendar::startOfDay(now));
            entry->setCreatedAt(now);
            entry->setMoodScore(static_cast<qint16>(moodScore_));
            entry->setEnergyScore(static_cast<qint16>(energyScore_));
            entry->setProductivityScore(productivity);
            entry->setNotes(notes_.isEmpty() ? std::nullopt : std::optional<QString>(notes_));
            entry->setGoal(goal);
            // Held at the largest stored value rather than wrapping to a negative streak.
            if (goal->streak() < std::numeric_limits<qint32>::max())
                goal->setStreak(goal->streak() + 1);
        }
        // A failed save rolled everything back: the day is not checked in.
        if (!action.commit())
            return false;
    }
    if (appViewModel_)
        appViewModel_->completeDailyCheckIn();
    return true;
}

void DailyCheckInViewModel::skip() {
    if (appViewModel_)
        appViewModel_->completeDailyCheckIn();
}
