#include "ViewModels/Calendar/CalendarTestSupport.h"

#include "ViewModels/CalendarToastSequence.h"

#include <QSignalSpy>

namespace {

using CalendarTaskDates = CalendarTest;

const QString kDaily = QStringLiteral("Daily");
const QString kWeekdays = QStringLiteral("Weekdays");
const QString kWeekly = QStringLiteral("Weekly");

TEST_F(CalendarTaskDates, WeeklyTasksRepeatOnLaterSameWeekdays) {
    auto& vm = model();
    vm.selectDate(local(2026, 3, 11)); // a Wednesday
    ASSERT_TRUE(
        vm.addTask(QStringLiteral("Swim"), std::nullopt, nullptr, TaskRepeatFrequency::weekly, std::nullopt));
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 11)), QStringList{"Swim"});
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 18, 15)), QStringList{"Swim"});
    EXPECT_EQ(taskTitlesOn(local(2027, 3, 10)), QStringList{"Swim"});
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 4)).isEmpty());
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 19)).isEmpty());
    EXPECT_TRUE(vm.hasTask(local(2026, 3, 25)));
    EXPECT_FALSE(vm.hasTask(local(2026, 3, 24)));
}

TEST_F(CalendarTaskDates, RepetitionRunsThroughTheWholeEndDay) {
    task(QStringLiteral("Stretch"), local(2026, 3, 2), kDaily, local(2026, 3, 10, 7, 30));
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 10, 23)), QStringList{"Stretch"});
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 11)).isEmpty());
    EXPECT_TRUE(model().hasTask(local(2026, 3, 10)));
    EXPECT_FALSE(model().hasTask(local(2026, 3, 11)));
}

TEST_F(CalendarTaskDates, WeekdayTasksSkipWeekendsWhateverTheFirstWeekday) {
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    task(QStringLiteral("Standup"), local(2026, 3, 14), kWeekdays); // a Saturday
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 14)), QStringList{"Standup"});
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 15)).isEmpty());
    for (int d = 16; d <= 20; ++d)
        EXPECT_EQ(taskTitlesOn(local(2026, 3, d)), QStringList{"Standup"}) << d;
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 21)).isEmpty());
}

TEST_F(CalendarTaskDates, RepeatingTasksFollowTheDaysOwnTasks) {
    task(QStringLiteral("Read"), local(2026, 3, 14), kDaily);
    Clock::advance(60);
    task(QStringLiteral("Call mum"), local(2026, 3, 14));
    Clock::advance(60);
    task(QStringLiteral("Errands"), local(2026, 3, 15));
    task(QStringLiteral("Odd"), local(2026, 3, 1), QStringLiteral("Fortnightly"));
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 14)), (QStringList{"Read", "Call mum"}));
    EXPECT_EQ(taskTitlesOn(local(2026, 3, 15)), (QStringList{"Errands", "Read"}));
}

TEST_F(CalendarTaskDates, ARepeatingTaskIsOneRecordOnEveryDay) {
    auto read = task(QStringLiteral("Read"), local(2026, 3, 14), kDaily);
    auto sub = subtask(read, QStringLiteral("Chapter 1"));
    auto& vm = model();
    vm.selectDate(local(2026, 3, 16));
    ASSERT_TRUE(vm.toggleTask(vm.tasksForSelectedDate().at(0)));
    vm.selectDate(local(2026, 3, 20));
    EXPECT_TRUE(vm.tasksForSelectedDate().at(0)->isCompleted());
    ASSERT_TRUE(vm.deleteTask(vm.tasksForSelectedDate().at(0)));
    EXPECT_TRUE(vm.tasksForSelectedDate().empty());
    EXPECT_TRUE(taskTitlesOn(local(2026, 3, 14)).isEmpty());
    // Its subtasks went with it.
    EXPECT_TRUE(sub->isDeleted());
    EXPECT_EQ(count(CalendarSubtask::entityName()), 0);
}

