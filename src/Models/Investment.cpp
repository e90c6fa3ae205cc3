#include "Models/Investment.h"

#include "Models/InvestmentTranche.h"
#include "Models/PriceHistory.h"
#include "Models/RecordDefaults.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Store/StoreColumn.h"

#include <cmath>

EntityDescription Investment::description() {
    return {entityName(), storedAttributes(), storedRelationships(),
            [] { return std::shared_ptr<ManagedObject>(new Investment); }};
}

std::shared_ptr<Investment> Investment::create(ObjectContext* context) {
    auto record = context->insert<Investment>();
    RecordDefaults::apply(*record);
    return record;
}

std::vector<std::shared_ptr<InvestmentTranche>> Investment::tranches() const {
    return toMany<InvestmentTranche>(Tranches);
}

std::vector<std::shared_ptr<PriceHistory>> Investment::priceHistory() const {
    return toMany<PriceHistory>(PriceHistoryRel);
}

namespace {
constexpr double kShortestGrowthYears = 30.0 / 365.25;
} // namespace

std::shared_ptr<Investment> Investment::insertHolding(ObjectContext* context, const Draft& draft) {
    auto record = create(context);
    record->setId(QUuid::createUuid());
    record->setName(draft.name);
    record->setInvestmentType(draft.investmentType);
    record->setUnits(draft.units);
    record->setBuyPrice(draft.buyPrice);
    record->setCurrentPrice(draft.currentPrice > 0 ? draft.currentPrice : draft.buyPrice);
    record->setBuyDate(draft.buyDate);
    record->setInvestedAmount(draft.investedAmount);
    record->setInterestRate(draft.interestRate);
    record->setMaturityDate(draft.maturityDate);
    record->setNotes(draft.notes.isEmpty() ? std::nullopt : std::optional<QString>(draft.notes));
    record->setStatus(QStringLiteral("active"));
    record->setCreatedAt(Clock::now());
    return record;
}

Predicate Investment::isActive() {
    return Key(Keys::status) == QStringLiteral("active") || Key(Keys::status).absent();
}

const QString& Investment::isActiveSql() {
    static const QString sql = QStringLiteral("(%1 = 'active' OR %1 IS NULL)").arg(sqlColumn(Keys::status));
    return sql;
}

bool Investment::isMarketType(const QString& type) {
    return type == QLatin1String("stock") || type == QLatin1String("mutualFund") ||
           type == QLatin1String("crypto");
}

QString Investment::effectiveType() const {
    return investmentType().value_or(QStringLiteral("stock"));
}

double Investment::yearsHeld(const std::optional<QDateTime>& buyDate, const QDateTime& now) {
    if (!buyDate || !buyDate->isValid())
        return 0;
    return double(buyDate->msecsTo(now)) / 1000.0 / kSecondsPerYear;
}

double Investment::investedFigure() const {
    return isMarketType(effectiveType()) ? units() * buyPrice() : investedAmount();
}

double Investment::currentValue(const QDateTime& now) const {
    const QString type = effectiveType();
    if (isMarketType(type))
        return units() * currentPrice();
    if (type == QLatin1String("fixedDeposit")) {
        // A deposit that has not started yet has earned nothing; it is never worth less.
        const double years = std::max(0.0, yearsHeld(buyDate(), now));
        return investedAmount() * (1 + years * interestRate() / 100);
    }
    return currentPrice() > 0 ? currentPrice() : investedAmount();
}

const QString& Investment::currentValueSql() {
    // Without a type a holding is a stock; a deposit earns nothing before its start.
    static const QString sql =
        QStringLiteral("(CASE "
                       "WHEN COALESCE(%1, 'stock') IN ('stock', 'mutualFund', 'crypto') "
                       "THEN IFNULL(%2, 0) * IFNULL(%3, 0) "
                       "WHEN %1 = 'fixedDeposit' "
                       "THEN IFNULL(%4, 0) * (1 + MAX(0, IFNULL((? - %5) / ?, 0)) * IFNULL(%6, 0) / 100) "
                       "WHEN IFNULL(%3, 0) > 0 THEN %3 "
                       "ELSE IFNULL(%4, 0) END)")
            .arg(sqlColumn(Keys::investmentType), sqlColumn(Keys::units), sqlColumn(Keys::currentPrice),
                 sqlColumn(Keys::investedAmount), sqlColumn(Keys::buyDate), sqlColumn(Keys::interestRate));
    return sql;
}

const QString& Investment::investedFigureSql() {
    static const QString sql =
        QStringLiteral("(CASE "
                       "WHEN COALESCE(%1, 'stock') IN ('stock', 'mutualFund', 'crypto') "
                       "THEN IFNULL(%2, 0) * IFNULL(%3, 0) "
                       "ELSE IFNULL(%4, 0) END)")
            .arg(sqlColumn(Keys::investmentType), sqlColumn(Keys::units), sqlColumn(Keys::buyPrice),
                 sqlColumn(Keys::investedAmount));
    return sql;
}

std::optional<double> Investment::annualGrowthRate(const QDateTime& now) const {
    if (!buyDate())
        return std::nullopt;
    const double years = yearsHeld(buyDate(), now);
    if (years < kShortestGrowthYears)
        return std::nullopt;
    const bool market = isMarketType(effectiveType());
    const double invested = market ? units() * buyPrice() : investedAmount();
    const double current =
        market ? units() * currentPrice() : (currentPrice() > 0 ? currentPrice() : investedAmount());
    if (!(invested > 0) || current < 0)
        return std::nullopt;
    const double rate = (std::pow(current / invested, 1.0 / years) - 1) * 100;
    if (!std::isfinite(rate))
        return std::nullopt;
    return rate;
}

double Investment::returnPercentage(double current, double invested) {
    return invested > 0 ? (current - invested) / invested * 100 : 0;
}
