#pragma once

#include <QWidget>

class GoalsViewModel;
class QHBoxLayout;
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

    QSize minimumSizeHint() const override;
    // True while the bar takes two lines for want of width.
    bool isFolded() const { return folded_; }

signals:
    void activeTabChosen();
    void achievedTabChosen();
    void viewModeChosen(bool grid);
    void newGoalClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildTabs();
    QWidget* buildSearch();
    QWidget* buildModeSwitch();
    QPushButton* buildNewGoalButton();
    void styleSegment(QToolButton* button, bool current);
    void arrange(bool folded);
    int oneLineWidth() const;

    static constexpr int kSearchWidth = 200;
    static constexpr int kNarrowSearchWidth = 140;

    GoalsViewModel* viewModel_;
    QHBoxLayout* lead_ = nullptr;
    QHBoxLayout* tools_ = nullptr;
    QLabel* title_ = nullptr;
    QWidget* tabs_ = nullptr;
    QWidget* searchBox_ = nullptr;
    QWidget* modeSwitch_ = nullptr;
    QPushButton* newGoal_ = nullptr;
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
    bool folded_ = false;
};
