#include "ViewModels/GoalRowText.h"

#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/Milestone.h"
#include "Models/ModelTestSupport.h"
#include "Models/Step.h"
#include "Platform/DateText.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "ViewModels/GoalText.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include <climits>
#include <cmath>

namespace {

// Noon on a Tuesday, a few days clear of any change of daylight saving time.
class GoalRowTextDates : public FrozenClockStoreTest {
protected:
    GoalRowTextDates()
        : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::systemTimeZone())) {}

    std::shared_ptr<Goal> goal(const std::optional<QString>& title = QStringLiteral("Run a marathon")) {
        auto g = Goal::create(context);
        g->setTitle(title);
        return g;
    }
    void milestone(const std::shared_ptr<Goal>& owner, bool completed) {
        auto m = Milestone::create(context);
        m->setTitle(QStringLiteral("Step up"));
        m->setIsCompleted(completed);
        m->setGoal(owner);
    }
    void spend(const std::shared_ptr<Goal>& towards, double amount) {
        auto e = Expense::create(context);
        e->setAmount(amount);
        e->setGoalID(towards->id());
    }
    // The row's and the card's deadline for a goal due at the instant.
    std::pair<std::optional<QString>, DeadlineTone> rowDeadline(const QDateTime& due, double progress = 0) {
        auto g = goal();
        g->setDeadline(due);
        g->setManualProgress(progress);
        const GoalRowText text = GoalRowText::of(*g, false, now);
        return {text.deadline, text.deadlineTone};
    }
    std::pair<std::optional<QString>, QString> cardDeadline(const QDateTime& due) {
        auto g = goal();
        g->setDeadline(due);
        const GoalCardText text = GoalCardText::of(*g, false, now);
        return {text.deadline, text.deadlineSymbol};
    }
};

TEST_F(GoalRowTextDates, AGoalWithoutTitleCategoryColourOrKnownPriorityReadsTheFallbacks) {
    auto bare = goal(std::nullopt);
    bare->setPriority(9);
    const GoalRowText row = GoalRowText::of(*bare, false, now);
    const GoalCardText card = GoalCardText::of(*bare, false, now);
    for (const QString& title : {row.title, card.title})
        EXPECT_EQ(title, QStringLiteral("Untitled Goal"));
    for (const QString& category : {row.category, card.category})
        EXPECT_EQ(category, QStringLiteral("Personal"));
    for (const QColor& color : {row.color, card.color})
        EXPECT_EQ(color, QColor(0x8B, 0x5C, 0xF6));
    for (GoalPriority priority : {row.priority, card.priority})
        EXPECT_EQ(priority, GoalPriority::medium);
    EXPECT_EQ(GoalLook::color(nullptr), QColor(0x8B, 0x5C, 0xF6));

    auto named = goal(QStringLiteral("Learn the cello"));
    named->setCategory(QStringLiteral("Music"));
    named->setColorHex(QStringLiteral("#10B981"));
    named->setPriority(3);
    const GoalRowText own = GoalRowText::of(*named, false, now);
    EXPECT_EQ(own.title, QStringLiteral("Learn the cello"));
    EXPECT_EQ(own.category, QStringLiteral("Music"));
    EXPECT_EQ(own.color, QColor(0x10, 0xB9, 0x81));
    EXPECT_EQ(own.priority, GoalPriority::high);
    // A hidden goal shows dots, never its title, on a row and on a card alike.
    EXPECT_EQ(GoalRowText::of(*named, true, now).title, QStringLiteral("•••••••"));
    EXPECT_EQ(GoalCardText::of(*named, true, now).title, QStringLiteral("•••••••"));
    EXPECT_EQ(GoalCardText::of(*named, true, now).category, QStringLiteral("Music"));
}

TEST_F(GoalRowTextDates, TheDeadlineToneTurnsAtAWeekAndAtAWholeDayPast) {
    const QDateTime day = now; // the reference instant handed in
    EXPECT_EQ(rowDeadline(day.addDays(30)),
              std::pair(std::optional(QStringLiteral("Due in 30d")), DeadlineTone::later));
    EXPECT_EQ(rowDeadline(day.addDays(7)),
              std::pair(std::optional(QStringLiteral("Due in 7d")), DeadlineTone::later));
    // A second short of seven days is six whole days: soon.
    EXPECT_EQ(rowDeadline(day.addDays(7).addSecs(-1)),
              std::pair(std::optional(QStringLiteral("Due in 6d")), DeadlineTone::soon));
    EXPECT_EQ(rowDeadline(day.addSecs(3600)),
              std::pair(std::optional(QStringLiteral("Due in 0d")), DeadlineTone::soon));
    // Passed by less than a whole day still reads as due today.
    EXPECT_EQ(rowDeadline(day.addSecs(-3600)),
              std::pair(std::optional(QStringLiteral("Due in 0d")), DeadlineTone::soon));
    EXPECT_EQ(rowDeadline(day.addDays(-1)),
              std::pair(std::optional(QStringLiteral("Overdue")), DeadlineTone::overdue));
    // The row reads the day count only: a finished goal past its deadline still says so.
    EXPECT_EQ(rowDeadline(day.addDays(-3), 1.0),
              std::pair(std::optional(QStringLiteral("Overdue")), DeadlineTone::overdue));

    auto open = goal();
    const GoalRowText none = GoalRowText::of(*open, false, now);
    EXPECT_FALSE(none.deadline.has_value());
    EXPECT_FALSE(GoalCardText::of(*open, false, now).deadline.has_value());

    // The reference instant decides, not the clock.
    open->setDeadline(day.addDays(3));
    EXPECT_EQ(GoalRowText::of(*open, false, now.addDays(5)).deadline, QStringLiteral("Overdue"));
}

