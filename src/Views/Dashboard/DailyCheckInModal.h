#pragma once

#include <QWidget>

class AppViewModel;
struct AppEnvironment;

// The once-a-day check-in card, 480 points wide. Completing it records the day and closes
// the overlay that holds it.
class DailyCheckInModal : public QWidget {
    Q_OBJECT
public:
    explicit DailyCheckInModal(const AppEnvironment& env, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppViewModel* appViewModel_;
};
