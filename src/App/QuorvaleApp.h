#pragma once

#include <QObject>

#include <memory>

class AppViewModel;
class MainWindow;
class PersistenceController;
class ScreenModels;

// The application: it opens the store before any window exists, owns the navigation state
// and the one maker of the screens' view models for the life of the process, styles the interface from the
// current theme, and builds the one window. The start-up work runs once, when the window is first shown.
class QuorvaleApp : public QObject {
    Q_OBJECT
public:
    QuorvaleApp();
    ~QuorvaleApp() override;

    MainWindow* window() const { return window_.get(); }
    AppViewModel* appViewModel() const { return appViewModel_.get(); }

    void show();
    void raiseWindow();

private:
    PersistenceController& persistence_;
    std::unique_ptr<AppViewModel> appViewModel_;
    std::unique_ptr<ScreenModels> screenModels_;
    std::unique_ptr<MainWindow> window_;
    bool started_ = false;
};
