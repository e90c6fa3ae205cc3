// Switching to the monthly allocations tab on the ten-year stores (1x and 10x), and what the
// shown tab costs at rest.
#include "support/MoneyScreens.h"

#include "Views/Finance/CashFlowView.h"

namespace {

void switchToCashFlow(benchmark::State& state) {
    benchMoneyScreen(state, [](const AppEnvironment& env) { return new CashFlowView(env); });
}

} // namespace

BENCHMARK(switchToCashFlow)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
