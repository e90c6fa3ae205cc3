// The goals screen in the smallest window the application allows (900x600) and on a full
// HD screen: in every state every control keeps its room, nothing overlaps, and the window
// never asks for more than 900x600.

#include "Window/WindowLane.h"

#include "Views/Goals/GoalsTopBar.h"

namespace {

class GoalsLayoutWindow : public WindowLane {};

} // namespace

TEST_F(GoalsLayoutWindow, EveryStateOfTheGoalsScreenFitsTheSmallestWindow) {
    auto goal = makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    makeGoal(QStringLiteral("Read twelve books"), 3);
    makeGoal(QStringLiteral("Learned to juggle"), 30, 0, 0, 0, true);
    showWindow(QSize(900, 600));
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    expectRoomFor(QStringLiteral("list"));
    saveScreen(QStringLiteral("goals-900x600-list"));

    click(rowOf(goal), QPoint(40, 20));
    ASSERT_NE(detail(), nullptr);
    expectRoomFor(QStringLiteral("list with the panel"));
    saveScreen(QStringLiteral("goals-900x600-list-detail"));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsGridModeButton")));
    expectRoomFor(QStringLiteral("grid with the panel"));
    saveScreen(QStringLiteral("goals-900x600-grid-detail"));

    click(cardOf(goal), QPoint(40, 20));
    ASSERT_EQ(detail(), nullptr);
    expectRoomFor(QStringLiteral("grid"));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsAchievedTab")));
    expectRoomFor(QStringLiteral("achieved"));
    saveScreen(QStringLiteral("goals-900x600-achieved"));
}

TEST_F(GoalsLayoutWindow, AFullHdWindowGivesTheGoalsScreenAllItsRoom) {
    auto goal = makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    showWindow(QSize(1920, 1040));
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    click(rowOf(goal), QPoint(40, 20));
    frames(1200);
    EXPECT_EQ(goalsScreen()->width(), window_->width() - SidebarView::kWidth);
    auto* bar = goalsScreen()->findChild<GoalsTopBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isFolded()) << "the top bar takes one line when it has the room";
    EXPECT_EQ(goalsScreen()->detailPanel()->width(), GoalsView::kDetailPanelWidth);
    EXPECT_GT(rowOf(goal)->width(), 1000) << "rows take the width beside the panel";
    auto* title = rowOf(goal)->findChild<QLabel*>(QStringLiteral("goalRowTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_LT(title->height(), 2 * title->fontMetrics().height())
        << "a title that has the room takes one line";
    saveScreen(QStringLiteral("goals-1920-list-detail"));
}
