#pragma once

#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class Expense;
class Income;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_EXPENSE_MONTH_ATTRIBUTES(X)                                                                       \
    X(Id, id, uuid)                                                                                          \
    X(Month, month, int16)                                                                                   \
    X(Year, year, int16)                                                                                     \
    X(CreatedAt, createdAt, date)
#define QV_EXPENSE_MONTH_RELATIONSHIPS(X)                                                                    \
    X(Expenses, expenses, Expense, toMany, month, nullify)                                                   \
    X(Incomes, incomes, Income, toMany, month, nullify)

// A month grouping of expenses and incomes; kept in the store for older data.
class ExpenseMonth : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("ExpenseMonth"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_EXPENSE_MONTH_ATTRIBUTES, QV_EXPENSE_MONTH_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<ExpenseMonth> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    qint16 month() const { return static_cast<qint16>(integerValue(Month)); }
    void setMonth(qint16 value) { setValue(Month, QVariant::fromValue(qint64(value))); }
    qint16 year() const { return static_cast<qint16>(integerValue(Year)); }
    void setYear(qint16 value) { setValue(Year, QVariant::fromValue(qint64(value))); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::vector<std::shared_ptr<Expense>> expenses() const;
    std::vector<std::shared_ptr<Income>> incomes() const;

private:
    ExpenseMonth() = default;
};
