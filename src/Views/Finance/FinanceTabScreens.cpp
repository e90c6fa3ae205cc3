#include "Views/Finance/FinanceTabScreens.h"

#include "Views/Finance/BillsView.h"
#include "Views/Finance/CashFlowView.h"
#include "Views/Finance/CommitmentsView.h"
#include "Views/Finance/FinanceTabPlaceholder.h"
#include "Views/Finance/InvestmentsView.h"
#include "Views/Finance/OverviewView.h"

namespace FinanceTabScreens {

// The one switch from tab to screen.
QWidget* make(FinanceTab tab, const AppEnvironment& env, QWidget* parent) {
    switch (tab) {
    case FinanceTab::overview:
        return new OverviewView(env, parent);
    case FinanceTab::investments:
        return new InvestmentsView(env, parent);
    case FinanceTab::cashFlow:
        return new CashFlowView(env, parent);
    case FinanceTab::commitments:
        return new CommitmentsView(env, parent);
    case FinanceTab::bills:
        return new BillsView(env, parent);
    }
    return new FinanceTabPlaceholder(tab, parent);
}

} // namespace FinanceTabScreens