TEST_F(CalendarTaskDates, CarryForwardCopiesOpenWorkToTheDayAfterTheChosenDay) {
    auto source = task(QStringLiteral("Report"), local(2026, 3, 10), kDaily);
    source->setNotes(QStringLiteral("for Friday"));
    context->save();
    subtask(source, QStringLiteral("Draft"));
    Clock::advance(1);
    subtask(source, QStringLiteral("Charts"), true);
    Clock::advance(1);
    subtask(source, QStringLiteral("Send"));
    auto& vm = model();
    vm.selectDate(local(2026, 3, 14)); // a later day of the repeating task
    QSignalSpy changed(&vm, &CalendarViewModel::changed);
    ASSERT_TRUE(vm.carryForward(source));
    EXPECT_EQ(vm.toastMessage(), QStringLiteral("Report moved to tomorrow"));
    EXPECT_EQ(changed.count(), 1);
    // The chosen day's list is not fetched again, and the source stays as it was.
    EXPECT_EQ(vm.tasksForSelectedDate().size(), 1u);
    EXPECT_FALSE(source->isCompleted());
    EXPECT_EQ(source->subtasks().size(), 3u);

    const QStringList next = taskTitlesOn(local(2026, 3, 15));
    EXPECT_EQ(next, (QStringList{"Report", "Report"}));
    auto copy = vm.tasksForSelectedDate().at(0);
    EXPECT_NE(copy, source);
    EXPECT_EQ(copy->date(), local(2026, 3, 15));
    EXPECT_EQ(copy->carriedFromDate(), local(2026, 3, 10));
    EXPECT_EQ(copy->notes(), QStringLiteral("for Friday"));
    EXPECT_FALSE(copy->isFollowUp());
    EXPECT_FALSE(copy->repeatFrequency().has_value());
    QStringList subtasks;
    for (const auto& s : copy->wrappedSubtasks())
        subtasks << *s->title() + (s->isCompleted() ? "+" : "");
    EXPECT_EQ(subtasks, (QStringList{"Draft", "Send"}));

    auto untitled = task(QStringLiteral("x"), local(2026, 3, 15));
    untitled->setTitle(std::nullopt);
    context->save();
    ASSERT_TRUE(vm.carryForward(untitled));
    EXPECT_EQ(vm.toastMessage(), QStringLiteral("Untitled Task moved to tomorrow"));
}

TEST_F(CalendarTaskDates, FollowUpLandsOnTheStartOfThePickedDay) {
    auto source = task(QStringLiteral("Invoice"), local(2026, 3, 14));
    auto& vm = model();
    QSignalSpy fetched(&vm, &CalendarViewModel::tasksChanged);
    ASSERT_TRUE(vm.scheduleFollowUp(source, local(2026, 3, 20, 17, 45)));
    EXPECT_EQ(fetched.count(), 1);
    EXPECT_FALSE(vm.toastMessage().has_value());
    model().selectDate(local(2026, 3, 20));
    ASSERT_EQ(vm.tasksForSelectedDate().size(), 1u);
    const auto copy = vm.tasksForSelectedDate()[0];
    EXPECT_EQ(copy->date(), local(2026, 3, 20));
    EXPECT_TRUE(copy->isFollowUp());
    EXPECT_EQ(copy->carriedFromDate(), local(2026, 3, 14));
    EXPECT_FALSE(copy->repeatUntil().has_value());
}

TEST_F(CalendarTaskDates, ToastShowsForTwoSecondsAndClearsAfterItsExit) {
    auto source = task(QStringLiteral("Report"), local(2026, 3, 14));
    auto& vm = model();
    CalendarToastSequence toast(&vm);
    ASSERT_TRUE(vm.carryForward(source));
    EXPECT_TRUE(toast.isShown());
    Clock::advanceMs(1999);
    EXPECT_TRUE(toast.isShown());
    Clock::advanceMs(1);
    EXPECT_FALSE(toast.isShown());
    EXPECT_EQ(vm.toastMessage(), QStringLiteral("Report moved to tomorrow"));
    // The same message again while it is still set starts nothing.
    ASSERT_TRUE(vm.carryForward(source));
    EXPECT_FALSE(toast.isShown());
    Clock::advanceMs(350);
    EXPECT_FALSE(vm.toastMessage().has_value());
    EXPECT_EQ(Clock::pendingCount(), 0);
}

