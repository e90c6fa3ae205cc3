#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The dashboard, the destination of every start.
class DashboardView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit DashboardView(const AppEnvironment& env, QWidget* parent = nullptr);
};
