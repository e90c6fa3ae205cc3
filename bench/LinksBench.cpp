// The links screen on generated ten-year stores (1,000 links at 1x, 10,000 at 10x): switching
// to it (building the screen and its first frame) and what it costs at rest.
#include "support/BenchEnvironment.h"
#include "support/ScreenBench.h"

#include "Views/Links/LinksView.h"

#include <benchmark/benchmark.h>

namespace {

QWidget* makeLinks(ObjectContext* context, QWidget* parent) {
    return new LinksView(benchEnvironment(context), parent);
}

void BM_LinksSwitch(benchmark::State& state) {
    ScreenBench::switchTo(state, makeLinks);
}

void BM_LinksIdleCpu(benchmark::State& state) {
    ScreenBench::idleCpu(state, makeLinks);
}

} // namespace

BENCHMARK(BM_LinksSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinksIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
