#include "Views/DailyLog/DailyLogView.h"
#include "Components/SheetHost.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/MockData/MockDataSeeder.h"
#include "Models/Persistence/PersistenceController.h"
#include "Platform/Clock.h"
#include "Store/ObjectContext.h"
#include "Support/FullStore.h"
#include "Support/TestSupport.h"
#include "ViewModels/DailyLogViewModel.h"
#include "Views/DailyLog/AddLogView.h"
#include "Views/DailyLog/DailyLogEntryView.h"
#include "Views/DailyLog/GoalChip.h"
#include "Views/DailyLog/JournalDayButton.h"
#include "Views/DailyLog/ScoreScale.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

class JournalScreen : public FrozenClockStoreTest {
protected:
    JournalScreen() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 30))) {}
    void SetUp() override {
        FrozenClockStoreTest::SetUp();
        window.resize(1020, 760);
        window.setAttribute(Qt::WA_DontShowOnScreen, true);
    }
    void TearDown() override {
        delete view;
        FrozenClockStoreTest::TearDown();
    }

    std::shared_ptr<Goal> makeGoal(const QString& title, const QString& color, int minutesAgo) {
        auto goal = Goal::create(context);
        goal->setTitle(title);
        goal->setColorHex(color);
        goal->setCreatedAt(now.addSecs(-60 * minutesAgo));
        context->save();
        return goal;
    }
    DailyLogView* open() {
        view = new DailyLogView(screens.env(context), &window);
        view->resize(window.size());
        window.show();
        qv::test::settle();
        return view;
    }
    QString text(const char* name) { return view->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    AddLogView* openSheet() {
        QTest::mouseClick(view->findChild<QPushButton*>("logProgressButton"), Qt::LeftButton);
        qv::test::settle();
        auto* host = SheetHost::topmost(&window);
        return host ? qobject_cast<AddLogView*>(host->content()) : nullptr;
    }
    std::vector<DailyLogEntryView*> rows() {
        std::vector<DailyLogEntryView*> out;
        for (auto* row : view->findChildren<DailyLogEntryView*>())
            if (row->isVisible())
                out.push_back(row);
        return out;
    }

    TestScreenModels screens;
    QWidget window;
    DailyLogView* view = nullptr;
};

class JournalScreenDates : public JournalScreen {};

} // namespace

TEST_F(JournalScreen, OpensOnTodayWithThirtyDaysAndAnEmptyDay) {
    open();
    const auto& days = view->dayButtons();
    ASSERT_EQ(days.size(), 30u);
    EXPECT_TRUE(days[0]->isSelectedDay());
    EXPECT_EQ(days[0]->weekdayText(), QString("SAT"));
    EXPECT_EQ(days[0]->dateText(), QString("Mar 7"));
    EXPECT_EQ(days[29]->day().date(), QDate(2026, 2, 6));
    for (std::size_t i = 1; i < days.size(); ++i)
        EXPECT_FALSE(days[i]->isSelectedDay());
    EXPECT_EQ(text("dayTitle"), QString("Saturday, March 7"));
    EXPECT_EQ(text("entryCount"), QString("0 entries"));
    EXPECT_TRUE(view->findChild<QWidget*>("emptyState")->isVisible());
    qv::test::saveScreen(&window, "journal-empty-day");
}

TEST_F(JournalScreen, DaysAndTitleReadInTheLocalesOrder) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    open();
    const auto& days = view->dayButtons();
    ASSERT_FALSE(days.empty());
    EXPECT_EQ(days[0]->weekdayText(), QString("SA"));
    EXPECT_EQ(days[0]->dateText(), QString("7. März"));
    EXPECT_EQ(text("dayTitle"), QString("Samstag, 7. März"));
}

