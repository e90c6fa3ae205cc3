#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

#include <memory>
#include <vector>

class Achievement;
class AchievementsViewModel;
class QLabel;
class QPushButton;
class VirtualList;

// The achievements destination: the count of wins with "Add Win", then the timeline of every
// achievement grouped by year, newest year first, or an invitation to log the first win.
// The timeline builds widgets only for the years and rows in view.
class AchievementsView : public QWidget {
    Q_OBJECT
public:
    explicit AchievementsView(const AppEnvironment& env, QWidget* parent = nullptr);

    AchievementsViewModel* viewModel() const { return viewModel_; }
    void showAddSheet();
    // Shows the subtitle and the timeline as the view model has them.
    void render();

private:
    // One line of the timeline: a year's title, or an achievement of that year.
    struct Item {
        int year = 0;
        bool firstYear = false;
        std::shared_ptr<Achievement> achievement;
    };

    QWidget* buildHeader();
    QWidget* buildEmptyState();
    void bind(QWidget* holder, int index);
    int heightOf(int index, int width) const;
    void refocusAfterDelete();
    static QFont yearFont();

    AppEnvironment env_;
    AchievementsViewModel* viewModel_;
    VirtualList* timeline_ = nullptr;
    QLabel* subtitle_ = nullptr;
    QWidget* empty_ = nullptr;
    QPushButton* addWin_ = nullptr;
    std::vector<Item> items_;
    // The place of a win deleted from the keyboard, whose neighbour takes the focus next render.
    int refocus_ = -1;
    bool refocusRing_ = false;
};
