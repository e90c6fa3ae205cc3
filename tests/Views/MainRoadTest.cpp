// The system's main road, walked in the real window: a new goal, a check-in schedule with a
// step, the tick that completes it and the celebration, the progress following everywhere,
// then the journal and the achievement that closes the goal.

#include "Views/MainRoadSupport.h"

#include "Components/AnimatedProgressRing.h"
#include "Components/ConfettiView.h"
#include "Components/ElidedLabel.h"
#include "Models/Achievement.h"
#include "Models/DailyLog.h"
#include "Views/Achievements/AchievementTimelineRow.h"
#include "Views/Achievements/AchievementsView.h"
#include "Views/Achievements/AddAchievementSheet.h"
#include "Views/DailyLog/AddLogView.h"
#include "Views/DailyLog/DailyLogEntryView.h"
#include "Views/DailyLog/DailyLogView.h"
#include "Views/DailyLog/GoalChip.h"
#include "Views/Goals/ArchivedGoalRow.h"

#include <QPlainTextEdit>

namespace {

int stepsInStore(ObjectContext* context) {
    return context->count(FetchRequest(Step::entityName()));
}

} // namespace

TEST_F(MainRoad, FromNewGoalToACelebratedMilestoneWithProgressEverywhere) {
    start();
    EXPECT_TRUE(!window_->contentView()->onboardingOverlay() ||
                !window_->contentView()->onboardingOverlay()->isVisible());
    EXPECT_TRUE(!window_->contentView()->checkInOverlay() ||
                !window_->contentView()->checkInOverlay()->isVisible());

    click(sidebar()->findChild<SidebarNewGoalButton*>());
    ASSERT_EQ(vm_->selectedDestination(), AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr) << "the sidebar's \"New Goal\" opens the goals destination";
    EXPECT_EQ(topSheet(), nullptr) << "and nothing more";
    ASSERT_FALSE(goalsScreen()->isGridMode()) << "a fresh user starts in list mode";

    auto goal = createGoal(QStringLiteral("Read more"));
    ASSERT_TRUE(goal);
    ASSERT_NE(rowOf(goal), nullptr) << "the new goal is listed";
    ASSERT_NE(sidebarItemOf(goal), nullptr) << "and joins the sidebar";

    click(rowOf(goal), QPoint(40, 20));
    ASSERT_NE(detail(), nullptr) << "selecting the goal opens the side panel";
    EXPECT_EQ(detail()->goal(), goal);
    auto* empty = detail()->findChild<QLabel*>(QStringLiteral("emptyMilestonesText"));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->isVisible());
    EXPECT_EQ(empty->text(), QStringLiteral("No check-in schedule yet. Tap + to add one."));
    EXPECT_EQ(detailText("progressCaption"), QStringLiteral("Manual"));
    render(QStringLiteral("1-empty-detail"));

    ASSERT_NO_FATAL_FAILURE(addMilestone(MilestoneFrequency::weekly, {QStringLiteral("Read")},
                                         QStringLiteral("2-add-milestone-sheet")));
    ASSERT_EQ(milestoneCards().size(), 1);
    EXPECT_FALSE(empty->isVisible());
    MilestoneCard* card = milestoneCards().first();
    EXPECT_EQ(card->findChild<ElidedLabel*>(QStringLiteral("milestoneName"))->fullText(),
              QStringLiteral("Weekly"));
    EXPECT_EQ(card->findChild<QLabel*>(QStringLiteral("milestoneCount"))->text(), QStringLiteral("0/1"));
    EXPECT_TRUE(stepRows().isEmpty()) << "a new card starts collapsed";
    render(QStringLiteral("3-collapsed-milestone"));

    ASSERT_NO_FATAL_FAILURE(tick(0));
    card = milestoneCards().first();
    EXPECT_TRUE(card->findChild<ElidedLabel*>(QStringLiteral("milestoneName"))->font().strikeOut())
        << "the completed milestone is struck through";
    EXPECT_EQ(card->findChild<QLabel*>(QStringLiteral("milestoneCount"))->text(), QStringLiteral("1/1"));
    auto* confetti = detail()->findChild<ConfettiView*>(QStringLiteral("confetti"));
    ASSERT_NE(confetti, nullptr) << "completing the milestone celebrates";
    EXPECT_TRUE(confetti->isVisible());
    QWidget* panelHost = goalsScreen()->findChild<QWidget*>(QStringLiteral("goalsDetailPanelHost"));
    ASSERT_NE(panelHost, nullptr);
    EXPECT_TRUE(panelHost->isAncestorOf(confetti)) << "the confetti falls inside the side panel";
    EXPECT_EQ(confetti->geometry(), detail()->rect());
    EXPECT_LE(panelHost->width(), GoalsView::kDetailPanelWidth);
    confetti->freezeAt(0.5);
    render(QStringLiteral("4-celebrating"));

    Clock::advance(3);
    qv::test::settle();
    confetti = detail()->findChild<ConfettiView*>(QStringLiteral("confetti"));
    EXPECT_TRUE(!confetti || !confetti->isVisible()) << "the celebration ends after 3 seconds";
    EXPECT_EQ(detailText("progressPercent"), QStringLiteral("100%"));
    EXPECT_EQ(detailText("progressCaption"), QStringLiteral("Based on steps"));
    ASSERT_NE(rowOf(goal), nullptr);
    EXPECT_EQ(rowOf(goal)->findChild<QLabel*>(QStringLiteral("goalRowPercent"))->text(),
              QStringLiteral("100%"));
    EXPECT_EQ(sidebarPercent(goal), QStringLiteral("100%"));
    render(QStringLiteral("5-complete-list"));

    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsGridModeButton")));
    ASSERT_TRUE(goalsScreen()->isGridMode());
    ASSERT_NE(cardOf(goal), nullptr);
    EXPECT_EQ(cardOf(goal)->findChild<AnimatedProgressRing*>(QStringLiteral("goalCardRing"))->percentShown(),
              100);
    EXPECT_EQ(detail()->goal(), goal) << "switching to the grid keeps the panel";
    render(QStringLiteral("6-complete-grid"));
}

