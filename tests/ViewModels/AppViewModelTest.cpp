#include "ViewModels/AppViewModel.h"
#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimeZone>

namespace {

QDateTime local(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min), QTimeZone::systemTimeZone());
}

class AppViewModelTest : public testing::Test {
protected:
    void SetUp() override {
        UserDefaults::resetStandard();
        Clock::setFake(local(2026, 3, 8, 10, 0)); // the day New York moves its clocks
    }
    void TearDown() override {
        Clock::useSystem();
        UserDefaults::resetStandard();
    }
    UserDefaults& defaults() { return UserDefaults::standard(); }
};

using AppViewModelDates = AppViewModelTest;

} // namespace

TEST_F(AppViewModelTest, FirstRunShowsOnboardingAboveADueCheckInOnTheDashboard) {
    AppViewModel vm;
    EXPECT_EQ(vm.selectedDestination(), AppDestination::dashboard);
    EXPECT_TRUE(vm.showOnboarding());
    EXPECT_TRUE(vm.showDailyCheckIn());
    EXPECT_TRUE(vm.hiddenGoalIDs().isEmpty());
    EXPECT_FALSE(vm.selectedGoalID().has_value());

    QSignalSpy overlays(&vm, &AppViewModel::overlaysChanged);
    vm.completeOnboarding();
    EXPECT_FALSE(vm.showOnboarding());
    EXPECT_TRUE(vm.showDailyCheckIn()) << "the check-in shows once the onboarding closes";
    EXPECT_EQ(overlays.count(), 1);
    EXPECT_TRUE(defaults().flag(QStringLiteral("onboardingComplete")));
    EXPECT_FALSE(AppViewModel().showOnboarding());
}

TEST_F(AppViewModelDates, CheckInIsDueUnlessLastDoneEarlierToday) {
    auto dueWith = [&](const QDateTime& last) {
        defaults().setDate(QStringLiteral("lastCheckInDate"), last);
        return AppViewModel().showDailyCheckIn();
    };
    EXPECT_TRUE(dueWith(local(2026, 3, 7, 23, 59)));
    EXPECT_FALSE(dueWith(local(2026, 3, 8, 0, 1)));
    EXPECT_FALSE(dueWith(local(2026, 3, 8, 9, 59)));
    EXPECT_TRUE(dueWith(local(2026, 3, 9, 0, 1))) << "a later day (clock set back) is due";

    defaults().setText(QStringLiteral("lastCheckInDate"), QStringLiteral("2026-03-08"));
    EXPECT_TRUE(AppViewModel().showDailyCheckIn()) << "a value that is not a date counts as none";
    defaults().setInteger(QStringLiteral("lastCheckInDate"), 7);
    EXPECT_TRUE(AppViewModel().showDailyCheckIn());
}

TEST_F(AppViewModelDates, CompletedCheckInStaysDoneForTheRestOfTheDayOnly) {
    AppViewModel vm;
    QSignalSpy overlays(&vm, &AppViewModel::overlaysChanged);
    vm.completeDailyCheckIn();
    EXPECT_FALSE(vm.showDailyCheckIn());
    EXPECT_EQ(overlays.count(), 1);
    EXPECT_EQ(defaults().date(QStringLiteral("lastCheckInDate")), Clock::now());
    EXPECT_FALSE(AppViewModel().showDailyCheckIn());

    Clock::setFake(local(2026, 3, 8, 23, 59));
    EXPECT_FALSE(AppViewModel().showDailyCheckIn());
    Clock::setFake(local(2026, 3, 9, 0, 0));
    EXPECT_FALSE(vm.showDailyCheckIn()) << "the rule runs once, at creation";
    EXPECT_TRUE(AppViewModel().showDailyCheckIn());
}

TEST_F(AppViewModelTest, MaskingTogglesAndIsForgottenByANewInstance) {
    AppViewModel vm;
    QSignalSpy changed(&vm, &AppViewModel::hiddenGoalsChanged);
    vm.toggleGoalHidden(7);
    vm.toggleGoalHidden(9);
    EXPECT_TRUE(vm.isGoalHidden(7));
    EXPECT_EQ(vm.hiddenGoalIDs(), (QSet<qint64>{7, 9}));
    vm.toggleGoalHidden(7);
    EXPECT_FALSE(vm.isGoalHidden(7));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(AppViewModel().hiddenGoalIDs().isEmpty());
}

