#include "ViewModels/DashboardViewModel.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Support/TestSupport.h"
#include "ViewModels/GoalRowText.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <algorithm>

namespace {

class DashboardViewModelTest : public FrozenClockStoreTest {
protected:
    DashboardViewModelTest() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(10, 0))) {}

    std::shared_ptr<Goal> goal(const QString& title, double manualProgress, int streak = 0,
                               bool archived = false, int createdDaysAgo = 0) {
        auto g = Goal::create(context);
        g->setTitle(title);
        g->setManualProgress(manualProgress);
        g->setStreak(streak);
        g->setIsArchived(archived);
        g->setCreatedAt(Clock::now().addDays(-createdDaysAgo));
        return g;
    }
    static bool isListedQuote(const DashboardViewModel::Quote& quote) {
        const auto& all = DashboardViewModel::Quote::all();
        return std::find(all.begin(), all.end(), quote) != all.end();
    }
};

} // namespace

TEST_F(DashboardViewModelTest, FiguresCountActiveGoalsOnlyAndAverageEachGoalOnce) {
    goal("Run", 0.2, 4);
    goal("Read", 1.0, 2);
    goal("Old win", 0.5, 99, true);
    context->save();
    DashboardViewModel model(context);
    EXPECT_EQ(model.totalGoals(), 2);
    EXPECT_EQ(model.completedGoals(), 1) << "progress exactly 1 counts as completed";
    EXPECT_EQ(model.activeGoals(), 1);
    EXPECT_DOUBLE_EQ(model.overallProgress(), 0.6);
    EXPECT_EQ(model.currentStreak(), 4) << "an archived goal's streak takes no part";
    EXPECT_TRUE(isListedQuote(model.motivationalQuote()));
}

TEST_F(DashboardViewModelTest, NoGoalsGiveZerosAndStillAQuote) {
    DashboardViewModel model(context);
    EXPECT_EQ(model.totalGoals(), 0);
    EXPECT_EQ(model.completedGoals(), 0);
    EXPECT_EQ(model.activeGoals(), 0);
    EXPECT_EQ(model.overallProgress(), 0.0);
    EXPECT_EQ(model.currentStreak(), 0);
    EXPECT_TRUE(isListedQuote(model.motivationalQuote()));
    EXPECT_TRUE(model.goals().empty());
    EXPECT_EQ(DashboardViewModel::streakCardText(0), QStringLiteral("\u2014"));
    EXPECT_EQ(DashboardViewModel::streakCardText(1), QStringLiteral("1d"));
    EXPECT_EQ(DashboardViewModel::streakCardText(12), QStringLiteral("12d"));
}

TEST_F(DashboardViewModelTest, AMoneyGoalPastItsTargetCountsAsExactlyOne) {
    auto saver = goal("Save", 0);
    saver->setNeedsMoney(true);
    saver->setTargetAmount(100);
    for (double amount : {80.0, 70.0}) {
        auto expense = Expense::create(context);
        expense->setAmount(amount);
        expense->setGoalID(saver->id());
    }
    goal("Other", 0);
    context->save();
    DashboardViewModel model(context);
    EXPECT_EQ(model.completedGoals(), 1);
    EXPECT_DOUBLE_EQ(model.overallProgress(), 0.5);
}

TEST_F(DashboardViewModelTest, FiguresWaitForARefreshWhileTheGoalListFollowsAtOnce) {
    goal("First", 0.5, 1, false, 3);
    context->save();
    DashboardViewModel model(context);
    int announced = 0;
    QObject::connect(&model, &DashboardViewModel::goalsChanged, [&] { ++announced; });
    goal("Second", 1.0, 5, false, 1);
    context->save();
    qv::test::settle();
    EXPECT_GE(announced, 1);
    ASSERT_EQ(model.goals().size(), 2u);
    EXPECT_EQ(model.goals().front()->title(), QStringLiteral("Second")) << "newest first";
    EXPECT_EQ(model.totalGoals(), 1) << "the figures are a snapshot";
    model.refresh();
    EXPECT_EQ(model.totalGoals(), 2);
    EXPECT_EQ(model.currentStreak(), 5);
    model.refresh();
    EXPECT_EQ(model.totalGoals(), 2) << "refreshing again keeps the figures";
}

TEST_F(DashboardViewModelTest, CardsLeaveHiddenGoalsOutAndKeepTheSixNewest) {
    std::vector<std::shared_ptr<Goal>> goals;
    for (int i = 0; i < 9; ++i)
        goals.push_back(goal(QStringLiteral("G%1").arg(i), 0, 0, false, 9 - i));
    context->save();
    DashboardViewModel model(context);
    const QSet<qint64> hidden{goals[8]->objectID(), goals[5]->objectID()};
    const auto cards = model.cardGoals(hidden);
    QStringList titles;
    for (const auto& g : cards)
        titles << g->title().value_or(QString());
    EXPECT_EQ(titles, (QStringList{"G7", "G6", "G4", "G3", "G2", "G1"}));
    EXPECT_EQ(model.totalGoals(), 9) << "hidden goals still count";

    QSet<qint64> all;
    for (const auto& g : goals)
        all.insert(g->objectID());
    EXPECT_TRUE(model.cardGoals(all).empty());
    EXPECT_EQ(model.goals().size(), 9u);

    // The cards' values name the same goals, unmasked, and lead back to them.
    const auto texts = model.cards(hidden);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts.front().title, QStringLiteral("G7"));
    EXPECT_FALSE(texts.front().masked);
    EXPECT_EQ(model.goalWithID(texts.front().goalID), goals[7]);
    context->deleteObject(goals[7]);
    EXPECT_EQ(model.goalWithID(goals[7]->objectID()), nullptr);
}

TEST_F(DashboardViewModelTest, GreetingChangesAtNoonAndAtFive) {
    auto at = [](int h, int m) { return QDateTime(QDate(2026, 3, 10), QTime(h, m)); };
    EXPECT_EQ(DashboardViewModel::greeting(at(0, 0)), QStringLiteral("Good Morning"));
    EXPECT_EQ(DashboardViewModel::greeting(at(11, 59)), QStringLiteral("Good Morning"));
    EXPECT_EQ(DashboardViewModel::greeting(at(12, 0)), QStringLiteral("Good Afternoon"));
    EXPECT_EQ(DashboardViewModel::greeting(at(16, 59)), QStringLiteral("Good Afternoon"));
    EXPECT_EQ(DashboardViewModel::greeting(at(17, 0)), QStringLiteral("Good Evening"));
    EXPECT_EQ(DashboardViewModel::greeting(at(23, 59)), QStringLiteral("Good Evening"));
    EXPECT_EQ(DashboardViewModel::dateText(at(9, 0)), QStringLiteral("Tuesday, March 10"));
}

TEST(DashboardQuotes, EightQuotesOfReadableLength) {
    const auto& all = DashboardViewModel::Quote::all();
    ASSERT_EQ(all.size(), 8u);
    for (const auto& quote : all) {
        EXPECT_GE(quote.text.size(), 38) << quote.text.toStdString();
        EXPECT_LE(quote.text.size(), 72) << quote.text.toStdString();
        EXPECT_FALSE(quote.author.isEmpty());
    }
}
