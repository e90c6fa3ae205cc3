#pragma once

#include "Platform/Store/ManagedObject.h"
#include "Platform/Store/StoreKey.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <memory>
#include <optional>
#include <vector>

class InvestmentTranche;
class ObjectContext;
class PriceHistory;

// The stored attributes (in column order) and relationships, each listed once.
#define QV_INVESTMENT_ATTRIBUTES(X)                                                                          \
    X(Id, id, uuid)                                                                                          \
    X(Name, name, text)                                                                                      \
    X(Symbol, symbol, text)                                                                                  \
    X(Type, type, text)                                                                                      \
    X(Units, units, doubleValue)                                                                             \
    X(BuyPrice, buyPrice, doubleValue)                                                                       \
    X(CurrentPrice, currentPrice, doubleValue)                                                               \
    X(BuyDate, buyDate, date)                                                                                \
    X(Notes, notes, text)                                                                                    \
    X(CreatedAt, createdAt, date)                                                                            \
    X(Status, status, text)                                                                                  \
    X(SellPrice, sellPrice, doubleValue)                                                                     \
    X(SellDate, sellDate, date)                                                                              \
    X(InterestRate, interestRate, doubleValue)                                                               \
    X(MaturityDate, maturityDate, date)                                                                      \
    X(InvestedAmount, investedAmount, doubleValue)                                                           \
    X(InvestmentType, investmentType, text)
#define QV_INVESTMENT_RELATIONSHIPS(X)                                                                       \
    X(Tranches, tranches, InvestmentTranche, toMany, investment, cascade)                                    \
    X(PriceHistoryRel, priceHistory, PriceHistory, toMany, investment, cascade)

// A holding of the portfolio.
class Investment : public ManagedObject {
public:
    static QString entityName() { return QStringLiteral("Investment"); }
    static EntityDescription description();
    QV_STORED_ENTITY(QV_INVESTMENT_ATTRIBUTES, QV_INVESTMENT_RELATIONSHIPS)

    // Inserts a new record with a fresh id, created now.
    static std::shared_ptr<Investment> create(ObjectContext* context);

    std::optional<QUuid> id() const { return uuidValue(Id); }
    void setId(const std::optional<QUuid>& value) { setOptional(Id, value); }
    std::optional<QString> name() const { return textValue(Name); }
    void setName(const std::optional<QString>& value) { setOptional(Name, value); }
    std::optional<QString> symbol() const { return textValue(Symbol); }
    void setSymbol(const std::optional<QString>& value) { setOptional(Symbol, value); }
    std::optional<QString> type() const { return textValue(Type); }
    void setType(const std::optional<QString>& value) { setOptional(Type, value); }
    double units() const { return doubleValue(Units); }
    void setUnits(double value) { setValue(Units, QVariant(value)); }
    double buyPrice() const { return doubleValue(BuyPrice); }
    void setBuyPrice(double value) { setValue(BuyPrice, QVariant(value)); }
    double currentPrice() const { return doubleValue(CurrentPrice); }
    void setCurrentPrice(double value) { setValue(CurrentPrice, QVariant(value)); }
    std::optional<QDateTime> buyDate() const { return dateValue(BuyDate); }
    void setBuyDate(const std::optional<QDateTime>& value) { setOptional(BuyDate, value); }
    std::optional<QString> notes() const { return textValue(Notes); }
    void setNotes(const std::optional<QString>& value) { setOptional(Notes, value); }
    std::optional<QDateTime> createdAt() const { return dateValue(CreatedAt); }
    void setCreatedAt(const std::optional<QDateTime>& value) { setOptional(CreatedAt, value); }
    std::optional<QString> status() const { return textValue(Status); }
    void setStatus(const std::optional<QString>& value) { setOptional(Status, value); }
    double sellPrice() const { return doubleValue(SellPrice); }
    void setSellPrice(double value) { setValue(SellPrice, QVariant(value)); }
    std::optional<QDateTime> sellDate() const { return dateValue(SellDate); }
    void setSellDate(const std::optional<QDateTime>& value) { setOptional(SellDate, value); }
    double interestRate() const { return doubleValue(InterestRate); }
    void setInterestRate(double value) { setValue(InterestRate, QVariant(value)); }
    std::optional<QDateTime> maturityDate() const { return dateValue(MaturityDate); }
    void setMaturityDate(const std::optional<QDateTime>& value) { setOptional(MaturityDate, value); }
    double investedAmount() const { return doubleValue(InvestedAmount); }
    void setInvestedAmount(double value) { setValue(InvestedAmount, QVariant(value)); }
    std::optional<QString> investmentType() const { return textValue(InvestmentType); }
    void setInvestmentType(const std::optional<QString>& value) { setOptional(InvestmentType, value); }

    std::vector<std::shared_ptr<InvestmentTranche>> tranches() const;
    std::vector<std::shared_ptr<PriceHistory>> priceHistory() const;

private:
    Investment() = default;
};
