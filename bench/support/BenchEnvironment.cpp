#include "support/BenchEnvironment.h"

#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/ScreenModels.h"

#include <map>
#include <memory>
#include <utility>

AppEnvironment benchEnvironment(ObjectContext* context, AppViewModel* appViewModel) {
    static std::map<std::pair<ObjectContext*, AppViewModel*>, std::unique_ptr<ScreenModels>> made;
    auto& models = made[{context, appViewModel}];
    if (!models)
        models = std::make_unique<ScreenModels>(context, appViewModel, &NotificationScheduler::shared());
    return models->environment();
}
