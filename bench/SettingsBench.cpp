// The settings screen on generated ten-year stores (1x and 10x): switching
// to it (building the screen and its first frame) and what it costs at rest.
#include "support/BenchEnvironment.h"
#include "support/ScreenBench.h"

#include "Views/Settings/SettingsView.h"

#include <benchmark/benchmark.h>

namespace {

QWidget* makeSettings(ObjectContext* context, QWidget* parent) {
    return new SettingsView(benchEnvironment(context), parent);
}

void BM_SettingsSwitch(benchmark::State& state) {
    ScreenBench::switchTo(state, makeSettings);
}

void BM_SettingsIdleCpu(benchmark::State& state) {
    ScreenBench::idleCpu(state, makeSettings);
}

} // namespace

BENCHMARK(BM_SettingsSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
