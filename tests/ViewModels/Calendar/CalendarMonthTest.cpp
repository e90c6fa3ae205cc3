#include "ViewModels/Calendar/CalendarTestSupport.h"

#include "Models/Bill.h"

#include <QSignalSpy>

namespace {

using CalendarMonthDates = CalendarTest;

TEST_F(CalendarMonthDates, DaysOfAMonthAreTheStartsOfItsDays) {
    auto& vm = model();
    vm.selectDate(local(2024, 2, 10));
    while (vm.currentMonth().date().month() != 2 || vm.currentMonth().date().year() != 2024)
        vm.previousMonth();
    const auto leapFebruary = vm.daysInMonth();
    ASSERT_EQ(leapFebruary.size(), 29u);
    for (int d = 0; d < 29; ++d)
        EXPECT_EQ(leapFebruary[static_cast<std::size_t>(d)], QDate(2024, 2, d + 1).startOfDay(Qt::LocalTime));
    for (int i = 0; i < 12; ++i)
        vm.nextMonth();
    EXPECT_EQ(vm.daysInMonth().size(), 28u); // February 2025
    vm.nextMonth();
    vm.nextMonth();
    EXPECT_EQ(vm.daysInMonth().size(), 30u); // April 2025
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("April 2025"));
}

TEST_F(CalendarMonthDates, BlankCellsFollowTheLocalesFirstWeekday) {
    // September 2024 begins on a Sunday, March 2026 on a Sunday too, April 2026 on a Wednesday.
    Clock::setFake(local(2024, 9, 5, 12));
    EXPECT_EQ(model().leadingEmptyDays(), 0);
    EXPECT_EQ(model().firstWeekday(), 1);
    vm.reset();
    QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
    EXPECT_EQ(model().leadingEmptyDays(), 6);
    EXPECT_EQ(model().firstWeekday(), 2);
    vm.reset();
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    Clock::setFake(local(2026, 4, 1, 12));
    EXPECT_EQ(model().leadingEmptyDays(), 2);
    EXPECT_EQ(model().monthTitle(), QStringLiteral("April 2026"));
    vm.reset();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(model().leadingEmptyDays(), 3);
}

TEST_F(CalendarMonthDates, MonthStepsAcrossShortMonthsAndTheYearEnd) {
    Clock::setFake(local(2026, 1, 31, 18));
    auto& vm = model();
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("January 2026"));
    vm.nextMonth();
    EXPECT_EQ(vm.currentMonth().date(), QDate(2026, 2, 28));
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("February 2026"));
    vm.nextMonth();
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("March 2026"));
    vm.previousMonth();
    vm.previousMonth();
    vm.previousMonth();
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("December 2025"));
    // Moving the month neither selects nor fetches a day; choosing a day leaves the month.
    EXPECT_EQ(vm.selectedDate(), local(2026, 1, 31, 18));
    vm.selectDate(local(2026, 5, 2));
    EXPECT_EQ(vm.monthTitle(), QStringLiteral("December 2025"));
}

TEST_F(CalendarMonthDates, MilestonesFollowTheGoalsCreationDay) {
    // Created on Wednesday 15 January 2025; the deadline is Wednesday 21 January 2026.
    auto g = goal(local(2025, 1, 15, 9), local(2026, 1, 21, 23));
    milestone(g, QStringLiteral("Quarterly"));
    milestone(g, QStringLiteral("Bi-Yearly"));
    milestone(g, QStringLiteral("Annually"));
    milestone(g, QStringLiteral("Weekly"));
    milestone(g, QStringLiteral("One Time"), local(2026, 2, 1)); // due after the deadline
    milestone(g, QStringLiteral("Fortnightly"));
    EXPECT_EQ(milestoneTitlesOn(local(2025, 1, 14)), QStringList());
    EXPECT_EQ(milestoneTitlesOn(local(2025, 1, 15, 22)),
              (QStringList{"Quarterly", "Bi-Yearly", "Annually", "Weekly"}));
    EXPECT_EQ(milestoneTitlesOn(local(2025, 4, 15)), QStringList{"Quarterly"});
    EXPECT_EQ(milestoneTitlesOn(local(2025, 7, 15)), (QStringList{"Quarterly", "Bi-Yearly"}));
    EXPECT_EQ(milestoneTitlesOn(local(2025, 10, 15)), (QStringList{"Quarterly", "Weekly"}));
    EXPECT_EQ(milestoneTitlesOn(local(2025, 1, 22)), QStringList{"Weekly"});
    EXPECT_EQ(milestoneTitlesOn(local(2025, 1, 23)), QStringList());
    EXPECT_EQ(milestoneTitlesOn(local(2026, 1, 15)), (QStringList{"Quarterly", "Bi-Yearly", "Annually"}));
    // The deadline's own day is in, the day after it out.
    EXPECT_EQ(milestoneTitlesOn(local(2026, 1, 21)), QStringList{"Weekly"});
    EXPECT_EQ(milestoneTitlesOn(local(2026, 1, 28)), QStringList());
    EXPECT_EQ(milestoneTitlesOn(local(2026, 2, 1)), QStringList());
    EXPECT_EQ(milestoneTitlesOn(local(2026, 4, 15)), QStringList());
}

