// The dashboard on generated ten-year stores (300 goals and 200 achievements at 1x, ten times
// that at 10x): switching to it, and what it costs at rest once shown.
#include "support/BenchEnvironment.h"
#include "support/ScreenBench.h"

#include "ViewModels/AppViewModel.h"
#include "Views/Dashboard/DashboardView.h"

#include <benchmark/benchmark.h>

namespace {

QWidget* makeDashboard(ObjectContext* context, QWidget* parent) {
    static AppViewModel* app = new AppViewModel;
    return new DashboardView(benchEnvironment(context, app), parent);
}

void BM_DashboardSwitch(benchmark::State& state) {
    ScreenBench::switchTo(state, makeDashboard);
}

void BM_DashboardIdleCpu(benchmark::State& state) {
    ScreenBench::idleCpu(state, makeDashboard);
}

} // namespace

BENCHMARK(BM_DashboardSwitch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DashboardIdleCpu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
