#include "Views/Dashboard/DashboardView.h"

#include "ViewModels/AppEnvironment.h"

DashboardView::DashboardView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::dashboard, parent) {
    setObjectName(QStringLiteral("DashboardView"));
}
