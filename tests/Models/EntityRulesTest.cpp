#include "ModelTestSupport.h"

#include "Models/Achievement.h"
#include "Models/BankAccount.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/DailyLog.h"
#include "Models/Expense.h"
#include "Models/Goal.h"
#include "Models/GoalPriority.h"
#include "Models/LinkItem.h"
#include "Models/Milestone.h"
#include "Models/MilestoneFrequency.h"
#include "Models/MomentumState.h"
#include "Models/Step.h"
#include "Models/StepInputType.h"
#include "Models/TaskCategory.h"
#include "Models/TaskRepeatFrequency.h"

namespace {

class EntityRules : public ModelTest {};

std::vector<QString> titles(const std::vector<std::shared_ptr<Step>>& steps) {
    std::vector<QString> out;
    for (const auto& s : steps)
        out.push_back(s->title().value_or(QString()));
    return out;
}

TEST_F(EntityRules, StepsListOldestFirstUndatedFirstTiesInInsertionOrderAcrossRestart) {
    useFileStore();
    auto milestone = Milestone::create(context());
    EXPECT_TRUE(milestone->stepsArray().empty());
    const QDateTime shared = now().addDays(-30);
    auto add = [&](const char* title, std::optional<QDateTime> created, bool done) {
        auto step = Step::create(context());
        step->setTitle(QString::fromLatin1(title));
        step->setCreatedAt(created);
        step->setIsCompleted(done);
        step->setMilestone(milestone);
    };
    add("late", now(), true);
    add("tie1", shared, false);
    add("tie2", shared, true);
    add("undated", std::nullopt, false);
    add("tie3", shared, false);
    const std::vector<QString> expected{"undated", "tie1", "tie2", "tie3", "late"};
    EXPECT_EQ(titles(milestone->stepsArray()), expected);
    EXPECT_EQ(milestone->completedStepsCount(), 2);

    ASSERT_TRUE(store_->save());
    reopenFileStore();
    auto reread = context()->fetch<Milestone>(FetchRequest(Milestone::entityName()));
    ASSERT_EQ(reread.size(), 1u);
    EXPECT_EQ(titles(reread[0]->stepsArray()), expected);
    EXPECT_EQ(titles(reread[0]->stepsArray()), expected);
}

TEST_F(EntityRules, SubtasksListOldestFirst) {
    auto task = CalendarTask::create(context());
    EXPECT_TRUE(task->wrappedSubtasks().empty());
    auto later = CalendarSubtask::create(context());
    later->setTask(task);
    auto undated = CalendarSubtask::create(context());
    undated->setCreatedAt(std::nullopt);
    undated->setTask(task);
    auto earlier = CalendarSubtask::create(context());
    earlier->setCreatedAt(now().addSecs(-10));
    earlier->setTask(task);
    EXPECT_EQ(task->wrappedSubtasks(), (std::vector{undated, earlier, later}));
}

TEST_F(EntityRules, TickingAStepStampsItAndUntickingClearsTheStamp) {
    auto step = Step::create(context());
    step->toggleCompletion(now());
    EXPECT_TRUE(step->isCompleted());
    EXPECT_EQ(step->completedAt(), now());
    step->toggleCompletion(now().addSecs(60));
    EXPECT_FALSE(step->isCompleted());
    EXPECT_EQ(step->completedAt(), std::nullopt);
    step->toggleCompletion(now().addSecs(120));
    EXPECT_EQ(step->completedAt(), now().addSecs(120)) << "each tick stamps its own moment";
}

TEST_F(EntityRules, JournalEmojiFallBackToTheMiddle) {
    auto log = DailyLog::create(context());
    const std::vector<QString> mood{"\U0001F614", "\U0001F615", "\U0001F60A", "\U0001F604", "\U0001F929"};
    const std::vector<QString> energy{"\U0001F50B", "\u26A1", "\u2728", "\U0001F525", "\U0001F680"};
    for (int score = 1; score <= 5; ++score) {
        log->setMoodScore(static_cast<qint16>(score));
        log->setEnergyScore(static_cast<qint16>(score));
        EXPECT_EQ(log->moodEmoji(), mood[score - 1]);
        EXPECT_EQ(log->energyEmoji(), energy[score - 1]);
    }
    for (qint16 score : {0, 6, -1, 9}) {
        log->setMoodScore(score);
        log->setEnergyScore(score);
        EXPECT_EQ(log->moodEmoji(), QStringLiteral("\U0001F60A"));
        EXPECT_EQ(log->energyEmoji(), QStringLiteral("\u2728"));
    }
}

TEST_F(EntityRules, AchievementDateFallsBackToCreationThenNow) {
    auto achievement = Achievement::create(context());
    achievement->setCreatedAt(now().addDays(-2));
    achievement->setDate(now().addDays(-5));
    EXPECT_EQ(achievement->wrappedDate(), now().addDays(-5));
    achievement->setDate(std::nullopt);
    EXPECT_EQ(achievement->wrappedDate(), now().addDays(-2));
    achievement->setCreatedAt(std::nullopt);
    EXPECT_EQ(achievement->wrappedDate(), now());
    EXPECT_FALSE(achievement->relativeDate().isEmpty());
}

// Whatever a screen hands over (a paste into a title, say), a one-line attribute is stored as
// one line; notes keep their lines.
TEST_F(EntityRules, OneLineAttributesStoreOneLineAndNotesKeepTheirLines) {
    useFileStore();
    const QString pasted = QStringLiteral("Line one\n# Heading\r\n- [x] step\tend") + QChar(0);
    const QString clean = QStringLiteral("Line one # Heading - [x] step end");
    auto goal = Goal::create(context());
    goal->setTitle(pasted);
    goal->setCategory(pasted);
    goal->setNotes(pasted);
    auto milestone = Milestone::create(context());
    milestone->setGoal(goal);
    milestone->setTitle(pasted);
    auto step = Step::create(context());
    step->setMilestone(milestone);
    step->setTitle(pasted);
    auto account = BankAccount::create(context());
    account->setName(pasted);
    auto expense = Expense::create(context());
    expense->setTitle(pasted);
    expense->setCategory(pasted);
    auto link = LinkItem::create(context());
    link->setUrl(pasted);
    auto category = TaskCategory::create(context());
    category->setName(pasted);
    ASSERT_TRUE(context()->save());
    reopenFileStore();

    const auto stored = [this](const QString& entity, const char* key) {
        const auto all = context()->fetch(FetchRequest(entity));
        return all.empty() ? QVariant() : all.front()->value(QString::fromLatin1(key));
    };
    for (const auto& [entity, key] :
         std::vector<std::pair<QString, const char*>>{{Goal::entityName(), "title"},
                                                      {Goal::entityName(), "category"},
                                                      {Milestone::entityName(), "title"},
                                                      {Step::entityName(), "title"},
                                                      {BankAccount::entityName(), "name"},
                                                      {Expense::entityName(), "title"},
                                                      {Expense::entityName(), "category"},
                                                      {LinkItem::entityName(), "url"},
                                                      {TaskCategory::entityName(), "name"}})
        EXPECT_EQ(stored(entity, key).toString(), clean) << entity.toStdString() << "." << key;
    EXPECT_EQ(stored(Goal::entityName(), "notes").toString(), pasted);
}

TEST(StoredEnums, ParseExactRawValuesOnly) {
    EXPECT_EQ(TaskRepeatFrequencies::fromRaw(QStringLiteral("Weekdays")), TaskRepeatFrequency::weekdays);
    EXPECT_FALSE(TaskRepeatFrequencies::fromRaw(QStringLiteral("weekly")).has_value());
    EXPECT_FALSE(TaskRepeatFrequencies::fromRaw(QString()).has_value());
    EXPECT_EQ(MilestoneFrequencies::fromRaw(QStringLiteral("Bi-Yearly")), MilestoneFrequency::biYearly);
    EXPECT_FALSE(MilestoneFrequencies::fromRaw(QStringLiteral("Bi-yearly")).has_value());
    EXPECT_FALSE(MilestoneFrequencies::fromRaw(QStringLiteral("one time")).has_value());
    EXPECT_FALSE(MomentumStates::fromRaw(QStringLiteral("Accelerating")).has_value());
    EXPECT_EQ(StepInputTypes::fromRaw(QStringLiteral("Write a note")), StepInputType::inputField);
    EXPECT_FALSE(GoalPriorities::fromRaw(0).has_value());
    EXPECT_FALSE(GoalPriorities::fromRaw(4).has_value());
    EXPECT_EQ(GoalPriorities::fromRaw(3), GoalPriority::high);
    for (auto f : MilestoneFrequencies::allCases)
        EXPECT_EQ(MilestoneFrequencies::fromRaw(MilestoneFrequencies::rawValue(f)), f);
}

} // namespace
