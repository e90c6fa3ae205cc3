#include "ViewModels/TaskBoardViewModel.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

class TaskBoardViewModelTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(true);
        context = store->viewContext();
        board = std::make_unique<TaskBoardViewModel>(context);
    }
    void TearDown() override { Clock::useSystem(); }

    std::shared_ptr<Milestone> milestone(const std::shared_ptr<Goal>& goal, bool completed = false) {
        auto m = Milestone::create(context);
        m->setGoal(goal);
        m->setIsCompleted(completed);
        return m;
    }
    std::shared_ptr<Step> step(const std::shared_ptr<Milestone>& m, const QString& title, qint16 priority,
                               qint64 ageSecs = 0, bool completed = false) {
        auto s = Step::create(context);
        s->setTitle(title);
        s->setPriority(priority);
        s->setCreatedAt(kNow.addSecs(-ageSecs));
        s->setIsCompleted(completed);
        s->setMilestone(m);
        return s;
    }
    static QStringList titles(const std::vector<std::shared_ptr<Step>>& steps) {
        QStringList out;
        for (const auto& s : steps)
            out << s->title().value_or(QString());
        return out;
    }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    std::unique_ptr<TaskBoardViewModel> board;
};

TEST_F(TaskBoardViewModelTest, ColumnsByPriorityWithTheFiveNewestHighestInProgress) {
    auto m = milestone(Goal::create(context));
    // Ages make the ties come out oldest first.
    step(m, QStringLiteral("h1"), 3, 50);
    step(m, QStringLiteral("h2"), 3, 40);
    step(m, QStringLiteral("m1"), 2, 30);
    step(m, QStringLiteral("m2"), 2, 20);
    step(m, QStringLiteral("m3"), 2, 10);
    step(m, QStringLiteral("l1"), 1, 5);
    step(m, QStringLiteral("l2"), 1, 1);
    step(m, QStringLiteral("done"), 1, 1, true);
    context->save();
    board->refresh();
    EXPECT_EQ(titles(board->inProgressSteps()), (QStringList{"h1", "h2", "m1", "m2", "m3"}));
    EXPECT_EQ(titles(board->todoSteps()), (QStringList{"l1", "l2"}));
    EXPECT_EQ(titles(board->completedSteps()), (QStringList{"done"}));
}

TEST_F(TaskBoardViewModelTest, OldStepsAndClosedMilestonesStayOutOfProgress) {
    auto goal = Goal::create(context);
    auto open = milestone(goal);
    auto closed = milestone(goal, true);
    step(open, QStringLiteral("old"), 3, 8 * 24 * 3600);
    step(open, QStringLiteral("edge"), 3, TaskBoardViewModel::inProgressWindowSecs);
    step(closed, QStringLiteral("orphaned"), 3);
    auto loose = Step::create(context);
    loose->setTitle(QStringLiteral("loose"));
    auto undated = step(open, QStringLiteral("undated"), 1);
    undated->setCreatedAt(std::nullopt);
    context->save();
    board->refresh();
    EXPECT_TRUE(board->inProgressSteps().empty());
    EXPECT_EQ(titles(board->todoSteps()), (QStringList{"old", "edge", "undated"}));
    EXPECT_TRUE(board->completedSteps().empty());
}

TEST_F(TaskBoardViewModelTest, FilterKeepsOnlyTheChosenGoal) {
    auto mine = Goal::create(context);
    auto other = Goal::create(context);
    step(milestone(mine), QStringLiteral("mine"), 2);
    step(milestone(other), QStringLiteral("other"), 2);
    context->save();
    board->setSelectedGoalFilter(mine);
    board->refresh();
    EXPECT_EQ(titles(board->inProgressSteps()), QStringList{"mine"});
    EXPECT_TRUE(board->todoSteps().empty());
}

TEST_F(TaskBoardViewModelTest, TogglingMovesBetweenColumnsWithoutTouchingTheMilestone) {
    auto m = milestone(Goal::create(context));
    auto s = step(m, QStringLiteral("only"), 2, 9 * 24 * 3600);
    context->save();
    board->refresh();
    board->toggleStep(s);
    EXPECT_EQ(titles(board->completedSteps()), QStringList{"only"});
    EXPECT_EQ(s->completedAt(), kNow);
    EXPECT_FALSE(m->isCompleted());
    EXPECT_FALSE(context->hasChanges());
    board->toggleStep(s);
    EXPECT_EQ(titles(board->todoSteps()), QStringList{"only"});
    EXPECT_FALSE(s->completedAt().has_value());
}

} // namespace
