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
#define QV_BILL_ATTRIBUTES(X)                                                                                \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(Amount, amount, doubleValue)                                                                           \
    X(DueDay, dueDay, int16)                                                                                 \
    X(Category, category, text)                                                                              \
    X(Notes, notes, text)                                                                                    \
    X(CreatedAt, createdAt, date)                                                                            \
    X(PaymentMethod, paymentMethod, text)                                                                    \
    X(CreditCardID, creditCardID, uuid)

// A recurring monthly bill.
class Bill : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Bill"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_BILL_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Bill> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    double amount() const { return doubleValue(Amount); }
    void setAmount(double value) { setValue(Amount, QVariant(value)); }
    qint16 dueDay() const { return static_cast<qint16>(integerValue(DueDay)); }
    void setDueDay(qint16 value) { setValue(DueDay, QVariant::fromValue(qint64(value))); }
    std::optional<QString> category() const { return textValue(Category); }
    void setCategory(const std::optional<QString>& value) { setOptional(Category, Text::oneLine(value)); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> paymentMethod() const { return textValue(PaymentMethod); }
    void setPaymentMethod(const std::optional<QString>& value) {
        setOptional(PaymentMethod, Text::oneLine(value));
    }
    std::optional<QUuid> creditCardID() const { return uuidValue(CreditCardID); }
    void setCreditCardID(const std::optional<QUuid>& value) { setOptional(CreditCardID, value); }

private:
    Bill() = default;
};
