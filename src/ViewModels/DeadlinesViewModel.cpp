#include "ViewModels/DeadlinesViewModel.h"

#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/ExpenseQueries.h"
#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Subscription.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/DeadlineCardText.h"
#include "ViewModels/Finance/FinanceNames.h"
#include "ViewModels/Theme/AppTheme.h"

#include <QHash>

#include <map>

namespace {

template <typename T, typename Keep> std::vector<T> filtered(const std::vector<T>& items, Keep keep) {
    std::vector<T> out;
    for (const T& item : items)
        if (keep(item))
            out.push_back(item);
    return out;
}

} // namespace

DeadlinesViewModel::DeadlinesViewModel(ObjectContext* context, QObject* parent)
    : QObject(parent), context_(context) {
    refresh();
}

bool DeadlinesViewModel::isEmpty() const {
    return todayGoals_.empty() && weekGoals_.empty() && upcomingGoals_.empty() && overdueGoals_.empty() &&
           overdueFinance_.empty() && todayFinance_.empty() && weekFinance_.empty() &&
           upcomingFinance_.empty();
}

DeadlineCardText DeadlinesViewModel::card(const Goal& goal) const {
    return DeadlineCardText::of(goal, Clock::now());
}

std::optional<QString> DeadlinesViewModel::countdown(const Goal& goal) const {
    return DeadlineCardText::countdown(goal, Clock::now());
}

void DeadlinesViewModel::refresh() {
    const QDateTime now = Clock::now();
    const QDateTime todayEnd = Calendar::addDays(Calendar::startOfDay(now), 1);
    const QDateTime weekEnd = Calendar::addDays(now, 7);
    const QDateTime monthEnd = Calendar::addDays(now, 30);

    const Goals goals = context_ ? context_->fetch<Goal>(GoalQueries::activeWithDeadline()) : Goals{};
    auto dueIn = [](const QDateTime& from, const QDateTime& to) {
        return [from, to](const std::shared_ptr<Goal>& goal) {
            const QDateTime deadline = goal->deadline().value_or(QDateTime());
            return deadline.isValid() && from <= deadline && deadline < to;
        };
    };
    overdueGoals_ = filtered(goals, [&](const std::shared_ptr<Goal>& goal) { return goal->isOverdue(now); });
    todayGoals_ = filtered(goals, dueIn(now, todayEnd));
    weekGoals_ = filtered(goals, dueIn(todayEnd, weekEnd));
    upcomingGoals_ = filtered(goals, dueIn(weekEnd, monthEnd));
    refreshFinanceDeadlines(now, todayEnd, weekEnd, monthEnd);
    emit listsChanged();
}

void DeadlinesViewModel::refreshFinanceDeadlines(const QDateTime& now, const QDateTime& todayEnd,
                                                 const QDateTime& weekEnd, const QDateTime& monthEnd) {
    FinanceDeadlines items = cardBills(now, monthEnd);
    const FinanceDeadlines renewals = subscriptionRenewals(now, monthEnd);
    items.insert(items.end(), renewals.begin(), renewals.end());
    auto dueIn = [](const QDateTime& from, const QDateTime& to, bool toIncluded) {
        return [from, to, toIncluded](const FinanceDeadline& item) {
            return from <= item.dueDate && (item.dueDate < to || (toIncluded && item.dueDate == to));
        };
    };
    overdueFinance_ = filtered(items, [&](const FinanceDeadline& item) { return item.dueDate < now; });
    todayFinance_ = filtered(items, dueIn(now, todayEnd, false));
    weekFinance_ = filtered(items, dueIn(todayEnd, weekEnd, false));
    upcomingFinance_ = filtered(items, dueIn(weekEnd, monthEnd, true));
}

FinanceDeadlines DeadlinesViewModel::cardBills(const QDateTime& now, const QDateTime& monthEnd) const {
    FinanceDeadlines items;
    if (!context_)
        return items;
    // One grouped query per billed month sums every card at once; it reads only saved rows, so
    // while expenses are unsaved (never after an action) each card is summed on its own.
    const bool pending = context_->hasChanges({Expense::entityName()});
    std::map<QDateTime, QHash<QUuid, double>> billedSums;
    for (const auto& card : context_->fetch<CreditCard>(FetchRequest(CreditCard::entityName()))) {
        const QDateTime due = card->nextDueDate(now);
        const auto cardID = card->id();
        if (!due.isValid() || due > monthEnd || !cardID)
            continue;
        const auto [monthStart, nextMonthStart] = Calendar::monthRange(due);
        double sum = 0;
        if (pending) {
            sum = context_->sum(ExpenseQueries::billedToCard(*cardID, monthStart, nextMonthStart),
                                Expense::Keys::amount);
        } else {
            auto month = billedSums.find(monthStart);
            if (month == billedSums.end())
                month = billedSums
                            .emplace(monthStart,
                                     ExpenseQueries::billedByCard(*context_, monthStart, nextMonthStart))
                            .first;
            sum = month->second.value(*cardID);
        }
        if (!(sum > 0))
            continue;
        items.push_back({QUuid::createUuid(),
                         card->name().value_or(QStringLiteral("Card")) + QStringLiteral(" Bill"), sum, due,
                         QStringLiteral("creditcard.fill"), AppTheme::Colors::sunrise()});
    }
    return items;
}

FinanceDeadlines DeadlinesViewModel::subscriptionRenewals(const QDateTime& now,
                                                          const QDateTime& monthEnd) const {
    FinanceDeadlines items;
    if (!context_)
        return items;
    const FetchRequest active(Subscription::entityName(),
                              Key(Subscription::Keys::status) == Subscription::active &&
                                  Key(Subscription::Keys::renewalDate).present());
    for (const auto& subscription : context_->fetch<Subscription>(active)) {
        const QDateTime renewal = subscription->renewalDate().value_or(QDateTime());
        if (!renewal.isValid() || renewal < now || renewal > monthEnd)
            continue;
        items.push_back({QUuid::createUuid(),
                         FinanceNames::untitled(subscription->name()) + QStringLiteral(" Renewal"),
                         subscription->price(), renewal, QStringLiteral("arrow.trianglehead.2.clockwise"),
                         AppTheme::Colors::indigo()});
    }
    return items;
}
