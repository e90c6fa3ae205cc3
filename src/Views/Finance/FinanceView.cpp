#include "Views/Finance/FinanceView.h"

#include "ViewModels/AppEnvironment.h"

FinanceView::FinanceView(const AppEnvironment&, QWidget* parent)
    : PlaceholderScreen(AppDestination::expenses, parent) {
    setObjectName(QStringLiteral("FinanceView"));
}
