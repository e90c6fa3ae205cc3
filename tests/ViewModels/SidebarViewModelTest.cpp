// The sidebar reads its goals a page at a time: every index must still give the goal the whole
// list would have there, before and after the store changes, however the rows were read.

#include "ViewModels/SidebarViewModel.h"
#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Models/Milestone.h"
#include "Models/ModelTestSupport.h"
#include "Models/Step.h"
#include "Store/PagedFetch.h"
#include "ViewModels/GoalRowText.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <algorithm>

namespace {

class SidebarViewModelTest : public ModelTest {
protected:
    std::shared_ptr<Goal> goal(int n, bool archived = false) {
        auto g = Goal::create(context());
        g->setTitle(QStringLiteral("G%1").arg(n));
        g->setCreatedAt(now().addSecs(n));
        g->setIsArchived(archived);
        g->setStreak(n % 17);
        return g;
    }
    std::vector<qint64> whole() const {
        std::vector<qint64> ids;
        for (const auto& g : context()->fetch<Goal>(GoalQueries::active(GoalQueries::Order::oldestFirst)))
            ids.push_back(g->objectID());
        return ids;
    }
    static std::vector<qint64> read(SidebarViewModel& model, std::vector<int> order) {
        std::vector<qint64> ids(size_t(model.count()), 0);
        for (int index : order)
            if (auto g = model.goalAt(index))
                ids[size_t(index)] = g->objectID();
        return ids;
    }
    static std::vector<int> upwards(int count) {
        std::vector<int> order;
        for (int i = 0; i < count; ++i)
            order.push_back(i);
        return order;
    }
};

TEST_F(SidebarViewModelTest, EveryIndexGivesTheGoalOfTheWholeListAsTheStoreChanges) {
    const int total = PagedFetch::kPageSize * 3 + 5;
    std::vector<std::shared_ptr<Goal>> goals;
    for (int n = 0; n < total; ++n)
        goals.push_back(goal(n, n % 10 == 3));
    ASSERT_TRUE(context()->save());
    SidebarViewModel model(context());
    QSignalSpy changed(&model, &SidebarViewModel::goalsChanged);
    EXPECT_EQ(model.count(), int(whole().size()));
    EXPECT_EQ(model.bestStreak(), 16);
    EXPECT_EQ(read(model, upwards(model.count())), whole());
    // Read from the end back and then jumping about, as a list scrolled and dragged reads.
    std::vector<int> back = upwards(model.count());
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(read(model, back), whole());
    EXPECT_EQ(model.goalAt(model.count()), nullptr);
    EXPECT_EQ(model.goalAt(-1), nullptr);

    // Goals archived, added before the first and at the end, one deleted: the pages kept
    // are read again.
    goals[0]->setIsArchived(true);
    goals[40]->setIsArchived(true);
    goal(-5);
    goal(total + 1);
    context()->deleteObject(goals[70]);
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.count(), int(whole().size()));
    EXPECT_EQ(read(model, back), whole());
    EXPECT_EQ(read(model, upwards(model.count())), whole());

    // A step ticked under a goal in view moves its row's figure: the rows are told.
    const auto shown = model.goalAt(1);
    auto milestone = Milestone::create(context());
    milestone->setGoal(shown);
    auto step = Step::create(context());
    step->setMilestone(milestone);
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    (void)shown->progressPercentage(); // as the row reads it
    changed.clear();
    step->setIsCompleted(true);
    ASSERT_TRUE(context()->save());
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_DOUBLE_EQ(model.goalAt(1)->progressPercentage(), 1.0);
}

TEST_F(SidebarViewModelTest, ItemsAreMaskedByIdAndEmptyPastTheEnd) {
    auto first = goal(1);
    first->setManualProgress(0.5);
    auto second = goal(2);
    ASSERT_TRUE(context()->save());
    SidebarViewModel model(context());
    const SidebarGoalText shown = model.itemAt(0, {second->objectID()});
    EXPECT_EQ(shown.goalID, first->objectID());
    EXPECT_EQ(shown.title, QStringLiteral("G1"));
    EXPECT_EQ(shown.percent, QStringLiteral("50%"));
    const SidebarGoalText hidden = model.itemAt(1, {second->objectID()});
    EXPECT_TRUE(hidden.masked);
    EXPECT_NE(hidden.title, QStringLiteral("G2"));
    EXPECT_EQ(model.itemAt(2, {}).goalID, 0);
}

TEST_F(SidebarViewModelTest, UnsavedGoalsAreListedInTheirPlace) {
    for (int n = 0; n < PagedFetch::kPageSize + 4; ++n)
        goal(n * 2);
    ASSERT_TRUE(context()->save());
    SidebarViewModel model(context());
    goal(PagedFetch::kPageSize + 1); // between the saved ones, not yet saved
    QCoreApplication::processEvents();
    EXPECT_EQ(model.count(), int(whole().size()));
    EXPECT_EQ(read(model, upwards(model.count())), whole());
    context()->rollback();
    QCoreApplication::processEvents();
    EXPECT_EQ(read(model, upwards(model.count())), whole());
    EXPECT_EQ(model.count(), PagedFetch::kPageSize + 4);
}

} // namespace
