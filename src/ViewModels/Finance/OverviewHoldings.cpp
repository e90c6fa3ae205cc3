#include "ViewModels/Finance/OverviewHoldings.h"

#include "Models/Investment.h"
#include "Platform/Store/ObjectContext.h"
#include "Platform/Store/StoreValue.h"

namespace {

// Investment::currentValue written as SQL, per row: market holdings by units at the current
// price, a fixed deposit by simple interest since its start (none before it, in
// Investment::kSecondsPerYear years), anything else by its current price when it has one, else by what was
// put in. A missing number counts as 0, as it reads on the object. Then, per type, the stored
// invested amounts, Investment::investedFigure written likewise, and the number of holdings.
const QString kLiveSql =
    QStringLiteral("SELECT COALESCE(\"investmentType\", 'stock'), "
                   "TOTAL(CASE "
                   "WHEN COALESCE(\"investmentType\", 'stock') IN ('stock', 'mutualFund', 'crypto') "
                   "THEN IFNULL(\"units\", 0) * IFNULL(\"currentPrice\", 0) "
                   "WHEN \"investmentType\" = 'fixedDeposit' "
                   "THEN IFNULL(\"investedAmount\", 0) * "
                   "(1 + MAX(0, IFNULL((? - \"buyDate\") / ?, 0)) * IFNULL(\"interestRate\", 0) / 100) "
                   "WHEN IFNULL(\"currentPrice\", 0) > 0 THEN \"currentPrice\" "
                   "ELSE IFNULL(\"investedAmount\", 0) END), "
                   "TOTAL(\"investedAmount\"), "
                   "TOTAL(CASE "
                   "WHEN COALESCE(\"investmentType\", 'stock') IN ('stock', 'mutualFund', 'crypto') "
                   "THEN IFNULL(\"units\", 0) * IFNULL(\"buyPrice\", 0) "
                   "ELSE IFNULL(\"investedAmount\", 0) END), "
                   "COUNT(*) "
                   "FROM \"Investment\" WHERE \"status\" = 'active' OR \"status\" IS NULL GROUP BY 1");

} // namespace

OverviewHoldings OverviewHoldings::live(ObjectContext& context, const QDateTime& now) {
    OverviewHoldings totals;
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
    for (const auto& row : context.aggregate(kLiveSql, {stored, Investment::kSecondsPerYear})) {
        totals.currentValue += row[1].toDouble();
        totals.investedByType[row[0].toString()] += row[2].toDouble();
        totals.investedFigure += row[3].toDouble();
        totals.count += row[4].toInt();
    }
    return totals;
}
