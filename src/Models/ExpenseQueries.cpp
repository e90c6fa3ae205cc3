#include "Models/ExpenseQueries.h"

#include "Models/Expense.h"
#include "Store/ObjectContext.h"
#include "Store/StoreValue.h"

FetchRequest ExpenseQueries::billedToCard(const QUuid& cardID, const QDateTime& monthStart,
                                          const QDateTime& nextMonthStart) {
    return FetchRequest(Expense::entityName(),
                        Key(Expense::Keys::creditCardID) == QVariant::fromValue(cardID) &&
                            Key(Expense::Keys::billedMonth) >= monthStart &&
                            Key(Expense::Keys::billedMonth) < nextMonthStart);
}

QHash<QUuid, double> ExpenseQueries::billedByCard(ObjectContext& context, const QDateTime& monthStart,
                                                  const QDateTime& nextMonthStart) {
    QHash<QUuid, double> sums;
    const auto stored = [](const QDateTime& date) {
        return QVariant(StoreValue::fromVariant(date, AttributeType::date).toReal());
    };
    for (const auto& row : context.aggregate(
             QStringLiteral("SELECT \"creditCardID\", SUM(\"amount\") FROM \"Expense\" WHERE "
                            "\"creditCardID\" IS NOT NULL AND \"billedMonth\" >= ? AND \"billedMonth\" < ? "
                            "GROUP BY \"creditCardID\""),
             {stored(monthStart), stored(nextMonthStart)}))
        sums.insert(QUuid::fromString(row[0].toString()), row[1].toDouble());
    return sums;
}
