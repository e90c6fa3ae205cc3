#pragma once

#include "ViewModels/AppEnvironment.h"
#include "Views/Finance/CreditCardRow.h"

#include <QWidget>

#include <vector>

class CommitmentsViewModel;
class SubscriptionsSection;
class QPushButton;
class VirtualList;

// The "Commitments" tab: the credit cards with this month's spend or next bill, then the
// subscriptions. It opens the add-card and add-subscription sheets and hands their values to
// its view model; it refreshes each time it is shown, and its card rows follow every expense
// written while it shows. Both sections are one list that makes only the rows in view.
class CommitmentsView : public QWidget {
    Q_OBJECT
public:
    explicit CommitmentsView(const AppEnvironment& env, QWidget* parent = nullptr);
    ~CommitmentsView() override;

    CommitmentsViewModel* viewModel() const { return viewModel_; }
    VirtualList* list() const { return list_; }
    SubscriptionsSection* subscriptions() const { return subscriptions_; }
    void showAddCard();
    void showAddSubscription();

    // What the list holds at each place: a section's head, its empty state, the fold button,
    // or the row of a card or subscription (index into its section's rows).
    enum class Kind {
        CardsHead,
        CardsEmpty,
        CardRow,
        SubscriptionsHead,
        SubscriptionsEmpty,
        SubscriptionRow,
        Disclosure
    };
    struct Item {
        Kind kind;
        int index = 0;
    };
    const std::vector<Item>& items() const { return items_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildCardsHead();
    QWidget* buildCardsEmptyState();
    QWidget* makeRow(Kind kind, QWidget* parent);
    void bindRow(QWidget* row, int index);
    int heightOf(int index, int width) const;
    QWidget* piece(Kind kind) const;
    void renderCards();
    void layoutItems();

    CommitmentsViewModel* viewModel_;
    VirtualList* list_ = nullptr;
    QWidget* cardsHead_ = nullptr;
    QPushButton* addCard_ = nullptr;
    QWidget* cardsEmpty_ = nullptr;
    SubscriptionsSection* subscriptions_ = nullptr;
    std::vector<CreditCardRow::Figures> cardRows_;
    std::vector<Item> items_;
    bool shownBefore_ = false;
    bool cardsStale_ = false; // the figures changed while the screen was hidden
};
