#include "Views/Settings/SettingsView.h"

#include "ViewModels/AppEnvironment.h"

SettingsView::SettingsView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::settings, parent) {
    setObjectName(QStringLiteral("SettingsView"));
}
