#pragma once

#include <QString>

#include <array>

// The tabs of the finance section, in tab-bar order; the title is the tab's raw value.
enum class FinanceTab { overview, cashFlow, commitments, investments, bills };

namespace FinanceTabs {
inline constexpr std::array<FinanceTab, 5> allCases{FinanceTab::overview, FinanceTab::cashFlow,
                                                    FinanceTab::commitments, FinanceTab::investments,
                                                    FinanceTab::bills};
// "Overview", "Monthly Allocations", "Commitments", "Investments", "Bills".
QString title(FinanceTab tab);
QString symbolName(FinanceTab tab);
} // namespace FinanceTabs
