#pragma once

class ObjectContext;
class AppViewModel;

// What the root view hands down to every screen: the store's main context and the shared
// navigation state. The theme, the category store and the scheduler are reached through
// their shared instances.
struct AppEnvironment {
    ObjectContext* context = nullptr;
    AppViewModel* appViewModel = nullptr;
};
