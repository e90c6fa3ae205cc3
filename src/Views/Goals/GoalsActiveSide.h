#pragma once

#include "Components/VirtualList.h"

#include <QSet>

#include <vector>

class GoalCardView;
class GoalRowView;
class GoalsCategoryBar;
class GoalActions;
class GoalsViewModel;

// The active side of the goals screen: the category chips over the goals as rows or as a
// two-column grid of cards, or the empty state. It holds the goals' ids; a row or card in view
// is handed the values its goal shows, which the view model writes, and acts by its goal's
// id. Only the rows in view are widgets; a goal plays its entrance the first time the list
// shows it, never when scrolled to.
class GoalsActiveSide : public VirtualList {
    Q_OBJECT
public:
    // The rows and cards run their actions through actions; context ends their connections.
    GoalsActiveSide(GoalActions* actions, QObject* context, GoalsViewModel* viewModel,
                    QWidget* parent = nullptr);

    // Shows the goals in this order; selectedID 0 selects none.
    void place(const std::vector<qint64>& goalIDs, bool grid, const QSet<qint64>& hidden, qint64 selectedID,
               bool searching);
    // Moves the selection without touching the list (only the rows in view are told).
    void setSelectedID(qint64 selectedID);
    // Drops every row and card, so the next place() builds them anew.
    void clear();

    // The widget showing the goal, while it is in view.
    GoalRowView* rowFor(qint64 goalID) const;
    GoalCardView* cardFor(qint64 goalID) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int gridColumns() const;

    QWidget* makeRow(QWidget* parent);
    QWidget* makeCard(QWidget* parent);
    void bind(QWidget* widget, int index);
    void useMode(bool grid);
    int indexOfGoal(qint64 goalID) const;
    // Whether a row or card names a goal still listed: one that is not is left alone.
    bool isListed(qint64 goalID) const { return indexOfGoal(goalID) >= 0; }

    GoalActions* actions_;
    QObject* context_;
    GoalsViewModel* viewModel_;
    GoalsCategoryBar* categoryBar_;
    QWidget* empty_;
    std::vector<qint64> goalIDs_;
    QSet<qint64> hidden_;
    qint64 selectedID_ = 0;
    bool grid_ = false;
    bool modeSet_ = false;
    int cardHeight_ = 0;
    int rowHeight_ = 0;
    bool entering_ = false;
    int entranceSlot_ = 0;
    QSet<qint64> appeared_;
};
