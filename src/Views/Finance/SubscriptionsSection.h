#pragma once

#include "Views/Finance/SubscriptionRow.h"

#include <QObject>

#include <functional>
#include <vector>

class CommitmentsViewModel;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// The lower half of the commitments tab: the active subscriptions with their monthly total,
// and the paused ones folded under "Inactive (n)", or an invitation to add the first one. The
// tab's list shows its pieces; this keeps them and works out the rows once per change.
class SubscriptionsSection : public QObject {
    Q_OBJECT
public:
    SubscriptionsSection(CommitmentsViewModel* viewModel, std::function<void()> onAdd, QWidget* owner);

    // The title with the totals and "Add"; the empty state; the row holding the fold button.
    QWidget* header() const { return header_; }
    QWidget* emptyState() const { return empty_; }
    QWidget* disclosureRow() const { return disclosureRow_; }
    // "Add" in the title row: where the focus goes when the first subscription replaces the
    // empty state.
    QPushButton* addButton() const { return add_; }

    // Reads the subscriptions again: the totals, the rows and the fold's count.
    void render();
    // The active subscriptions' rows, then the paused ones' while unfolded.
    const std::vector<SubscriptionRow::Figures>& rows() const { return rows_; }
    int activeRowCount() const { return activeRows_; }
    int inactiveCount() const { return inactive_; }
    bool isInactiveExpanded() const { return inactiveExpanded_; }
    void setInactiveExpanded(bool expanded);

signals:
    // The rows or pieces to list changed.
    void changed();

private:
    void buildHeader();
    void renderTotals();
    QWidget* buildEmptyState(QWidget* owner);

    CommitmentsViewModel* viewModel_;
    std::function<void()> onAdd_;
    bool inactiveExpanded_ = false;
    QWidget* header_;
    QVBoxLayout* headerColumn_;
    QHBoxLayout* totalsRow_ = nullptr;
    QWidget* totals_ = nullptr;
    QPushButton* add_ = nullptr;
    QWidget* empty_;
    QWidget* disclosureRow_;
    QPushButton* disclosure_;
    std::vector<SubscriptionRow::Figures> rows_;
    int activeRows_ = 0;
    int inactive_ = 0;
};
