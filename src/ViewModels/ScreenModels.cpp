#include "ViewModels/ScreenModels.h"

#include "Platform/OwnerAuthenticator.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/DailyCheckInViewModel.h"
#include "ViewModels/DailyLogViewModel.h"
#include "ViewModels/DashboardViewModel.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/FinanceAuthViewModel.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/Finance/OverviewViewModel.h"
#include "ViewModels/GoalDetailViewModel.h"
#include "ViewModels/GoalsViewModel.h"
#include "ViewModels/LinksViewModel.h"
#include "ViewModels/OnboardingViewModel.h"
#include "ViewModels/SettingsViewModel.h"
#include "ViewModels/SidebarViewModel.h"

namespace {

// The shared view models around the screen, kept by the screen itself when nothing above it
// keeps any.
SharedScreenModels& sharedFor(QObject* screen) {
    if (SharedScreenModels* shared = SharedScreenModels::around(screen))
        return *shared;
    return *new SharedScreenModels(screen);
}

} // namespace

SharedScreenModels* SharedScreenModels::around(const QObject* object) {
    for (; object; object = object->parent())
        if (auto* shared = object->findChild<SharedScreenModels*>(QString(), Qt::FindDirectChildrenOnly))
            return shared;
    return nullptr;
}

ScreenModels::ScreenModels(ObjectContext* context, AppViewModel* appViewModel,
                           NotificationScheduler* scheduler)
    : context_(context), appViewModel_(appViewModel), scheduler_(scheduler) {}

AppEnvironment ScreenModels::environment() const {
    return AppEnvironment{context_, appViewModel_, this};
}

DashboardViewModel* ScreenModels::dashboard(QObject* screen) const {
    // The dashboard reads its figures when it is shown, not while it is being made.
    return new DashboardViewModel(context_, screen, DashboardViewModel::Figures::onRefresh);
}

AchievementsViewModel* ScreenModels::recentAchievements(QObject* screen) const {
    return new AchievementsViewModel(context_, screen, AchievementsViewModel::Reads::recentOnly);
}

GoalsViewModel* ScreenModels::goals(QObject* screen) const {
    SharedScreenModels& shared = sharedFor(screen);
    if (!shared.goals)
        shared.goals = new GoalsViewModel(context_, &shared);
    return shared.goals;
}

AchievementsViewModel* ScreenModels::achievements(QObject* screen) const {
    SharedScreenModels& shared = sharedFor(screen);
    if (!shared.achievements)
        shared.achievements = new AchievementsViewModel(context_, &shared);
    return shared.achievements;
}

GoalDetailViewModel* ScreenModels::goalDetail(std::shared_ptr<Goal> goal, QObject* screen) const {
    return new GoalDetailViewModel(std::move(goal), context_, screen);
}

DeadlinesViewModel* ScreenModels::deadlines(QObject* screen) const {
    return new DeadlinesViewModel(context_, screen);
}

DailyLogViewModel* ScreenModels::journal(QObject* screen) const {
    return new DailyLogViewModel(context_, screen);
}

CalendarViewModel* ScreenModels::calendar(QObject* screen) const {
    return new CalendarViewModel(context_, screen);
}

LinksViewModel* ScreenModels::links(QObject* screen) const {
    return new LinksViewModel(context_, screen);
}

SettingsViewModel* ScreenModels::settings(QObject* screen) const {
    return new SettingsViewModel(context_, scheduler_, screen);
}

SidebarViewModel* ScreenModels::sidebar(QObject* screen) const {
    return new SidebarViewModel(context_, screen);
}

OnboardingViewModel* ScreenModels::onboarding(QObject* screen) const {
    return new OnboardingViewModel(context_, appViewModel_, screen);
}

DailyCheckInViewModel* ScreenModels::dailyCheckIn(QObject* screen) const {
    return new DailyCheckInViewModel(context_, appViewModel_, screen);
}

FinanceAuthViewModel* ScreenModels::financeAuth(QObject* screen,
                                                std::unique_ptr<OwnerAuthenticator> authenticator) const {
    return new FinanceAuthViewModel(std::move(authenticator), screen);
}

OverviewViewModel* ScreenModels::overview(QObject* screen) const {
    return new OverviewViewModel(context_, screen);
}

InvestmentsViewModel* ScreenModels::investments(QObject* screen) const {
    return new InvestmentsViewModel(context_, screen);
}

CashFlowViewModel* ScreenModels::cashFlow(QObject* screen) const {
    return new CashFlowViewModel(context_, screen);
}

CommitmentsViewModel* ScreenModels::commitments(QObject* screen) const {
    return new CommitmentsViewModel(context_, screen);
}

BillsViewModel* ScreenModels::bills(QObject* screen) const {
    return new BillsViewModel(context_, screen);
}

FinanceOnboardingViewModel* ScreenModels::financeOnboarding(QObject* screen) const {
    return new FinanceOnboardingViewModel(context_, screen);
}
