#include "Models/ExpenseQueries.h"

#include "Models/Expense.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"
#include "Store/StoreQuery.h"
#include "Store/StoreSchema.h"
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
    static const QString kBilled =
        QStringLiteral("SELECT %1, SUM(%2) FROM %3 WHERE %1 IS NOT NULL AND %4 >= ? AND %4 < ? GROUP BY %1")
            .arg(sqlColumn(Expense::Keys::creditCardID), sqlColumn(Expense::Keys::amount),
                 StoreSchema::quote(Expense::entityName()), sqlColumn(Expense::Keys::billedMonth));
    for (const auto& row :
         StoreQuery::aggregate(context, kBilled, {stored(monthStart), stored(nextMonthStart)}))
        sums.insert(QUuid::fromString(row[0].toString()), row[1].toDouble());
    return sums;
}

QHash<QUuid, ExpenseQueries::CardSpending> ExpenseQueries::spendingByCard(ObjectContext& context,
                                                                          const QDateTime& monthStart,
                                                                          const QDateTime& nextMonth) {
    QHash<QUuid, CardSpending> figures;
    // The store sums what it holds; while expenses are unsaved (never after an action) the
    // matching records are added up one by one.
    if (context.hasChanges({Expense::entityName()})) {
        for (const auto& expense : context.fetch<Expense>(
                 FetchRequest(Expense::entityName(), Key(Expense::Keys::creditCardID).present() &&
                                                         (Key(Expense::Keys::date) >= monthStart ||
                                                          Key(Expense::Keys::billedMonth) >= nextMonth)))) {
            CardSpending& card = figures[*expense->creditCardID()];
            if (const auto date = expense->date(); date && *date >= monthStart)
                card.monthSpend += expense->amount();
            if (const auto billed = expense->billedMonth(); billed && *billed >= nextMonth)
                card.nextBill += expense->amount();
        }
        return figures;
    }
    // The unary plus keeps the card column's index out of the plan: the two date indexes find
    // this month's and the coming bills' expenses, a few among a heavy user's thousands.
    static const QString kByCard =
        QStringLiteral(
            "SELECT %1, TOTAL(CASE WHEN %2 >= ? THEN %3 END), TOTAL(CASE WHEN %4 >= ? THEN %3 END) "
            "FROM %5 WHERE +%1 IS NOT NULL AND (%2 >= ? OR %4 >= ?) GROUP BY +%1")
            .arg(sqlColumn(Expense::Keys::creditCardID), sqlColumn(Expense::Keys::date),
                 sqlColumn(Expense::Keys::amount), sqlColumn(Expense::Keys::billedMonth),
                 StoreSchema::quote(Expense::entityName()));
    const QVariant from(StoreValue::fromVariant(monthStart, AttributeType::date).toReal());
    const QVariant billedFrom(StoreValue::fromVariant(nextMonth, AttributeType::date).toReal());
    for (const auto& row : StoreQuery::aggregate(context, kByCard, {from, billedFrom, from, billedFrom})) {
        CardSpending& card = figures[QUuid::fromString(row[0].toString())];
        card.monthSpend += row[1].toDouble();
        card.nextBill += row[2].toDouble();
    }
    return figures;
}
