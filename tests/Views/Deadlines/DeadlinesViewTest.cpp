#include "Views/ShellTestSupport.h"

#include "Components/VirtualList.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Subscription.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/DeadlineCountdown.h"
#include "ViewModels/DeadlinesViewModel.h"
#include "Views/Deadlines/DeadlineCardView.h"
#include "Views/Deadlines/DeadlinesSection.h"
#include "Views/Deadlines/DeadlinesView.h"
#include "Views/Deadlines/FinanceDeadlineCardView.h"

#include <QPushButton>
#include <QScrollBar>
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
    // The heads as shown, each scrolled into view in turn.
    QStringList sectionTitles() const {
        QStringList out;
        for (int i = 0; i < int(deadlines()->sections().size()); ++i) {
            DeadlinesSection* head = deadlines()->sectionHead(i);
            if (!head)
                return out << QStringLiteral("(not shown)");
            out << head->title() + QLatin1Char(' ') + head->countText();
        }
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
    DeadlineCardView* todayCard = view.goalCard(1, 0);
    ASSERT_NE(todayCard, nullptr);
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("1h left"));
    EXPECT_EQ(todayCard->categoryText(), QStringLiteral("Personal"));
    EXPECT_EQ(view.goalCard(0, 0)->countdownText(), QStringLiteral("2d overdue"));
    FinanceDeadlineCardView* bill = view.financeCard(3, 0);
    ASSERT_NE(bill, nullptr);
    EXPECT_EQ(bill->labelText(), QStringLiteral("Visa Bill"));
    EXPECT_EQ(bill->amountText(), QStringLiteral("$1,235"));
    EXPECT_EQ(bill->dateText(), QStringLiteral("March 25, 2026"));
    view.list()->verticalScrollBar()->setValue(0);
    qv::test::saveScreen(window_.get(), QStringLiteral("deadlines-seeded"));

    // The countdown moves on every second while the screen is shown.
    EXPECT_TRUE(view.isTicking());
    Clock::advance(31 * 60);
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("0h left"));
    Clock::advance(60 * 60);
    EXPECT_EQ(todayCard->countdownText(), QStringLiteral("0d overdue"));
    EXPECT_EQ(view.goalCard(1, 0), todayCard) << "it stays in its section until refreshed";

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
    EXPECT_TRUE(view.sections().front().goals->empty());
    EXPECT_NE(view.financeCard(0, 0), nullptr);
    window_->resize(900, 600);
    qv::test::settle();
    EXPECT_LE(view.minimumSizeHint().width(), 900 - 220);
}

TEST_F(DeadlinesScreen, ALongOverdueListMakesOnlyTheRowsInViewAndAReusedCardShowsItsNewGoal) {
    for (int i = 0; i < 120; ++i) {
        auto goal = makeGoal(QStringLiteral("Late %1").arg(i, 3, 10, QLatin1Char('0')), 40);
        goal->setDeadline(Clock::now().addDays(-1 - i % 20).addSecs(-i));
    }
    context()->save();
    DeadlinesView& view = open();
    VirtualList* list = view.list();
    EXPECT_EQ(sectionTitles(), (QStringList{"Overdue (120)"}));
    EXPECT_LE(list->rowsMade(), 14);
    EXPECT_EQ(window_->findChildren<DeadlineCardView*>().size(), list->rowsMade() - 1); // one head
    DeadlineCardView* first = view.goalCard(0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_LE(first->sizeHint().height(), list->rowRect(1).height()); // nothing is cut off
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
    QCoreApplication::sendEvent(first, &enter);
    EXPECT_TRUE(first->isHovered());
    qv::test::saveScreen(window_.get(), QStringLiteral("deadlines-long"));

    const auto& goals = *view.sections().front().goals;
    const QList<QWidget*> before = list->rowsInView();
    DeadlineCardView* last = view.goalCard(0, 119);
    ASSERT_NE(last, nullptr);
    EXPECT_LE(list->rowsMade(), 14) << "the cards were handed on, not made anew";
    EXPECT_EQ(last->goalID(), goals.back()->objectID());
    EXPECT_EQ(last->titleText(), goals.back()->title().value());
    EXPECT_EQ(last->countdownText(), deadlineCountdown(Clock::now(), goals.back()->deadline().value()));
    // The cards in view are the first ones handed on: each shows the goal of its row, its hover
    // left behind with the row it came from.
    qsizetype reused = 0;
    for (QWidget* row : list->rowsInView()) {
        reused += before.contains(row) ? 1 : 0;
        auto* card = qobject_cast<DeadlineCardView*>(row);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->goalID(), goals[std::size_t(list->indexOf(card) - 1)]->objectID());
        EXPECT_FALSE(card->isHovered());
    }
    EXPECT_GE(reused, list->rowsInView().size() - 2);

    // Only the cards in view follow the clock; one brought back in reads it when bound.
    Clock::advance(120);
    EXPECT_EQ(last->countdownText(), deadlineCountdown(Clock::now(), goals.back()->deadline().value()));
    DeadlineCardView* again = view.goalCard(0, 0);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->goalID(), goals.front()->objectID());
    EXPECT_EQ(again->countdownText(), deadlineCountdown(Clock::now(), goals.front()->deadline().value()));
}
