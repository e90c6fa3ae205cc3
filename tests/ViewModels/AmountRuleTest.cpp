#include "ViewModels/AmountRule.h"

#include "Models/CashReserve.h"
#include "Models/Persistence/PersistenceController.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "ViewModels/Finance/CashFlowViewModel.h"
#include "ViewModels/Finance/CommitmentsViewModel.h"
#include "ViewModels/Finance/FinanceOnboardingViewModel.h"
#include "ViewModels/Finance/InvestmentsViewModel.h"
#include "ViewModels/Finance/OverviewViewModel.h"

#include <gtest/gtest.h>

namespace {

using Kind = AmountVerdict::Kind;

Kind kindOf(const AmountRule& rule, const char* text) {
    return rule.verdict(QString::fromUtf8(text)).kind;
}

} // namespace

TEST(AmountRule, EachRefusalHasItsKindAndLineAndTakenTextHasNone) {
    const AmountRule positive = AmountRule::positive();
    const struct {
        const char* text;
        Kind kind;
    } cases[]{{"1500.50", Kind::Ok},
              {"1e3", Kind::Ok},
              {"10000000000000", Kind::Ok},
              {"-5", Kind::BelowZero},
              {"-1e999", Kind::BelowZero},
              {"0", Kind::ZeroRefused},
              {"-0", Kind::ZeroRefused},
              {"0.0", Kind::ZeroRefused},
              {"10000000000000.01", Kind::TooLarge},
              {"1e308", Kind::TooLarge},
              {"1e999", Kind::TooLarge},
              {"5,000", Kind::NotANumber},
              {"abc", Kind::NotANumber},
              {" 5", Kind::NotANumber},
              {"inf", Kind::NotANumber},
              {"50.000", Kind::Ok},
              {"", Kind::Empty}};
    for (const auto& c : cases) {
        const AmountVerdict verdict = positive.verdict(QString::fromUtf8(c.text));
        EXPECT_EQ(verdict.kind, c.kind) << c.text;
        EXPECT_EQ(verdict.saves, c.kind == Kind::Ok) << c.text;
        EXPECT_EQ(verdict.refused(), c.kind != Kind::Ok && c.kind != Kind::Empty) << c.text;
        EXPECT_EQ(verdict.amount.has_value(), c.kind == Kind::Ok) << c.text;
    }
    EXPECT_EQ(positive.verdict("-5").line, QStringLiteral("An amount can't be below zero"));
    EXPECT_EQ(positive.verdict("0").line, QStringLiteral("Enter an amount above zero"));
    EXPECT_EQ(positive.verdict("abc").line, QStringLiteral("Use digits and a point, like 3200.50"));
    EXPECT_EQ(positive.verdict("1e308").line,
              QStringLiteral("Too large: amounts go up to 10,000,000,000,000"));

    EXPECT_EQ(kindOf(AmountRule::zeroOrMore(), "0"), Kind::Ok);
    EXPECT_EQ(AmountRule::zeroOrMore().verdict("-0").amount, 0.0);
    EXPECT_FALSE(std::signbit(*AmountRule::zeroOrMore().verdict("-0").amount)) << "stored as a plain zero";
    EXPECT_FALSE(AmountRule::zeroOrMore().verdict("").saves) << "required";
    EXPECT_TRUE(AmountRule::zeroOrMoreOrEmpty().verdict("").saves);
    EXPECT_FALSE(AmountRule::zeroOrMoreOrEmpty().verdict("").refused()) << "nothing typed shows no line";
    EXPECT_EQ(kindOf(AmountRule::positiveOrEmpty(), "0"), Kind::ZeroRefused);
}

// Where thousands are grouped with a point, "50.000" reads as fifty thousand to the person
// typing it: it is refused with the way to write it rather than saved as fifty.
TEST(AmountRule, PointGroupedThousandsAreRefusedOnlyWhereTheLocaleGroupsWithAPoint) {
    const AmountRule rule = AmountRule::positive();
    const QLocale german(QStringLiteral("de_DE"));
    const QLocale american(QStringLiteral("en_US"));
    const QLocale swiss(QStringLiteral("de_CH")); // groups with an apostrophe
    for (const char* grouped : {"50.000", "1.500", "12.345.678", "-1.500", "+999.999"}) {
        EXPECT_EQ(rule.verdict(grouped, german).kind, Kind::ThousandsAmbiguous) << grouped;
        EXPECT_NE(rule.verdict(grouped, american).kind, Kind::ThousandsAmbiguous) << grouped;
        EXPECT_NE(rule.verdict(grouped, swiss).kind, Kind::ThousandsAmbiguous) << grouped;
    }
    EXPECT_EQ(rule.verdict("50.000", german).line,
              QStringLiteral("For thousands write 50000 without points; a point marks cents, as in 3200.50"));
    EXPECT_EQ(*rule.verdict("50.000", american).amount, 50.0) << "read as today elsewhere";
    EXPECT_EQ(rule.verdict("12.345.678", american).kind, Kind::NotANumber);
    // Every other form reads as it does in any locale.
    for (const char* other : {"1.5", "1.50", "1.5000", "0.500", "1500.000", "1234.567", "3200.50", "1e3"})
        EXPECT_EQ(rule.verdict(other, german).kind, Kind::Ok) << other;
    EXPECT_EQ(rule.verdict("1e308", german).line,
              QStringLiteral("Too large: amounts go up to 10.000.000.000.000"));
}

