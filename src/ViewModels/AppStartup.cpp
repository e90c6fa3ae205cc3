#include "ViewModels/AppStartup.h"

#include "Models/Persistence/PersistenceController.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/Notifications/NotificationScheduler.h"

namespace {

const QString kWiped = QStringLiteral("mockDataWiped_v2");

} // namespace

void AppStartup::run(PersistenceController& persistence, NotificationScheduler& scheduler) {
    clearLegacyMockDataIfNeeded(persistence);
    AchievementsViewModel::seedDefaultCategoriesIfNeeded(persistence.viewContext());
    scheduler.requestPermission();
    scheduler.applySettings(persistence.viewContext());
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
    return NotificationScheduler::remindersEnabled();
}

int AppStartup::deadlineNotificationCount() {
    return NotificationScheduler::alertCount();
}
