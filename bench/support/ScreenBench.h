#pragma once

#include <functional>

class ObjectContext;
class QWidget;

namespace benchmark {
class State;
}

// What every screen benchmark measures on the generated stores: switching to the screen
// (building it and painting its first frame in the window's detail area) and the share of
// one core the shown screen takes while nothing happens.
namespace ScreenBench {
// The generated store of the scale, opened once per process and kept.
ObjectContext* storeOfScale(int scale);
using MakeScreen = std::function<QWidget*(ObjectContext* context, QWidget* parent)>;
void switchTo(benchmark::State& state, const MakeScreen& make);
void idleCpu(benchmark::State& state, const MakeScreen& make);
} // namespace ScreenBench
