// The deadlines screen on generated ten-year stores (300 goals, 10 cards with 30,000 expenses
// and 60 subscriptions at 1x, ten times that at 10x): switching to it, and what it costs once
// shown, when only its countdowns move.
#include "support/BenchEnvironment.h"
#include "support/ScreenBench.h"

#include "Views/Deadlines/DeadlinesView.h"

#include <benchmark/benchmark.h>

namespace {

QWidget* makeDeadlines(ObjectContext* context, QWidget* parent) {
    return new DeadlinesView(benchEnvironment(context), parent);
}

void BM_DeadlinesSwitch(benchmark::State& state) {
    ScreenBench::switchTo(state, makeDeadlines);
}

void BM_DeadlinesIdleCpu(benchmark::State& state) {
    ScreenBench::idleCpu(state, makeDeadlines);
}

} // namespace

BENCHMARK(BM_DeadlinesSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeadlinesIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