TEST(AmountRule, DraftsBeyondTheRuleAreNotAccepted) {
    for (double refused : {-1.0, 1e13 + 1, 1e308, std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()})
        EXPECT_FALSE(AmountRule::zeroOrMore().accepts(refused)) << refused;
    EXPECT_TRUE(AmountRule::zeroOrMore().accepts(0));
    EXPECT_FALSE(AmountRule::positive().accepts(0));
    EXPECT_TRUE(AmountRule::positive().accepts(1e13));
}

// Each money form's save rule lives in its view model and reads the same verdict as the line.
TEST(AmountRule, EachFormsSaveRuleNeedsItsNameAndAnAmountItsRuleTakes) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    EXPECT_TRUE(CashFlowViewModel::canSaveExpense(" Rent ", "1500.5"));
    EXPECT_FALSE(CashFlowViewModel::canSaveExpense("  ", "1500"));
    EXPECT_FALSE(CashFlowViewModel::canSaveExpense("Rent", "50.000"));
    EXPECT_FALSE(CashFlowViewModel::canSaveIncome("Salary", "0"));
    EXPECT_FALSE(CashFlowViewModel::canSetIncome("-5"));
    EXPECT_TRUE(CashFlowViewModel::canSetIncome("50000"));
    EXPECT_FALSE(BillsViewModel::canAddBill("Power", "1e308"));
    EXPECT_TRUE(BillsViewModel::canAddBill("Power", "80"));
    EXPECT_FALSE(CommitmentsViewModel::canAddSubscription("Music", "0"));
    EXPECT_FALSE(CommitmentsViewModel::canAddSubscription("", "9"));
    EXPECT_TRUE(CommitmentsViewModel::canAddCreditCard("Visa"));
    EXPECT_FALSE(CommitmentsViewModel::canAddCreditCard(" "));
    EXPECT_TRUE(OverviewViewModel::canSaveBankAccount("Savings", "0"));
    EXPECT_FALSE(OverviewViewModel::canSaveBankAccount("Savings", "-20"));
    EXPECT_TRUE(FinanceOnboardingViewModel::canMoveOnFromSavings(""));
    EXPECT_FALSE(FinanceOnboardingViewModel::canMoveOnFromSavings("50,000"));

    InvestmentsViewModel::FormText stock{"stock", "Index", "2", "10", "", "", ""};
    EXPECT_TRUE(InvestmentsViewModel::canAdd(stock));
    stock.currentPrice = "0";
    EXPECT_FALSE(InvestmentsViewModel::canAdd(stock)) << "zero would be stored as the buy price";
    stock.currentPrice = "";
    stock.invested = "abc"; // typed under another type, not shown for a stock
    EXPECT_TRUE(InvestmentsViewModel::canAdd(stock));
    InvestmentsViewModel::FormText deposit{"fixedDeposit", "Bond", "", "", "1000", "", "-1"};
    EXPECT_FALSE(InvestmentsViewModel::canAdd(deposit));
    deposit.interestRate = "0";
    EXPECT_TRUE(InvestmentsViewModel::canAdd(deposit));
    Investment::Draft draft;
    draft.investmentType = deposit.type;
    InvestmentsViewModel::readFigures(deposit, draft);
    EXPECT_EQ(draft.investedAmount, 1000);
    EXPECT_EQ(draft.units, 0) << "not shown for a deposit";
}

TEST(AmountRule, ViewModelsWriteNoAmountTheirRuleRefuses) {
    PersistenceController store(true);
    ObjectContext* context = store.viewContext();
    CashFlowViewModel cashFlow(context);
    ExpenseDraft expense;
    expense.title = "Huge";
    expense.amount = 1e308;
    expense.date = QDateTime::currentDateTime();
    EXPECT_FALSE(cashFlow.addExpense(expense));
    EXPECT_FALSE(cashFlow.setIncome(-5, std::nullopt));
    BillsViewModel bills(context);
    EXPECT_FALSE(bills.addBill("Huge", 1e308, 1, "Other", "", "cash", {}));
    EXPECT_FALSE(bills.addBill("Zero", 0, 1, "Other", "", "cash", {}));
    CommitmentsViewModel commitments(context);
    EXPECT_FALSE(
        commitments.addSubscription("Huge", 1e308, "monthly", QDateTime::currentDateTime(), "debit", {}));
    OverviewViewModel overview(context);
    EXPECT_FALSE(overview.addBankAccount("Negative", -20));
    EXPECT_FALSE(overview.addBankAccount("Huge", 1e308));
    Investment::Draft holding;
    holding.name = "Huge";
    holding.investmentType = "other";
    holding.investedAmount = 1e308;
    EXPECT_FALSE(overview.addInvestment(holding));
    FinanceOnboardingViewModel onboarding(context);
    EXPECT_FALSE(onboarding.saveSavings("50,000"));
    EXPECT_TRUE(onboarding.saveSavings("")) << "nothing typed moves on and saves nothing";
    for (const char* entity :
         {"Expense", "Income", "Bill", "Subscription", "BankAccount", "Investment", "CashReserve"})
        EXPECT_EQ(context->count(FetchRequest(entity)), 0) << entity;
    EXPECT_TRUE(onboarding.saveSavings("0"));
    EXPECT_EQ(context->count(FetchRequest(CashReserve::entityName())), 1);
}