TEST_F(MainRoad, ASecondGoalFollowsEachTickAndDeletingItsMilestoneRemovesItsSteps) {
    start();
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    ASSERT_FALSE(goalsScreen()->isGridMode()) << "a fresh user starts in list mode";
    auto first = createGoal(QStringLiteral("Read more"));
    ASSERT_TRUE(first);
    click(rowOf(first), QPoint(40, 20));
    ASSERT_NO_FATAL_FAILURE(addMilestone(MilestoneFrequency::weekly, {QStringLiteral("Read")}));

    Clock::advance(60);
    auto second = createGoal(QStringLiteral("Get fit"));
    ASSERT_TRUE(second);
    click(rowOf(second), QPoint(40, 20));
    ASSERT_NE(detail(), nullptr);
    ASSERT_EQ(detail()->goal(), second) << "selecting another goal switches the panel";
    ASSERT_NO_FATAL_FAILURE(
        addMilestone(MilestoneFrequency::daily,
                     {QStringLiteral("Stretch"), QStringLiteral("Run"), QStringLiteral("Swim")}));
    ASSERT_EQ(stepsInStore(context()), 4);
    ASSERT_EQ(sidebar()->goalItems().size(), 2);
    EXPECT_EQ(sidebar()->goalItems().first()->goalID(), first->objectID()) << "oldest first";
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("0%"));

    ASSERT_NO_FATAL_FAILURE(tick(0));
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("33%"));
    ASSERT_NO_FATAL_FAILURE(tick(1));
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("66%"));
    EXPECT_EQ(detailText("progressPercent"), QStringLiteral("66%"));
    EXPECT_EQ(sidebarPercent(first), QStringLiteral("0%"));
    render(QStringLiteral("7-second-goal-two-of-three"));

    ASSERT_EQ(milestoneCards().size(), 1);
    click(milestoneCards().first()->findChild<QToolButton*>(QStringLiteral("milestoneDelete")));
    ASSERT_NE(topSheet(), nullptr) << "deleting a milestone asks first";
    EXPECT_EQ(topSheet()->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Delete \"Daily\"?"));
    render(QStringLiteral("8-delete-milestone-dialog"));
    pressAlertButton(QStringLiteral("Delete Milestone"));
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_EQ(stepsInStore(context()), 1) << "the milestone's three steps go with it";
    EXPECT_EQ(context()->count(FetchRequest(Milestone::entityName())), 1);
    EXPECT_TRUE(milestoneCards().isEmpty());
    EXPECT_TRUE(detail()->findChild<QLabel*>(QStringLiteral("emptyMilestonesText"))->isVisible());
    EXPECT_EQ(detailText("progressCaption"), QStringLiteral("Manual"));
    EXPECT_EQ(sidebarPercent(second), QStringLiteral("0%"));
}

