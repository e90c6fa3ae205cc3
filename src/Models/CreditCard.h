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
#define QV_CREDIT_CARD_ATTRIBUTES(X)                                                                         \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(StatementCloseDay, statementCloseDay, int16)                                                           \
    X(PaymentDueDay, paymentDueDay, int16)                                                                   \
    X(CreatedAt, createdAt, date)

// A credit card with its monthly statement and payment days.
class CreditCard : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("CreditCard"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_CREDIT_CARD_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<CreditCard> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    qint16 statementCloseDay() const { return static_cast<qint16>(integerValue(StatementCloseDay)); }
    void setStatementCloseDay(qint16 value) {
        setValue(StatementCloseDay, QVariant::fromValue(qint64(value)));
    }
    qint16 paymentDueDay() const { return static_cast<qint16>(integerValue(PaymentDueDay)); }
    void setPaymentDueDay(qint16 value) { setValue(PaymentDueDay, QVariant::fromValue(qint64(value))); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    // The live card with this id among these; null when the id is absent or names none of them
    // (a card's id in another record is a plain value that may outlive the card).
    static std::shared_ptr<CreditCard> withID(const std::vector<std::shared_ptr<CreditCard>>& cards,
                                              const std::optional<QUuid>& id);

    // 00:00 of the payment due day in the month of from, or in the next month when that
    // moment is not after from.
    QDateTime nextDueDate(const QDateTime& from) const;

private:
    CreditCard() = default;
};
