#include "ViewModels/DeadlinesViewModel.h"
#include "Models/CreditCard.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Models/Subscription.h"
#include "Platform/CalendarHelpers.h"
#include "ViewModels/DeadlineCardText.h"
#include "ViewModels/DeadlineCountdown.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

class DeadlinesViewModelDates : public FrozenClockStoreTest {
protected:
    DeadlinesViewModelDates()
        : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 3), QTime(10, 0), QTimeZone::systemTimeZone())) {}

    static QDateTime local(int m, int d, int h, int min = 0, int s = 0) {
        return QDateTime(QDate(2026, m, d), QTime(h, min, s), QTimeZone::systemTimeZone());
    }
    std::shared_ptr<Goal> goal(const QString& title, const std::optional<QDateTime>& deadline,
                               double progress = 0, bool archived = false) {
        auto g = Goal::create(context);
        g->setTitle(title);
        g->setDeadline(deadline);
        g->setManualProgress(progress);
        g->setIsArchived(archived);
        return g;
    }
    std::shared_ptr<CreditCard> card(const QString& name, int dueDay) {
        auto c = CreditCard::create(context);
        c->setName(name);
        c->setPaymentDueDay(static_cast<qint16>(dueDay));
        return c;
    }
    void spend(const std::shared_ptr<CreditCard>& c, double amount, const QDateTime& billedMonth) {
        auto e = Expense::create(context);
        e->setAmount(amount);
        e->setCreditCardID(c->id());
        e->setBilledMonth(billedMonth);
    }
    std::shared_ptr<Subscription> subscription(const std::optional<QString>& name, double price,
                                               const std::optional<QDateTime>& renewal,
                                               const QString& status = QStringLiteral("active")) {
        auto s = Subscription::create(context);
        s->setName(name);
        s->setPrice(price);
        s->setRenewalDate(renewal);
        s->setStatus(status);
        return s;
    }
    static QStringList titles(const DeadlinesViewModel::Goals& goals) {
        QStringList out;
        for (const auto& g : goals)
            out << g->title().value_or(QString());
        return out;
    }
    static QStringList labels(const FinanceDeadlines& items) {
        QStringList out;
        for (const auto& item : items)
            out << item.label;
        return out;
    }
};

} // namespace

TEST_F(DeadlinesViewModelDates, GoalBucketsMeetAtTheirExactBoundaries) {
    // 3 March 10:00; 8 March is a daylight-saving change in New York, inside the week.
    const QDateTime todayEnd = local(3, 4, 0);
    const QDateTime weekEnd = local(3, 10, 10);
    const QDateTime monthEnd = local(4, 2, 10);
    goal("now", now);
    goal("justBeforeMidnight", todayEnd.addSecs(-1));
    goal("midnight", todayEnd);
    goal("weekEdge", weekEnd.addSecs(-1));
    goal("weekEnd", weekEnd);
    goal("monthEdge", monthEnd.addSecs(-1));
    goal("monthEnd", monthEnd);
    goal("late", now.addSecs(-1));
    goal("lateButDone", now.addDays(-3), 1.0);
    goal("doneLaterToday", now.addSecs(3600), 1.0);
    goal("archived", now.addDays(-3), 0, true);
    goal("archivedSoon", now.addSecs(60), 0, true);
    goal("noDeadline", std::nullopt);
    context->save();

    DeadlinesViewModel model(context);
    EXPECT_EQ(titles(model.overdueGoals()), (QStringList{"late"}));
    EXPECT_EQ(titles(model.todayGoals()), (QStringList{"now", "doneLaterToday", "justBeforeMidnight"}));
    EXPECT_EQ(titles(model.weekGoals()), (QStringList{"midnight", "weekEdge"}));
    EXPECT_EQ(titles(model.upcomingGoals()), (QStringList{"weekEnd", "monthEdge"}));
    EXPECT_EQ(weekEnd.time(), now.time()) << "calendar days keep the clock time across the change";
}

TEST_F(DeadlinesViewModelDates, LateInTheEveningTodayIsOnlyTheMinutesToMidnight) {
    Clock::setFake(local(3, 3, 23, 30));
    goal("beforeMidnight", local(3, 3, 23, 59));
    goal("afterMidnight", local(3, 4, 0, 1));
    goal("nextWeekSameTime", local(3, 10, 23, 29));
    context->save();
    DeadlinesViewModel model(context);
    EXPECT_EQ(titles(model.todayGoals()), (QStringList{"beforeMidnight"}));
    EXPECT_EQ(titles(model.weekGoals()), (QStringList{"afterMidnight", "nextWeekSameTime"}));
}