TEST_F(GoalRowTextDates, TheCardSpellsTheDeadlineOutAndWarnsWhenOverdue) {
    const QString calendar = QStringLiteral("calendar");
    const QString warning = QStringLiteral("exclamationmark.triangle.fill");
    EXPECT_EQ(cardDeadline(now.addDays(-3)),
              std::pair(std::optional(QStringLiteral("Overdue by 3d")), warning));
    EXPECT_EQ(cardDeadline(now.addSecs(-3600)),
              std::pair(std::optional(QStringLiteral("Due today")), calendar));
    EXPECT_EQ(cardDeadline(now.addDays(1)),
              std::pair(std::optional(QStringLiteral("Due tomorrow")), calendar));
    EXPECT_EQ(cardDeadline(now.addDays(6)),
              std::pair(std::optional(QStringLiteral("Due in 6 days")), calendar));
    EXPECT_EQ(cardDeadline(now.addDays(7)),
              std::pair(std::optional(QStringLiteral("Due in 7 days")), calendar));
    // The day count of the farthest past prints whole, never wrapped to a positive number.
    EXPECT_EQ(GoalCardText::deadlineText(INT_MIN), QStringLiteral("Overdue by 2147483648d"));
    EXPECT_EQ(GoalCardText::deadlineText(12000), QStringLiteral("Due in 12000 days"));
}

TEST_F(GoalRowTextDates, AMoneyGoalShowsWholeUnitsUngroupedInAnyLocale) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    auto saving = goal(QStringLiteral("New bike"));
    saving->setNeedsMoney(true);
    saving->setTargetAmount(12500.99);
    saving->setStreak(4);
    spend(saving, 1000.5);
    spend(saving, 234.9);
    ASSERT_TRUE(context->save());
    const GoalRowText row = GoalRowText::of(*saving, false, now);
    // Fractions dropped, not rounded; no grouping and no currency even where the locale groups.
    EXPECT_EQ(row.money, QStringLiteral("1235/12500"));
    EXPECT_FALSE(row.streak.has_value()) << "a money goal shows its money in the streak's place";
    EXPECT_EQ(row.percent, QStringLiteral("9%"));

    // A stored amount past what a double writes plainly still prints in full.
    saving->setTargetAmount(1e20);
    EXPECT_EQ(GoalRowText::of(*saving, false, now).money, QStringLiteral("1235/100000000000000000000"));

    auto running = goal();
    running->setStreak(5);
    EXPECT_FALSE(GoalRowText::of(*running, false, now).money.has_value());
    EXPECT_EQ(GoalRowText::of(*running, false, now).streak, QStringLiteral("5d"));
    running->setStreak(0);
    EXPECT_FALSE(GoalRowText::of(*running, false, now).streak.has_value());
    // The card's streak badge shows from one day.
    EXPECT_FALSE(GoalCardText::of(*running, false, now).showsStreak);
    running->setStreak(1);
    EXPECT_TRUE(GoalCardText::of(*running, false, now).showsStreak);
}

TEST_F(GoalRowTextDates, ProgressAndEffortsReadAsTyped) {
    auto manual = goal();
    manual->setManualProgress(0.29);
    GoalRowText row = GoalRowText::of(*manual, false, now);
    EXPECT_EQ(row.percent, QStringLiteral("29%")) << "a binary fraction never reads one lower";
    EXPECT_DOUBLE_EQ(row.progress, 0.29);
    EXPECT_EQ(row.efforts, QStringLiteral("0/0"));

    manual->setManualProgress(0.999);
    EXPECT_EQ(GoalRowText::of(*manual, false, now).percent, QStringLiteral("99%")) << "never rounded up";
    manual->setManualProgress(std::nan(""));
    row = GoalRowText::of(*manual, false, now);
    EXPECT_EQ(row.percent, QStringLiteral("0%"));
    EXPECT_EQ(row.progress, 0.0);
    EXPECT_EQ(GoalCardText::of(*manual, false, now).progress, 0.0);

    auto planned = goal();
    milestone(planned, true);
    milestone(planned, false);
    milestone(planned, true);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(GoalRowText::of(*planned, false, now).efforts, QStringLiteral("2/3"));
}

