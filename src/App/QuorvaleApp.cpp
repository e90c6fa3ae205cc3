#include "App/QuorvaleApp.h"

#include "Core/Notifications/NotificationScheduler.h"
#include "Core/Persistence/PersistenceController.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"
#include "Core/Theme/ThemeManager.h"
#include "ViewModels/AppStartup.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Finance/CategoryStore.h"
#include "Views/Navigation/MainWindow.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

QuorvaleApp::QuorvaleApp() : persistence_(PersistenceController::shared()) {
    ThemeManager::shared();
    CategoryStore::shared();
    appViewModel_ = std::make_unique<AppViewModel>();

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    applyPalette();
    connect(&ThemeManager::shared(), &ThemeManager::changed, this, &QuorvaleApp::applyPalette);

    window_ = std::make_unique<MainWindow>(AppEnvironment{persistence_.viewContext(), appViewModel_.get()});
}

QuorvaleApp::~QuorvaleApp() = default;

void QuorvaleApp::show() {
    window_->show();
    if (started_)
        return;
    started_ = true;
    AppStartup::run(persistence_, NotificationScheduler::shared());
}

void QuorvaleApp::raiseWindow() { window_->raiseWindow(); }

void QuorvaleApp::applyPalette() {
    // The dark look everywhere the widgets draw themselves: fields, menus, tool tips.
    QPalette p;
    const QColor text = Theme::textPrimary();
    const QColor muted = Theme::textMuted();
    p.setColor(QPalette::Window, Theme::backgroundPrimary());
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, Theme::backgroundTertiary());
    p.setColor(QPalette::AlternateBase, Theme::backgroundSecondary());
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, Theme::backgroundTertiary());
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, AppTheme::Colors::indigo());
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, muted);
    p.setColor(QPalette::ToolTipBase, Theme::backgroundElevated());
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Link, AppTheme::Colors::sky());
    p.setColor(QPalette::Light, Theme::backgroundElevated());
    p.setColor(QPalette::Midlight, Theme::backgroundElevated());
    p.setColor(QPalette::Mid, Theme::backgroundTertiary());
    p.setColor(QPalette::Dark, Theme::backgroundSecondary());
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, muted);
    QApplication::setPalette(p);
    QApplication::setFont(Theme::font(13));
}
