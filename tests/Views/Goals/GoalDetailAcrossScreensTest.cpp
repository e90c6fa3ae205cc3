#include "Components/AnimatedProgressRing.h"
#include "Core/Persistence/PersistenceController.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Platform/Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "Views/Goals/GoalsTestSupport.h"
#include "ViewModels/AppViewModel.h"
#include "Views/Dashboard/GoalCardView.h"
#include "Views/Goals/GoalDetailView.h"
#include "Views/Goals/GoalRowView.h"
#include "Views/Goals/GoalsView.h"
#include "Views/Goals/MilestoneCard.h"
#include "Views/Goals/StepRowView.h"
#include "Views/Navigation/SidebarGoalItem.h"
#include "Views/Navigation/SidebarView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

// Ticking a step in the detail shows at once wherever else the goal's progress is drawn:
// the goals list and grid and the sidebar follow the store by themselves.
class GoalDetailAcrossScreensTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(true);
        context = store->viewContext();
        env = AppEnvironment{context, &app};
        window = GoalsTestSupport::darkWindow(1400, 900);
        row = new QHBoxLayout(window.get());
        row->setContentsMargins(0, 0, 0, 0);
        sidebar = new SidebarView(env, window.get());
        row->addWidget(sidebar);
        goals = new GoalsView(env, window.get());
        row->addWidget(goals, 1);
        window->show();
    }
    void TearDown() override {
        window.reset();
        Clock::useSystem();
    }

    std::shared_ptr<Goal> makeGoal(const QString& title, QStringList steps) {
        auto goal = Goal::create(context);
        goal->setTitle(title);
        if (!steps.isEmpty()) {
            auto m = Milestone::create(context);
            m->setTitle(QStringLiteral("Daily"));
            m->setFrequency(QStringLiteral("Daily"));
            m->setGoal(goal);
            for (int i = 0; i < steps.size(); ++i) {
                auto s = Step::create(context);
                s->setTitle(steps[i]);
                s->setPriority(2);
                s->setCreatedAt(kNow.addSecs(i));
                s->setMilestone(m);
            }
        }
        context->save();
        qv::test::settle();
        return goal;
    }
    GoalDetailView* showDetail(const std::shared_ptr<Goal>& goal) {
        delete detail;
        detail = new GoalDetailView(env, goal, window.get());
        detail->setFixedWidth(380);
        row->addWidget(detail);
        qv::test::settle();
        return detail;
    }
    void tick(int index) {
        auto cards = detail->findChildren<MilestoneCard*>();
        ASSERT_FALSE(cards.isEmpty());
        if (detail->findChildren<StepRowView*>().isEmpty())
            cards.first()->findChild<QToolButton*>("milestoneChevron")->click();
        detail->findChildren<StepRowView*>().at(index)->findChild<QToolButton*>("stepToggle")->click();
        qv::test::settle();
    }
    QString sidebarPercent(const std::shared_ptr<Goal>& goal) {
        for (auto* item : sidebar->goalItems())
            if (item->goal() == goal)
                return item->percentText();
        return {};
    }
    QString listPercent(const std::shared_ptr<Goal>& goal) {
        for (auto* r : goals->findChildren<GoalRowView*>())
            if (r->goal() == goal && !r->isHidden())
                return r->findChild<QLabel*>("goalRowPercent")->text();
        return {};
    }
    int cardPercent(const std::shared_ptr<Goal>& goal) {
        for (auto* c : goals->findChildren<GoalCardView*>())
            if (c->goal() == goal && !c->isHidden())
                return c->findChild<AnimatedProgressRing*>("goalCardRing")->percentShown();
        return -1;
    }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    AppViewModel app;
    AppEnvironment env;
    std::unique_ptr<QWidget> window;
    QHBoxLayout* row = nullptr;
    SidebarView* sidebar = nullptr;
    GoalsView* goals = nullptr;
    GoalDetailView* detail = nullptr;
};

TEST_F(GoalDetailAcrossScreensTest, ACompletedMilestoneReadsFullEverywhere) {
    auto goal = makeGoal(QStringLiteral("Read more"), {QStringLiteral("Read")});
    showDetail(goal);
    goals->setGridMode(false);
    qv::test::settle();
    EXPECT_EQ(sidebarPercent(goal), QStringLiteral("0%"));
    EXPECT_EQ(listPercent(goal), QStringLiteral("0%"));

    tick(0);
    EXPECT_EQ(detail->findChild<QLabel*>("progressPercent")->text(), QStringLiteral("100%"));
    EXPECT_EQ(detail->findChild<QLabel*>("progressCaption")->text(), QStringLiteral("Based on steps"));
    EXPECT_EQ(listPercent(goal), QStringLiteral("100%"));
    EXPECT_EQ(sidebarPercent(goal), QStringLiteral("100%"));
    goals->setGridMode(true);
    qv::test::settle();
    EXPECT_EQ(cardPercent(goal), 100);
    qv::test::saveScreen(window.get(), QStringLiteral("goal-detail-across-screens"));
}

TEST_F(GoalDetailAcrossScreensTest, TheSidebarFollowsEachTick) {
    makeGoal(QStringLiteral("First"), {QStringLiteral("Only")});
    auto second = makeGoal(QStringLiteral("Second"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    showDetail(second);
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("0%"));
    tick(0);
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("33%"));
    tick(1);
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("66%"));
    tick(2);
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("100%"));
}

} // namespace
