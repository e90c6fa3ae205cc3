#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The settings destination's screen, shown by the detail area while it is selected.
class SettingsView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit SettingsView(const AppEnvironment& env, QWidget* parent = nullptr);
};