TEST_F(CalendarTaskDates, TickingTheLastOpenSubtaskCompletesTheTask) {
    auto t = task(QStringLiteral("Move"), local(2026, 3, 14));
    auto a = subtask(t, QStringLiteral("Pack"));
    auto b = subtask(t, QStringLiteral("Drive"));
    auto& vm = model();
    ASSERT_TRUE(vm.toggleSubtask(a));
    EXPECT_FALSE(t->isCompleted());
    ASSERT_TRUE(vm.toggleSubtask(b));
    EXPECT_TRUE(t->isCompleted());
    ASSERT_TRUE(vm.toggleSubtask(a));
    EXPECT_FALSE(a->isCompleted());
    EXPECT_TRUE(t->isCompleted());
    EXPECT_FALSE(context->hasChanges());
}

TEST_F(CalendarTaskDates, TitlesAndNotesAreStoredAsTyped) {
    auto t = task(QStringLiteral("Plan"), local(2026, 3, 14));
    auto s = subtask(t, QStringLiteral("Step"));
    auto& vm = model();
    QSignalSpy changed(&vm, &CalendarViewModel::changed);
    EXPECT_TRUE(vm.editTask(t, QStringLiteral("   ")));
    EXPECT_TRUE(vm.editSubtask(s, QStringLiteral("\t \u00a0")));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(t->title(), QStringLiteral("Plan"));
    EXPECT_EQ(s->title(), QStringLiteral("Step"));
    ASSERT_TRUE(vm.editTask(t, QStringLiteral(" Plan B ")));
    ASSERT_TRUE(vm.editSubtask(s, QStringLiteral("\nStep")));
    EXPECT_EQ(t->title(), QStringLiteral(" Plan B "));
    EXPECT_EQ(s->title(), QStringLiteral(" Step")) << "a title is one line";
    ASSERT_TRUE(vm.saveTaskNotes(t, QStringLiteral("  ")));
    EXPECT_EQ(t->notes(), QStringLiteral("  "));
    ASSERT_TRUE(vm.saveTaskNotes(t, QString()));
    EXPECT_FALSE(t->notes().has_value());
    ASSERT_TRUE(vm.saveSubtaskNotes(s, QStringLiteral("ok")));
    EXPECT_EQ(s->notes(), QStringLiteral("ok"));
    EXPECT_EQ(changed.count(), 5);
}

TEST_F(CalendarTaskDates, CategoriesComeInCreationOrder) {
    auto& vm = model();
    auto work = vm.createCategory(QStringLiteral("Work"), QStringLiteral("#3B82F6"));
    Clock::advance(1);
    auto home = vm.createCategory(QStringLiteral("Home"), QStringLiteral("#22C55E"));
    Clock::advance(1);
    auto again = vm.createCategory(QStringLiteral("Work"), QStringLiteral("#3B82F6"));
    ASSERT_TRUE(work && home && again);
    ASSERT_EQ(vm.categories().size(), 3u);
    EXPECT_EQ(vm.categories()[0], work);
    EXPECT_EQ(vm.categories()[2], again);
    ASSERT_TRUE(vm.addTask(QStringLiteral("Taxes"), std::nullopt, home, std::nullopt, std::nullopt));
    EXPECT_EQ(vm.tasksForSelectedDate().at(0)->category(), home);
    EXPECT_EQ(vm.tasksForSelectedDate().at(0)->date(), local(2026, 3, 14));
}

} // namespace
