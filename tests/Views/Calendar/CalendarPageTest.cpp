#include "Views/Calendar/CalendarPageTestSupport.h"

#include "Components/DatePickerField.h"
#include "ViewModels/CalendarStepEntries.h"
#include "ViewModels/Theme/AppTheme.h"
#include "Views/CalendarView/CalendarAddTaskBar.h"
#include "Views/CalendarView/CalendarBillRow.h"
#include "Views/CalendarView/CalendarDayCell.h"
#include "Views/CalendarView/CalendarMilestoneCard.h"
#include "Views/CalendarView/CalendarMonthColumn.h"
#include "Views/CalendarView/CalendarStepRow.h"
#include "Views/CalendarView/CalendarToast.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

using CalendarPage = CalendarPageTest;

CalendarDayCell* cellOf(CalendarPageView& page, int day) {
    return page.monthColumn()->dayCells().at(static_cast<std::size_t>(day - 1));
}

TEST_F(CalendarPage, SeededMonthShowsItsMarks) {
    auto goal = makeGoal(QStringLiteral("Run a marathon"), 8); // Monday 2 March
    goal->setColorHex(QStringLiteral("#F97316"));
    auto daily = milestone(goal, QStringLiteral("Morning run"), QStringLiteral("Daily"));
    step(daily, QStringLiteral("Stretch"), false);
    step(daily, QStringLiteral("How did it feel?"), true);
    milestone(goal, QStringLiteral("Long run"), QStringLiteral("Weekly"));
    auto work = category(QStringLiteral("Work"), QStringLiteral("#3B82F6"));
    auto home = category(QStringLiteral("Home"), QStringLiteral("#22C55E"));
    auto report = task(QStringLiteral("Quarterly report"), QDate(2026, 3, 10), work);
    subtask(report, QStringLiteral("Collect numbers"), true);
    subtask(report, QStringLiteral("Write summary"));
    task(QStringLiteral("Water the plants"), QDate(2026, 3, 10), home);
    task(QStringLiteral("Dentist"), QDate(2026, 3, 19));
    bill(QStringLiteral("Electricity"), 10, 1234.5);
    bill(QStringLiteral("Rent"), 31, 25000);
    auto& page = openPage();
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-seeded-month"));

    EXPECT_EQ(page.monthColumn()->blankCells(), 0);
    EXPECT_EQ(page.monthColumn()->weekdayTexts().first(), QStringLiteral("Sun"));
    EXPECT_EQ(cellOf(page, 1)->marks(), (CalendarDayMarks{0, false, false}));
    EXPECT_EQ(cellOf(page, 2)->marks(), (CalendarDayMarks{0.5, false, false}));
    EXPECT_EQ(cellOf(page, 10)->marks(), (CalendarDayMarks{0.25, true, true}));
    EXPECT_EQ(cellOf(page, 19)->marks().hasTask, true);
    EXPECT_EQ(cellOf(page, 31)->marks().hasBill, true);
    EXPECT_DOUBLE_EQ(CalendarDayCell::activityOpacity(0.25), 0.475);
    EXPECT_DOUBLE_EQ(CalendarDayCell::activityOpacity(1.0), 1.0);
    EXPECT_TRUE(cellOf(page, 10)->isToday());
    EXPECT_TRUE(cellOf(page, 10)->isSelectedDay());
    EXPECT_EQ(find<QLabel>("daySummary")->text(), QStringLiteral("1 task today"));
    EXPECT_EQ(find<QLabel>("selectedDateLabel")->text(), QStringLiteral("Tuesday, Mar 10"));
    EXPECT_EQ(find<QLabel>("billAmount")->text(), QStringLiteral("\u20b91,234"));

    click(cellOf(page, 16));
    EXPECT_FALSE(cellOf(page, 10)->isSelectedDay());
    EXPECT_TRUE(cellOf(page, 10)->isToday());
    EXPECT_TRUE(cellOf(page, 16)->isSelectedDay());
    EXPECT_EQ(find<QLabel>("daySummary")->text(), QStringLiteral("2 tasks today"));
    EXPECT_EQ(page.milestoneCards().size(), 2u);
    EXPECT_FALSE(find<QWidget>("billsSection")->isVisible());
    EXPECT_TRUE(find<QLabel>("emptyTasksLabel")->isVisible());
}

