#pragma once

#include "ViewModels/AppDestination.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class AppViewModel;
class MainWindow;
class ObjectContext;
class QWidget;
class ScreenModels;

// The application's window on a store file, shown on the benchmark's platform at the
// window's own size, with no overlays and the clock at the generated stores' "now"; and the
// clocks the screen benchmarks read.
class WindowRig {
public:
    // Opens a private copy of the store (edits leave the original alone).
    explicit WindowRig(const QString& storePath);
    ~WindowRig();

    MainWindow& window() { return *window_; }
    AppViewModel& app() { return *app_; }
    ObjectContext& context() { return *context_; }
    QWidget* screen() const;
    // From opening the store copy to the window's first frame: the start-up a user waits for
    // (making the copy is the benchmark's own work).
    double startupMilliseconds() const { return startupMs_; }

    // Runs action, then the event loop until a widget inside the given one (the current
    // screen when null) has painted; the milliseconds from before the action to that paint.
    double millisecondsToPaint(const std::function<void()>& action,
                               const std::function<QWidget*()>& inside = {});
    // Runs the event loop for the given time; the longest turns that painted, in ms.
    std::vector<double> frameTimes(int milliseconds);
    // Runs the event loop for the given time; the share of one core the process used (%).
    double cpuPercentOver(int milliseconds);

    // A copy of the generated store of the scale, cached beside the benchmarks.
    static QString heavyStore(int scale);
    // A store of only active goals (two milestones of five steps each), cached likewise.
    static QString goalsOnlyStore(int goals);
    static double percentile(std::vector<double> values, double p);
    static double peakMemoryMB();
    static void resetPeakMemory();
    static double processCpuSeconds();

private:
    QString copy_;
    double startupMs_ = 0;
    std::unique_ptr<ObjectContext> context_;
    std::unique_ptr<AppViewModel> app_;
    std::unique_ptr<ScreenModels> models_;
    std::unique_ptr<MainWindow> window_;
};
