#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The deadlines destination's screen, shown by the detail area while it is selected.
class DeadlinesView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit DeadlinesView(const AppEnvironment& env, QWidget* parent = nullptr);
};
