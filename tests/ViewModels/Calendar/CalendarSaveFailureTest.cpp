#include "ViewModels/Calendar/CalendarTestSupport.h"

#include "Platform/UserDefaults.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/CalendarStepEntries.h"

#include <QSignalSpy>

#include <algorithm>

namespace {

using CalendarSaveFailure = CalendarFileTest;

TEST_F(CalendarSaveFailure, AFailedSaveIsRolledBackAndTheDayFetchedAgain) {
    auto t = task(QStringLiteral("Pay rent"), local(2026, 3, 14));
    auto a = subtask(t, QStringLiteral("Transfer"));
    auto& vm = model();
    refuseWrites();
    QSignalSpy alerts(&SaveFailures::shared(), &SaveFailures::saveFailed);
    QSignalSpy fetched(&vm, &CalendarViewModel::tasksChanged);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(vm.addTask(QStringLiteral("Groceries"), std::nullopt, nullptr, std::nullopt, std::nullopt));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.rfind("CoreData save error: ", 0), 0u) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1);
    EXPECT_EQ(alerts.count(), 1);
    EXPECT_EQ(fetched.count(), 1);
    EXPECT_EQ(vm.tasksForSelectedDate().size(), 1u);

    // One action, one save: the subtask and the task it would complete go back together.
    EXPECT_FALSE(vm.toggleSubtask(a));
    EXPECT_FALSE(a->isCompleted());
    EXPECT_FALSE(t->isCompleted());
    EXPECT_EQ(alerts.count(), 2);

    EXPECT_FALSE(vm.carryForward(t));
    EXPECT_FALSE(vm.toastMessage().has_value());
    EXPECT_FALSE(vm.createCategory(QStringLiteral("Home"), QStringLiteral("#22C55E")));
    EXPECT_TRUE(vm.categories().empty());
    EXPECT_FALSE(vm.editTask(t, QStringLiteral("Pay the rent")));
    EXPECT_EQ(t->title(), QStringLiteral("Pay rent"));
    EXPECT_FALSE(vm.deleteTask(t));
    EXPECT_FALSE(t->isDeleted());
    EXPECT_EQ(vm.tasksForSelectedDate().at(0), t);
    EXPECT_FALSE(context->hasChanges());

    // Nothing the user saw fail reaches the disk with a later save.
    refuseWrites(false);
    ASSERT_TRUE(vm.toggleTask(t));
    reopen();
    auto stored = context->fetch<CalendarTask>(FetchRequest(CalendarTask::entityName()));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->title(), QStringLiteral("Pay rent"));
    EXPECT_TRUE(stored[0]->isCompleted());
    EXPECT_EQ(count(CalendarSubtask::entityName()), 1);
    EXPECT_EQ(count(TaskCategory::entityName()), 0);
}

TEST_F(CalendarSaveFailure, ADeletedTaskTakesItsSubtasksOffTheDisk) {
    auto t = task(QStringLiteral("Trip"), local(2026, 3, 14));
    subtask(t, QStringLiteral("Tickets"));
    subtask(t, QStringLiteral("Hotel"));
    ASSERT_TRUE(model().deleteTask(t));
    reopen();
    EXPECT_EQ(count(CalendarTask::entityName()), 0);
    EXPECT_EQ(count(CalendarSubtask::entityName()), 0);
}

using CalendarStepEntryDates = CalendarTest;

TEST_F(CalendarStepEntryDates, EntriesAreKeyedByStepAndGregorianDay) {
    auto step = Step::create(context);
    step->setId(QUuid::fromString(QStringLiteral("{6f1c0a52-3b7e-4d2a-9c41-0e5b7d8a9f10}")));
    const QDateTime day = local(2026, 3, 14, 23, 30);
    QLocale::setDefault(QLocale(QStringLiteral("ar_EG")));
    EXPECT_EQ(CalendarStepEntries::checkKey(*step, day),
              QStringLiteral("stepCheck.6F1C0A52-3B7E-4D2A-9C41-0E5B7D8A9F10.2026-03-14"));
    CalendarStepEntries::setChecked(*step, day, true);
    CalendarStepEntries::saveNote(*step, day, QStringLiteral("ran 5 km"));
    CalendarStepEntries::saveNote(*step, day, QString()); // an empty note never replaces one
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    EXPECT_TRUE(UserDefaults::standard().flag(
        QStringLiteral("stepCheck.6F1C0A52-3B7E-4D2A-9C41-0E5B7D8A9F10.2026-03-14")));
    EXPECT_EQ(CalendarStepEntries::note(*step, day), QStringLiteral("ran 5 km"));
    EXPECT_FALSE(CalendarStepEntries::isChecked(*step, local(2026, 3, 15)));
    CalendarStepEntries::setChecked(*step, day, false);
    EXPECT_EQ(UserDefaults::standard().optionalFlag(CalendarStepEntries::checkKey(*step, day)), false);
    EXPECT_FALSE(step->isCompleted());

    auto anonymous = Step::create(context);
    anonymous->setId(std::nullopt);
    EXPECT_EQ(CalendarStepEntries::noteKey(*anonymous, day), QStringLiteral("stepInput.unknown.2026-03-14"));
    EXPECT_FALSE(CalendarStepEntries::isTextStep(*anonymous));
    anonymous->setInputType(QStringLiteral("Write a note"));
    EXPECT_TRUE(CalendarStepEntries::isTextStep(*anonymous));
}

} // namespace
