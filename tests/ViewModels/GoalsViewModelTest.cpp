#include "ViewModels/GoalsViewModel.h"

#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/GoalRowText.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <cmath>

namespace {

class GoalsViewModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(QDateTime(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC));
        context = controller.viewContext();
    }
    void TearDown() override { Clock::useSystem(); }

    // Each goal is created one minute after the previous one, so the newest is the last made.
    std::shared_ptr<Goal> makeGoal(const std::optional<QString>& title,
                                   const std::optional<QString>& category = {}, bool archived = false) {
        Clock::advance(60);
        auto goal = Goal::create(context);
        goal->setTitle(title);
        goal->setCategory(category);
        goal->setIsArchived(archived);
        return goal;
    }

    QStringList titles(const std::vector<std::shared_ptr<Goal>>& goals) {
        QStringList out;
        for (auto& g : goals)
            out << g->title().value_or(QStringLiteral("-"));
        return out;
    }

    PersistenceController controller{true};
    ObjectContext* context = nullptr;
};

TEST_F(GoalsViewModelTest, StartsWithDefaultsAndParsesSortOrdersExactly) {
    GoalsViewModel vm(context);
    EXPECT_EQ(vm.filterCategory(), QStringLiteral("All"));
    EXPECT_EQ(vm.sortOrder(), GoalsViewModel::SortOrder::newest);
    EXPECT_FALSE(vm.showCreateGoal());
    EXPECT_EQ(vm.categories(), QStringList{QStringLiteral("All")});

    QStringList labels;
    for (auto order : GoalsViewModel::allSortOrders)
        labels << GoalsViewModel::rawValue(order);
    EXPECT_EQ(labels, (QStringList{"Deadline", "Priority", "Progress", "Title", "Newest"}));
    EXPECT_EQ(GoalsViewModel::sortOrderFromRaw("Title"), GoalsViewModel::SortOrder::title);
    EXPECT_FALSE(GoalsViewModel::sortOrderFromRaw("title").has_value());
}

TEST_F(GoalsViewModelTest, CategoriesComeFromActiveGoalsOnlyDeduplicatedInCodePointOrder) {
    makeGoal("a", QStringLiteral("Health"));
    makeGoal("b", QStringLiteral("Career"));
    makeGoal("c", QStringLiteral("career"));
    makeGoal("d", QStringLiteral("Health"));
    makeGoal("e");
    makeGoal("f", QStringLiteral("Zen"), true);
    makeGoal("g", QStringLiteral("All"));
    GoalsViewModel vm(context);
    EXPECT_EQ(vm.categories(), (QStringList{"All", "All", "Career", "Health", "career"}));
}

TEST_F(GoalsViewModelTest, SearchAndCategoryFilterKeepNewestFirst) {
    makeGoal(std::nullopt, QStringLiteral("Personal"));
    makeGoal(QStringLiteral("Run a marathon"), QStringLiteral("Health"));
    makeGoal(QStringLiteral("Learn piano"));
    makeGoal(QStringLiteral("Ship the app"), QStringLiteral("Career"));
    makeGoal(QStringLiteral("Old win"), QStringLiteral("Career"), true);
    GoalsViewModel vm(context);

    EXPECT_EQ(titles(vm.filteredGoals()),
              (QStringList{"Ship the app", "Learn piano", "Run a marathon", "-"}));
    vm.setSearchText(QStringLiteral("untitled"));
    EXPECT_EQ(titles(vm.filteredGoals()), QStringList{"-"});
    vm.setSearchText(QStringLiteral("A"));
    EXPECT_EQ(titles(vm.filteredGoals()),
              (QStringList{"Ship the app", "Learn piano", "Run a marathon", "-"}));
    vm.setSearchText(QStringLiteral(" "));
    EXPECT_EQ(titles(vm.filteredGoals()),
              (QStringList{"Ship the app", "Learn piano", "Run a marathon", "-"}));
    vm.setSearchText(QStringLiteral("  "));
    EXPECT_TRUE(vm.filteredGoals().empty());

    vm.setSearchText(QString());
    vm.setFilterCategory(QStringLiteral("Personal")); // a goal without a category counts as Personal
    EXPECT_EQ(titles(vm.filteredGoals()), (QStringList{"Learn piano", "-"}));
    vm.setFilterCategory(QStringLiteral("Career"));
    EXPECT_EQ(titles(vm.filteredGoals()), QStringList{"Ship the app"});
    EXPECT_EQ(titles(vm.archivedGoals()), QStringList{"Old win"});
}

