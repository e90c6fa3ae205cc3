#pragma once

#include "Views/Finance/FinanceTab.h"

class QWidget;
struct AppEnvironment;

namespace FinanceTabScreens {
// The screen of one finance tab, built afresh (with its own view model) every time the tab is
// chosen. Every tab screen is constructed as Screen(env, parent).
QWidget* make(FinanceTab tab, const AppEnvironment& env, QWidget* parent);
} // namespace FinanceTabScreens
