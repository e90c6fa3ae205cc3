#include "Views/Navigation/MainWindow.h"

#include "ViewModels/AppViewModel.h"
#include "Views/Navigation/ContentView.h"

#include <QAction>
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
}

void MainWindow::raiseWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}