TEST_F(AppViewModelTest, NavigationAnnouncesOnlyRealChanges) {
    AppViewModel vm;
    QSignalSpy changed(&vm, &AppViewModel::destinationChanged);
    vm.navigate(AppDestination::dashboard);
    EXPECT_EQ(changed.count(), 0);
    for (AppDestination d : AppDestinations::allCases) {
        vm.navigate(d);
        EXPECT_EQ(vm.selectedDestination(), d);
    }
    EXPECT_EQ(changed.count(), 8);
    EXPECT_EQ(changed.last().at(0).value<AppDestination>(), AppDestination::settings);

    QSignalSpy goal(&vm, &AppViewModel::selectedGoalChanged);
    vm.setSelectedGoalID(4);
    vm.setSelectedGoalID(4);
    vm.setSelectedGoalID(std::nullopt);
    EXPECT_EQ(goal.count(), 2);
}

TEST_F(AppViewModelTest, NewGoalRequestOpensGoalsAndIsTakenOnce) {
    AppViewModel vm;
    bool takenWhenShown = false;
    QObject::connect(&vm, &AppViewModel::destinationChanged, [&](AppDestination d) {
        // The goals screen is built while the destination changes and asks at once.
        if (d == AppDestination::goals)
            takenWhenShown = vm.takeNewGoalRequest();
    });
    QSignalSpy requested(&vm, &AppViewModel::newGoalRequested);
    vm.requestNewGoal();
    EXPECT_EQ(vm.selectedDestination(), AppDestination::goals);
    EXPECT_TRUE(takenWhenShown);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_FALSE(vm.takeNewGoalRequest());

    vm.requestNewGoal(); // goals already shown: only the signal reaches the screen
    EXPECT_EQ(requested.count(), 2);
    vm.navigate(AppDestination::links);
    EXPECT_FALSE(vm.takeNewGoalRequest()) << "leaving the goals destination drops the request";
}

TEST_F(AppViewModelTest, WhileTheStoreWaitsForItsSalvageNothingAsksForWorkThatWouldNotBeSaved) {
    AppViewModel vm; // a first run on a due day: both overlays would show
    QSignalSpy state(&vm, &AppViewModel::storeStateChanged);
    QSignalSpy overlays(&vm, &AppViewModel::overlaysChanged);
    QSignalSpy requested(&vm, &AppViewModel::newGoalRequested);
    vm.setStoreWaitsForSalvage(true);
    vm.setStoreWaitsForSalvage(true);
    EXPECT_EQ(state.count(), 1) << "announced once per real change";
    EXPECT_EQ(overlays.count(), 1);
    // The words fit what the repair waits for: the next start, or room on the disk too.
    const QString room = QStringLiteral("the next time Quorvale starts with room on its disk.");
    EXPECT_FALSE(vm.heldRecordsMessage().contains(room)) << vm.heldRecordsMessage().toStdString();
    EXPECT_TRUE(vm.heldRecordsMessage().endsWith(QStringLiteral("the next time Quorvale starts.")));
    vm.setStoreWaitsForSalvage(true, true);
    EXPECT_EQ(state.count(), 2);
    EXPECT_TRUE(vm.heldRecordsMessage().endsWith(room));
    EXPECT_FALSE(vm.showOnboarding());
    EXPECT_FALSE(vm.showDailyCheckIn());
    vm.requestNewGoal();
    EXPECT_EQ(vm.selectedDestination(), AppDestination::dashboard);
    EXPECT_EQ(requested.count(), 0);
    EXPECT_FALSE(vm.takeNewGoalRequest());

    // Repaired: what was due is due again, and a goal can be made.
    vm.setStoreWaitsForSalvage(false);
    EXPECT_TRUE(vm.showOnboarding());
    EXPECT_TRUE(vm.showDailyCheckIn());
    vm.requestNewGoal();
    EXPECT_TRUE(vm.takeNewGoalRequest());
}
