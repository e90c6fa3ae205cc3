#pragma once

#include <QDateTime>
#include <QString>

class ObjectContext;

// Money records of the six months before HeavyStore::now(), as the finance screens use them,
// on top of a generated heavy store: billed fixed and dynamic expenses (a third on cards),
// monthly incomes, active subscriptions of every cycle and holdings of the six investment
// types. At scale 1: 3,000 expenses, 120 incomes, 30 subscriptions and 120 investments;
// every count times the scale. The same scale gives the same records.
class FinanceSeed {
public:
    // A heavy store of the scale with the finance records added, made once and kept under folder.
    static QString ensure(const QString& folder, int scale);
    // Adds the records to the context and saves.
    static void add(ObjectContext& context, int scale);
};
