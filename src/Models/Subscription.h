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
#define QV_SUBSCRIPTION_ATTRIBUTES(X)                                                                        \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(Price, price, doubleValue)                                                                             \
    X(RenewalDate, renewalDate, date)                                                                        \
    X(BillingCycle, billingCycle, text)                                                                      \
    X(Category, category, text)                                                                              \
    X(Status, status, text)                                                                                  \
    X(CreatedAt, createdAt, date)                                                                            \
    X(PaymentMethod, paymentMethod, text)                                                                    \
    X(CreditCardID, creditCardID, uuid)

// A recurring subscription, active or paused.
class Subscription : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Subscription"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_SUBSCRIPTION_ATTRIBUTES, QV_NO_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Subscription> create(ObjectContext* context);

    // The stored words of status and billingCycle.
    static inline const QString active = QStringLiteral("active");
    static inline const QString paused = QStringLiteral("paused");
    static inline const QString monthly = QStringLiteral("monthly");
    static inline const QString quarterly = QStringLiteral("quarterly");
    static inline const QString annual = QStringLiteral("annual");

    // No status counts as active.
    bool isActive() const;
    // The billing cycle; none counts as monthly.
    QString effectiveCycle() const;
    // The price per month: a third of a quarterly price, a twelfth of an annual one.
    double monthlyEquivalent() const;

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    double price() const { return doubleValue(Price); }
    void setPrice(double value) { setValue(Price, QVariant(value)); }
    std::optional<QDateTime> renewalDate() const { return dateValue(RenewalDate); }
    void setRenewalDate(const std::optional<QDateTime>& value) { setOptional(RenewalDate, value); }
    std::optional<QString> billingCycle() const { return textValue(BillingCycle); }
    void setBillingCycle(const std::optional<QString>& value) { setOptional(BillingCycle, value); }
    std::optional<QString> category() const { return textValue(Category); }
    void setCategory(const std::optional<QString>& value) { setOptional(Category, Text::oneLine(value)); }
    std::optional<QString> status() const { return textValue(Status); }
    void setStatus(const std::optional<QString>& value) { setOptional(Status, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> paymentMethod() const { return textValue(PaymentMethod); }
    void setPaymentMethod(const std::optional<QString>& value) {
        setOptional(PaymentMethod, Text::oneLine(value));
    }
    std::optional<QUuid> creditCardID() const { return uuidValue(CreditCardID); }
    void setCreditCardID(const std::optional<QUuid>& value) { setOptional(CreditCardID, value); }

private:
    Subscription() = default;
};