TEST_F(JournalScreen, SavesFromTheSheetOnThePickedDayForTheFirstGoal) {
    auto older = makeGoal("Read more", "#0891B2", 20);
    auto newest = makeGoal("Run a marathon", "#E11D48", 5);
    open();
    QTest::mouseClick(view->dayButtons()[3], Qt::LeftButton);
    EXPECT_TRUE(view->dayButtons()[3]->isSelectedDay());
    EXPECT_EQ(text("dayTitle"), QString("Wednesday, March 4"));

    AddLogView* sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->selectedGoal(), newest);
    EXPECT_EQ(sheet->moodScale()->value(), 3);
    EXPECT_EQ(sheet->energyScale()->value(), 3);
    EXPECT_EQ(sheet->focusScale()->value(), 3);
    QTest::keyClick(sheet->focusScale(), Qt::Key_Left);
    EXPECT_EQ(sheet->focusScale()->value(), 2);
    QTest::keyClick(sheet->focusScale(), Qt::Key_Right);
    QTest::keyClick(sheet->focusScale(), Qt::Key_Right);
    EXPECT_EQ(sheet->focusScale()->value(), 4);
    // The whole sheet, "Save Entry" included, fits the card it is shown in.
    auto* save = sheet->findChild<QPushButton*>("saveButton");
    EXPECT_GE(sheet->height(), AddLogView::kHeight);
    EXPECT_LE(save->mapTo(sheet, QPoint(0, save->height())).y(), sheet->height());
    qv::test::saveScreen(&window, "journal-add-entry-sheet");

    QTest::mouseClick(save, Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(&window), nullptr);
    ASSERT_EQ(view->viewModel()->todayLogs().size(), 1u);
    const auto log = view->viewModel()->todayLogs()[0];
    EXPECT_EQ(log->date(), QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
    EXPECT_EQ(log->goal(), newest);
    EXPECT_EQ(log->moodScore(), 3);
    EXPECT_EQ(log->productivityScore(), 4);
    EXPECT_FALSE(log->notes().has_value());
    EXPECT_EQ(text("entryCount"), QString("1 entry"));
    EXPECT_TRUE(view->dayButtons()[3]->hasEntries());
    EXPECT_FALSE(view->dayButtons()[0]->hasEntries());
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(JournalScreen, AnEntryTheStoreRefusesKeepsTheSheetOpenWithItsNotes) {
    makeGoal("Run a marathon", "#E11D48", 5);
    open();
    AddLogView* sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    auto* notes = sheet->findChild<QPlainTextEdit*>("notesEditor");
    QTest::keyClicks(notes, QStringLiteral("Ran 10 km in the rain"));
    qv::test::fillStore(*context);
    testing::internal::CaptureStdout();
    QTest::mouseClick(sheet->findChild<QPushButton*>("saveButton"), Qt::LeftButton);
    qv::test::settle();
    testing::internal::GetCapturedStdout();
    ASSERT_NE(SheetHost::topmost(&window), nullptr);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Ran 10 km in the rain"));
    EXPECT_TRUE(view->viewModel()->todayLogs().empty());
    EXPECT_EQ(text("entryCount"), QString("0 entries"));

    qv::test::freeStore(*context);
    QTest::mouseClick(sheet->findChild<QPushButton*>("saveButton"), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(&window), nullptr);
    ASSERT_EQ(view->viewModel()->todayLogs().size(), 1u);
    EXPECT_EQ(view->viewModel()->todayLogs()[0]->notes(), QStringLiteral("Ran 10 km in the rain"));
}

TEST_F(JournalScreen, SheetChoicesAreSavedAndFiveEntriesAccelerateTheGoal) {
    makeGoal("Newest", "#7C3AED", 1);
    auto goal = makeGoal("Guitar", "#D97706", 30);
    open();
    for (int n = 0; n < 5; ++n) {
        QTest::mouseClick(view->dayButtons()[std::size_t(n)], Qt::LeftButton);
        AddLogView* sheet = openSheet();
        ASSERT_NE(sheet, nullptr);
        auto chips = sheet->findChildren<GoalChip*>();
        ASSERT_EQ(chips.size(), 2);
        QTest::mouseClick(chips[1], Qt::LeftButton);
        EXPECT_TRUE(chips[1]->isSelectedGoal());
        EXPECT_FALSE(chips[0]->isSelectedGoal());
        ScoreScale* mood = sheet->moodScale();
        QTest::mouseClick(mood, Qt::LeftButton, {}, mood->slotRect(5).center().toPoint());
        EXPECT_EQ(mood->emphasis(5), 1.0);
        EXPECT_EQ(mood->emphasis(3), 0.0);
        sheet->findChild<QPlainTextEdit*>("notesEditor")->setPlainText(n == 0 ? "  " : "Practised scales");
        sheet->save();
        qv::test::settle();
    }
    EXPECT_EQ(goal->momentumState(), QString("accelerating"));
    EXPECT_EQ(goal->dailyLogs().size(), 5u);
    EXPECT_EQ(view->viewModel()->todayLogs()[0]->moodScore(), 5);
    for (const auto& log : goal->dailyLogs()) {
        if (log->date() == QDateTime(QDate(2026, 3, 7), QTime(0, 0))) {
            EXPECT_EQ(log->notes(), QString("  "));
        }
    }
}

TEST_F(JournalScreen, DeletingFromTheRowMenuUpdatesListCountDotAndMomentum) {
    auto goal = makeGoal("Swim", "#059669", 3);
    open();
    for (int i = 0; i < 2; ++i)
        view->viewModel()->addLog(goal, "Lap " + QString::number(i), 3, 4, 2);
    qv::test::settle();
    EXPECT_EQ(goal->momentumState(), QString("coasting"));
    ASSERT_EQ(rows().size(), 2u);
    EXPECT_EQ(text("entryCount"), QString("2 entries"));

    rows()[0]->deleteAction()->trigger();
    qv::test::settle();
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(text("entryCount"), QString("1 entry"));
    EXPECT_EQ(goal->momentumState(), QString("stalling"));
    EXPECT_TRUE(view->dayButtons()[0]->hasEntries());

    rows()[0]->deleteAction()->trigger();
    qv::test::settle();
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(view->dayButtons()[0]->hasEntries());
    EXPECT_TRUE(view->findChild<QWidget*>("emptyState")->isVisible());
}

TEST_F(JournalScreen, SheetWithoutGoalsCannotSave) {
    open();
    AddLogView* sheet = openSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->selectedGoal(), nullptr);
    EXPECT_FALSE(sheet->findChild<QPushButton*>("saveButton")->isEnabled());
    QTest::mouseClick(sheet->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    qv::test::settle();
    EXPECT_EQ(SheetHost::topmost(&window), nullptr);
    EXPECT_EQ(context->count(FetchRequest(DailyLog::entityName())), 0);
}

TEST_F(JournalScreenDates, AnEntryAtMidnightListsUnderItsOwnDay) {
    auto goal = makeGoal("Sleep", "#4F46E5", 1);
    auto log = DailyLog::create(context);
    log->setGoal(goal);
    log->setDate(QDateTime(QDate(2026, 3, 5), QTime(0, 0, 0)));
    context->save();
    open();
    EXPECT_TRUE(view->dayButtons()[2]->hasEntries());
    EXPECT_FALSE(view->dayButtons()[1]->hasEntries());
    EXPECT_FALSE(view->dayButtons()[3]->hasEntries());
    view->selectDay(view->dayButtons()[2]->day());
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(JournalScreen, RendersASeededJournal) {
    MockDataSeeder::seedIfNeeded(context, [](int low, int high) { return (low + high) / 2; });
    open();
    ASSERT_FALSE(rows().empty()) << "the sample data has entries today";
    rows()[0]->setExpanded(true);
    const QImage image(qv::test::saveScreen(&window, "journal-seeded"));
    EXPECT_TRUE(qv::test::imageShowsText(image, &window, QStringLiteral("Journal")));
    EXPECT_TRUE(qv::test::imageShows(image, &window, rows()[0]));
}

TEST_F(JournalScreen, ABusyDayIsCardedABatchAtATimeNewestFirst) {
    auto goal = makeGoal("Write daily", "#7C3AED", 5);
    for (int i = 0; i < 20; ++i) {
        auto log = DailyLog::create(context);
        log->setGoal(goal);
        log->setDate(now.addSecs(-60 * i));
        log->setCreatedAt(now.addSecs(-60 * i));
        log->setNotes(QStringLiteral("Entry %1 with a few words of notes to wrap").arg(i));
        context->save();
    }
    open();
    EXPECT_EQ(text("entryCount"), QString("20 entries"));
    // Cards enough to fill the view, not all twenty.
    EXPECT_GE(rows().size(), DailyLogView::kEntryBatch);
    EXPECT_LT(rows().size(), 20u);
    auto* scroll = view->findChild<QScrollArea*>("entriesScroll");
    for (int i = 0; i < 12 && rows().size() < 20; ++i) {
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        qv::test::settle();
    }
    auto shown = rows();
    ASSERT_EQ(shown.size(), 20u);
    std::sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    const auto& logs = view->viewModel()->todayLogs();
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i]->log(), logs[i]);

    // Another day and back: one batch again.
    view->selectDay(view->dayButtons()[1]->day());
    qv::test::settle();
    EXPECT_TRUE(rows().empty());
    view->selectDay(view->dayButtons()[0]->day());
    qv::test::settle();
    EXPECT_LT(rows().size(), 20u);
}
