#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The calendar destination's screen, shown by the detail area while it is selected.
class CalendarPageView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit CalendarPageView(const AppEnvironment& env, QWidget* parent = nullptr);
};
