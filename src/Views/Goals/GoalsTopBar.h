#pragma once

#include <QWidget>

class GoalsViewModel;
class MenuPicker;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The goals screen's top bar: the title, the Active / Achieved tabs, the search box, the list
// and grid switch, the "Sort" menu and the "New Goal" button. It shows the state it is given
// and reports the user's choices; the screen owns the state.
class GoalsTopBar : public QWidget {
    Q_OBJECT
public:
    explicit GoalsTopBar(GoalsViewModel* viewModel, QWidget* parent = nullptr);

    void setShowingArchived(bool archived);
    void setArchivedCount(int count);
    void setGridMode(bool grid);

signals:
    void activeTabChosen();
    void achievedTabChosen();
    void viewModeChosen(bool grid);
    void newGoalClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildTabs();
    QWidget* buildSearch();
    QWidget* buildModeSwitch();
    QPushButton* buildNewGoalButton();
    void styleSegment(QToolButton* button, bool current);

    GoalsViewModel* viewModel_;
    QToolButton* activeTab_ = nullptr;
    QToolButton* achievedTab_ = nullptr;
    QLabel* achievedCount_ = nullptr;
    QLineEdit* search_ = nullptr;
    QToolButton* clearSearch_ = nullptr;
    QToolButton* listMode_ = nullptr;
    QToolButton* gridMode_ = nullptr;
    MenuPicker* sort_ = nullptr;
    bool archived_ = false;
    bool grid_ = false;
};
