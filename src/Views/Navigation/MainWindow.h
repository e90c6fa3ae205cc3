#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QMainWindow>

class ContentView;
class QAction;

// The application's one window, titled with the application's name, 1200 by 760 points
// at first, holding the root view. Its menu bar has a "Goals" menu with "New Goal" on
// Ctrl+N and nothing that opens another window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const AppEnvironment& env, QWidget* parent = nullptr);

    ContentView* contentView() const { return content_; }
    QAction* newGoalAction() const { return newGoal_; }

    // Brings the window to the front, restoring it when minimised.
    void raiseWindow();

    // The dark look of the current theme for everything widgets draw themselves (fields,
    // menus, tool tips) and the theme's font as the default.
    static void applyThemeToApplication();

private:
    ContentView* content_;
    QAction* newGoal_;
};
