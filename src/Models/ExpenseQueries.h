#pragma once

#include "Store/FetchRequest.h"

#include <QDateTime>
#include <QHash>
#include <QUuid>

class ObjectContext;

// The expense queries the money screens and the deadlines ask for, each written once.
class ExpenseQueries {
public:
    // One card's expenses billed in [monthStart, nextMonthStart).
    static FetchRequest billedToCard(const QUuid& cardID, const QDateTime& monthStart,
                                     const QDateTime& nextMonthStart);
    // Saved card expenses billed in [monthStart, nextMonthStart), summed per card id in one
    // grouped query; it reads saved rows only.
    static QHash<QUuid, double> billedByCard(ObjectContext& context, const QDateTime& monthStart,
                                             const QDateTime& nextMonthStart);

    // A card's spending dated from monthStart on and its expenses billed from nextMonth on.
    struct CardSpending {
        double monthSpend = 0;
        double nextBill = 0;
    };
    // Both figures of every card by card id. Saved rows are summed by the store in one grouped
    // query; while expenses are unsaved the matching records are added up one by one.
    static QHash<QUuid, CardSpending> spendingByCard(ObjectContext& context, const QDateTime& monthStart,
                                                     const QDateTime& nextMonth);
};