TEST_F(DeadlinesViewModelDates, AGoalCardCountsDownFromTheClocksNow) {
    auto taxes = goal("taxes", Clock::now().addSecs(29 * 3600 + 59 * 60));
    auto open = goal("open", std::nullopt);
    DeadlinesViewModel model(context);
    const DeadlineCardText card = model.card(*taxes);
    EXPECT_EQ(card.goalID, taxes->objectID());
    EXPECT_EQ(card.countdownText, QStringLiteral("1d 5h left"));
    EXPECT_FALSE(model.card(*open).countdownText.has_value());
    Clock::advance(6 * 3600);
    EXPECT_EQ(model.countdown(*taxes), QStringLiteral("23h left"));
    Clock::advance(2 * 24 * 3600);
    EXPECT_EQ(model.countdown(*taxes), QStringLiteral("1d overdue"));
    EXPECT_FALSE(model.countdown(*open).has_value());
}

TEST_F(DeadlinesViewModelDates, CardBillsSumTheDueMonthAndRenewalsTheirPrice) {
    auto soon = card("Visa", 15);      // due 15 March: this week? no, upcoming after the 10th
    auto paymentDay = card("Amex", 3); // today is its payment day: next bill 3 April
    auto unnamed = card("", 20);
    unnamed->setName(std::nullopt);
    auto empty = card("Empty", 12);
    auto noId = card("NoId", 6);
    noId->setId(std::nullopt);
    spend(soon, 120.5, local(3, 1, 0));
    spend(soon, 30, local(3, 1, 0));
    spend(soon, 999, local(4, 1, 0)); // billed next month: not in March's bill
    spend(paymentDay, 50, local(4, 1, 0));
    spend(unnamed, 10, local(3, 1, 0));
    spend(noId, 10, local(3, 1, 0));
    subscription(QStringLiteral("Music"), 9.99, local(4, 2, 10)); // exactly at monthEnd
    subscription(std::nullopt, 4, local(3, 3, 18));               // later today
    subscription(QStringLiteral("Paused"), 5, local(3, 5, 0), QStringLiteral("paused"));
    subscription(QStringLiteral("Passed"), 5, local(3, 2, 0));
    subscription(QStringLiteral("Far"), 5, local(4, 2, 10, 0, 1));
    context->save();

    DeadlinesViewModel model(context);
    EXPECT_TRUE(model.overdueFinance().empty());
    EXPECT_EQ(labels(model.todayFinance()), (QStringList{"Untitled Renewal"}));
    EXPECT_TRUE(model.weekFinance().empty());
    EXPECT_EQ(labels(model.upcomingFinance()), (QStringList{"Visa Bill", "Card Bill", "Music Renewal"}));
    const auto& visa = model.upcomingFinance()[0];
    EXPECT_DOUBLE_EQ(visa.amount, 150.5);
    EXPECT_EQ(visa.dueDate, local(3, 15, 0));
    EXPECT_EQ(visa.icon, QStringLiteral("creditcard.fill"));
    EXPECT_EQ(visa.color, AppTheme::Colors::sunrise());
    const auto& music = model.upcomingFinance()[2];
    EXPECT_DOUBLE_EQ(music.amount, 9.99);
    EXPECT_EQ(music.icon, QStringLiteral("arrow.trianglehead.2.clockwise"));
    EXPECT_EQ(music.color, AppTheme::Colors::indigo());

    const QUuid firstId = visa.id;
    model.refresh();
    EXPECT_NE(model.upcomingFinance()[0].id, firstId) << "items are new on every refresh";

    // The store sums what is saved; an expense not saved yet is counted all the same.
    spend(soon, 9.5, local(3, 1, 0));
    model.refresh();
    EXPECT_DOUBLE_EQ(model.upcomingFinance()[0].amount, 160.0);
}

TEST_F(DeadlinesViewModelDates, AnEmptyStoreLeavesEveryListEmpty) {
    goal("noDeadline", std::nullopt);
    context->save();
    DeadlinesViewModel model(context);
    EXPECT_TRUE(model.isEmpty());
}

TEST(DeadlineCountdown, TextsOfWholeDaysAndHours) {
    const QDateTime now(QDate(2026, 3, 10), QTime(10, 0), Qt::UTC);
    auto text = [&](qint64 seconds) { return deadlineCountdown(now, now.addSecs(seconds)); };
    EXPECT_EQ(text(90 * 60), QStringLiteral("1h left"));
    EXPECT_EQ(text(2 * 86400 + 5 * 3600 + 59 * 60), QStringLiteral("2d 5h left"));
    // From one whole day on the days are named, the first one too.
    EXPECT_EQ(text(86400 + 5 * 3600), QStringLiteral("1d 5h left"));
    EXPECT_EQ(text(86400), QStringLiteral("1d 0h left"));
    EXPECT_EQ(text(86400 - 1), QStringLiteral("23h left"));
    EXPECT_EQ(text(30 * 60), QStringLiteral("0h left"));
    EXPECT_EQ(text(0), QStringLiteral("0h left"));
    EXPECT_EQ(text(-3 * 3600), QStringLiteral("0d overdue"));
    EXPECT_EQ(text(-50 * 3600), QStringLiteral("2d overdue"));
    EXPECT_EQ(text(1000LL * 86400), QStringLiteral("1000d 0h left")) << "no grouping";
}
