#pragma once

#include "Store/ManagedObject.h"
#include "Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class Investment;
class ObjectContext;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_PRICE_HISTORY_ATTRIBUTES(X)                                                                       \
    X(Id, id, uuid)                                                                                          \
    X(Price, price, doubleValue)                                                                             \
    X(RecordedAt, recordedAt, date)
#define QV_PRICE_HISTORY_RELATIONSHIPS(X)                                                                    \
    X(InvestmentRel, investment, Investment, toOne, priceHistory, nullify)

// A recorded price of an investment; kept in the store for older data.
class PriceHistory : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("PriceHistory"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_PRICE_HISTORY_ATTRIBUTES, QV_PRICE_HISTORY_RELATIONSHIPS)

    // Inserts a new record with a fresh id.
    static std::shared_ptr<PriceHistory> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    double price() const { return doubleValue(Price); }
    void setPrice(double value) { setValue(Price, QVariant(value)); }
    std::optional<QDateTime> recordedAt() const { return dateValue(RecordedAt); }
    void setRecordedAt(const std::optional<QDateTime>& value) { setOptional(RecordedAt, value); }

    std::shared_ptr<Investment> investment() const;
    void setInvestment(const std::shared_ptr<Investment>& value);

private:
    PriceHistory() = default;
};
