#include "App/QuorvaleApp.h"

#include "Components/AlertDialog.h"
#include "Components/RasterThreads.h"

#include "Models/Persistence/PersistenceController.h"
#include "ViewModels/AppStartup.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "ViewModels/Notifications/NotificationScheduler.h"
#include "ViewModels/ScreenModels.h"
#include "ViewModels/Theme/ThemeManager.h"
#include "Views/Navigation/MainWindow.h"

#include <QApplication>
#include <QPointer>

QuorvaleApp::QuorvaleApp() : persistence_(PersistenceController::shared()) {
    RasterThreads::limit();
    ThemeManager::shared();
    CategoryStore::shared();
    appViewModel_ = std::make_unique<AppViewModel>();

    MainWindow::applyThemeToApplication();
    connect(&ThemeManager::shared(), &ThemeManager::changed, this, &MainWindow::applyThemeToApplication);

    // It only holds what the view models are made with: each screen has its own made as it is built.
    screenModels_ = std::make_unique<ScreenModels>(persistence_.viewContext(), appViewModel_.get(),
                                                   &NotificationScheduler::shared());
    window_ = std::make_unique<MainWindow>(screenModels_->environment());
}

QuorvaleApp::~QuorvaleApp() = default;

void QuorvaleApp::show() {
    window_->show();
    if (started_)
        return;
    started_ = true;
    // The store's check starts once the window is up, so the window never waits for it.
    QPointer<MainWindow> window = window_.get();
    QPointer<AppViewModel> app = appViewModel_.get();
    persistence_.watchStore([this, window, app](const QString& title, const QString& message) {
        // The screens behind the alert change first: it is read over what they will show.
        if (app)
            app->setStoreWaitsForSalvage(persistence_.waitsForSalvage(), persistence_.waitsForRoom());
        if (window)
            AlertDialog::present(window, title, message);
    });
    AppStartup::run(persistence_, NotificationScheduler::shared());
}

void QuorvaleApp::raiseWindow() {
    window_->raiseWindow();
}
