#pragma once

#include "ViewModels/AppEnvironment.h"

#include <QWidget>

class CommitmentsViewModel;
class QVBoxLayout;
class SubscriptionsSection;

// The "Commitments" tab: the credit cards with this month's spend or next bill, then the
// subscriptions. It opens the add-card and add-subscription sheets and hands their values to
// its view model; it refreshes each time it is shown.
class CommitmentsView : public QWidget {
    Q_OBJECT
public:
    explicit CommitmentsView(const AppEnvironment& env, QWidget* parent = nullptr);

    CommitmentsViewModel* viewModel() const { return viewModel_; }
    void showAddCard();
    void showAddSubscription();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildCardsEmptyState();
    void renderCards();

    CommitmentsViewModel* viewModel_;
    QVBoxLayout* cardsColumn_ = nullptr;
    QWidget* cardsBody_ = nullptr;
    SubscriptionsSection* subscriptions_ = nullptr;
    bool shownBefore_ = false;
};
