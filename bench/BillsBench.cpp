// Switching to the bills tab on the ten-year stores (1x and 10x): every bill with its paid
// state for the month; and what the shown tab costs at rest.
#include "support/MoneyScreens.h"

#include "Views/Finance/BillsView.h"

namespace {

void switchToBills(benchmark::State& state) {
    benchMoneyScreen(state, [](const AppEnvironment& env) { return new BillsView(env); });
}

} // namespace

BENCHMARK(switchToBills)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
