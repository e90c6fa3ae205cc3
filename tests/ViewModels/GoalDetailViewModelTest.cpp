#include "ViewModels/GoalDetailViewModel.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/Persistence/PersistenceController.h"
#include "Models/Step.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "ViewModels/GoalRowText.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(9, 30), Qt::UTC);

class GoalDetailViewModelTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::setFake(kNow);
        store = std::make_unique<PersistenceController>(true);
        context = store->viewContext();
        goal = Goal::create(context);
        goal->setTitle(QStringLiteral("Run a marathon"));
        context->save();
        vm = std::make_unique<GoalDetailViewModel>(goal, context);
    }
    void TearDown() override {
        vm.reset();
        Clock::useSystem();
    }

    std::shared_ptr<Milestone> milestoneWith(std::vector<QString> titles) {
        std::vector<PendingStep> pending;
        for (const auto& t : titles) {
            PendingStep p = PendingStep::blank();
            p.title = t;
            pending.push_back(p);
        }
        vm->addMilestone(QStringLiteral("Weekly"), MilestoneFrequency::weekly, pending);
        return goal->milestonesArray().back();
    }

    void addJournalEntries(int n) {
        for (int i = 0; i < n; ++i) {
            auto log = DailyLog::create(context);
            log->setDate(kNow.addDays(-i));
            log->setGoal(goal);
        }
        context->save();
    }

    int countOf(const QString& entity) { return context->count(FetchRequest(entity)); }

    std::unique_ptr<PersistenceController> store;
    ObjectContext* context = nullptr;
    std::shared_ptr<Goal> goal;
    std::unique_ptr<GoalDetailViewModel> vm;
};

TEST_F(GoalDetailViewModelTest, ManualProgressClampsAndNeverDrifts) {
    QSignalSpy announced(vm.get(), &GoalDetailViewModel::changed);
    goal->setManualProgress(0.98);
    context->save();
    vm->adjustManualProgress(0.05);
    EXPECT_DOUBLE_EQ(goal->manualProgress(), 1.0);
    vm->adjustManualProgress(0.05);
    EXPECT_DOUBLE_EQ(goal->manualProgress(), 1.0);
    goal->setManualProgress(0.03);
    context->save();
    vm->adjustManualProgress(-0.05);
    EXPECT_DOUBLE_EQ(goal->manualProgress(), 0.0);
    EXPECT_EQ(announced.count(), 3);
    EXPECT_FALSE(context->hasChanges());

    // Twenty presses from nothing land exactly on done, so a passed deadline stops counting.
    goal->setDeadline(kNow.addDays(-1));
    context->save();
    for (int i = 0; i < 20; ++i)
        vm->adjustManualProgress(0.05);
    EXPECT_EQ(goal->manualProgress(), 1.0);
    EXPECT_FALSE(goal->isOverdue());
    for (int i = 0; i < 20; ++i)
        vm->adjustManualProgress(-0.05);
    EXPECT_EQ(goal->manualProgress(), 0.0);
}

