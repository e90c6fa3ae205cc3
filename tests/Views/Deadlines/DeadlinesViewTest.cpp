#include "Views/ShellTestSupport.h"

#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Subscription.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "Views/Deadlines/DeadlineCardView.h"
#include "Views/Deadlines/DeadlinesSection.h"
#include "Views/Deadlines/DeadlinesView.h"
#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include <QPushButton>
#include <QTest>

namespace {

class DeadlinesScreen : public WindowTest {
protected:
    DeadlinesView* deadlines() const { return qobject_cast<DeadlinesView*>(screen()); }
    DeadlinesView& open() {
        skipOverlays();
        openWindow();
        vm_->navigate(AppDestination::deadlines);
        qv::test::settle();
        EXPECT_NE(deadlines(), nullptr);
        return *deadlines();
    }
    QStringList sectionTitles() const {
        QStringList out;
        for (DeadlinesSection* s : deadlines()->sections())
            out << s->title() + QLatin1Char(' ') + s->countText();
        return out;
    }
    std::shared_ptr<Goal> goalDue(const QString& title, const QDateTime& deadline) {
        auto g = makeGoal(title, 2);
        g->setDeadline(deadline);
        context()->save();
        return g;
    }
};

} // namespace

TEST_F(DeadlinesScreen, AnEmptyStoreIsAllCaughtUp) {
    DeadlinesView& view = open();
    EXPECT_TRUE(view.sections().empty());
    ASSERT_NE(view.emptyState(), nullptr);
    EXPECT_TRUE(view.emptyState()->isVisible());
    qv::test::saveScreen(window_.get(), QStringLiteral("deadlines-empty"));
}

TEST_F(DeadlinesScreen, ShowsOnlyTheSectionsThatHoldSomethingAndRefreshes) {
    goalDue(QStringLiteral("Overdue report"), Clock::now().addDays(-2));
    auto today = goalDue(QStringLiteral("Call the bank before it closes today, a long title to cut"),
                         Clock::now().addSecs(90 * 60));
    today->setCategory(std::nullopt);
    today->setPriority(7);
    auto card = CreditCard::create(context());
    card->setName(QStringLiteral("Visa"));
    card->setPaymentDueDay(25);
    auto expense = Expense::create(context());
    expense->setAmount(1234.56);
    expense->setCreditCardID(card->id());
    expense->setBilledMonth(QDateTime(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::systemTimeZone()));
    auto renewal = Subscription::create(context());
    renewal->setName(QStringLiteral("Music"));
    renewal->setPrice(9.99);
    renewal->setStatus(QStringLiteral("active"));
    renewal->setRenewalDate(Clock::now().addDays(3));
    context()->save();
    UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("USD"));

    DeadlinesView& view = open();
    EXPECT_EQ(view.emptyState(), nullptr);
    EXPECT_EQ(sectionTitles(),
              (QStringList{"Overdue (1)", "Due Today (1)", "This Week (1)", "Upcoming (1)"}));
    DeadlineCardView* todayCard = view.sections()[1]->goalCards().front();
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("1h left"));
    EXPECT_EQ(todayCard->categoryText(), QStringLiteral("Personal"));
    EXPECT_EQ(view.sections()[0]->goalCards().front()->countdownText(), QStringLiteral("2d overdue"));
    FinanceDeadlineCardView* bill = view.sections()[3]->financeCards().front();
    EXPECT_EQ(bill->labelText(), QStringLiteral("Visa Bill"));
    EXPECT_EQ(bill->amountText(), QStringLiteral("$1,235"));
    EXPECT_EQ(bill->dateText(), QStringLiteral("March 25, 2026"));
    qv::test::saveScreen(window_.get(), QStringLiteral("deadlines-seeded"));

    // The countdown moves on every second while the screen is shown.
    EXPECT_TRUE(view.isTicking());
    Clock::advance(31 * 60);
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("0h left"));
    Clock::advance(60 * 60);
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("0d overdue"));
    EXPECT_EQ(view.sections()[1]->goalCards().front(), todayCard)
        << "it stays in its section until refreshed";

    // A goal added behind the screen's back shows on refresh.
    goalDue(QStringLiteral("Added elsewhere"), Clock::now().addDays(20));
    QTest::mouseClick(view.refreshButton(), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(sectionTitles(), (QStringList{"Overdue (2)", "This Week (1)", "Upcoming (2)"}));

    view.hide();
    EXPECT_FALSE(view.isTicking()) << "nothing ticks while the screen is not shown";
    view.show();
    EXPECT_TRUE(view.isTicking());
}

TEST_F(DeadlinesScreen, ASectionOfBillsAloneCountsItsItems) {
    auto card = CreditCard::create(context());
    card->setName(QStringLiteral("Only card"));
    card->setPaymentDueDay(28);
    auto expense = Expense::create(context());
    expense->setAmount(40);
    expense->setCreditCardID(card->id());
    expense->setBilledMonth(QDateTime(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::systemTimeZone()));
    context()->save();
    DeadlinesView& view = open();
    EXPECT_EQ(sectionTitles(), (QStringList{"Upcoming (1)"}));
    EXPECT_TRUE(view.sections().front()->goalCards().empty());
    window_->resize(900, 600);
    qv::test::settle();
    EXPECT_LE(view.minimumSizeHint().width(), 900 - 220);
}
