// Switching to the commitments tab on the ten-year stores (1x and 10x): every card with its
// figures and every subscription; and what the shown tab costs at rest.
#include "support/MoneyScreens.h"

#include "Views/Finance/CommitmentsView.h"

namespace {

void switchToCommitments(benchmark::State& state) {
    benchMoneyScreen(state, [](const AppEnvironment& env) { return new CommitmentsView(env); });
}

} // namespace

BENCHMARK(switchToCommitments)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
