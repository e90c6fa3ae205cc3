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
};
