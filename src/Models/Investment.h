#pragma once

#include "Platform/TextHelpers.h"
#include "Store/ManagedObject.h"
#include "Store/Predicate.h"
#include "Store/StoreKey.h"

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
    void setName(const std::optional<QString>& value) { setOptional(Name, Text::oneLine(value)); }
    std::optional<QString> symbol() const { return textValue(Symbol); }
    void setSymbol(const std::optional<QString>& value) { setOptional(Symbol, Text::oneLine(value)); }
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

    // What a new holding is made of, as the add-investment form hands it on.
    struct Draft {
        QString name;
        QString investmentType;
        double units = 0;
        double buyPrice = 0;
        double currentPrice = 0;
        QDateTime buyDate;
        double investedAmount = 0;
        double interestRate = 0;
        std::optional<QDateTime> maturityDate;
        QString notes;
    };
    // Inserts an active holding made from the draft, created now: the current price falls back
    // to the buy price when it is not above 0, and empty notes are stored as none. Not saved.
    static std::shared_ptr<Investment> insertHolding(ObjectContext* context, const Draft& draft);

    // A live holding: status "active", or none.
    static Predicate isActive();
    // isActive as a SQL condition on an Investment row, for figures the store sums.
    static const QString& isActiveSql();

    // Units and a price per unit: "stock", "mutualFund" and "crypto". Every other type is
    // entered and valued by amounts.
    static bool isMarketType(const QString& type);
    // The stored type, or "stock" when there is none.
    QString effectiveType() const;
    // A year of 365.25 days, the year interest and growth are counted in.
    static constexpr double kSecondsPerYear = 31557600.0;
    // Whole years of 365.25 days from the purchase to now; 0 without a purchase date.
    static double yearsHeld(const std::optional<QDateTime>& buyDate, const QDateTime& now);
    // The money put in: units times buy price for a market holding, else the invested amount.
    double investedFigure() const;
    // What the holding is worth now: units times current price for a market holding; simple
    // interest on the invested amount for a fixed deposit (none before its start); otherwise
    // the current value when above 0, else the invested amount.
    double currentValue(const QDateTime& now) const;
    // currentValue as a SQL expression on an Investment row, for figures the store sums. It
    // binds two values: now as the store keeps dates, then kSecondsPerYear. A missing number
    // counts as 0, as it reads on the object.
    static const QString& currentValueSql();
    // investedFigure likewise, binding nothing.
    static const QString& investedFigureSql();
    // The compound yearly growth rate in percent, or none: without a purchase date, under 30
    // days held, for an invested figure of 0 or less, a negative current figure, or a result
    // that is not a finite number. A fixed deposit's figure here is its current value, not
    // its interest, so one without a current value grows at 0 %.
    std::optional<double> annualGrowthRate(const QDateTime& now) const;
    // The return in percent of a current value over an invested figure; 0 when nothing was put in.
    static double returnPercentage(double current, double invested);

    std::vector<std::shared_ptr<InvestmentTranche>> tranches() const;
    std::vector<std::shared_ptr<PriceHistory>> priceHistory() const;

private:
    Investment() = default;
};
