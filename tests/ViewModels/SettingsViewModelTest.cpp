#include "ViewModels/SettingsViewModel.h"

#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Platform/NotificationCenter.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/Notifications/NotificationScheduler.h"

#include <gtest/gtest.h>

namespace {

class SettingsViewModelTest : public FrozenClockStoreTest {
protected:
    SettingsViewModelTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(8, 0))) {}
    QStringList pendingIdentifiers() {
        qv::test::settle(6); // the scheduler's own answers first
        QStringList ids;
        center.getPendingRequests([&ids](const std::vector<NotificationRequest>& requests) {
            for (const auto& r : requests)
                ids << r.identifier;
        });
        qv::test::settle(6);
        ids.sort();
        return ids;
    }
    void overdueGoal() {
        auto goal = Goal::create(context);
        goal->setTitle(QString("Late"));
        goal->setDeadline(now.addDays(-2));
        context->save();
    }
    static QStringList hours(const QList<QDateTime>& times) {
        QStringList out;
        for (const auto& t : times)
            out << t.time().toString("HH:mm");
        return out;
    }

    NotificationCenter center;
    NotificationScheduler scheduler{&center};
};

} // namespace

TEST_F(SettingsViewModelTest, ShowsTheDefaultsWithoutWritingThem) {
    SettingsViewModel vm(context, &scheduler);
    EXPECT_TRUE(vm.notificationsEnabled());
    EXPECT_EQ(vm.dailyReminderHour(), 9);
    EXPECT_EQ(vm.alertCount(), 2);
    EXPECT_EQ(hours(vm.alertTimes()), QStringList({"09:00", "13:00"}));
    EXPECT_EQ(vm.currencyCode(), QString("INR"));
    EXPECT_FALSE(vm.financeAuthEnabled());
    EXPECT_EQ(vm.userName(), QString());
    EXPECT_EQ(UserDefaults::standard().count(), 0) << "showing a default writes nothing";

    // A stored count outside the stepper's range maps as start-up maps it, still unwritten.
    UserDefaults::standard().setInteger("deadlineNotifCount", 40);
    EXPECT_EQ(SettingsViewModel(context, &scheduler).alertTimes().size(), 6);
    UserDefaults::standard().setInteger("deadlineNotifCount", -3);
    EXPECT_EQ(SettingsViewModel(context, &scheduler).alertCount(), 1);
    EXPECT_EQ(UserDefaults::standard().integer("deadlineNotifCount"), -3);
}

TEST_F(SettingsViewModelTest, LoweringAndRaisingTheCountBringsBackTheDefaultTimes) {
    SettingsViewModel vm(context, &scheduler);
    vm.setAlertCount(4);
    vm.setAlertTime(2, QTime(7, 30));
    EXPECT_EQ(hours(vm.alertTimes()), QStringList({"09:00", "13:00", "07:30", "10:00"}));
    vm.setAlertCount(2);
    vm.setAlertCount(4);
    EXPECT_EQ(hours(vm.alertTimes()), QStringList({"09:00", "13:00", "18:00", "10:00"}));
    EXPECT_EQ(UserDefaults::standard().integer("deadlineNotifCount"), 4);
    vm.setAlertCount(9);
    EXPECT_EQ(vm.alertCount(), 6);
}

TEST_F(SettingsViewModelTest, TheReminderSwitchRemovesAndReschedulesAtOnce) {
    overdueGoal();
    SettingsViewModel vm(context, &scheduler);
    vm.setAlertCount(3);
    // Both reminders of each time wait, the empty one only to wake at its time.
    EXPECT_EQ(pendingIdentifiers(),
              QStringList({"deadline-overdue-0", "deadline-overdue-1", "deadline-overdue-2",
                           "deadline-upcoming-0", "deadline-upcoming-1", "deadline-upcoming-2"}));
    vm.setNotificationsEnabled(false);
    EXPECT_TRUE(pendingIdentifiers().isEmpty());
    vm.setAlertTime(0, QTime(6, 0));
    EXPECT_TRUE(pendingIdentifiers().isEmpty()) << "a change while off schedules nothing";
    vm.setNotificationsEnabled(true);
    EXPECT_EQ(pendingIdentifiers().size(), 6);
}

TEST_F(SettingsViewModelTest, TheAvatarShowsTheFirstCharacterAsTheUserSeesIt) {
    EXPECT_EQ(SettingsViewModel::avatarInitial(""), QString("T"));
    EXPECT_EQ(SettingsViewModel::avatarInitial(" ada"), QString(" "));
    EXPECT_EQ(SettingsViewModel::avatarInitial("ada"), QString("A"));
    EXPECT_EQ(SettingsViewModel::avatarInitial(QString::fromUtf8("e\u0301mile")),
              QString::fromUtf8("E\u0301"));
    const QString family = QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    EXPECT_EQ(SettingsViewModel::avatarInitial(family + "x"), family);
}