TEST_F(CalendarPage, DayDotsAreFilledCirclesWithoutARimInTheNumbersColour) {
    // Today's number is cyan and a selected day's white: neither may edge the dots under it.
    for (const bool selected : {false, true}) {
        SCOPED_TRACE(selected ? "selected" : "today");
        CalendarDayCell cell;
        cell.resize(48, CalendarDayCell::kHeight);
        cell.setDay(Clock::now(), selected, true, CalendarDayMarks{0.25, true, true});
        QImage image(cell.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        cell.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QColor fills[] = {AppTheme::Colors::green(), AppTheme::Colors::amber(),
                                AppTheme::Colors::rose()};
        int inked = 0;
        // Below the number's circle only the dots are drawn; each of their pixels is one of the
        // three fills, more or less covered.
        for (int y = 32; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() < 48)
                    continue;
                ++inked;
                bool isFill = false;
                for (const QColor& fill : fills)
                    isFill = isFill || (std::abs(pixel.red() - fill.red()) <= 12 &&
                                        std::abs(pixel.green() - fill.green()) <= 12 &&
                                        std::abs(pixel.blue() - fill.blue()) <= 12);
                EXPECT_TRUE(isFill) << "a rim at " << x << "," << y << ": " << pixel.name().toStdString();
            }
        EXPECT_GT(inked, 20) << "three dots are drawn";
    }
}

