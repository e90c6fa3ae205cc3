#include "Views/Deadlines/DeadlinesView.h"

#include "ViewModels/AppEnvironment.h"

DeadlinesView::DeadlinesView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::deadlines, parent) {
    setObjectName(QStringLiteral("DeadlinesView"));
}
