#include "ViewModels/Calendar/CalendarTestSupport.h"

#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"
#include "ViewModels/CalendarBillText.h"

namespace {

class CalendarBillTextDates : public CalendarTest {
protected:
    void TearDown() override {
        UserDefaults::resetStandard();
        CalendarTest::TearDown();
    }
};

TEST_F(CalendarBillTextDates, ARowNamesTheBillAndWritesItsAmountInTheUsersCurrency) {
    auto bill = Bill::create(context);
    bill->setAmount(89.5);
    const CalendarBillText bare = CalendarBillText::of(*bill);
    EXPECT_EQ(bare.name, QStringLiteral("Untitled Bill"));
    EXPECT_EQ(bare.category, QStringLiteral("Other"));
    // No currency chosen: rupees, whole units half to even.
    EXPECT_EQ(bare.amount, QStringLiteral("₹90"));

    bill->setName(QStringLiteral("Rent"));
    bill->setCategory(QStringLiteral("Housing"));
    bill->setAmount(125000.5);
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("USD"));
    const CalendarBillText named = CalendarBillText::of(*bill);
    EXPECT_EQ(named.name, QStringLiteral("Rent"));
    EXPECT_EQ(named.category, QStringLiteral("Housing"));
    EXPECT_EQ(named.amount, QStringLiteral("125.000\u00a0$"));
}

} // namespace
