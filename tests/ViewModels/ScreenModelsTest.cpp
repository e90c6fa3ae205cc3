// The screens get their view models from one ScreenModels. The goals list and the achievements
// are one per screen: the goal detail made inside the goals screen works with the screen's own,
// so an achievement recorded there and the list beside it never go through a second copy.

#include "ViewModels/ScreenModels.h"
#include "Models/Goal.h"
#include "Models/ModelTestSupport.h"
#include "Support/TestSupport.h"
#include "ViewModels/AchievementsViewModel.h"
#include "ViewModels/AppViewModel.h"
#include "ViewModels/DashboardViewModel.h"
#include "ViewModels/GoalDetailViewModel.h"
#include "ViewModels/GoalsViewModel.h"

#include <QPointer>

#include <memory>

namespace {

class ScreenModelsTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        goal = Goal::create(context());
        goal->setTitle(QStringLiteral("Run"));
        ASSERT_TRUE(context()->save());
        models = std::make_unique<ScreenModels>(context(), &app, nullptr);
    }

    AppViewModel app;
    std::unique_ptr<ScreenModels> models;
    std::shared_ptr<Goal> goal;
};

TEST_F(ScreenModelsTest, TheGoalDetailInsideTheGoalsScreenSharesItsViewModels) {
    QObject goalsScreen;
    GoalsViewModel* list = models->goals(&goalsScreen);
    EXPECT_EQ(models->goals(&goalsScreen), list) << "asking again hands out the same one";
    EXPECT_EQ(SharedScreenModels::around(&goalsScreen)->achievements, nullptr)
        << "every achievement is read only once a screen asks for them";

    // The detail panel sits a few levels down inside the goals screen.
    QObject panelHost(&goalsScreen);
    QObject detail(&panelHost);
    EXPECT_EQ(models->goals(&detail), list);
    AchievementsViewModel* wins = models->achievements(&detail);
    EXPECT_EQ(models->achievements(&goalsScreen), wins) << "whichever asks first, both get the one";
    GoalDetailViewModel* detailModel = models->goalDetail(goal, &detail);
    EXPECT_EQ(detailModel->parent(), &detail) << "the detail's own view model stays its own";

    // A write through the detail reaches the list the goals screen shows.
    ASSERT_EQ(list->activeGoals().size(), 1u);
    ASSERT_TRUE(models->goals(&detail)->achieveGoal(goal));
    qv::test::settle();
    EXPECT_TRUE(list->activeGoals().empty());
    EXPECT_EQ(list->archivedGoals().size(), 1u);
}

TEST_F(ScreenModelsTest, EachScreenHasItsOwnAndTheyGoWithIt) {
    auto goalsScreen = std::make_unique<QObject>();
    QPointer<GoalsViewModel> list = models->goals(goalsScreen.get());
    QPointer<AchievementsViewModel> wins = models->achievements(goalsScreen.get());

    // The goal detail over the dashboard, made before it has a place, and the next goals screen
    // start from their own, with the filter and the search of nobody else.
    QObject detailOnItsOwn;
    EXPECT_NE(models->goals(&detailOnItsOwn), list);
    EXPECT_NE(models->achievements(&detailOnItsOwn), wins);
    list->setSearchText(QStringLiteral("run"));
    QObject nextGoalsScreen;
    EXPECT_NE(models->goals(&nextGoalsScreen), list);
    EXPECT_TRUE(models->goals(&nextGoalsScreen)->searchText().isEmpty());

    // The dashboard reads only the newest achievements: it never takes or hands out the shared one.
    QObject dashboard;
    QObject detailOverDashboard(&dashboard);
    AchievementsViewModel* recent = models->recentAchievements(&dashboard);
    EXPECT_EQ(recent->parent(), &dashboard);
    EXPECT_NE(models->achievements(&detailOverDashboard), recent);
    EXPECT_EQ(models->dashboard(&dashboard)->parent(), &dashboard);

    goalsScreen.reset();
    EXPECT_TRUE(list.isNull()) << "the shared view models leave with their screen";
    EXPECT_TRUE(wins.isNull());
}

TEST_F(ScreenModelsTest, TheEnvironmentCarriesTheOneMaker) {
    const AppEnvironment env = models->environment();
    EXPECT_EQ(env.context, context());
    EXPECT_EQ(env.appViewModel, &app);
    EXPECT_EQ(env.models, models.get());
}

} // namespace
