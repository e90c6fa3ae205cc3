#pragma once

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Goal;
class GoalCardView;
class QGridLayout;
class QPushButton;

// "Goals" with "See All", over a two-column grid of goal cards. Cards are kept per goal
// between placements, so only a goal new to the grid plays its entrance.
class DashboardGoalsSection : public QWidget {
    Q_OBJECT
public:
    DashboardGoalsSection(std::function<void()> onSeeAll,
                          std::function<void(const std::shared_ptr<Goal>&)> onOpen,
                          QWidget* parent = nullptr);

    // Shows one card per goal, in this order.
    void place(const std::vector<std::shared_ptr<Goal>>& goals);
    std::vector<GoalCardView*> cards() const;
    QPushButton* seeAllButton() const { return seeAll_; }

private:
    GoalCardView* makeCard(const std::shared_ptr<Goal>& goal);

    std::function<void(const std::shared_ptr<Goal>&)> onOpen_;
    QPushButton* seeAll_;
    QWidget* grid_;
    QGridLayout* gridLayout_;
    QHash<qint64, GoalCardView*> cards_;
    std::vector<qint64> order_;
};
