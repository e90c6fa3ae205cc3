#include "Views/Navigation/MainWindow.h"

#include "Components/FocusAfter.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/ThemedStyle.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"
#include "Views/Navigation/ContentView.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenuBar>

MainWindow::MainWindow(const AppEnvironment& env, QWidget* parent)
    : QMainWindow(parent), content_(new ContentView(env, this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Quorvale"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvale.svg")));
    resize(1200, 760);
    setCentralWidget(content_);

    QMenu* goals = menuBar()->addMenu(tr("Goals"));
    newGoal_ = goals->addAction(tr("New Goal"));
    newGoal_->setObjectName(QStringLiteral("newGoalAction"));
    newGoal_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newGoal_->setShortcutContext(Qt::ApplicationShortcut);
    AppViewModel* vm = env.appViewModel;
    connect(newGoal_, &QAction::triggered, vm, [vm] { vm->requestNewGoal(); });
    connect(vm, &AppViewModel::storeStateChanged, newGoal_,
            [this, vm] { newGoal_->setEnabled(!vm->storeWaitsForSalvage()); });
}

void MainWindow::raiseWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::applyThemeToApplication() {
    ThemedStyle::install();
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
    FocusRing::install();
    KeyboardLayer::installKeeper();
    FocusAfter::installGuard();
}
