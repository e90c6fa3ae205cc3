#pragma once

#include "ViewModels/AppEnvironment.h"

// What the application hands its screens, for a benchmark that builds screens on their own:
// the context, the navigation state (or none) and the screens' view models made as the
// application makes them, kept for the rest of the run.
AppEnvironment benchEnvironment(ObjectContext* context, AppViewModel* appViewModel = nullptr);
