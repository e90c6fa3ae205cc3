#include "Models/InvestmentHoldings.h"

#include "Models/Investment.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"
#include "Store/StoreQuery.h"
#include "Store/StoreSchema.h"
#include "Store/StoreValue.h"

namespace {

// Per type: the live holdings valued as Investment::currentValue values one, the stored
// invested amounts, what was put in as Investment::investedFigure reads it, and how many.
const QString& liveSql() {
    static const QString sql =
        QStringLiteral("SELECT COALESCE(%1, 'stock'), TOTAL(%2), TOTAL(%3), TOTAL(%4), COUNT(*) FROM %5 "
                       "WHERE %6 GROUP BY 1")
            .arg(sqlColumn(Investment::Keys::investmentType), Investment::currentValueSql(),
                 sqlColumn(Investment::Keys::investedAmount), Investment::investedFigureSql(),
                 StoreSchema::quote(Investment::entityName()), Investment::isActiveSql());
    return sql;
}

} // namespace

InvestmentHoldings InvestmentHoldings::live(ObjectContext& context, const QDateTime& now) {
    InvestmentHoldings totals;
    // The grouped query reads saved rows only: while holdings are unsaved (never after an
    // action) each live one is valued on its own.
    if (context.hasChanges({Investment::entityName()})) {
        for (const auto& holding :
             context.fetch<Investment>(FetchRequest(Investment::entityName(), Investment::isActive()))) {
            totals.currentValue += holding->currentValue(now);
            totals.investedByType[holding->effectiveType()] += holding->investedAmount();
            totals.investedFigure += holding->investedFigure();
            ++totals.count;
        }
        return totals;
    }
    const QVariant stored(StoreValue::fromVariant(now, AttributeType::date).toReal());
    for (const auto& row : StoreQuery::aggregate(context, liveSql(), {stored, Investment::kSecondsPerYear})) {
        totals.currentValue += row[1].toDouble();
        totals.investedByType[row[0].toString()] += row[2].toDouble();
        totals.investedFigure += row[3].toDouble();
        totals.count += row[4].toInt();
    }
    return totals;
}
