#include "Views/Calendar/CalendarPageTestSupport.h"

#include "Components/DatePickerField.h"
#include "ViewModels/ActionSave.h"
#include "ViewModels/Calendar/CalendarStoreRefusal.h"
#include "Views/CalendarView/CalendarAddTaskBar.h"
#include "Views/CalendarView/CalendarFollowUpPopover.h"
#include "Views/CalendarView/CalendarPopover.h"
#include "Views/CalendarView/CalendarSubtaskRow.h"
#include "Views/CalendarView/CalendarSwatch.h"
#include "Views/CalendarView/CalendarTextLine.h"
#include "Views/CalendarView/CalendarToast.h"
#include "Views/CalendarView/NewCategoryPopover.h"

#include <QAbstractButton>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

namespace {

using CalendarRows = CalendarPageTest;

TEST_F(CalendarRows, ATaskRowUnfoldsItsSubtasksAndEditsItsNotes) {
    auto t = task(QStringLiteral("Plan the trip"), QDate(2026, 3, 10), category("Travel", "#06B6D4"));
    t->setNotes(QStringLiteral("Book before Friday"));
    t->setRepeatFrequency(QStringLiteral("Weekly"));
    context()->save();
    subtask(t, QStringLiteral("Flights"), true);
    subtask(t, QStringLiteral("Hotel <b>near</b> the station"));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    EXPECT_TRUE(row->findChild<QWidget*>("taskRepeatIcon")->isVisible());
    EXPECT_TRUE(row->findChild<QWidget*>("taskFoldButton")->isVisible());
    EXPECT_EQ(row->findChild<QLabel*>("taskNotes")->text(), QStringLiteral("Book before Friday"));
    auto subtasks = row->findChildren<CalendarSubtaskRow*>();
    ASSERT_EQ(subtasks.size(), 2);
    EXPECT_TRUE(subtasks[0]->findChild<CalendarTextLine*>("subtaskTitle")->isStruckOut());

    // The notes editor: closing it from its button drops the text; its tick saves.
    row->setHovered(true);
    click(row->findChild<QWidget*>("taskNotesButton"));
    auto* editor = row->findChild<QPlainTextEdit*>("taskNotesEditor");
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Book before Friday"));
    editor->setPlainText(QStringLiteral("dropped"));
    click(row->findChild<QWidget*>("taskNotesButton"));
    EXPECT_EQ(t->notes(), QStringLiteral("Book before Friday"));
    EXPECT_FALSE(row->isShowingNotes());
    click(row->findChild<QWidget*>("taskNotesButton"));
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Book before Friday"));
    editor->setPlainText(QStringLiteral("Book before Friday\nAsk about breakfast"));
    row->setHovered(false);
    EXPECT_TRUE(row->findChild<QWidget*>("tomorrowButton")->isVisible()); // held by the open editor
    subtasks[1]->toggleNotes();
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-task-row-unfolded"));
    click(row->findChild<QWidget*>("taskNotesSave"));
    EXPECT_EQ(t->notes(), QStringLiteral("Book before Friday\nAsk about breakfast"));
    EXPECT_FALSE(row->isShowingNotes());
    row->setHovered(true);
    click(row->findChild<QWidget*>("taskNotesButton"));
    editor->clear();
    click(row->findChild<QWidget*>("taskNotesSave"));
    EXPECT_FALSE(t->notes().has_value());
    EXPECT_FALSE(row->findChild<QLabel*>("taskNotes")->isVisible());
    // The subtask's editor stayed open through the task's own saves.
    EXPECT_TRUE(subtasks[1]->isShowingNotes());

    // The chevron says in words what it does next.
    QWidget* fold = row->findChild<QWidget*>("taskFoldButton");
    EXPECT_EQ(fold->accessibleName(), QStringLiteral("Hide subtasks"));
    click(fold);
    EXPECT_FALSE(row->isExpanded());
    EXPECT_FALSE(subtasks[1]->isVisible());
    EXPECT_EQ(fold->accessibleName(), QStringLiteral("Show subtasks"));
}

TEST_F(CalendarRows, SubtasksAreAddedOnlyWithATitle) {
    auto t = task(QStringLiteral("Move"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    EXPECT_FALSE(row->findChild<QWidget*>("taskFoldButton")->isVisible());
    click(row->findChild<QWidget*>("addSubtaskButton"));
    auto* field = row->findChild<QLineEdit*>("newSubtaskField");
    ASSERT_TRUE(field->isVisible());
    QTest::keyClicks(field, QStringLiteral("  \t"));
    EXPECT_FALSE(row->findChild<QWidget*>("newSubtaskAdd")->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(row->isShowingAddSubtask());
    EXPECT_TRUE(t->subtasks().empty());
    field->setText(QStringLiteral(" Pack "));
    QTest::keyClick(field, Qt::Key_Return);
    qv::test::settle();
    ASSERT_EQ(t->subtasks().size(), 1u);
    EXPECT_EQ(t->subtasks()[0]->title(), QStringLiteral(" Pack "));
    EXPECT_TRUE(row->isShowingAddSubtask()) << "the field stays open for the next subtask";
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_TRUE(row->findChild<QWidget*>("taskFoldButton")->isVisible());

    // Ticking the only subtask completes the task, which loses its carry-forward.
    auto* sub = row->findChild<CalendarSubtaskRow*>();
    click(sub->findChild<QWidget*>("subtaskTick"));
    EXPECT_TRUE(t->isCompleted());
    row->setHovered(true);
    EXPECT_FALSE(row->findChild<QWidget*>("tomorrowButton")->isVisible());
    EXPECT_TRUE(row->findChild<CalendarTextLine*>("taskTitle")->isStruckOut());
}

TEST_F(CalendarRows, TitlesAreEditedInPlaceAndBlankEditsChangeNothing) {
    auto t = task(QStringLiteral("Call the bank"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    row->setHovered(true);
    click(row->findChild<QWidget*>("taskEditButton"));
    auto* field = row->findChild<QLineEdit*>("taskTitleField");
    EXPECT_EQ(field->text(), QStringLiteral("Call the bank"));
    EXPECT_FALSE(row->findChild<QWidget*>("tomorrowButton")->isVisible());
    field->setText(QStringLiteral("   "));
    EXPECT_FALSE(row->findChild<QWidget*>("taskConfirmButton")->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(row->isEditing());
    EXPECT_EQ(t->title(), QStringLiteral("Call the bank"));
    click(row->findChild<QWidget*>("taskEditButton"));
    field->setText(QStringLiteral("Call the bank "));
    click(row->findChild<QWidget*>("taskConfirmButton"));
    EXPECT_EQ(t->title(), QStringLiteral("Call the bank "));
    // Another row's write leaves this row's open edit alone.
    task(QStringLiteral("Second"), QDate(2026, 3, 10));
    model().fetchTasksForDate(model().selectedDate());
    click(row->findChild<QWidget*>("taskEditButton"));
    field->setText(QStringLiteral("Half typed"));
    auto* second = page.taskRows().at(1);
    model().toggleTask(second->task());
    EXPECT_EQ(page.taskRows().at(0), row);
    EXPECT_TRUE(row->isEditing());
    EXPECT_EQ(field->text(), QStringLiteral("Half typed"));
}

// The inline editors are made on first use; each must land where a row made with them had it:
// the title editor in the title's place, the new-subtask line under the subtasks.
TEST_F(CalendarRows, InlineEditorsOpenInTheirPlaces) {
    auto t = task(QStringLiteral("Pack for the trip"), QDate(2026, 3, 10), category("Travel", "#06B6D4"));
    auto s = subtask(t, QStringLiteral("Passport"));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    auto* sub = row->findChild<CalendarSubtaskRow*>();
    EXPECT_EQ(row->findChild<QLineEdit*>("taskTitleField"), nullptr);
    const int titleLeft = row->findChild<QWidget*>("taskTitle")->geometry().left();
    const int subtaskTitleLeft = sub->findChild<QWidget*>("subtaskTitle")->geometry().left();

    row->beginEdit();
    sub->beginEdit();
    row->openAddSubtask();
    qv::test::settle();
    auto* title = row->findChild<QLineEdit*>("taskTitleField");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->geometry().left(), titleLeft);
    auto* subtaskTitle = sub->findChild<QLineEdit*>("subtaskTitleField");
    ASSERT_NE(subtaskTitle, nullptr);
    EXPECT_EQ(subtaskTitle->text(), QStringLiteral("Passport"));
    EXPECT_EQ(subtaskTitle->geometry().left(), subtaskTitleLeft);
    auto* newSubtask = row->findChild<QLineEdit*>("newSubtaskField");
    ASSERT_NE(newSubtask, nullptr);
    EXPECT_TRUE(newSubtask->hasFocus() || !row->window()->isActiveWindow());
    EXPECT_GT(newSubtask->mapTo(row, QPoint()).y(), sub->geometry().bottom());
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-task-row-editing"));

    // Closing and opening again reuses the same editors.
    row->cancelSubtask();
    row->commitEdit();
    EXPECT_FALSE(newSubtask->isVisible());
    EXPECT_FALSE(title->isVisible());
    row->openAddSubtask();
    EXPECT_EQ(row->findChildren<QLineEdit*>("newSubtaskField").size(), 1);
    EXPECT_TRUE(newSubtask->isVisible());
    EXPECT_EQ(t->title(), QStringLiteral("Pack for the trip"));
}

// Editors made on first use still stand in Tab order where the row shows them: right after
// the button that opens them, not at the end of the window.
TEST_F(CalendarRows, NotesEditorsMadeLateFollowTheirButtonInTabOrder) {
    auto t = task(QStringLiteral("Pack for the trip"), QDate(2026, 3, 10), category("Travel", "#06B6D4"));
    subtask(t, QStringLiteral("Passport"));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    auto* sub = row->findChild<CalendarSubtaskRow*>();
    const auto nextTabStop = [](QWidget* from) {
        for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                return w;
        return static_cast<QWidget*>(nullptr);
    };
    for (const auto& [owner, prefix] : {std::pair<QWidget*, QString>{row, QStringLiteral("task")},
                                        std::pair<QWidget*, QString>{sub, QStringLiteral("subtask")}}) {
        auto* button = owner->findChild<QAbstractButton*>(prefix + QStringLiteral("NotesButton"));
        ASSERT_NE(button, nullptr);
        button->click();
        qv::test::settle();
        auto* editor = owner->findChild<QWidget*>(prefix + QStringLiteral("NotesEditor"));
        auto* save = owner->findChild<QWidget*>(prefix + QStringLiteral("NotesSave"));
        ASSERT_NE(editor, nullptr) << prefix.toStdString();
        ASSERT_NE(save, nullptr) << prefix.toStdString();
        EXPECT_EQ(nextTabStop(button), editor) << prefix.toStdString();
        EXPECT_EQ(nextTabStop(editor), save) << prefix.toStdString();
    }
}

TEST_F(CalendarRows, FollowUpPickerStartsTomorrow) {
    task(QStringLiteral("Send invoice"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    EXPECT_EQ(row->followUpDate().date(), QDate(2026, 3, 11));
    row->setHovered(true);
    click(row->findChild<QWidget*>("followUpButton"));
    ASSERT_NE(row->followUpPopover(), nullptr);
    auto* popover = row->followUpPopover()->findChild<CalendarFollowUpPopover*>();
    EXPECT_EQ(popover->followUpDate().date(), QDate(2026, 3, 11));
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-follow-up-popover"));
    row->setHovered(false);
    EXPECT_TRUE(row->findChild<QWidget*>("followUpButton")->isVisible());
    popover->picker()->setDateTime(QDate(2026, 3, 20).startOfDay());
    click(popover->findChild<QWidget*>("followUpCancelButton"));
    qv::test::settle();
    EXPECT_EQ(row->followUpPopover(), nullptr);
    EXPECT_EQ(model().tasksForSelectedDate().size(), 1u);
    // Opening again shows the day picked before; Confirm copies onto it.
    row->setHovered(true);
    click(row->findChild<QWidget*>("followUpButton"));
    popover = row->followUpPopover()->findChild<CalendarFollowUpPopover*>();
    EXPECT_EQ(popover->followUpDate().date(), QDate(2026, 3, 20));
    click(popover->findChild<QWidget*>("followUpConfirmButton"));
    qv::test::settle();
    EXPECT_EQ(row->followUpPopover(), nullptr);
    model().selectDate(QDate(2026, 3, 20).startOfDay());
    ASSERT_EQ(model().tasksForSelectedDate().size(), 1u);
    EXPECT_TRUE(model().tasksForSelectedDate()[0]->isFollowUp());
}

TEST_F(CalendarRows, FollowUpDaysBeforeTomorrowLookUnavailableAndAClickOnThemKeepsThePopover) {
    task(QStringLiteral("Send invoice"), QDate(2026, 3, 10));
    auto& page = openPage();
    auto* row = page.taskRows().at(0);
    row->setHovered(true);
    click(row->findChild<QWidget*>("followUpButton"));
    ASSERT_NE(row->followUpPopover(), nullptr);
    auto* popover = row->followUpPopover()->findChild<CalendarFollowUpPopover*>();
    auto* view = popover->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(view, nullptr);
    // The cell of a day of March (the grid also shows the ends of February and April).
    auto cellOf = [view](int day) {
        const QAbstractItemModel* model = view->model();
        bool inMarch = false;
        for (int r = 1; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const int shown = model->index(r, c).data().toInt();
                inMarch = inMarch || shown == 1;
                if (inMarch && shown == day)
                    return view->visualRect(model->index(r, c));
            }
        return QRect();
    };
    // A pickable day's number is drawn brighter than one before tomorrow.
    const QImage image = view->viewport()->grab().toImage();
    auto brightest = [&image](const QRect& cell) {
        int best = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                best = std::max(best, QColor::fromRgba(image.pixel(x, y)).lightness());
        return best;
    };
    const QRect today = cellOf(10), yesterday = cellOf(9), tomorrow = cellOf(11), later = cellOf(20);
    ASSERT_FALSE(today.isEmpty());
    EXPECT_LT(brightest(today) + 40, brightest(tomorrow));
    EXPECT_LT(brightest(yesterday) + 40, brightest(later));
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-follow-up-disabled-days"));

    // A click on today or an earlier day picks nothing and leaves the popover open.
    for (const QRect& cell : {today, yesterday}) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        qv::test::settle();
        ASSERT_NE(row->followUpPopover(), nullptr) << "the popover stays";
        EXPECT_EQ(popover->followUpDate().date(), QDate(2026, 3, 11));
    }
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, later.center());
    qv::test::settle();
    EXPECT_EQ(popover->followUpDate().date(), QDate(2026, 3, 20));
    EXPECT_NE(row->followUpPopover(), nullptr);
}

TEST_F(CalendarRows, NewCategoryPopoverTrimsAndSelects) {
    auto& page = openPage();
    click(find<QWidget>("toggleAddTaskButton"));
    auto* bar = page.addTaskBar();
    click(find<QWidget>("newCategoryChip"));
    ASSERT_NE(bar->categoryPopover(), nullptr);
    auto* form = bar->categoryPopover()->findChild<NewCategoryPopover*>();
    EXPECT_EQ(form->markedPreset(), QStringLiteral("#8B5CF6"));
    EXPECT_FALSE(form->createButton()->isEnabled());
    QTest::keyClicks(form->nameField(), QStringLiteral(" \t "));
    EXPECT_FALSE(form->createButton()->isEnabled());
    form->nameField()->clear();
    QTest::keyClicks(form->nameField(), QStringLiteral("  Side project "));
    click(form->findChild<QWidget*>("swatchGreen"));
    EXPECT_EQ(form->markedPreset(), QStringLiteral("#22C55E"));
    EXPECT_TRUE(form->createButton()->isEnabled());
    EXPECT_TRUE(form->createButton()->styleSheet().contains(QStringLiteral("#ff22c55e")));
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-new-category-popover"));
    // A click outside closes it without a reset; the next opening shows what was there.
    click(find<QWidget>("selectedDateLabel"));
    EXPECT_EQ(bar->categoryPopover(), nullptr);
    click(find<QWidget>("newCategoryChip"));
    form = bar->categoryPopover()->findChild<NewCategoryPopover*>();
    EXPECT_EQ(form->name(), QStringLiteral("  Side project "));
    EXPECT_EQ(form->markedPreset(), QStringLiteral("#22C55E"));
    click(form->createButton());
    ASSERT_EQ(model().categories().size(), 1u);
    EXPECT_EQ(model().categories()[0]->name(), QStringLiteral("Side project"));
    EXPECT_EQ(model().categories()[0]->colorHex(), QStringLiteral("#22C55E"));
    EXPECT_EQ(bar->selectedCategory(), model().categories()[0]);
    click(find<QWidget>("newCategoryChip"));
    form = bar->categoryPopover()->findChild<NewCategoryPopover*>();
    EXPECT_TRUE(form->name().isEmpty());
    EXPECT_EQ(form->markedPreset(), QStringLiteral("#8B5CF6"));
    click(form->findChild<QWidget*>("categoryCancelButton"));
    EXPECT_EQ(bar->selectedCategory(), model().categories()[0]);
}

TEST_F(CalendarRows, WhatFailedToSaveStaysAsTyped) {
    store_ = std::make_unique<PersistenceController>(false);
    auto t = task(QStringLiteral("Taxes"), QDate(2026, 3, 10));
    auto& page = openPage();
    refuseCalendarWrites(context()->path());
    QSignalSpy alerts(&SaveFailures::shared(), &SaveFailures::saveFailed);
    testing::internal::CaptureStdout();

    click(find<QWidget>("toggleAddTaskButton"));
    QTest::keyClicks(page.addTaskBar()->titleField(), QStringLiteral("Renew passport"));
    click(find<QWidget>("addTaskButton"));
    EXPECT_TRUE(page.addTaskBar()->isVisible());
    EXPECT_EQ(page.addTaskBar()->titleField()->text(), QStringLiteral("Renew passport"));
    EXPECT_EQ(page.taskRows().size(), 1u);

    auto* row = page.taskRows().at(0);
    row->setHovered(true);
    click(row->findChild<QWidget*>("taskEditButton"));
    row->findChild<QLineEdit*>("taskTitleField")->setText(QStringLiteral("Taxes 2025"));
    click(row->findChild<QWidget*>("taskConfirmButton"));
    EXPECT_TRUE(row->isEditing());
    EXPECT_EQ(t->title(), QStringLiteral("Taxes"));

    click(row->findChild<QWidget*>("tomorrowButton"));
    EXPECT_FALSE(page.toast()->isShown());
    click(find<QWidget>("newCategoryChip"));
    auto* form = page.addTaskBar()->categoryPopover()->findChild<NewCategoryPopover*>();
    QTest::keyClicks(form->nameField(), QStringLiteral("Admin"));
    click(form->createButton());
    ASSERT_NE(page.addTaskBar()->categoryPopover(), nullptr);
    EXPECT_EQ(form->name(), QStringLiteral("Admin"));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(alerts.count(), 4);
    EXPECT_FALSE(context()->hasChanges());
}

TEST_F(CalendarRows, ThePageFitsTheSmallestWindow) {
    auto t = task(QStringLiteral("A task with a title long enough to be cut at the edge of its row"),
                  QDate(2026, 3, 10), category(QStringLiteral("A category with a long name"), "#EC4899"));
    subtask(t, QStringLiteral("Sub"));
    auto& page = openPage({680, 560});
    click(find<QWidget>("toggleAddTaskButton"));
    click(find<QWidget>("repeatChipWeekly"));
    page.taskRows().at(0)->setHovered(true);
    qv::test::settle();
    // The narrowest detail area: a 900-point window less the sidebar.
    auto* row = page.taskRows().at(0);
    EXPECT_TRUE(row->isNarrow());
    EXPECT_FALSE(row->findChild<QWidget*>("taskCategoryBadge")->isVisible());
    EXPECT_TRUE(row->findChild<QWidget*>("taskTitle")->width() > 40);
    auto* scroll = find<QWidget>("dayScroll");
    for (auto* widget : {static_cast<QWidget*>(row), find<QWidget>("toggleAddTaskButton"),
                         static_cast<QWidget*>(page.addTaskBar())}) {
        const QRect box(widget->mapTo(scroll, QPoint()), widget->size());
        EXPECT_LE(box.right(), scroll->width()) << qPrintable(widget->objectName());
    }
    EXPECT_LE(page.minimumSizeHint().width(), 680);
    EXPECT_LE(page.minimumSizeHint().height(), 560);
    qv::test::saveScreen(host.get(), QStringLiteral("calendar-small-window"));
}

} // namespace
