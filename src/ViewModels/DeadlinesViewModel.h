#pragma once

#include "ViewModels/FinanceDeadline.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class Goal;
struct DeadlineCardText;
class ObjectContext;

// What falls due in the next 30 days, sorted into overdue, today, this week and upcoming,
// twice over: goal deadlines, and the next bill of each credit card with each active
// subscription's renewal. The lists are a snapshot of the last refresh().
class DeadlinesViewModel : public QObject {
    Q_OBJECT
public:
    using Goals = std::vector<std::shared_ptr<Goal>>;

    explicit DeadlinesViewModel(ObjectContext* context, QObject* parent = nullptr);

    const Goals& todayGoals() const { return todayGoals_; }
    const Goals& weekGoals() const { return weekGoals_; }
    const Goals& upcomingGoals() const { return upcomingGoals_; }
    const Goals& overdueGoals() const { return overdueGoals_; }
    const FinanceDeadlines& overdueFinance() const { return overdueFinance_; }
    const FinanceDeadlines& todayFinance() const { return todayFinance_; }
    const FinanceDeadlines& weekFinance() const { return weekFinance_; }
    const FinanceDeadlines& upcomingFinance() const { return upcomingFinance_; }
    bool isEmpty() const;

    // Recomputes all eight lists from the store, every bucket from the same instants.
    void refresh();

    // What a goal's card shows, and its countdown alone as the screen ticks, at the clock's now.
    DeadlineCardText card(const Goal& goal) const;
    std::optional<QString> countdown(const Goal& goal) const;

signals:
    void listsChanged();

private:
    void refreshFinanceDeadlines(const QDateTime& now, const QDateTime& todayEnd, const QDateTime& weekEnd,
                                 const QDateTime& monthEnd);
    FinanceDeadlines cardBills(const QDateTime& now, const QDateTime& monthEnd) const;
    FinanceDeadlines subscriptionRenewals(const QDateTime& now, const QDateTime& monthEnd) const;

    ObjectContext* context_;
    Goals todayGoals_;
    Goals weekGoals_;
    Goals upcomingGoals_;
    Goals overdueGoals_;
    FinanceDeadlines overdueFinance_;
    FinanceDeadlines todayFinance_;
    FinanceDeadlines weekFinance_;
    FinanceDeadlines upcomingFinance_;
};
