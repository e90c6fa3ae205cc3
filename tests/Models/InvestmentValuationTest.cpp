#include "Models/Investment.h"

#include "Models/ModelTestSupport.h"

#include <gtest/gtest.h>

namespace {

class InvestmentValuation : public ModelTest {
protected:
    std::shared_ptr<Investment> make(const std::optional<QString>& type, double units, double buy,
                                     double current, double invested, std::optional<QDateTime> bought,
                                     double rate = 0) {
        auto record = Investment::create(context());
        record->setInvestmentType(type);
        record->setUnits(units);
        record->setBuyPrice(buy);
        record->setCurrentPrice(current);
        record->setInvestedAmount(invested);
        record->setBuyDate(bought);
        record->setInterestRate(rate);
        return record;
    }
    static QDateTime daysAgo(double days) { return now().addMSecs(-qint64(days * 86400.0 * 1000.0)); }
};

TEST_F(InvestmentValuation, EachTypeByItsRule) {
    const QDateTime year = daysAgo(365.25);
    for (const char* market : {"stock", "mutualFund", "crypto"}) {
        auto holding = make(QString::fromLatin1(market), 10, 100, 120, 999, year);
        EXPECT_DOUBLE_EQ(holding->investedFigure(), 1000) << market;
        EXPECT_DOUBLE_EQ(holding->currentValue(now()), 1200) << market;
        EXPECT_NEAR(*holding->annualGrowthRate(now()), 20.0, 1e-9) << market;
    }
    auto untyped = make(std::nullopt, 2, 50, 60, 0, year);
    EXPECT_EQ(untyped->effectiveType(), QStringLiteral("stock"));
    EXPECT_DOUBLE_EQ(untyped->currentValue(now()), 120);

    auto deposit = make(QStringLiteral("fixedDeposit"), 0, 0, 0, 100, year, 7);
    EXPECT_NEAR(deposit->currentValue(now()), 107, 1e-9);
    EXPECT_DOUBLE_EQ(*deposit->annualGrowthRate(now()), 0) << "its growth rate ignores the interest";
    EXPECT_NEAR(Investment::returnPercentage(deposit->currentValue(now()), deposit->investedFigure()), 7,
                1e-9);

    for (const char* amounts : {"realEstate", "other", "art"}) {
        auto valued = make(QString::fromLatin1(amounts), 3, 10, 6500, 5000, year);
        EXPECT_DOUBLE_EQ(valued->investedFigure(), 5000) << amounts;
        EXPECT_DOUBLE_EQ(valued->currentValue(now()), 6500) << amounts;
        valued->setCurrentPrice(0);
        EXPECT_DOUBLE_EQ(valued->currentValue(now()), 5000) << "no current value: what was put in";
        EXPECT_DOUBLE_EQ(*valued->annualGrowthRate(now()), 0);
    }
}

TEST_F(InvestmentValuation, DepositsWithoutAStartOrStartingLaterHaveEarnedNothing) {
    auto undated = make(QStringLiteral("fixedDeposit"), 0, 0, 0, 100, std::nullopt, 7);
    EXPECT_DOUBLE_EQ(undated->currentValue(now()), 100);
    EXPECT_FALSE(undated->annualGrowthRate(now()).has_value());
    auto future = make(QStringLiteral("fixedDeposit"), 0, 0, 0, 100, now().addDays(400), 7);
    EXPECT_DOUBLE_EQ(future->currentValue(now()), 100) << "never less than what was put in";
    EXPECT_FALSE(future->annualGrowthRate(now()).has_value());
}

TEST_F(InvestmentValuation, GrowthRateNeedsThirtyDaysAndAPositiveInvestment) {
    EXPECT_FALSE(make(QStringLiteral("stock"), 1, 100, 110, 0, daysAgo(29))->annualGrowthRate(now()));
    EXPECT_TRUE(make(QStringLiteral("stock"), 1, 100, 110, 0, daysAgo(30))->annualGrowthRate(now()));
    EXPECT_FALSE(make(QStringLiteral("stock"), 0, 100, 110, 0, daysAgo(90))->annualGrowthRate(now()));
    EXPECT_FALSE(make(QStringLiteral("stock"), 5, 0, 110, 0, daysAgo(90))->annualGrowthRate(now()));
    EXPECT_FALSE(make(QStringLiteral("other"), 0, 0, 0, -10, daysAgo(90))->annualGrowthRate(now()));
    // A negative worth has no yearly rate (it would be "NaN%").
    EXPECT_FALSE(make(QStringLiteral("stock"), 1, 100, -5, 0, daysAgo(90))->annualGrowthRate(now()));
    // Extreme growth over a short time overflows: no rate rather than "inf%".
    EXPECT_FALSE(make(QStringLiteral("stock"), 1, 1e-300, 1e300, 0, daysAgo(30))->annualGrowthRate(now()));
    const auto halved =
        make(QStringLiteral("crypto"), 2, 100, 50, 0, daysAgo(365.25))->annualGrowthRate(now());
    ASSERT_TRUE(halved);
    EXPECT_NEAR(*halved, -50, 1e-9);
}

TEST_F(InvestmentValuation, ReturnsAreGuardedAgainstNothingInvested) {
    EXPECT_DOUBLE_EQ(Investment::returnPercentage(6200, 6000), 200.0 / 6000 * 100);
    EXPECT_DOUBLE_EQ(Investment::returnPercentage(10, 0), 0);
    EXPECT_DOUBLE_EQ(Investment::returnPercentage(10, -5), 0);
}

TEST_F(InvestmentValuation, ANewHoldingFallsBackToItsBuyPriceAndStoresNoEmptyNotes) {
    Investment::Draft draft;
    draft.name = QStringLiteral("Acme");
    draft.investmentType = QStringLiteral("stock");
    draft.units = 10;
    draft.buyPrice = 250;
    draft.investedAmount = 2500;
    draft.buyDate = local(2026, 3, 2);
    auto holding = Investment::insertHolding(context(), draft);
    EXPECT_TRUE(holding->id().has_value());
    EXPECT_DOUBLE_EQ(holding->currentPrice(), 250);
    EXPECT_FALSE(holding->notes().has_value());
    EXPECT_EQ(holding->status(), QStringLiteral("active"));
    EXPECT_EQ(holding->createdAt(), now());
    EXPECT_FALSE(holding->maturityDate().has_value());

    draft.currentPrice = 260;
    draft.notes = QStringLiteral("  ");
    draft.maturityDate = local(2027, 1, 1);
    auto second = Investment::insertHolding(context(), draft);
    EXPECT_DOUBLE_EQ(second->currentPrice(), 260);
    EXPECT_EQ(second->notes(), QStringLiteral("  ")) << "notes are not trimmed";
    EXPECT_EQ(second->maturityDate(), local(2027, 1, 1));
    EXPECT_TRUE(context()->save());
}

} // namespace
