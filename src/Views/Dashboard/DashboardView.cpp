#include "Views/Dashboard/DashboardView.h"

#include "ViewModels/AppEnvironment.h"

namespace {

DashboardView::AchievementsModelFactory& factory() {
    static DashboardView::AchievementsModelFactory f;
    return f;
}

} // namespace

DashboardView::DashboardView(const AppEnvironment& env, QWidget* parent)
    : PlaceholderScreen(AppDestination::dashboard, parent) {
    setObjectName(QStringLiteral("DashboardView"));
    if (factory())
        factory()(env, this);
}

void DashboardView::setAchievementsModelFactory(AchievementsModelFactory f) {
    factory() = std::move(f);
}
