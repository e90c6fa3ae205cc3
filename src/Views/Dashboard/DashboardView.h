#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

#include <functional>

class QObject;
struct AppEnvironment;

// The dashboard, the destination of every start.
class DashboardView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit DashboardView(const AppEnvironment& env, QWidget* parent = nullptr);

    // Building the dashboard creates an achievements model, which seeds the built-in
    // achievement categories of a store that has none. The application installs the
    // factory at start-up; the model lives as long as the screen (its owner).
    using AchievementsModelFactory = std::function<void(const AppEnvironment& env, QObject* owner)>;
    static void setAchievementsModelFactory(AchievementsModelFactory factory);
};
