#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The finance section, shown by the detail area while it is selected.
class FinanceView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit FinanceView(const AppEnvironment& env, QWidget* parent = nullptr);
};
