#include "Views/Finance/FinanceTab.h"

namespace FinanceTabs {

QString title(FinanceTab tab) {
    switch (tab) {
    case FinanceTab::overview:
        return QStringLiteral("Overview");
    case FinanceTab::cashFlow:
        return QStringLiteral("Monthly Allocations");
    case FinanceTab::commitments:
        return QStringLiteral("Commitments");
    case FinanceTab::investments:
        return QStringLiteral("Investments");
    case FinanceTab::bills:
        return QStringLiteral("Bills");
    }
    return {};
}

QString symbolName(FinanceTab tab) {
    switch (tab) {
    case FinanceTab::overview:
        return QStringLiteral("chart.pie.fill");
    case FinanceTab::cashFlow:
        return QStringLiteral("arrow.up.arrow.down");
    case FinanceTab::commitments:
        return QStringLiteral("lock.fill");
    case FinanceTab::investments:
        return QStringLiteral("chart.line.uptrend.xyaxis");
    case FinanceTab::bills:
        return QStringLiteral("doc.text.fill");
    }
    return {};
}

} // namespace FinanceTabs
