#include "Views/Finance/FinanceTabScreens.h"

#include "Views/Finance/BillsView.h"
#include "Views/Finance/CashFlowView.h"
#include "Views/Finance/CommitmentsView.h"
#include "Views/Finance/FinanceTabPlaceholder.h"

namespace FinanceTabScreens {

// The one switch from tab to screen. A tab whose screen is not part of this build shows its
// symbol and title instead.
QWidget* make(FinanceTab tab, const AppEnvironment& env, QWidget* parent) {
    switch (tab) {
    case FinanceTab::cashFlow:
        return new CashFlowView(env, parent);
    case FinanceTab::commitments:
        return new CommitmentsView(env, parent);
    case FinanceTab::bills:
        return new BillsView(env, parent);
    case FinanceTab::overview:
    case FinanceTab::investments:
        break;
    }
    return new FinanceTabPlaceholder(tab, parent);
}

} // namespace FinanceTabScreens
