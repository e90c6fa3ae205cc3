#include "ViewModels/AppViewModel.h"

#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"

namespace {

const QString kOnboardingComplete = QStringLiteral("onboardingComplete");
const QString kLastCheckInDate = QStringLiteral("lastCheckInDate");

} // namespace

AppViewModel::AppViewModel(QObject* parent) : QObject(parent) {
    showOnboarding_ = !UserDefaults::standard().flag(kOnboardingComplete);
    showDailyCheckIn_ = dailyCheckInDue();
}

bool AppViewModel::dailyCheckInDue() {
    // A value of another type reads as absent, which makes the check-in due. Any other day,
    // a later one included (the clock was set back), makes it due too.
    const std::optional<QDateTime> last = UserDefaults::standard().date(kLastCheckInDate);
    if (!last || !last->isValid())
        return true;
    return last->toLocalTime().date() != Clock::now().toLocalTime().date();
}

void AppViewModel::navigate(AppDestination destination) {
    if (destination != AppDestination::goals)
        newGoalPending_ = false;
    if (destination == selectedDestination_)
        return;
    selectedDestination_ = destination;
    emit destinationChanged(destination);
}

void AppViewModel::completeOnboarding() {
    UserDefaults::standard().setFlag(kOnboardingComplete, true);
    if (!showOnboarding_)
        return;
    showOnboarding_ = false;
    emit overlaysChanged();
}

void AppViewModel::completeDailyCheckIn() {
    UserDefaults::standard().setDate(kLastCheckInDate, Clock::now());
    if (!showDailyCheckIn_)
        return;
    showDailyCheckIn_ = false;
    emit overlaysChanged();
}

void AppViewModel::toggleGoalHidden(qint64 goalID) {
    if (!hiddenGoalIDs_.remove(goalID))
        hiddenGoalIDs_.insert(goalID);
    emit hiddenGoalsChanged();
}

void AppViewModel::setSelectedGoalID(std::optional<qint64> goalID) {
    if (goalID == selectedGoalID_)
        return;
    selectedGoalID_ = goalID;
    emit selectedGoalChanged();
}

void AppViewModel::setStoreWaitsForSalvage(bool waits, bool forRoom) {
    forRoom = waits && forRoom;
    if (waits == storeWaitsForSalvage_ && forRoom == waitsForRoom_)
        return;
    storeWaitsForSalvage_ = waits;
    waitsForRoom_ = forRoom;
    newGoalPending_ = newGoalPending_ && !waits;
    emit storeStateChanged();
    emit overlaysChanged();
}

QString AppViewModel::heldRecordsTitle() {
    return QStringLiteral("Your Records Are Kept");
}

QString AppViewModel::heldRecordsMessage() const {
    return QStringLiteral("Quorvale met damage in its store and could not repair it yet, so it shows none of "
                          "your records and saves no changes for now. Your goals, money and journal stay in "
                          "the store as they were; they will show here again once the repair has run, %1")
        .arg(waitsForRoom_ ? QStringLiteral("the next time Quorvale starts with room on its disk.")
                           : QStringLiteral("the next time Quorvale starts."));
}

void AppViewModel::requestNewGoal() {
    if (storeWaitsForSalvage_)
        return;
    newGoalPending_ = true;
    navigate(AppDestination::goals);
    emit newGoalRequested();
}

bool AppViewModel::takeNewGoalRequest() {
    const bool pending = newGoalPending_;
    newGoalPending_ = false;
    return pending;
}
