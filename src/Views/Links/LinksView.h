#pragma once

#include "Views/Navigation/PlaceholderScreen.h"

struct AppEnvironment;

// The links destination's screen, shown by the detail area while it is selected.
class LinksView : public PlaceholderScreen {
    Q_OBJECT
public:
    explicit LinksView(const AppEnvironment& env, QWidget* parent = nullptr);
};