TEST_F(GoalDetailViewModelTest, NewMilestoneSkipsEmptyPendingStepsAndKeepsTheirOffsets) {
    PendingStep read = PendingStep::blank();
    read.title = QStringLiteral("Read");
    PendingStep empty = PendingStep::blank();
    PendingStep write = PendingStep::blank();
    write.title = QStringLiteral("Write");
    write.inputType = StepInputType::inputField;
    QSignalSpy announced(vm.get(), &GoalDetailViewModel::changed);
    vm->addMilestone(QStringLiteral("Weekly"), MilestoneFrequency::weekly, {read, empty, write});

    ASSERT_EQ(goal->milestonesArray().size(), 1u);
    auto m = goal->milestonesArray().front();
    EXPECT_EQ(m->title(), QStringLiteral("Weekly"));
    EXPECT_EQ(m->frequency(), QStringLiteral("Weekly"));
    EXPECT_EQ(m->order(), 0);
    EXPECT_FALSE(m->isCompleted());
    EXPECT_FALSE(m->completedAt().has_value());
    EXPECT_FALSE(m->dueDate().has_value());
    EXPECT_EQ(m->createdAt(), kNow);
    const auto steps = m->stepsArray();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0]->title(), QStringLiteral("Read"));
    EXPECT_EQ(steps[0]->createdAt(), kNow);
    EXPECT_EQ(steps[0]->inputType(), QStringLiteral("Complete"));
    EXPECT_EQ(steps[1]->title(), QStringLiteral("Write"));
    EXPECT_EQ(steps[1]->createdAt(), kNow.addSecs(2));
    EXPECT_EQ(steps[1]->inputType(), QStringLiteral("Write a note"));
    for (const auto& s : steps) {
        EXPECT_EQ(s->priority(), 2);
        EXPECT_FALSE(s->isCompleted());
        EXPECT_FALSE(s->isRecurring());
        EXPECT_FALSE(s->notes().has_value());
        EXPECT_TRUE(s->id().has_value());
    }
    EXPECT_EQ(announced.count(), 1);
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(GoalDetailViewModelTest, OrdersAreCountsNotHighestPlusOne) {
    for (int i = 0; i < 3; ++i)
        vm->addMilestone(QStringLiteral("Milestone"), std::nullopt, {});
    vm->addMilestone(QStringLiteral("Milestone"), std::nullopt, {});
    auto ms = goal->milestonesArray();
    ASSERT_EQ(ms.size(), 4u);
    EXPECT_EQ(ms[3]->order(), 3);
    EXPECT_FALSE(ms[3]->frequency().has_value());

    vm->deleteMilestone(ms[1]);
    vm->addMilestone(QStringLiteral("Again"), MilestoneFrequency::daily, {});
    ms = goal->milestonesArray();
    ASSERT_EQ(ms.size(), 4u);
    int orderThree = 0;
    for (const auto& m : ms)
        orderThree += m->order() == 3 ? 1 : 0;
    EXPECT_EQ(orderThree, 2); // the new one shares its order with an existing one
}

TEST_F(GoalDetailViewModelTest, MilestonesAreTheGoalsOwnByOrderUnsavedOnesIncluded) {
    auto other = Goal::create(context);
    auto foreign = Milestone::create(context);
    foreign->setGoal(other);
    context->save();
    vm->addMilestone(QStringLiteral("First"), std::nullopt, {});
    vm->addMilestone(QStringLiteral("Second"), std::nullopt, {});
    auto first = goal->milestonesArray().front();
    first->setOrder(5); // moved last, not saved yet
    auto milestones = vm->milestones();
    ASSERT_EQ(milestones.size(), 2u) << "another goal's milestone never shows";
    EXPECT_EQ(milestones[0]->title(), QStringLiteral("Second"));
    EXPECT_EQ(milestones[1], first);
    // Equal orders keep the order the milestones were made in, as the goal's own list does.
    first->setOrder(1);
    milestones = vm->milestones();
    EXPECT_EQ(milestones, goal->milestonesArray());
}

TEST_F(GoalDetailViewModelTest, AddStepStoresNoEmptyNotes) {
    auto m = milestoneWith({});
    vm->addStep(QStringLiteral("  "), QString(), 3, StepInputType::inputField, m);
    vm->addStep(QStringLiteral("Plan"), std::nullopt, 1, StepInputType::checkbox, m);
    vm->addStep(QStringLiteral("Note"), QStringLiteral("why"), 2, StepInputType::checkbox, m);
    const auto steps = m->stepsArray();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0]->title(), QStringLiteral("  "));
    EXPECT_FALSE(steps[0]->notes().has_value());
    EXPECT_EQ(steps[0]->priority(), 3);
    EXPECT_EQ(steps[0]->inputType(), QStringLiteral("Write a note"));
    EXPECT_FALSE(steps[1]->notes().has_value());
    EXPECT_EQ(steps[2]->notes(), QStringLiteral("why"));
}

TEST_F(GoalDetailViewModelTest, TickingTheLastOpenStepCompletesAndCelebratesForThreeSeconds) {
    auto m = milestoneWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    addJournalEntries(4);
    QSignalSpy announced(vm.get(), &GoalDetailViewModel::changed);
    QSignalSpy confetti(vm.get(), &GoalDetailViewModel::showConfettiChanged);
    auto steps = m->stepsArray();

    vm->toggleStep(steps[0]);
    vm->toggleStep(steps[1]);
    EXPECT_EQ(vm->progressText().percent, QStringLiteral("66%"));
    EXPECT_EQ(vm->progressText().caption, QStringLiteral("Based on steps"));
    EXPECT_FALSE(m->isCompleted());
    EXPECT_FALSE(vm->showConfetti());
    EXPECT_EQ(steps[0]->completedAt(), kNow);

    Clock::advance(60);
    vm->toggleStep(steps[2]);
    EXPECT_TRUE(m->isCompleted());
    EXPECT_EQ(m->completedAt(), kNow.addSecs(60));
    EXPECT_TRUE(vm->showConfetti());
    EXPECT_EQ(goal->momentumState(), QStringLiteral("coasting"));
    EXPECT_EQ(announced.count(), 3);
    EXPECT_FALSE(context->hasChanges());
    EXPECT_DOUBLE_EQ(goal->progressPercentage(), 1.0);

    Clock::advanceMs(2999);
    EXPECT_TRUE(vm->showConfetti());
    Clock::advanceMs(1);
    EXPECT_FALSE(vm->showConfetti());
    EXPECT_EQ(confetti.count(), 2);
}

