#pragma once

#include <QWidget>

class AppViewModel;
struct AppEnvironment;

// The first-run welcome, over the whole window on its own animated backdrop. Finishing it
// records that the onboarding is complete and closes it.
class OnboardingView : public QWidget {
    Q_OBJECT
public:
    explicit OnboardingView(const AppEnvironment& env, QWidget* parent = nullptr);

private:
    AppViewModel* appViewModel_;
};
