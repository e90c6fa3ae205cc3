#pragma once

#include "Models/ExpenseQueries.h"
#include "Store/StoreKey.h"
#include "ViewModels/AmountRule.h"
#include "ViewModels/Finance/FinanceRowText.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class CreditCard;
class ObjectContext;
class Subscription;

// The commitments tab's model: every credit card with what it was used for this month and what
// its next bill holds, every subscription with its monthly cost, and the tab's writes. Adding a
// subscription books its one fixed expense with it, in the same save. Each write is one action
// saved once: a failed save keeps nothing of it and the operation returns false. The card
// figures follow the store: an expense written anywhere (with a subscription, from the cash
// flow, a bill payment) announces them stale once per change.
class CommitmentsViewModel : public QObject {
    Q_OBJECT
public:
    explicit CommitmentsViewModel(ObjectContext* context, QObject* parent = nullptr);

    // Oldest first.
    const std::vector<std::shared_ptr<CreditCard>>& creditCards() const { return creditCards_; }
    // Oldest first, paused ones included.
    const std::vector<std::shared_ptr<Subscription>>& subscriptions() const { return subscriptions_; }

    void refresh();
    void fetchCreditCards();
    void fetchSubscriptions();

    // The card sheet's save rule: a name after trimming.
    static bool canAddCreditCard(const QString& name);
    bool addCreditCard(const QString& name, int statementCloseDay, int paymentDueDay);
    bool deleteCreditCard(const std::shared_ptr<CreditCard>& card);
    // The card's expenses dated from the first of this month on (later months included).
    double currentMonthSpend(const CreditCard& card) const;
    // The card's expenses billed from next month on.
    double nextBillAmount(const CreditCard& card) const;
    using CardFigures = ExpenseQueries::CardSpending;
    // Both figures of every card by card id, read with one query (for the whole list).
    QHash<QUuid, CardFigures> cardFigures() const;

    // What a subscription's amount field takes: a price above zero.
    static AmountRule priceRule() { return AmountRule::positive(); }
    // The add sheet's save rule: a name and a price the rule takes.
    static bool canAddSubscription(const QString& name, const QString& priceText);
    bool addSubscription(const QString& name, double price, const QString& billingCycle,
                         const QDateTime& renewalDate, const QString& paymentMethod,
                         const std::optional<QUuid>& creditCardID);
    // "active" (or none) becomes "paused"; anything else becomes "active".
    bool toggleSubscriptionStatus(const std::shared_ptr<Subscription>& subscription);
    bool deleteSubscription(const std::shared_ptr<Subscription>& subscription);

    // The monthly equivalents of the active subscriptions.
    double totalMonthlySubscriptions() const;
    int activeSubscriptionCount() const;
    // "3 active": the count under the subscriptions' total.
    QString activeSubscriptionsText() const;
    // "Inactive (2)": the heading that folds the paused and cancelled subscriptions.
    static QString inactiveHeading(int count);
    // "₹1,299/mo": the monthly equivalents of the active subscriptions.
    QString totalMonthlySubscriptionsText() const;
    // Why the total shows as a dash (a store's amounts too large to add up); empty otherwise.
    QString totalMonthlySubscriptionsTip() const;

    // The rows of every card, in order, with their figures read in one query.
    std::vector<CardRowText> cardRows() const;
    // A card's row: its next bill with the date it is due after `now`, or while it has none
    // what was spent with it this month.
    static CardRowText cardRow(const std::shared_ptr<CreditCard>& card, const CardFigures& figures,
                               const QDateTime& now);
    // A subscription's row: its cycle and renewal, its price and, for a price that is not
    // monthly, the monthly equivalent under it.
    static SubscriptionRowText subscriptionRow(const std::shared_ptr<Subscription>& subscription);

signals:
    void creditCardsChanged();
    void subscriptionsChanged();
    // The expenses behind cardFigures() changed, here or on another screen.
    void cardFiguresChanged();

private:
    double sumOfCardExpenses(const CreditCard& card, StoreKey dateKey, const QDateTime& from) const;

    ObjectContext* context_;
    std::vector<std::shared_ptr<CreditCard>> creditCards_;
    std::vector<std::shared_ptr<Subscription>> subscriptions_;
};
