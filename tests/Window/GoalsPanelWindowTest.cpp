// The goal detail beside the list, as the X server shows it: it slides in with its
// animation and ends showing what it renders, in list and in grid mode.

#include "Window/WindowLane.h"

#include "Views/Goals/GoalDetailView.h"

namespace {

class GoalsPanelWindow : public WindowLane {
protected:
    // Opens the panel of the goal from its row or card, lets the slide run, and checks the
    // screen against the panel's own render.
    void expectPanelShown(QWidget* opener, const QString& screenName) {
        ASSERT_NE(opener, nullptr);
        click(opener, QPoint(40, 20));
        ASSERT_NE(detail(), nullptr) << "selecting the goal opens the panel";
        frames(1500);
        QWidget* panel = detail();
        const QImage rendered = panel->grab().toImage();
        const QImage shown = grabScreen(panel);
        saveScreen(screenName);
        EXPECT_LT(differingShare(rendered, shown), 0.002) << "the screen shows the panel as it renders";
        EXPECT_EQ(panel->pos(), QPoint(0, 0)) << "the panel slid all the way in";
        // A child that repaints on its own shows as it renders too.
        auto* card = panel->findChild<MilestoneCard*>();
        ASSERT_NE(card, nullptr);
        const QImage cardShown = grabScreen(card);
        EXPECT_LT(differingShare(card->grab().toImage(), cardShown), 0.002);
    }
};

} // namespace

TEST_F(GoalsPanelWindow, SelectingAGoalShowsItsPanelInListAndGridMode) {
    auto goal = makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    showWindow(QSize(1280, 820));
    goTo(AppDestination::goals);
    frames(1000);
    ASSERT_NE(goalsScreen(), nullptr);

    ASSERT_NO_FATAL_FAILURE(expectPanelShown(rowOf(goal), QStringLiteral("goals-list-detail")));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsGridModeButton")));
    frames(1000);
    ASSERT_TRUE(goalsScreen()->isGridMode());
    if (detail())
        click(cardOf(goal), QPoint(40, 20)); // selecting the open goal again closes its panel
    frames(600);
    ASSERT_EQ(detail(), nullptr);
    ASSERT_NO_FATAL_FAILURE(expectPanelShown(cardOf(goal), QStringLiteral("goals-grid-detail")));
}