TEST_F(GoalsViewModelTest, EachSortOrderOrdersTheActiveGoals) {
    const QDateTime now = Clock::now();
    auto a = makeGoal(QStringLiteral("beta"));
    a->setDeadline(now.addDays(10));
    a->setPriority(1);
    a->setManualProgress(0.5);
    auto b = makeGoal(QStringLiteral("Alpha"));
    b->setPriority(3);
    b->setManualProgress(0.2);
    auto c = makeGoal(QStringLiteral("\U0001F600 emoji"));
    c->setDeadline(now.addDays(2));
    c->setPriority(7); // unknown: ranks as medium
    c->setManualProgress(0.9);
    auto d = makeGoal(QStringLiteral("\uFF21 wide"));
    d->setPriority(2);
    d->setManualProgress(0.5);
    GoalsViewModel vm(context);

    using S = GoalsViewModel::SortOrder;
    const std::vector<std::pair<S, QStringList>> expected{
        {S::newest, {"\uFF21 wide", "\U0001F600 emoji", "Alpha", "beta"}},
        {S::deadline, {"\U0001F600 emoji", "beta", "\uFF21 wide", "Alpha"}},
        {S::priority, {"Alpha", "\uFF21 wide", "\U0001F600 emoji", "beta"}},
        {S::progress, {"\U0001F600 emoji", "\uFF21 wide", "beta", "Alpha"}},
        {S::title, {"Alpha", "beta", "\uFF21 wide", "\U0001F600 emoji"}},
    };
    for (const auto& [order, titlesInOrder] : expected) {
        vm.setSortOrder(order);
        EXPECT_EQ(titles(vm.filteredGoals()), titlesInOrder) << GoalsViewModel::rawValue(order).toStdString();
    }

    // A progress that is not a number must not break the ordering.
    d->setManualProgress(std::nan(""));
    vm.setSortOrder(S::progress);
    EXPECT_EQ(titles(vm.filteredGoals()).last(), QStringLiteral("\uFF21 wide"));
}

TEST_F(GoalsViewModelTest, RowAndCardTextsAreWrittenAtTheClocksNow) {
    auto goal = makeGoal(QStringLiteral("Run"));
    goal->setDeadline(Clock::now().addDays(3));
    GoalsViewModel model(context);
    const qint64 id = goal->objectID();
    EXPECT_EQ(model.rowText(id, false).deadline, QStringLiteral("Due in 3d"));
    EXPECT_EQ(model.cardText(id, false).deadline, QStringLiteral("Due in 3 days"));
    EXPECT_EQ(model.rowText(id, true).title, QStringLiteral("\u2022\u2022\u2022\u2022\u2022\u2022\u2022"));
    EXPECT_EQ(model.cardText(id, false).goalID, id);

    Clock::advance(5 * 24 * 3600);
    EXPECT_EQ(model.rowText(id, false).deadline, QStringLiteral("Overdue"));
    EXPECT_EQ(model.cardText(id, false).deadline, QStringLiteral("Overdue by 2d"));
}

TEST_F(GoalsViewModelTest, AchieveRestoreAndDeleteWriteTheStore) {
    auto goal = makeGoal(QStringLiteral("Write a book"), QStringLiteral("Creativity"));
    auto milestone = Milestone::create(context);
    milestone->setGoal(goal);
    auto step = Step::create(context);
    step->setMilestone(milestone);
    auto log = DailyLog::create(context);
    log->setGoal(goal);
    auto other = makeGoal(QStringLiteral("Keep me"));
    context->save();
    GoalsViewModel vm(context);
    int changes = 0;
    QObject::connect(&vm, &GoalsViewModel::goalsChanged, [&changes] { ++changes; });
    ASSERT_EQ(vm.activeGoals().size(), 2u);
    const qint64 id = goal->objectID();

    // The screen acts by the id its row was bound to.
    vm.achieveGoal(id);
    qv::test::settle();
    EXPECT_TRUE(goal->isArchived());
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(titles(vm.activeGoals()), QStringList{"Keep me"});
    EXPECT_EQ(titles(vm.archivedGoals()), QStringList{"Write a book"});
    EXPECT_EQ(vm.categories(), QStringList{"All"});
    EXPECT_GT(changes, 0);

    EXPECT_EQ(vm.archivedGoalIDs(), std::vector<qint64>{id});
    vm.restoreGoal(id);
    qv::test::settle();
    EXPECT_FALSE(goal->isArchived());
    EXPECT_TRUE(vm.archivedGoals().empty());

    // A row still bound to the goal just deleted (the lists have not run again yet) acts on
    // nothing: no write, no failure announced, the other goal as it was.
    QSignalSpy failures(&SaveFailures::shared(), &SaveFailures::saveFailed);
    EXPECT_TRUE(vm.deleteGoal(id));
    EXPECT_FALSE(vm.achieveGoal(id));
    EXPECT_FALSE(vm.restoreGoal(id));
    EXPECT_FALSE(vm.deleteGoal(id));
    EXPECT_EQ(vm.rowText(id, false).goalID, 0);
    EXPECT_FALSE(vm.title(id).has_value());
    qv::test::settle();
    EXPECT_FALSE(vm.achieveGoal(id));
    EXPECT_EQ(failures.count(), 0);
    EXPECT_TRUE(goal->isDeleted());
    EXPECT_EQ(vm.filteredGoalIDs(), std::vector<qint64>{other->objectID()});
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(titles(vm.activeGoals()), QStringList{"Keep me"});
    EXPECT_EQ(context->count(FetchRequest(Milestone::entityName())), 0);
    EXPECT_EQ(context->count(FetchRequest(Step::entityName())), 0);
    EXPECT_EQ(context->count(FetchRequest(DailyLog::entityName())), 0);
    EXPECT_FALSE(other->isDeleted());
}

} // namespace
