// Every other destination in the smallest window (and the notice that stands in for them while
// the store waits for its salvage), as the X server shows it, with a few
// records of each kind: the window keeps 900x600, every control keeps its room, and the
// screen shows what the screen renders. The finance section is reached with its lock off.

#include "Window/WindowLane.h"

#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/Bill.h"
#include "Models/CreditCard.h"
#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Income.h"
#include "Models/Investment.h"
#include "Models/Subscription.h"
#include "Platform/UserDefaults.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

namespace {

class ScreensWindow : public WindowLane {
protected:
    void seed() {
        const QDateTime now = Clock::now();
        auto goal = makeGoal(QStringLiteral("Save for a trip to Lisbon & Porto"), 20, 6, 2, 3);
        goal->setDeadline(now.addDays(9));
        makeGoal(QStringLiteral("Read twelve books"), 40, 12, 5);
        for (int i = 0; i < 4; ++i) {
            auto achievement = Achievement::create(context());
            achievement->setTitle(QStringLiteral("Finished the first half marathon of the season %1").arg(i));
            achievement->setDesc(QStringLiteral("Under two hours, without stopping"));
            achievement->setEmoji(QStringLiteral("🏃"));
            achievement->setDate(now.addDays(-10 * i));
            achievement->setCreatedAt(now.addDays(-10 * i));
            auto log = DailyLog::create(context());
            log->setDate(now.addSecs(-3600 * (i + 1)));
            log->setNotes(QStringLiteral("Long run by the river, then notes for the week ahead"));
            log->setMoodScore(qint16(3 + i % 3));
            log->setEnergyScore(4);
            log->setProductivityScore(3);
            log->setCreatedAt(log->date());
            log->setGoal(goal);
        }
        auto account = BankAccount::create(context());
        account->setId(QUuid::createUuid());
        account->setName(QStringLiteral("Everyday account"));
        account->setBalance(48250.5);
        account->setCreatedAt(now.addDays(-90));
        auto card = CreditCard::create(context());
        card->setId(QUuid::createUuid());
        card->setName(QStringLiteral("Travel card"));
        card->setStatementCloseDay(25);
        card->setPaymentDueDay(15);
        card->setCreatedAt(now.addDays(-90));
        auto income = Income::create(context());
        income->setId(QUuid::createUuid());
        income->setTitle(QStringLiteral("Salary"));
        income->setAmount(86000);
        income->setDate(now.addDays(-2));
        income->setBankAccountID(account->id());
        for (int i = 0; i < 3; ++i) {
            auto expense = Expense::create(context());
            expense->setId(QUuid::createUuid());
            expense->setTitle(i ? QStringLiteral("Groceries & household") : QStringLiteral("Rent"));
            expense->setAmount(i ? 2400.0 * i : 25000.0);
            expense->setCategory(i ? QStringLiteral("Food") : QStringLiteral("Housing"));
            expense->setExpenseType(i ? QStringLiteral("dynamic") : QStringLiteral("fixed"));
            expense->setDate(now.addDays(-i));
            expense->setBilledMonth(Expense::computeBilledMonth(now.addDays(-i), nullptr));
            expense->setPaymentMethod(QStringLiteral("Bank Transfer"));
            expense->setBankAccountID(account->id());
        }
        auto subscription = Subscription::create(context());
        subscription->setId(QUuid::createUuid());
        subscription->setName(QStringLiteral("Music streaming"));
        subscription->setPrice(499);
        subscription->setBillingCycle(QStringLiteral("monthly"));
        subscription->setStatus(QStringLiteral("active"));
        subscription->setRenewalDate(now.addDays(12));
        subscription->setPaymentMethod(QStringLiteral("creditCard"));
        subscription->setCreditCardID(card->id());
        subscription->setCreatedAt(now.addDays(-30));
        auto bill = Bill::create(context());
        bill->setId(QUuid::createUuid());
        bill->setName(QStringLiteral("Electricity"));
        bill->setAmount(1850);
        bill->setDueDay(qint16(now.date().addDays(3).day()));
        bill->setCategory(QStringLiteral("Utilities"));
        bill->setCreatedAt(now.addDays(-60));
        auto investment = Investment::create(context());
        investment->setId(QUuid::createUuid());
        investment->setName(QStringLiteral("Index fund"));
        investment->setType(QStringLiteral("mutualFund"));
        investment->setUnits(120);
        investment->setBuyPrice(85);
        investment->setCurrentPrice(97.5);
        investment->setBuyDate(now.addDays(-200));
        investment->setStatus(QStringLiteral("active"));
        investment->setCreatedAt(now.addDays(-200));
        context()->save();
    }

    // The screen fits, shows on the X server what it renders, and is kept for a look.
    void expectShown(QWidget* screen, const QString& name) {
        ASSERT_NE(screen, nullptr) << name.toStdString();
        expectRoomFor(name);
        // The window's own render of the screen's area, backdrop included, against the X server's.
        const QImage rendered =
            window_->grab(QRect(screen->mapTo(window_.get(), QPoint(0, 0)), screen->size())).toImage();
        EXPECT_LT(differingShare(rendered, grabScreen(screen)), 0.002) << name.toStdString();
        saveScreen(name + QStringLiteral("-900x600"));
    }
};

} // namespace

TEST_F(ScreensWindow, EveryDestinationFitsTheSmallestWindowAndShowsWhatItRenders) {
    seed();
    showWindow(QSize(900, 600));
    for (AppDestination destination : {AppDestination::dashboard, AppDestination::achievements,
                                       AppDestination::journal, AppDestination::deadlines}) {
        goTo(destination);
        expectShown(screen(), AppDestinations::rawValue(destination));
    }
    // While the store waits for its salvage, one notice stands in for every screen.
    vm_->setStoreWaitsForSalvage(true);
    frames(600);
    expectShown(screen(), QStringLiteral("records-held"));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(ScreensWindow, EveryFinanceTabFitsTheSmallestWindowAndShowsWhatItRenders) {
    seed();
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    showWindow(QSize(900, 600));
    goTo(AppDestination::expenses);
    auto* finance = qobject_cast<FinanceView*>(screen());
    ASSERT_NE(finance, nullptr);
    ASSERT_NE(finance->tabBar(), nullptr) << "the lock is off";
    const struct {
        FinanceTab tab;
        const char* name;
    } tabs[] = {{FinanceTab::overview, "finance-overview"},
                {FinanceTab::cashFlow, "finance-allocations"},
                {FinanceTab::commitments, "finance-commitments"},
                {FinanceTab::investments, "finance-investments"},
                {FinanceTab::bills, "finance-bills"}};
    for (const auto& [tab, name] : tabs) {
        click(finance->tabBar()->button(tab));
        ASSERT_EQ(finance->selectedTab(), tab) << name;
        expectShown(finance, QString::fromLatin1(name));
    }
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
