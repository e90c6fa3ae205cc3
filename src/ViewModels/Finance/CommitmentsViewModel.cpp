#include "ViewModels/Finance/CommitmentsViewModel.h"

#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/ExpenseQueries.h"
#include "Models/Subscription.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/DateText.h"
#include "Platform/MoneyFormatter.h"
#include "Platform/TextHelpers.h"
#include "Store/ObjectContext.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Finance/FinanceNames.h"

#include <cmath>

CommitmentsViewModel::CommitmentsViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {
    connect(context_, &ObjectContext::objectsChanged, this, [this](const QSet<QString>& entities) {
        if (entities.contains(Expense::entityName()))
            emit cardFiguresChanged();
    });
    fetchCreditCards();
    fetchSubscriptions();
}

void CommitmentsViewModel::refresh() {
    fetchCreditCards();
    fetchSubscriptions();
}

void CommitmentsViewModel::fetchCreditCards() {
    creditCards_ = context_->fetch<CreditCard>(
        FetchRequest(CreditCard::entityName(), {}, {{CreditCard::Keys::createdAt, true}}));
    emit creditCardsChanged();
}

void CommitmentsViewModel::fetchSubscriptions() {
    subscriptions_ = context_->fetch<Subscription>(
        FetchRequest(Subscription::entityName(), {}, {{Subscription::Keys::createdAt, true}}));
    emit subscriptionsChanged();
}

bool CommitmentsViewModel::canAddCreditCard(const QString& name) {
    return !Text::trimmed(name).isEmpty();
}

bool CommitmentsViewModel::addCreditCard(const QString& name, int statementCloseDay, int paymentDueDay) {
    ActionGuard action(*context_);
    auto card = CreditCard::create(context_);
    card->setName(name);
    card->setStatementCloseDay(qint16(statementCloseDay));
    card->setPaymentDueDay(qint16(paymentDueDay));
    card->setCreatedAt(Clock::now());
    const bool saved = action.commit();
    fetchCreditCards();
    return saved;
}

