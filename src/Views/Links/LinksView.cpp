#include "Views/Links/LinksView.h"

#include "ViewModels/AppEnvironment.h"

LinksView::LinksView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::links, parent) {
    setObjectName(QStringLiteral("LinksView"));
}