TEST_F(CalendarPage, WeekdayHeaderAndBlankCellsFollowTheLocale) {
    Clock::setFake(local(2024, 9, 12, 9, 0)); // September 2024 begins on a Sunday
    auto& us = openPage();
    EXPECT_EQ(us.monthColumn()->blankCells(), 0);
    host.reset();
    QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
    auto& gb = openPage();
    EXPECT_EQ(gb.monthColumn()->blankCells(), 6);
    EXPECT_EQ(gb.monthColumn()->weekdayTexts(),
              (QStringList{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
    // The 1st sits under "Sun", the last column.
    EXPECT_EQ(cellOf(gb, 1)->mapTo(host.get(), QPoint()).x(), cellOf(gb, 8)->mapTo(host.get(), QPoint()).x());
    EXPECT_GT(cellOf(gb, 1)->mapTo(host.get(), QPoint()).x(), cellOf(gb, 7)->mapTo(host.get(), QPoint()).x());
    qv::test::saveScreen(gb.monthColumn(), QStringLiteral("calendar-en-gb-header"));
    click(find<QWidget>("nextMonthButton"));
    EXPECT_EQ(find<QLabel>("monthTitle")->text(), QStringLiteral("October 2024"));
    EXPECT_EQ(gb.monthColumn()->blankCells(), 1);

    // German titles in German order; the header stays the fixed English list, from Monday.
    host.reset();
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    auto& de = openPage();
    EXPECT_EQ(find<QLabel>("monthTitle")->text(), QStringLiteral("September 2024"));
    EXPECT_EQ(find<QLabel>("selectedDateLabel")->text(), QStringLiteral("Donnerstag, 12. Sept."));
    EXPECT_EQ(de.monthColumn()->weekdayTexts(),
              (QStringList{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
    click(find<QWidget>("nextMonthButton"));
    EXPECT_EQ(find<QLabel>("monthTitle")->text(), QStringLiteral("Oktober 2024"));
}

TEST_F(CalendarPage, AddingAWeeklyTaskMarksLaterSameWeekdays) {
    auto& page = openPage();
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-empty-day"));
    EXPECT_TRUE(find<QWidget>("emptyDay")->isVisible());
    EXPECT_EQ(find<QLabel>("emptyTasksLabel")->text(),
              QStringLiteral("No tasks for today \u2014 tap + to add one"));
    click(find<QWidget>("toggleAddTaskButton"));
    auto* bar = page.addTaskBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_FALSE(find<QLabel>("emptyTasksLabel")->isVisible());
    EXPECT_FALSE(find<QWidget>("addTaskButton")->isEnabled());
    QTest::keyClicks(bar->titleField(), QStringLiteral("Swim"));
    click(find<QWidget>("repeatChipWeekly"));
    EXPECT_TRUE(bar->repeatUntilPicker()->isVisible());
    EXPECT_EQ(bar->repeatUntil().date(), QDate(2026, 4, 10));
    click(find<QWidget>("addTaskButton"));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(bar->titleField()->text().isEmpty());
    qv::test::settle();
    for (int day : {10, 17, 24, 31})
        EXPECT_TRUE(cellOf(page, day)->marks().hasTask) << day;
    for (int day : {3, 11, 16})
        EXPECT_FALSE(cellOf(page, day)->marks().hasTask) << day;
    ASSERT_EQ(model().tasksForSelectedDate().size(), 1u);
    EXPECT_EQ(model().tasksForSelectedDate()[0]->repeatUntil()->date(), QDate(2026, 4, 10));
}

TEST_F(CalendarPage, RepetitionEndNeverLiesBeforeTheChosenDay) {
    auto& page = openPage();
    click(find<QWidget>("toggleAddTaskButton"));
    model().selectDate(QDate(2026, 6, 1).startOfDay());
    click(find<QWidget>("repeatChipDaily"));
    auto* bar = page.addTaskBar();
    EXPECT_EQ(bar->repeatUntil().date(), QDate(2026, 7, 1));
    EXPECT_EQ(bar->repeatUntilPicker()->findChild<QDateTimeEdit*>()->minimumDate(), QDate(2026, 6, 1));
    // Choosing a later day while a repetition is chosen moves a too-early end again.
    model().selectDate(QDate(2026, 9, 15).startOfDay());
    EXPECT_EQ(bar->repeatUntil().date(), QDate(2026, 10, 15));
}

TEST_F(CalendarPage, FilterChipsNarrowTheListAndResetOnADayChange) {
    auto work = category(QStringLiteral("Work"), QStringLiteral("#3B82F6"));
    auto home = category(QStringLiteral("Home"), QStringLiteral("#22C55E"));
    task(QStringLiteral("Deck"), QDate(2026, 3, 10), work);
    task(QStringLiteral("Laundry"), QDate(2026, 3, 10), home);
    task(QStringLiteral("Email"), QDate(2026, 3, 10), work);
    task(QStringLiteral("Walk"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto chips = host->findChildren<CalendarChip*>(QStringLiteral("categoryChip"));
    QStringList filterTexts;
    for (auto* chip : chips)
        if (chip->isVisible())
            filterTexts << chip->label();
    EXPECT_EQ(filterTexts, (QStringList{"Work", "Home"}));
    page.setFilter(home);
    ASSERT_EQ(page.taskRows().size(), 1u);
    EXPECT_EQ(page.taskRows()[0]->task()->title(), QStringLiteral("Laundry"));
    page.setFilter(nullptr);
    EXPECT_EQ(page.taskRows().size(), 4u);
    page.setFilter(work);
    EXPECT_EQ(page.taskRows().size(), 2u);
    model().selectDate(QDate(2026, 3, 11).startOfDay());
    EXPECT_EQ(page.filterCategory(), nullptr);
    model().selectDate(QDate(2026, 3, 10).startOfDay());
    page.setFilter(work);
    for (auto* row : page.taskRows())
        model().deleteTask(row->task());
    qv::test::settle();
    EXPECT_EQ(find<QLabel>("emptyTasksLabel")->text(), QStringLiteral("No Work tasks today"));
}

TEST_F(CalendarPage, CarryForwardShowsAToastThatLeavesOnTheClock) {
    task(QStringLiteral("Report"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    row->setHovered(true);
    click(row->findChild<QWidget*>("tomorrowButton"));
    EXPECT_EQ(page.toast()->message(), QStringLiteral("Report moved to tomorrow"));
    EXPECT_TRUE(page.toast()->isShown());
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-toast"));
    Clock::advanceMs(2000);
    EXPECT_FALSE(page.toast()->isShown());
    Clock::advanceMs(350);
    EXPECT_FALSE(model().toastMessage().has_value());
    EXPECT_FALSE(page.toast()->isVisible());
    EXPECT_TRUE(cellOf(page, 11)->marks().hasTask);
}

TEST_F(CalendarPage, TheCarryForwardToastTakesItsTextsWidthAndWrapsPastThePages) {
    task(QStringLiteral("Morning run & stretch"), QDate(2026, 3, 10));
    const QString longTitle =
        QStringLiteral("Call the insurance office about the renewal letter, then file the "
                       "receipts for the quarter and book the follow-up appointment");
    task(longTitle, QDate(2026, 3, 10));
    auto& page = openPage();
    const auto moveToTomorrow = [&](const QString& title) {
        for (auto* row : page.taskRows())
            if (row->task()->title() == title) {
                row->setHovered(true);
                click(row->findChild<QWidget*>("tomorrowButton"));
                return;
            }
        ADD_FAILURE() << "no row " << title.toStdString();
    };
    CalendarToast* toast = page.toast();
    moveToTomorrow(QStringLiteral("Morning run & stretch"));
    ASSERT_TRUE(toast->isShown());
    EXPECT_EQ(toast->lines(), QStringList{QStringLiteral("Morning run & stretch moved to tomorrow")})
        << "one line, whole";
    const int oneLine = toast->height();
    EXPECT_LT(toast->width(), page.width() / 2) << "no wider than its text";
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-toast-short"));

    Clock::advanceMs(2400);
    moveToTomorrow(longTitle);
    ASSERT_TRUE(toast->isShown());
    EXPECT_EQ(toast->lines().join(QLatin1Char(' ')), longTitle + QStringLiteral(" moved to tomorrow"))
        << "every word shows";
    EXPECT_GE(toast->lines().size(), 2);
    EXPECT_GT(toast->height(), oneLine);
    EXPECT_LE(toast->width(), page.width()) << "no wider than the page";
    EXPECT_GE(toast->x(), 0);
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-toast-wrapped"));

    // A narrower page wraps the shown toast anew.
    host->resize(620, 760);
    page.resize(620, 760);
    qv::test::settle();
    EXPECT_LE(toast->width(), 620);
    EXPECT_GE(toast->x(), 0);
    EXPECT_EQ(toast->lines().join(QLatin1Char(' ')), longTitle + QStringLiteral(" moved to tomorrow"));
}

TEST_F(CalendarPage, HidingAGoalRemovesItsCardsAtOnce) {
    auto goal = makeGoal(QStringLiteral("Learn piano"), 3);
    milestone(goal, QStringLiteral("Scales"), QStringLiteral("Daily"));
    auto other = makeGoal(QStringLiteral("Read more"), 3);
    milestone(other, QStringLiteral("Chapter"), QStringLiteral("Daily"));
    auto& page = openPage();
    ASSERT_EQ(page.milestoneCards().size(), 2u);
    auto* kept = page.milestoneCards()[1];
    kept->toggleExpanded();
    app->toggleGoalHidden(goal->objectID());
    ASSERT_EQ(page.milestoneCards().size(), 1u);
    EXPECT_EQ(page.milestoneCards()[0], kept);
    EXPECT_FALSE(kept->isExpanded());
    EXPECT_EQ(cellOf(page, 10)->marks().intensity, 0.25);
}

TEST_F(CalendarPage, ManyMilestonesAreCardedABatchAtATime) {
    auto goal = makeGoal(QStringLiteral("Everything"), 3);
    for (int i = 0; i < 30; ++i)
        milestone(goal, QStringLiteral("Habit %1").arg(i), QStringLiteral("Daily"));
    auto& page = openPage();
    EXPECT_EQ(find<QLabel>("daySummary")->text(), QStringLiteral("30 tasks today"));
    // Cards enough to fill the view, not all thirty.
    EXPECT_GE(page.milestoneCards().size(), CalendarPageView::kCardBatch);
    EXPECT_LT(page.milestoneCards().size(), 30u);
    auto* scroll = find<QScrollArea>("dayScroll");
    for (int i = 0; i < 8 && page.milestoneCards().size() < 30; ++i) {
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        qv::test::settle();
    }
    EXPECT_EQ(page.milestoneCards().size(), 30u);
    model().selectDate(QDate(2026, 3, 11).startOfDay());
    qv::test::settle();
    EXPECT_LT(page.milestoneCards().size(), 30u);
}

TEST_F(CalendarPage, ManyTasksAreRowedABatchAtATimeInTheirOrder) {
    auto work = category(QStringLiteral("Work"), QStringLiteral("#3B82F6"));
    for (int i = 0; i < 40; ++i) {
        auto t = task(QStringLiteral("Task %1").arg(i), QDate(2026, 3, 10), i % 2 ? work : nullptr);
        subtask(t, QStringLiteral("Part of %1").arg(i));
    }
    auto& page = openPage();
    // Rows enough to fill the view, not all forty, and the bills and goals below them wait.
    EXPECT_GE(page.taskRows().size(), CalendarPageView::kTaskBatch);
    EXPECT_LT(page.taskRows().size(), 40u);
    auto* scroll = find<QScrollArea>("dayScroll");
    for (int i = 0; i < 12 && page.taskRows().size() < 40; ++i) {
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        qv::test::settle();
    }
    const auto rows = page.taskRows();
    const auto& tasks = model().tasksForSelectedDate();
    ASSERT_EQ(rows.size(), 40u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i]->task(), tasks[i]);
    // A filter shows its own tasks, again from one batch; so does another day.
    page.setFilter(work);
    qv::test::settle();
    for (auto* row : page.taskRows())
        EXPECT_EQ(row->task()->category(), work);
    model().selectDate(QDate(2026, 3, 11).startOfDay());
    qv::test::settle();
    model().selectDate(QDate(2026, 3, 10).startOfDay());
    qv::test::settle();
    EXPECT_LT(page.taskRows().size(), 40u);
    EXPECT_FALSE(find<QLabel>("emptyTasksLabel")->isVisible());
}

TEST_F(CalendarPage, AThirtyFirstBillIsDueOnTheThirtiethOfApril) {
    UserDefaults::standard().setText(QStringLiteral("financeCurrencyCode"), QStringLiteral("USD"));
    bill(QStringLiteral("Rent"), 31, 1234.5);
    auto& page = openPage();
    click(find<QWidget>("nextMonthButton"));
    EXPECT_TRUE(cellOf(page, 30)->marks().hasBill);
    click(cellOf(page, 30));
    EXPECT_TRUE(find<QWidget>("billsSection")->isVisible());
    EXPECT_EQ(find<QLabel>("billAmount")->text(), QStringLiteral("$1,234"));
}

TEST_F(CalendarPage, StepEntriesAreKeptPerDayInTheDefaults) {
    auto goal = makeGoal(QStringLiteral("Fitness"), 3);
    auto m = milestone(goal, QStringLiteral("Daily check"), QStringLiteral("Daily"));
    auto tick = step(m, QStringLiteral("Pushups"), false);
    auto note = step(m, QStringLiteral("Journal"), true);
    openPage();
    auto rows = page->milestoneCards().at(0)->stepRows();
    ASSERT_EQ(rows.size(), 2u);
    click(rows[0]->findChild<QWidget*>("stepTick"));
    const QString id = tick->id()->toString(QUuid::WithoutBraces).toUpper();
    EXPECT_TRUE(
        UserDefaults::standard().flag(QStringLiteral("stepCheck.") + id + QStringLiteral(".2026-03-10")));
    EXPECT_FALSE(tick->isCompleted());
    auto* editor = rows[1]->findChild<QPlainTextEdit*>("stepNoteEditor");
    EXPECT_FALSE(rows[1]->findChild<QWidget*>("stepSaveButton")->isEnabled());
    editor->setPlainText(QStringLiteral("Felt good"));
    click(rows[1]->findChild<QWidget*>("stepSaveButton"));
    EXPECT_EQ(UserDefaults::standard().text(QStringLiteral("stepInput.") +
                                            note->id()->toString(QUuid::WithoutBraces).toUpper() +
                                            QStringLiteral(".2026-03-10")),
              QStringLiteral("Felt good"));
    EXPECT_FALSE(rows[1]->isEditing());
    // Another day starts afresh; coming back shows the day's note and tick again.
    model().selectDate(QDate(2026, 3, 11).startOfDay());
    qv::test::settle();
    rows = page->milestoneCards().at(0)->stepRows();
    EXPECT_FALSE(rows[0]->isCheckedToday());
    EXPECT_TRUE(rows[1]->isEditing());
    model().selectDate(QDate(2026, 3, 10).startOfDay());
    qv::test::settle();
    rows = page->milestoneCards().at(0)->stepRows();
    EXPECT_TRUE(rows[0]->isCheckedToday());
    EXPECT_FALSE(rows[1]->isEditing());
    EXPECT_EQ(rows[1]->findChild<QLabel*>("stepStoredNote")->text(), QStringLiteral("Felt good"));
}

} // namespace

TEST_F(CalendarPage, TheMonthGridIsOneTabStopMovedByTheKeys) {
    CalendarPageView& page = openPage();
    QApplication::setActiveWindow(host.get());
    CalendarMonthColumn* month = page.monthColumn();
    int stops = 0;
    for (CalendarDayCell* cell : month->dayCells())
        stops += cell->focusPolicy() == Qt::TabFocus ? 1 : 0;
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(month->tabStop(), cellOf(page, 10)) << "Tab lands on the selected day";
    EXPECT_EQ(cellOf(page, 10)->accessibleName(), QStringLiteral("Tuesday, March 10, 2026"));

    auto focused = [] { return qobject_cast<CalendarDayCell*>(QApplication::focusWidget()); };
    auto press = [](int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };
    month->tabStop()->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    ASSERT_NE(focused(), nullptr);
    EXPECT_EQ(focused()->date().date(), QDate(2026, 2, 24)) << "two weeks up crosses into February";
    EXPECT_EQ(model().currentMonth().date().month(), 2);
    EXPECT_EQ(month->tabStop(), focused());
    press(Qt::Key_End);
    press(Qt::Key_Right);
    EXPECT_EQ(focused()->date().date(), QDate(2026, 3, 1));
    press(Qt::Key_Left);
    EXPECT_EQ(focused()->date().date(), QDate(2026, 2, 28));

    // A month on from the 31st of January is the last of February; the focus stays on a day.
    month->focusDay(QDate(2026, 1, 31));
    press(Qt::Key_PageDown);
    EXPECT_EQ(focused()->date().date(), QDate(2026, 2, 28));
    press(Qt::Key_PageDown);
    press(Qt::Key_PageUp);
    press(Qt::Key_PageDown);
    EXPECT_EQ(focused()->date().date(), QDate(2026, 3, 28));
    EXPECT_EQ(model().selectedDate().date(), QDate(2026, 3, 10)) << "moving is not selecting";

    press(Qt::Key_Return);
    EXPECT_EQ(model().selectedDate().date(), QDate(2026, 3, 28));
    press(Qt::Key_Right);
    press(Qt::Key_Space);
    EXPECT_EQ(model().selectedDate().date(), QDate(2026, 3, 29));
    EXPECT_EQ(focused(), month->tabStop()) << "the chosen day keeps the focus";
}