TEST_F(CalendarMonthDates, MonthlyMilestonesSkipShortMonths) {
    auto g = goal(local(2026, 1, 31, 8));
    milestone(g, QStringLiteral("Monthly"));
    milestone(g, QStringLiteral("One Time"));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 1, 31)), (QStringList{"Monthly", "One Time"}));
    EXPECT_TRUE(milestoneTitlesOn(local(2026, 2, 28)).isEmpty());
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 31)), QStringList{"Monthly"});
    EXPECT_TRUE(milestoneTitlesOn(local(2026, 4, 30)).isEmpty());
}

TEST_F(CalendarMonthDates, HiddenGoalsAreLeftOutAchievedAndCompletedAreKept) {
    auto shown = goal(local(2026, 3, 1));
    shown->setIsArchived(true);
    auto done = milestone(shown, QStringLiteral("Daily"));
    done->setIsCompleted(true);
    context->save();
    auto hidden = goal(local(2026, 3, 2));
    milestone(hidden, QStringLiteral("Daily"));
    milestone(hidden, QStringLiteral("Weekly"));
    auto& vm = model();
    vm.selectDate(local(2026, 3, 14));
    EXPECT_EQ(vm.milestonesForSelectedDate().size(), 2u);
    EXPECT_EQ(vm.activityIntensity(local(2026, 3, 16)), 0.75);
    const auto tasksBefore = vm.tasksForSelectedDate();
    QSignalSpy tasksSpy(&vm, &CalendarViewModel::tasksChanged);
    vm.updateHiddenGoals({hidden->objectID()});
    ASSERT_EQ(vm.milestonesForSelectedDate().size(), 1u);
    EXPECT_EQ(vm.milestonesForSelectedDate()[0].goal, shown);
    EXPECT_EQ(vm.milestonesForSelectedDate()[0].id, done->objectID());
    EXPECT_EQ(tasksSpy.count(), 0);
    EXPECT_EQ(vm.activityIntensity(local(2026, 3, 16)), 0.25);
    EXPECT_EQ(vm.monthMarks()[15].intensity, 0.25);
}

TEST_F(CalendarMonthDates, ActivityIsAQuarterPerMilestoneCappedAtOne) {
    auto g = goal(local(2026, 3, 1));
    for (int i = 0; i < 5; ++i)
        milestone(g, QStringLiteral("Daily"));
    auto other = goal(local(2026, 3, 1));
    for (int i = 0; i < 3; ++i)
        milestone(other, QStringLiteral("Weekly")); // Sundays
    auto& vm = model();
    EXPECT_EQ(vm.activityIntensity(local(2026, 2, 28)), 0.0);
    EXPECT_EQ(vm.activityIntensity(local(2026, 3, 2)), 1.0);
    vm.updateHiddenGoals({g->objectID()});
    EXPECT_EQ(vm.activityIntensity(local(2026, 3, 8)), 0.75);
    EXPECT_EQ(vm.activityIntensity(local(2026, 3, 9)), 0.0);
}

TEST_F(CalendarMonthDates, BillsDueOnADayIncludeLateDueDaysOnTheLastDay) {
    bill(QStringLiteral("Rent"), 31);
    bill(QStringLiteral("Internet"), 30);
    bill(QStringLiteral("Gym"), 29);
    bill(QStringLiteral("Cloud"), 28);
    bill(QStringLiteral("Apps"), 28);
    auto& vm = model();
    auto names = [&](const QDateTime& day) {
        QStringList out;
        for (const auto& b : vm.billsDue(day))
            out << *b->name();
        return out;
    };
    EXPECT_EQ(names(local(2026, 3, 31)), QStringList{"Rent"});
    EXPECT_EQ(names(local(2026, 4, 30)), (QStringList{"Internet", "Rent"}));
    EXPECT_EQ(names(local(2026, 2, 28)), (QStringList{"Apps", "Cloud", "Gym", "Internet", "Rent"}));
    EXPECT_EQ(names(local(2028, 2, 28)), (QStringList{"Apps", "Cloud"}));
    EXPECT_EQ(names(local(2028, 2, 29)), (QStringList{"Gym", "Internet", "Rent"}));
    EXPECT_EQ(names(local(2026, 4, 29)), QStringList{"Gym"});
    EXPECT_TRUE(names(local(2026, 4, 27)).isEmpty());
    EXPECT_TRUE(vm.hasBillDue(local(2026, 4, 30)));
    EXPECT_FALSE(vm.hasBillDue(local(2026, 4, 27)));
}

