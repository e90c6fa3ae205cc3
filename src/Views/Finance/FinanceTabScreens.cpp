#include "Views/Finance/FinanceTabScreens.h"

#include "Views/Finance/FinanceTabPlaceholder.h"

namespace FinanceTabScreens {

// The one switch from tab to screen. A tab whose screen is not part of this build shows its
// symbol and title instead.
QWidget* make(FinanceTab tab, const AppEnvironment& env, QWidget* parent) {
    (void)env;
    switch (tab) {
    case FinanceTab::overview:
    case FinanceTab::cashFlow:
    case FinanceTab::commitments:
    case FinanceTab::investments:
    case FinanceTab::bills:
        break;
    }
    return new FinanceTabPlaceholder(tab, parent);
}

} // namespace FinanceTabScreens
