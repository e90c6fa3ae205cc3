#pragma once

#include "Platform/Store/ManagedObject.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class ObjectContext;

// The cash reserve entered at finance set-up.
class CashReserve : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CashReserve"); }
    static EntityDescription description();
    enum Attribute { Id, Amount, UpdatedAt };

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