TEST_F(CalendarMonthDates, MonthMarksAreComputedOncePerChange) {
    Clock::setFake(local(2026, 4, 10, 12));
    bill(QStringLiteral("Rent"), 31);
    auto g = goal(local(2026, 4, 6));
    milestone(g, QStringLiteral("Weekly")); // Mondays
    task(QStringLiteral("Dentist"), local(2026, 4, 21));
    auto& vm = model();
    QSignalSpy spy(&vm, &CalendarViewModel::monthMarksChanged);
    const auto& marks = vm.monthMarks();
    ASSERT_EQ(marks.size(), 30u);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QDateTime day = vm.daysInMonth()[i];
        EXPECT_EQ(marks[i].intensity, vm.activityIntensity(day)) << i;
        EXPECT_EQ(marks[i].hasTask, vm.hasTask(day)) << i;
        EXPECT_EQ(marks[i].hasBill, vm.hasBillDue(day)) << i;
    }
    EXPECT_EQ(marks[5].intensity, 0.25);
    EXPECT_TRUE(marks[20].hasTask);
    EXPECT_TRUE(marks[29].hasBill);
    // Asking again, selecting a day or a store change the marks do not show leaves them.
    const auto* cached = vm.monthMarks().data();
    vm.selectDate(local(2026, 4, 2));
    EXPECT_EQ(vm.monthMarks().data(), cached);
    EXPECT_EQ(spy.count(), 0);

    vm.nextMonth();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(vm.monthMarks().size(), 31u);
    vm.updateHiddenGoals({g->objectID()});
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(vm.monthMarks()[3].intensity, 0.0);
    // Another screen's write reaches the grid once the store announces it.
    vm.previousMonth();
    bill(QStringLiteral("Phone"), 3);
    QCoreApplication::processEvents();
    EXPECT_TRUE(vm.monthMarks()[2].hasBill);
}

// The day's milestones come from the store's rows while nothing is unsaved and from the
// records otherwise; both list goals oldest first (one without a creation day first of all)
// and each goal's milestones in their order, whatever order they were stored in.
TEST_F(CalendarMonthDates, ADaysMilestonesKeepGoalOrderSavedOrNot) {
    auto later = goal(local(2026, 3, 5));
    auto second = milestone(later, QStringLiteral("Daily"));
    auto first = milestone(later, QStringLiteral("Weekly"));
    second->setTitle(QStringLiteral("B2"));
    second->setOrder(1);
    first->setTitle(QStringLiteral("B1"));
    first->setOrder(0);
    auto earlier = goal(local(2026, 3, 1));
    auto unnamed = milestone(earlier, QStringLiteral("Daily"));
    unnamed->setTitle(QStringLiteral("A1"));
    unnamed->setId(std::nullopt); // found through its goal
    auto undated = Goal::create(context);
    undated->setCreatedAt(std::nullopt);
    milestone(undated, QStringLiteral("Daily"))->setTitle(QStringLiteral("N"));
    context->save();
    // Saturday 14 March: the weekly one comes round on the goal's Thursday, not today.
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 14)), (QStringList{"N", "A1", "B2"}));
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 19)), (QStringList{"N", "A1", "B1", "B2"}));

    auto pending = Milestone::create(context);
    pending->setTitle(QStringLiteral("A2"));
    pending->setFrequency(QStringLiteral("Daily"));
    pending->setOrder(1);
    pending->setGoal(earlier);
    vm.reset();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 19)), (QStringList{"N", "A1", "A2", "B1", "B2"}));
    EXPECT_EQ(model().activityIntensity(local(2026, 3, 19)), 1.0);
    context->save();
    vm.reset();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 19)), (QStringList{"N", "A1", "A2", "B1", "B2"}));

    // A milestone deleted before the model hears of it is left out rather than shown empty,
    // and a goal's deletion takes its milestones off the calendar.
    context->deleteObject(first);
    context->save();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 19)), (QStringList{"N", "A1", "A2", "B2"}));
    context->deleteObject(later);
    context->save();
    vm.reset();
    EXPECT_EQ(milestoneTitlesOn(local(2026, 3, 19)), (QStringList{"N", "A1", "A2"}));
}

} // namespace
