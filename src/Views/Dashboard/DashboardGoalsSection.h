#pragma once

#include "ViewModels/GoalRowText.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <vector>

class GoalCardView;
class QGridLayout;
class QPushButton;

// "Goals" with "See All", over a two-column grid of goal cards. Cards are kept per goal
// between placements, so only a goal new to the grid plays its entrance.
class DashboardGoalsSection : public QWidget {
    Q_OBJECT
public:
    // onOpen is given the id of the goal whose card was clicked.
    DashboardGoalsSection(std::function<void()> onSeeAll, std::function<void(qint64)> onOpen,
                          QWidget* parent = nullptr);

    // Shows one card per goal, in this order.
    void place(const std::vector<GoalCardText>& cards);
    std::vector<GoalCardView*> cards() const;
    QPushButton* seeAllButton() const { return seeAll_; }

private:
    GoalCardView* makeCard(const GoalCardText& text);

    std::function<void(qint64)> onOpen_;
    QPushButton* seeAll_;
    QWidget* grid_;
    QGridLayout* gridLayout_;
    QHash<qint64, GoalCardView*> cards_;
    std::vector<qint64> order_;
};