TEST_F(GoalDetailViewModelTest, UntickingKeepsTheMilestoneCompletedAndCelebratesNothingAgain) {
    auto m = milestoneWith({QStringLiteral("Read")});
    auto step = m->stepsArray().front();
    vm->toggleStep(step);
    Clock::advance(5);
    ASSERT_FALSE(vm->showConfetti());
    const auto completedAt = m->completedAt();

    vm->toggleStep(step);
    EXPECT_FALSE(step->isCompleted());
    EXPECT_FALSE(step->completedAt().has_value());
    EXPECT_TRUE(m->isCompleted());
    EXPECT_EQ(m->completedAt(), completedAt);
    vm->toggleStep(step);
    EXPECT_FALSE(vm->showConfetti());
}

TEST_F(GoalDetailViewModelTest, MomentumFollowsTheJournalWhateverTheSteps) {
    auto m = milestoneWith({QStringLiteral("Read"), QStringLiteral("Write")});
    auto step = m->stepsArray().front();
    vm->toggleStep(step);
    EXPECT_EQ(goal->momentumState(), QStringLiteral("stalling"));
    addJournalEntries(5);
    vm->toggleStep(step); // un-ticking refreshes it too
    EXPECT_EQ(goal->momentumState(), QStringLiteral("accelerating"));
}

TEST_F(GoalDetailViewModelTest, StepWithoutMilestoneIsFlippedAndMomentumStillRecomputed) {
    auto loose = Step::create(context);
    context->save();
    addJournalEntries(2);
    vm->toggleStep(loose);
    EXPECT_TRUE(loose->isCompleted());
    EXPECT_EQ(goal->momentumState(), QStringLiteral("coasting"));
    EXPECT_FALSE(vm->showConfetti());
}

TEST_F(GoalDetailViewModelTest, SecondCompletionWithinThreeSecondsEndsWithTheFirstHide) {
    auto a = milestoneWith({QStringLiteral("A")});
    auto b = milestoneWith({QStringLiteral("B")});
    vm->toggleStep(a->stepsArray().front());
    Clock::advance(2);
    vm->toggleStep(b->stepsArray().front());
    EXPECT_TRUE(vm->showConfetti());
    Clock::advance(1);
    EXPECT_FALSE(vm->showConfetti());
}

TEST_F(GoalDetailViewModelTest, LeavingBeforeTheCelebrationEndsIsSafe) {
    auto m = milestoneWith({QStringLiteral("Read")});
    vm->toggleStep(m->stepsArray().front());
    ASSERT_TRUE(vm->showConfetti());
    vm.reset();
    Clock::advance(5);
    EXPECT_EQ(Clock::pendingCount(), 0);
}

TEST_F(GoalDetailViewModelTest, FrequencyIsSetAndClearedWithoutRenaming) {
    auto m = milestoneWith({});
    vm->setFrequency(MilestoneFrequency::biYearly, m);
    EXPECT_EQ(m->frequency(), QStringLiteral("Bi-Yearly"));
    EXPECT_EQ(m->title(), QStringLiteral("Weekly"));
    vm->setFrequency(std::nullopt, m);
    EXPECT_FALSE(m->frequency().has_value());
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(GoalDetailViewModelTest, DeletingRemovesStepsAndMilestonesFromTheStore) {
    auto m = milestoneWith({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QSignalSpy announced(vm.get(), &GoalDetailViewModel::changed);
    vm->deleteStep(m->stepsArray().front());
    EXPECT_EQ(countOf(Step::entityName()), 2);
    vm->deleteMilestone(m);
    EXPECT_EQ(countOf(Milestone::entityName()), 0);
    EXPECT_EQ(countOf(Step::entityName()), 0);
    EXPECT_TRUE(goal->milestonesArray().empty());
    EXPECT_EQ(announced.count(), 2);
    EXPECT_FALSE(context->hasChanges());
}

} // namespace