bool CommitmentsViewModel::deleteCreditCard(const std::shared_ptr<CreditCard>& card) {
    if (!card || card->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(card);
    const bool saved = action.commit();
    fetchCreditCards();
    return saved;
}

double CommitmentsViewModel::sumOfCardExpenses(const CreditCard& card, StoreKey dateKey,
                                               const QDateTime& from) const {
    const auto id = card.id();
    if (!id)
        return 0;
    return context_->sum(
        FetchRequest(Expense::entityName(),
                     Key(Expense::Keys::creditCardID) == QVariant::fromValue(*id) && Key(dateKey) >= from),
        Expense::Keys::amount);
}

double CommitmentsViewModel::currentMonthSpend(const CreditCard& card) const {
    return sumOfCardExpenses(card, Expense::Keys::date, Calendar::startOfMonth(Clock::now()));
}

double CommitmentsViewModel::nextBillAmount(const CreditCard& card) const {
    const QDate today = Clock::today();
    return sumOfCardExpenses(card, Expense::Keys::billedMonth,
                             Calendar::composeStartOfDay(today.year(), today.month() + 1, 1));
}

QHash<QUuid, CommitmentsViewModel::CardFigures> CommitmentsViewModel::cardFigures() const {
    const QDate today = Clock::today();
    return ExpenseQueries::spendingByCard(*context_, Calendar::startOfMonth(Clock::now()),
                                          Calendar::composeStartOfDay(today.year(), today.month() + 1, 1));
}

bool CommitmentsViewModel::canAddSubscription(const QString& name, const QString& priceText) {
    return !name.isEmpty() && priceRule().verdict(priceText).saves;
}

bool CommitmentsViewModel::addSubscription(const QString& name, double price, const QString& billingCycle,
                                           const QDateTime& renewalDate, const QString& paymentMethod,
                                           const std::optional<QUuid>& creditCardID) {
    if (!priceRule().accepts(price))
        return false;
    ActionGuard action(*context_);
    auto subscription = Subscription::create(context_);
    subscription->setName(name);
    subscription->setPrice(price);
    subscription->setBillingCycle(billingCycle);
    subscription->setRenewalDate(renewalDate);
    subscription->setPaymentMethod(paymentMethod);
    subscription->setCreditCardID(creditCardID);
    subscription->setStatus(Subscription::active);
    subscription->setCreatedAt(Clock::now());

    Expense::Draft expense;
    expense.title = name;
    expense.amount = price;
    expense.date = renewalDate;
    expense.expenseType = Expense::fixed;
    expense.paymentMethod = paymentMethod;
    expense.creditCardID = creditCardID;
    expense.category = QStringLiteral("Subscription");
    expense.notes = QStringLiteral("Auto-created from subscription");
    Expense::create(context_)->write(expense, CreditCard::withID(creditCards_, creditCardID));

    const bool saved = action.commit();
    fetchSubscriptions();
    return saved;
}

bool CommitmentsViewModel::toggleSubscriptionStatus(const std::shared_ptr<Subscription>& subscription) {
    if (!subscription || subscription->isDeleted())
        return false;
    ActionGuard action(*context_);
    subscription->setStatus(subscription->isActive() ? Subscription::paused : Subscription::active);
    const bool saved = action.commit();
    fetchSubscriptions();
    return saved;
}

bool CommitmentsViewModel::deleteSubscription(const std::shared_ptr<Subscription>& subscription) {
    if (!subscription || subscription->isDeleted())
        return false;
    ActionGuard action(*context_);
    context_->deleteObject(subscription);
    const bool saved = action.commit();
    fetchSubscriptions();
    return saved;
}

double CommitmentsViewModel::totalMonthlySubscriptions() const {
    double total = 0;
    for (const auto& subscription : subscriptions_)
        if (subscription->isActive())
            total += subscription->monthlyEquivalent();
    return total;
}

int CommitmentsViewModel::activeSubscriptionCount() const {
    int count = 0;
    for (const auto& subscription : subscriptions_)
        count += subscription->isActive() ? 1 : 0;
    return count;
}

QString CommitmentsViewModel::activeSubscriptionsText() const {
    return QStringLiteral("%1 active").arg(activeSubscriptionCount());
}

QString CommitmentsViewModel::inactiveHeading(int count) {
    return QStringLiteral("Inactive (%1)").arg(count);
}

QString CommitmentsViewModel::totalMonthlySubscriptionsText() const {
    return MoneyFormatter::format(totalMonthlySubscriptions(), 0) + QStringLiteral("/mo");
}

QString CommitmentsViewModel::totalMonthlySubscriptionsTip() const {
    return MoneyFormatter::notShownReason(totalMonthlySubscriptions());
}

std::vector<CardRowText> CommitmentsViewModel::cardRows() const {
    const auto figures = cardFigures();
    const QDateTime now = Clock::now();
    std::vector<CardRowText> rows;
    rows.reserve(creditCards_.size());
    for (const auto& card : creditCards_)
        rows.push_back(cardRow(card, card->id() ? figures.value(*card->id()) : CardFigures{}, now));
    return rows;
}

CardRowText CommitmentsViewModel::cardRow(const std::shared_ptr<CreditCard>& card, const CardFigures& figures,
                                          const QDateTime& now) {
    CardRowText row;
    row.card = card;
    row.name = FinanceNames::card(*card);
    row.daysText = QStringLiteral("Closes day %1 · Due day %2")
                       .arg(card->statementCloseDay())
                       .arg(card->paymentDueDay());
    if (figures.nextBill > 0) {
        row.nextBillText = QStringLiteral("Next bill: ") + MoneyFormatter::format(figures.nextBill, 0);
        row.dueText = QStringLiteral("Due ") + DateText::monthDay(card->nextDueDate(now).date());
        row.figureNote = MoneyFormatter::notShownReason(figures.nextBill);
    } else {
        row.monthSpendText = QStringLiteral("This month: ") + MoneyFormatter::format(figures.monthSpend, 0);
        row.figureNote = MoneyFormatter::notShownReason(figures.monthSpend);
    }
    return row;
}

SubscriptionRowText CommitmentsViewModel::subscriptionRow(const std::shared_ptr<Subscription>& subscription) {
    SubscriptionRowText row;
    row.subscription = subscription;
    row.active = subscription->isActive();
    const QString cycle = subscription->effectiveCycle();
    row.name = FinanceNames::untitled(subscription->name());
    row.detail = FinanceNames::capitalised(cycle);
    if (const auto renewal = subscription->renewalDate())
        row.detail += QStringLiteral(" · renews ") + DateText::monthDay(renewal->toLocalTime().date());
    row.priceText = MoneyFormatter::format(subscription->price(), 0);
    if (cycle != Subscription::monthly)
        row.perMonthText =
            MoneyFormatter::format(subscription->monthlyEquivalent(), 0) + QStringLiteral("/mo");
    return row;
}
