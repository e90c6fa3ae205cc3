#pragma once

#include <QHash>
#include <QScrollArea>
#include <QSet>

#include <memory>
#include <vector>

class Goal;
class GoalCardView;
class GoalRowView;
class GoalsCategoryBar;
class GoalsView;
class GoalsViewModel;
class QGridLayout;
class QVBoxLayout;

// The active side of the goals screen: the category chips over the goals as rows or as a
// two-column grid of cards, or the empty state. Rows and cards are kept per goal between
// refreshes, so only goals new to the list play their entrance.
class GoalsActiveSide : public QScrollArea {
    Q_OBJECT
public:
    GoalsActiveSide(GoalsView* screen, GoalsViewModel* viewModel, QWidget* parent = nullptr);

    // Shows the goals in this order; selectedID 0 selects none.
    void place(const std::vector<std::shared_ptr<Goal>>& goals, bool grid, const QSet<qint64>& hidden,
               qint64 selectedID, bool searching);
    // Drops every row and card, so the next place() builds them anew.
    void clear();

private:
    void placeRows(const std::vector<std::shared_ptr<Goal>>& goals, const QSet<qint64>& hidden,
                   qint64 selectedID);
    void placeCards(const std::vector<std::shared_ptr<Goal>>& goals, const QSet<qint64>& hidden,
                    qint64 selectedID);
    GoalCardView* makeCard(const std::shared_ptr<Goal>& goal, bool hidden);

    GoalsView* screen_;
    GoalsViewModel* viewModel_;
    GoalsCategoryBar* categoryBar_;
    QWidget* listBox_;
    QVBoxLayout* listLayout_;
    QWidget* gridBox_;
    QGridLayout* gridLayout_;
    QWidget* empty_;
    QHash<qint64, GoalRowView*> rows_;
    QHash<qint64, GoalCardView*> cards_;
};
