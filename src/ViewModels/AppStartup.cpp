#include "ViewModels/AppStartup.h"

#include "Core/Notifications/NotificationScheduler.h"
#include "Core/Notifications/NotificationTimeStorage.h"
#include "Core/Persistence/PersistenceController.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/AchievementsViewModel.h"

#include <algorithm>

namespace {

const QString kWiped = QStringLiteral("mockDataWiped_v2");
const QString kEnabled = QStringLiteral("enableNotifications");
const QString kCount = QStringLiteral("deadlineNotifCount");

} // namespace

void AppStartup::run(PersistenceController& persistence, NotificationScheduler& scheduler) {
    clearLegacyMockDataIfNeeded(persistence);
    AchievementsViewModel::seedDefaultCategoriesIfNeeded(persistence.viewContext());
    scheduler.requestPermission();
    if (!notificationsEnabled()) {
        scheduler.removeDeadlineNotifications();
        return;
    }
    scheduler.reschedule(NotificationTimeStorage::load(deadlineNotificationCount()),
                         persistence.viewContext());
}

void AppStartup::clearLegacyMockDataIfNeeded(PersistenceController& persistence) {
    UserDefaults& defaults = UserDefaults::standard();
    if (defaults.flag(kWiped))
        return;
    // A wipe the store refused is tried again at the next start.
    if (persistence.createdNewStore() && !persistence.deleteAllData())
        return;
    defaults.setFlag(kWiped, true);
}

bool AppStartup::notificationsEnabled() {
    return UserDefaults::standard().optionalFlag(kEnabled).value_or(true);
}

int AppStartup::deadlineNotificationCount() {
    const qint64 stored = UserDefaults::standard().integer(kCount, 0);
    if (stored == 0)
        return 2;
    return static_cast<int>(std::clamp<qint64>(stored, 1, kMaxAlertTimes));
}
