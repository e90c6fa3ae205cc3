#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QObject>
#include <QPointer>

#include <memory>

class AchievementsViewModel;
class AppViewModel;
class BillsViewModel;
class CalendarViewModel;
class CashFlowViewModel;
class CommitmentsViewModel;
class DailyCheckInViewModel;
class DailyLogViewModel;
class DashboardViewModel;
class DeadlinesViewModel;
class FinanceAuthViewModel;
class FinanceOnboardingViewModel;
class Goal;
class GoalDetailViewModel;
class GoalsViewModel;
class InvestmentsViewModel;
class LinksViewModel;
class NotificationScheduler;
class ObjectContext;
class OnboardingViewModel;
class OverviewViewModel;
class OwnerAuthenticator;
class SettingsViewModel;
class SidebarViewModel;

// The one place that makes the screens' view models. The application makes one for its whole
// run and hands it to every screen in the AppEnvironment. A screen asks for its view models when
// it is made (a screen not yet shown has made none) and owns them: each is made a child of the
// screen given, and goes with it.
//
// The goals list and the achievements are shared: a screen that works with one keeps it, and a
// part made inside that screen (the goal detail beside the goals list) is handed the same one
// rather than a second. A part made on its own (the goal detail over the dashboard) gets its own.
class ScreenModels {
public:
    ScreenModels(ObjectContext* context, AppViewModel* appViewModel, NotificationScheduler* scheduler);

    // What the screens are handed: the context, the navigation state and these models.
    AppEnvironment environment() const;

    DashboardViewModel* dashboard(QObject* screen) const;
    // The newest few achievements the dashboard shows; never shared, as it reads only those.
    AchievementsViewModel* recentAchievements(QObject* screen) const;
    GoalsViewModel* goals(QObject* screen) const;
    // Made on the first ask: reading every achievement waits until a screen needs them.
    AchievementsViewModel* achievements(QObject* screen) const;
    GoalDetailViewModel* goalDetail(std::shared_ptr<Goal> goal, QObject* screen) const;
    DeadlinesViewModel* deadlines(QObject* screen) const;
    DailyLogViewModel* journal(QObject* screen) const;
    CalendarViewModel* calendar(QObject* screen) const;
    LinksViewModel* links(QObject* screen) const;
    SettingsViewModel* settings(QObject* screen) const;
    SidebarViewModel* sidebar(QObject* screen) const;
    OnboardingViewModel* onboarding(QObject* screen) const;
    DailyCheckInViewModel* dailyCheckIn(QObject* screen) const;
    // Without an authenticator the application's own is used.
    FinanceAuthViewModel* financeAuth(QObject* screen,
                                      std::unique_ptr<OwnerAuthenticator> authenticator = nullptr) const;
    OverviewViewModel* overview(QObject* screen) const;
    InvestmentsViewModel* investments(QObject* screen) const;
    CashFlowViewModel* cashFlow(QObject* screen) const;
    CommitmentsViewModel* commitments(QObject* screen) const;
    BillsViewModel* bills(QObject* screen) const;
    FinanceOnboardingViewModel* financeOnboarding(QObject* screen) const;

private:
    ObjectContext* context_;
    AppViewModel* appViewModel_;
    NotificationScheduler* scheduler_;
};

// The shared view models of one screen, kept as a child of the screen that first asked.
class SharedScreenModels : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The nearest kept by the object or one of its ancestors; null when none is.
    static SharedScreenModels* around(const QObject* object);

    QPointer<GoalsViewModel> goals;
    QPointer<AchievementsViewModel> achievements;
};
