#include "ModelTestSupport.h"

#include "Models/Investment.h"
#include "Models/InvestmentHoldings.h"

#include <gtest/gtest.h>

namespace {

class InvestmentHoldingsTest : public FrozenClockStoreTest {
protected:
    InvestmentHoldingsTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 14), QTime(10, 0))) {}
    // Every live holding valued on its own, as the object values itself.
    InvestmentHoldings oneByOne() {
        InvestmentHoldings totals;
        for (const auto& holding :
             context->fetch<Investment>(FetchRequest(Investment::entityName(), Investment::isActive()))) {
            totals.currentValue += holding->currentValue(now);
            totals.investedByType[holding->effectiveType()] += holding->investedAmount();
        }
        return totals;
    }
    std::shared_ptr<Investment> holding(const std::optional<QString>& type,
                                        const std::optional<QString>& status = QStringLiteral("active")) {
        auto record = Investment::create(context);
        record->setInvestmentType(type);
        record->setStatus(status);
        return record;
    }
    std::shared_ptr<Investment> market(const std::optional<QString>& type, double units, double price) {
        auto record = holding(type);
        record->setUnits(units);
        record->setBuyPrice(price / 2);
        record->setCurrentPrice(price);
        record->setInvestedAmount(units * price / 2);
        return record;
    }
    std::shared_ptr<Investment> deposit(double invested, double rate, std::optional<QDateTime> start) {
        auto record = holding(QStringLiteral("fixedDeposit"));
        record->setInvestedAmount(invested);
        record->setInterestRate(rate);
        record->setBuyDate(start);
        return record;
    }
    void expectSame(const InvestmentHoldings& summed, const InvestmentHoldings& expected) {
        EXPECT_NEAR(summed.currentValue, expected.currentValue, 1e-6);
        EXPECT_EQ(summed.investedByType.keys().size(), expected.investedByType.keys().size());
        for (auto it = expected.investedByType.cbegin(); it != expected.investedByType.cend(); ++it)
            EXPECT_NEAR(summed.investedByType.value(it.key(), -1), it.value(), 1e-6)
                << it.key().toStdString();
    }
};

TEST_F(InvestmentHoldingsTest, TheStoreValuesEveryKindOfHoldingAsTheHoldingDoes) {
    market(QStringLiteral("stock"), 12, 101.5);
    market(QStringLiteral("mutualFund"), 3.25, 40);
    market(QStringLiteral("crypto"), 0.5, 30000);
    market(std::nullopt, 2, 10); // no type: a stock
    auto started = deposit(10000, 7, now.addSecs(-qint64(2 * 31557600)));
    deposit(5000, 6, now.addDays(30)); // not started: worth what was put in
    deposit(2000, 5, std::nullopt);
    deposit(1000, 0, now.addDays(-400));     // no interest
    holding(QStringLiteral("fixedDeposit")); // nothing set at all
    auto house = holding(QStringLiteral("realEstate"));
    house->setInvestedAmount(300000);
    house->setCurrentPrice(450000);
    auto gold = holding(QStringLiteral("other"));
    gold->setInvestedAmount(800); // no current price: what was put in
    auto zero = holding(QStringLiteral("Stocks"));
    zero->setInvestedAmount(70);
    zero->setCurrentPrice(0);
    market(QStringLiteral("stock"), 5, 100)->setStatus(QStringLiteral("sold"));
    market(QStringLiteral("crypto"), 1, 7)->setStatus(std::nullopt); // no status: live
    context->save();
    ASSERT_FALSE(context->hasChanges());

    EXPECT_NEAR(started->currentValue(now), 11400, 1e-6) << "two years at 7 %";
    const InvestmentHoldings summed = InvestmentHoldings::live(*context, now);
    expectSame(summed, oneByOne());
    EXPECT_GT(summed.currentValue, 460000);
    EXPECT_FALSE(summed.investedByType.contains(QString())) << "no type counts as a stock";
}

TEST_F(InvestmentHoldingsTest, UnsavedEditsAndDeletionsCountAsTheyWillBeStored) {
    auto kept = market(QStringLiteral("stock"), 10, 50);
    auto removed = market(QStringLiteral("crypto"), 2, 1000);
    auto sold = deposit(4000, 8, now.addDays(-200));
    context->save();
    kept->setUnits(11);
    context->deleteObject(removed);
    sold->setStatus(QStringLiteral("closed"));
    market(QStringLiteral("mutualFund"), 4, 25); // new, unsaved
    ASSERT_TRUE(context->hasChanges());

    const InvestmentHoldings pending = InvestmentHoldings::live(*context, now);
    expectSame(pending, oneByOne());
    EXPECT_NEAR(pending.currentValue, 11 * 50 + 4 * 25, 1e-6);
    context->save();
    expectSame(InvestmentHoldings::live(*context, now), pending);
}

} // namespace
