#pragma once

#include "ViewModels/AppDestination.h"

#include <QObject>
#include <QSet>

#include <optional>

// The one shared navigation and overlay state of the window: which destination the detail
// area shows, whether the onboarding and the daily check-in cover it, and which goals are
// masked. Masking lives in memory only, so every start begins with every title visible.
class AppViewModel : public QObject {
    Q_OBJECT
public:
    // Reads "onboardingComplete" and "lastCheckInDate" from the standard user defaults.
    explicit AppViewModel(QObject* parent = nullptr);

    AppDestination selectedDestination() const { return selectedDestination_; }
    // Selecting the destination already shown changes nothing.
    void navigate(AppDestination destination);

    // Neither covers the window while the store waits for its salvage: both would ask for
    // input that could not be saved.
    bool showOnboarding() const { return showOnboarding_ && !storeWaitsForSalvage_; }
    bool showDailyCheckIn() const { return showDailyCheckIn_ && !storeWaitsForSalvage_; }
    // The day's check-in is neither submitted nor skipped, shown or not: one already open with
    // notes typed in it stays while the store waits, as a sheet does, until it is answered.
    bool dailyCheckInUnanswered() const { return showDailyCheckIn_; }
    void completeOnboarding();
    // Records the current moment as the day's check-in, submitted or dismissed alike.
    void completeDailyCheckIn();

    // Goals are named by their store object identifiers.
    const QSet<qint64>& hiddenGoalIDs() const { return hiddenGoalIDs_; }
    bool isGoalHidden(qint64 goalID) const { return hiddenGoalIDs_.contains(goalID); }
    // What every screen shows in place of a hidden goal's title.
    static QString maskedTitle() { return QStringLiteral("\u2022\u2022\u2022\u2022\u2022\u2022\u2022"); }
    void toggleGoalHidden(qint64 goalID);

    std::optional<qint64> selectedGoalID() const { return selectedGoalID_; }
    void setSelectedGoalID(std::optional<qint64> goalID);

    // Damage was met in the store and it could not be salvaged yet (a full disk): it still holds
    // every record but takes no more changes, and what it reads may be none of them. While so, the
    // window shows heldRecordsTitle() and heldRecordsMessage() in place of every destination's
    // screen, and nothing offers to create a record: a planner that looks empty would invite work
    // that is not saved. The application sets it each time the store tells of damage or repair;
    // forRoom says the salvage waits for room on the disk, not only for the next start.
    bool storeWaitsForSalvage() const { return storeWaitsForSalvage_; }
    void setStoreWaitsForSalvage(bool waits, bool forRoom = false);
    static QString heldRecordsTitle();
    // Says what the repair waits for: the next start, or the next start with room on the disk.
    QString heldRecordsMessage() const;

    // "New Goal" from the menu: shows the goals destination and asks it to open its create
    // sheet (nothing while the store waits for its salvage). The goals screen opens the sheet when
    // takeNewGoalRequest() answers true, asked in its constructor (it was built by this navigation) and on
    // newGoalRequested() (it was already shown). Navigating anywhere else drops the request.
    void requestNewGoal();
    bool takeNewGoalRequest();

signals:
    void destinationChanged(AppDestination destination);
    void hiddenGoalsChanged();
    void overlaysChanged();
    void selectedGoalChanged();
    void newGoalRequested();
    void storeStateChanged();

private:
    static bool dailyCheckInDue();

    AppDestination selectedDestination_ = AppDestination::dashboard;
    bool showOnboarding_ = false;
    bool showDailyCheckIn_ = false;
    QSet<qint64> hiddenGoalIDs_;
    std::optional<qint64> selectedGoalID_;
    bool newGoalPending_ = false;
    bool storeWaitsForSalvage_ = false;
    bool waitsForRoom_ = false;
};