TEST_F(GoalRowTextDates, SidebarItemAndProgressCardReadTheirPercentCaptionAndGoal) {
    auto g = goal();
    g->setManualProgress(0.29);
    g->setColorHex(QStringLiteral("#10B981"));
    const SidebarGoalText item = SidebarGoalText::of(*g, false);
    EXPECT_EQ(item.goalID, g->objectID());
    EXPECT_EQ(item.title, QStringLiteral("Run a marathon"));
    EXPECT_EQ(item.percent, QStringLiteral("29%"));
    EXPECT_EQ(item.color, QColor(0x10, 0xB9, 0x81));
    const SidebarGoalText masked = SidebarGoalText::of(*g, true);
    EXPECT_TRUE(masked.masked);
    EXPECT_EQ(masked.title, QStringLiteral("\u2022\u2022\u2022\u2022\u2022\u2022\u2022"));
    EXPECT_EQ(masked.percent, QStringLiteral("29%")) << "masking hides the title alone";
    EXPECT_EQ(GoalRowText::of(*g, true, now).goalID, g->objectID());
    EXPECT_TRUE(GoalCardText::of(*g, true, now).masked);

    GoalProgressText card = GoalProgressText::of(*g);
    EXPECT_EQ(card.caption, QStringLiteral("Manual"));
    EXPECT_FALSE(card.fromSteps);
    EXPECT_EQ(card.percent, QStringLiteral("29%"));
    EXPECT_EQ(card.color, item.color);

    // Once the goal has steps they decide, and the manual figure no longer counts.
    auto m = Milestone::create(context);
    m->setGoal(g);
    for (bool done : {true, false, false}) {
        auto s = Step::create(context);
        s->setIsCompleted(done);
        s->setMilestone(m);
    }
    ASSERT_TRUE(context->save());
    card = GoalProgressText::of(*g);
    EXPECT_EQ(card.caption, QStringLiteral("Based on steps"));
    EXPECT_TRUE(card.fromSteps);
    EXPECT_EQ(card.percent, QStringLiteral("33%"));
    EXPECT_EQ(SidebarGoalText::of(*g, false).percent, QStringLiteral("33%"));
}

TEST_F(GoalRowTextDates, TheDetailHeaderSaysOverdueByTheInstantItIsGiven) {
    auto g = goal();
    const GoalHeaderText bare = GoalHeaderText::of(*g, now);
    EXPECT_FALSE(bare.deadline.has_value());
    EXPECT_FALSE(bare.overdue);
    EXPECT_FALSE(bare.streak.has_value());
    EXPECT_TRUE(bare.notes.isEmpty());

    g->setDeadline(now.addSecs(3600));
    g->setStreak(5);
    g->setNotes(QStringLiteral("Sub four hours"));
    const GoalHeaderText due = GoalHeaderText::of(*g, now);
    EXPECT_EQ(due.deadline, DateText::medium(now.date()));
    EXPECT_FALSE(due.overdue);
    EXPECT_EQ(due.streak, QStringLiteral("5 day streak"));
    EXPECT_EQ(due.notes, QStringLiteral("Sub four hours"));
    EXPECT_EQ(due.title, QStringLiteral("Run a marathon"));
    EXPECT_TRUE(GoalHeaderText::of(*g, now.addDays(2)).overdue) << "the instant decides, not the clock";

    // An achieved goal's row says when it was due, and nothing without a deadline.
    EXPECT_EQ(ArchivedGoalText::of(*g).completedBy,
              QStringLiteral("Completed by ") + DateText::medium(now.date()));
    EXPECT_EQ(ArchivedGoalText::of(*g).goalID, g->objectID());
    EXPECT_FALSE(ArchivedGoalText::of(*goal()).completedBy.has_value());
}

TEST_F(GoalRowTextDates, MilestonesAndStepsWithoutTitlesReadTheirFallbacks) {
    auto m = Milestone::create(context);
    EXPECT_EQ(GoalText::milestoneTitle(m.get()), QStringLiteral("Untitled Milestone"));
    EXPECT_EQ(GoalText::milestoneTitle(nullptr), QStringLiteral("Untitled Milestone"));
    m->setTitle(QStringLiteral("Base miles"));
    // A card heads with a known frequency; text that only looks like one is no frequency.
    m->setFrequency(QStringLiteral("weekly"));
    EXPECT_EQ(GoalText::milestoneHeading(*m), QStringLiteral("Base miles"));
    m->setFrequency(QStringLiteral("Weekly"));
    EXPECT_EQ(GoalText::milestoneHeading(*m), QStringLiteral("Weekly"));
    EXPECT_EQ(GoalText::milestoneTitle(m.get()), QStringLiteral("Base miles"));

    auto step = Step::create(context);
    EXPECT_EQ(GoalText::stepTitle(step.get()), QStringLiteral("Untitled Step"));
    EXPECT_EQ(GoalText::stepTitle(nullptr), QStringLiteral("Untitled Step"));
    step->setTitle(QStringLiteral("Long run"));
    EXPECT_EQ(GoalText::stepTitle(step.get()), QStringLiteral("Long run"));
}

} // namespace
