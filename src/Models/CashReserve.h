#pragma once

#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_CASH_RESERVE_ATTRIBUTES(X)                                                                        \
    X(Id, id, uuid)                                                                                          \
    X(Amount, amount, doubleValue)                                                                           \
    X(UpdatedAt, updatedAt, date)

// The cash reserve entered at finance set-up.
class CashReserve : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CashReserve"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_CASH_RESERVE_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id.
    static std::shared_ptr<CashReserve> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    double amount() const { return doubleValue(Amount); }
    void setAmount(double value) { setValue(Amount, QVariant(value)); }
    std::optional<QDateTime> updatedAt() const { return dateValue(UpdatedAt); }
    void setUpdatedAt(const std::optional<QDateTime>& value) { setOptional(UpdatedAt, value); }

private:
    CashReserve() = default;
};
