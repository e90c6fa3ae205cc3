#pragma once

#include <benchmark/benchmark.h>

#include <functional>

class QWidget;
struct AppEnvironment;

// Switching to a money screen on the generated ten-year store of state.range(0) (1x or 10x):
// each iteration builds the screen over the store at the store's "now", lays it out in a
// 1200 x 760 window and paints it once. "idle_cpu_percent" is the share of one core the shown
// screen takes while nothing happens, over one second of the event loop.
void benchMoneyScreen(benchmark::State& state, const std::function<QWidget*(const AppEnvironment&)>& make);
