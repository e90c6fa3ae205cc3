#pragma once

#include "Platform/Store/ManagedObject.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class Investment;
class ObjectContext;

// One purchase of an investment; kept in the store for older data.
class InvestmentTranche : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("InvestmentTranche"); }
    static EntityDescription description();
    enum Attribute { Id, Units, BuyPrice, BuyDate, CreatedAt };
    enum Relationship { InvestmentRel };

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
