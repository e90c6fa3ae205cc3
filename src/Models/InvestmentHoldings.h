#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

class ObjectContext;

// What the live holdings are worth now and how much was put into each type of them, summed by
// the store rather than by loading every holding: a heavy user keeps thousands.
struct InvestmentHoldings {
    double currentValue = 0;
    // The stored invested amounts by type.
    QHash<QString, double> investedByType;
    // What was put in, as Investment::investedFigure reads one holding.
    double investedFigure = 0;
    int count = 0;

    // Live: active or without a status. Valued as Investment::currentValue values one holding.
    static InvestmentHoldings live(ObjectContext& context, const QDateTime& now);
};
