#include "ViewModels/DeadlineCardText.h"

#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Platform/UserDefaults.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

class DeadlineCardTextDates : public FrozenClockStoreTest {
protected:
    DeadlineCardTextDates()
        : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 20), QTime(9, 30), QTimeZone::systemTimeZone())) {}
    void TearDown() override {
        UserDefaults::resetStandard();
        FrozenClockStoreTest::TearDown();
    }
    static void useCurrency(const QString& code) {
        UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), code);
    }
};

TEST_F(DeadlineCardTextDates, AGoalCardReadsTheFallbacksAndCountsDownFromTheInstant) {
    auto goal = Goal::create(context);
    goal->setPriority(0);
    goal->setManualProgress(0.4);
    const DeadlineCardText bare = DeadlineCardText::of(*goal, now);
    EXPECT_EQ(bare.title, QStringLiteral("Untitled Goal"));
    EXPECT_EQ(bare.category, QStringLiteral("Personal"));
    EXPECT_EQ(bare.color, QColor(0x8B, 0x5C, 0xF6));
    EXPECT_EQ(bare.priority, GoalPriority::medium);
    EXPECT_DOUBLE_EQ(bare.progress, 0.4);
    EXPECT_FALSE(bare.hasDeadline);
    EXPECT_FALSE(DeadlineCardText::countdown(*goal, now).has_value()) << "no countdown without a deadline";

    goal->setTitle(QStringLiteral("File taxes"));
    goal->setCategory(QStringLiteral("Finance"));
    goal->setPriority(1);
    goal->setDeadline(now.addDays(2).addSecs(5 * 3600 + 59 * 60));
    const DeadlineCardText due = DeadlineCardText::of(*goal, now);
    EXPECT_EQ(due.title, QStringLiteral("File taxes"));
    EXPECT_EQ(due.category, QStringLiteral("Finance"));
    EXPECT_EQ(due.priority, GoalPriority::low);
    EXPECT_TRUE(due.hasDeadline);
    EXPECT_EQ(due.countdownText, QStringLiteral("2d 5h left"));
    EXPECT_FALSE(bare.countdownText.has_value());
    // The countdown moves with the instant it is read at, in whole units cut toward zero.
    EXPECT_EQ(DeadlineCardText::countdown(*goal, now), QStringLiteral("2d 5h left"));
    EXPECT_EQ(DeadlineCardText::countdown(*goal, now.addDays(2)), QStringLiteral("5h left"));
    EXPECT_EQ(DeadlineCardText::countdown(*goal, now.addDays(5)), QStringLiteral("2d overdue"));
}

TEST_F(DeadlineCardTextDates, ABillCardWritesTheDayAndTheAmountAsTheLocaleDoes) {
    useCurrency(QStringLiteral("EUR"));
    FinanceDeadline bill;
    bill.label = QStringLiteral("Visa Bill");
    bill.amount = 1234.5;
    bill.dueDate = QDateTime(QDate(2026, 3, 25), QTime(0, 0), QTimeZone::systemTimeZone());

    const FinanceDeadlineText english = FinanceDeadlineText::of(bill);
    EXPECT_EQ(english.date, QStringLiteral("March 25, 2026"));
    // Whole units, half to even.
    EXPECT_EQ(english.amount, QStringLiteral("€1,234"));

    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    const FinanceDeadlineText text = FinanceDeadlineText::of(bill);
    EXPECT_EQ(text.date, QStringLiteral("25. März 2026"));
    EXPECT_EQ(text.amount, QStringLiteral("1.234\u00a0€"));
    // The amount follows a change of the finance currency, and only that.
    EXPECT_TRUE(FinanceDeadlineText::amountFollows(QStringLiteral("financeCurrencyCode")));
    EXPECT_FALSE(FinanceDeadlineText::amountFollows(QStringLiteral("appearanceTheme")));
    useCurrency(QStringLiteral("JPY"));
    EXPECT_EQ(FinanceDeadlineText::of(bill).amount, QStringLiteral("1.234\u00a0¥"));
}

} // namespace
