#pragma once

#include "ViewModels/AppEnvironment.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/ScreenModels.h"

#include <memory>
#include <vector>

// The screens' view models made as the application makes them, for a test that builds screens
// on their own. Every environment handed out stays good while this lives.
class TestScreenModels {
public:
    AppEnvironment env(ObjectContext* context, AppViewModel* appViewModel = nullptr) {
        made_.push_back(
            std::make_unique<ScreenModels>(context, appViewModel, &NotificationScheduler::shared()));
        return made_.back()->environment();
    }

private:
    std::vector<std::unique_ptr<ScreenModels>> made_;
};
