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
#define QV_INVESTMENT_TRANCHE_ATTRIBUTES(X)                                                                  \
    X(Id, id, uuid)                                                                                          \
    X(Units, units, doubleValue)                                                                             \
    X(BuyPrice, buyPrice, doubleValue)                                                                       \
    X(BuyDate, buyDate, date)                                                                                \
    X(CreatedAt, createdAt, date)
#define QV_INVESTMENT_TRANCHE_RELATIONSHIPS(X)                                                               \
    X(InvestmentRel, investment, Investment, toOne, tranches, nullify)

// One purchase of an investment; kept in the store for older data.
class InvestmentTranche : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("InvestmentTranche"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_INVESTMENT_TRANCHE_ATTRIBUTES, QV_INVESTMENT_TRANCHE_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<InvestmentTranche> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    double units() const { return doubleValue(Units); }
    void setUnits(double value) { setValue(Units, QVariant(value)); }
    double buyPrice() const { return doubleValue(BuyPrice); }
    void setBuyPrice(double value) { setValue(BuyPrice, QVariant(value)); }
    std::optional<QDateTime> buyDate() const { return dateValue(BuyDate); }
    void setBuyDate(const std::optional<QDateTime>& value) { setOptional(BuyDate, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }

    std::shared_ptr<Investment> investment() const;
    void setInvestment(const std::shared_ptr<Investment>& value);

private:
    InvestmentTranche() = default;
};
