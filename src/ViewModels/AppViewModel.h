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

    bool showOnboarding() const { return showOnboarding_; }
    bool showDailyCheckIn() const { return showDailyCheckIn_; }
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

    // "New Goal" from the menu: shows the goals destination and asks it to open its create
    // sheet. The goals screen opens the sheet when takeNewGoalRequest() answers true, asked
    // in its constructor (it was built by this navigation) and on newGoalRequested() (it was
    // already shown). Navigating anywhere else drops the request.
    void requestNewGoal();
    bool takeNewGoalRequest();

signals:
    void destinationChanged(AppDestination destination);
    void hiddenGoalsChanged();
    void overlaysChanged();
    void selectedGoalChanged();
    void newGoalRequested();

private:
    static bool dailyCheckInDue();

    AppDestination selectedDestination_ = AppDestination::dashboard;
    bool showOnboarding_ = false;
    bool showDailyCheckIn_ = false;
    QSet<qint64> hiddenGoalIDs_;
    std::optional<qint64> selectedGoalID_;
    bool newGoalPending_ = false;
};
