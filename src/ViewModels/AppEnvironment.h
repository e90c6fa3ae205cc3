#pragma once

class ObjectContext;
class AppViewModel;
class ScreenModels;

// What the root view hands down to every screen: the store's main context, the shared
// navigation state and the one place that makes the screens' view models. The theme and the
// category store are reached through their shared instances.
struct AppEnvironment {
    ObjectContext* context = nullptr;
    AppViewModel* appViewModel = nullptr;
    const ScreenModels* models = nullptr;
};
