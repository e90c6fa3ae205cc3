#pragma once

#include "ViewModels/Notifications/NotificationScheduler.h"

class PersistenceController;

// What the application does once its window is first shown, in this order: the one-time
// legacy wipe, the built-in achievement categories of a store without any, the notification
// permission request, and the rebuilding of the deadline reminders.
class AppStartup {
public:
    static void run(PersistenceController& persistence, NotificationScheduler& scheduler);

    // The wipe runs at most once per installation ("mockDataWiped_v2"), and only ever on a
    // store created by this very start: this system never shipped sample records, so any
    // records an older store holds are the user's own.
    static void clearLegacyMockDataIfNeeded(PersistenceController& persistence);

    // Reminders are on unless "enableNotifications" is stored as false, as the settings
    // screen shows it.
    static bool notificationsEnabled();
    // "deadlineNotifCount": absent or 0 gives 2, a negative value 1, more than the settings
    // offer (6) is held at 6.
    static int deadlineNotificationCount();
    static constexpr int kMaxAlertTimes = NotificationScheduler::kMaxAlertTimes;
};