TEST_F(MainRoad, JournalEntryThenTheGoalIsAchievedAndRecorded) {
    start();
    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    ASSERT_FALSE(goalsScreen()->isGridMode()) << "a fresh user starts in list mode";
    auto goal = createGoal(QStringLiteral("Learn guitar"));
    ASSERT_TRUE(goal);
    Clock::advance(60);
    auto other = createGoal(QStringLiteral("Other goal"));
    ASSERT_TRUE(other);

    goTo(AppDestination::journal);
    auto* journal = qobject_cast<DailyLogView*>(screen());
    ASSERT_NE(journal, nullptr);
    click(journal->findChild<QPushButton*>(QStringLiteral("logProgressButton")));
    auto* entry = sheet<AddLogView>();
    ASSERT_NE(entry, nullptr) << "the journal's add sheet opens";
    for (GoalChip* chip : entry->findChildren<GoalChip*>())
        if (chip->goal() == goal)
            click(chip);
    ASSERT_EQ(entry->selectedGoal(), goal);
    entry->findChild<QPlainTextEdit*>(QStringLiteral("notesEditor"))->setPlainText(QStringLiteral("Chords"));
    render(QStringLiteral("9-journal-add-sheet"));
    click(entry->findChild<QPushButton*>(QStringLiteral("saveButton")));
    EXPECT_EQ(topSheet(), nullptr);
    QStringList listed;
    for (DailyLogEntryView* row : journal->findChildren<DailyLogEntryView*>())
        if (row->isVisible())
            listed << row->findChild<QLabel*>(QStringLiteral("goalName"))->text();
    EXPECT_EQ(listed, QStringList{QStringLiteral("Learn guitar")});
    EXPECT_EQ(goal->dailyLogs().size(), 1u);
    render(QStringLiteral("10-journal"));

    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    click(rowOf(goal), QPoint(40, 20));
    ASSERT_NE(detail(), nullptr);
    click(detail()->findChild<QToolButton*>(QStringLiteral("achieveButton")));
    ASSERT_NE(topSheet(), nullptr);
    EXPECT_EQ(topSheet()->findChild<QLabel*>(QStringLiteral("alertTitle"))->text(),
              QStringLiteral("Mark as Achieved?"));
    EXPECT_EQ(topSheet()->findChild<QLabel*>(QStringLiteral("alertMessage"))->text(),
              QStringLiteral("\"Learn guitar\" will be marked as complete."));
    pressAlertButton(QStringLiteral("Add to Achievements"));
    EXPECT_TRUE(goal->isArchived());
    auto* record = sheet<AddAchievementSheet>();
    ASSERT_NE(record, nullptr) << "the add-achievement sheet opens";
    EXPECT_EQ(record->title(), QStringLiteral("Learn guitar"));
    EXPECT_EQ(record->emoji(), QStringLiteral("\U0001F3C6"));
    render(QStringLiteral("11-add-achievement-sheet"));
    click(record->findChild<QPushButton*>(QStringLiteral("saveButton")));
    EXPECT_EQ(topSheet(), nullptr);
    ASSERT_EQ(context()->count(FetchRequest(Achievement::entityName())), 1);
    EXPECT_EQ(rowOf(goal), nullptr) << "the achieved goal leaves the active list";
    EXPECT_EQ(sidebarItemOf(goal), nullptr) << "and the sidebar";
    EXPECT_NE(sidebarItemOf(other), nullptr);

    goTo(AppDestination::achievements);
    auto* achievements = qobject_cast<AchievementsView*>(screen());
    ASSERT_NE(achievements, nullptr);
    QStringList wins;
    for (AchievementTimelineRow* row : achievements->findChildren<AchievementTimelineRow*>())
        if (row->isVisible())
            wins << row->findChild<QLabel*>(QStringLiteral("achievementTitle"))->text();
    EXPECT_EQ(wins, QStringList{QStringLiteral("Learn guitar")});
    EXPECT_EQ(achievements->findChild<QLabel*>(QStringLiteral("winsLogged"))->text(),
              QStringLiteral("1 win logged"));
    render(QStringLiteral("12-achievements"));

    goTo(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);
    click(goalsScreen()->findChild<QToolButton*>(QStringLiteral("goalsAchievedTab")));
    ASSERT_TRUE(goalsScreen()->isShowingArchived());
    QStringList achieved;
    for (ArchivedGoalRow* row : goalsScreen()->findChildren<ArchivedGoalRow*>())
        if (row->isVisible())
            achieved << row->findChild<QLabel*>(QStringLiteral("archivedGoalTitle"))->text();
    EXPECT_EQ(achieved, QStringList{QStringLiteral("Learn guitar")});
    render(QStringLiteral("13-achieved-tab"));
}
