#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class CommitmentsViewModel;
class QPushButton;
class Subscription;
class QVBoxLayout;

// The lower half of the commitments tab: the active subscriptions with their monthly total,
// and the paused ones folded under "Inactive (n)", or an invitation to add the first one.
class SubscriptionsSection : public QWidget {
    Q_OBJECT
public:
    SubscriptionsSection(CommitmentsViewModel* viewModel, std::function<void()> onAdd,
                         QWidget* parent = nullptr);

    void render();
    bool isInactiveExpanded() const { return inactiveExpanded_; }
    void setInactiveExpanded(bool expanded);

private:
    QWidget* buildHeader();
    QWidget* buildEmptyState();
    QWidget* buildRow(const std::shared_ptr<Subscription>& subscription);

    CommitmentsViewModel* viewModel_;
    std::function<void()> onAdd_;
    bool inactiveExpanded_ = false;
    QVBoxLayout* column_;
    QWidget* body_ = nullptr;
};
