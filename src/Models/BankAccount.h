#pragma once

#include "Platform/TextHelpers.h"
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
#define QV_BANK_ACCOUNT_ATTRIBUTES(X)                                                                        \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(Balance, balance, doubleValue)                                                                         \
    X(CreatedAt, createdAt, date)

// A bank account and its current balance.
class BankAccount : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("BankAccount"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_BANK_ACCOUNT_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<BankAccount> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    double balance() const { return doubleValue(Balance); }
    void setBalance(double value) { setValue(Balance, QVariant(value)); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

private:
    BankAccount() = default;
};
