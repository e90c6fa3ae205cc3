#include "Views/ShellTestSupport.h"

#include "Components/SheetHost.h"
#include "Components/VirtualList.h"
#include "Models/DailyLog.h"
#include "ViewModels/DailyCheckInViewModel.h"
#include "Views/Dashboard/CheckInGoalRow.h"
#include "Views/Dashboard/DailyCheckInModal.h"
#include "Views/Dashboard/EnergyBarButton.h"
#include "Views/Dashboard/MoodEmojiButton.h"
#include "Views/Navigation/CheckInOverlay.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <sqlite3.h>

namespace {

const QString kLastCheckIn = QStringLiteral("lastCheckInDate");

class DailyCheckIn : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        UserDefaults::standard().setFlag(QStringLiteral("onboardingComplete"), true);
    }
    CheckInOverlay* overlay() const {
        return qobject_cast<CheckInOverlay*>(window_->contentView()->checkInOverlay());
    }
    DailyCheckInModal* modal() const { return overlay() ? overlay()->modal() : nullptr; }
    void restart() {
        window_.reset();
        vm_.reset();
        openWindow();
    }
    static void click(QWidget* w, QPoint at = {}) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
        qv::test::settle();
    }
    int entries() { return context()->count(FetchRequest(DailyLog::entityName())); }
};

using DailyCheckInDates = DailyCheckIn;

} // namespace

TEST_F(DailyCheckInDates, ShowsOnceADayAndNotAgainOnARunPastMidnight) {
    makeGoal(QStringLiteral("Run"), 1);
    openWindow();
    ASSERT_NE(overlay(), nullptr) << "no check-in was ever stored";
    click(modal()->completeButton());
    EXPECT_EQ(overlay(), nullptr);
    EXPECT_EQ(UserDefaults::standard().date(kLastCheckIn), Clock::now());

    restart();
    EXPECT_EQ(overlay(), nullptr) << "a restart on the same day";

    // This run goes on past midnight: nothing brings the check-in back.
    Clock::setFake(local(2026, 3, 11, 0, 30));
    vm_->navigate(AppDestination::goals);
    vm_->navigate(AppDestination::dashboard);
    qv::test::settle();
    EXPECT_EQ(overlay(), nullptr);
    EXPECT_FALSE(vm_->showDailyCheckIn());

    restart();
    EXPECT_NE(overlay(), nullptr) << "the next day's start";
}

TEST_F(DailyCheckIn, TicksScoresAndNotesReachTheJournal) {
    auto run = makeGoal(QStringLiteral("Run"), 3, 0, 0, 2);
    makeGoal(QStringLiteral("Read"), 2);
    auto hidden = makeGoal(QStringLiteral("Private"), 1);
    makeGoal(QStringLiteral("Won"), 4, 0, 0, 0, true);
    openWindow();
    vm_->toggleGoalHidden(hidden->objectID());
    ASSERT_NE(modal(), nullptr);
    const auto rows = modal()->goalRows();
    QStringList titles;
    for (CheckInGoalRow* row : rows)
        titles << row->titleText();
    EXPECT_EQ(titles, (QStringList{"Private", "Read", "Run"}))
        << "real titles, newest first, no archived goal";

    EXPECT_EQ(modal()->energyLabel()->text(), QStringLiteral("Normal"));
    EXPECT_TRUE(modal()->moodButtons()[2]->isChosen());
    click(modal()->moodButtons()[3]);
    click(modal()->energyButtons()[4]);
    EXPECT_TRUE(modal()->moodButtons()[3]->isChosen());
    EXPECT_FALSE(modal()->moodButtons()[2]->isChosen());
    EXPECT_EQ(modal()->energyLabel()->text(), QStringLiteral("Peak"));
    click(modal()->energyButtons()[0]);
    EXPECT_EQ(modal()->energyLabel()->text(), QStringLiteral("Drained"));
    EXPECT_TRUE(modal()->energyButtons()[0]->isLit());
    EXPECT_FALSE(modal()->energyButtons()[1]->isLit());
    click(modal()->energyButtons()[4]);

    // The empty room right of a title toggles the row too.
    CheckInGoalRow* runRow = rows[2];
    click(runRow, QPoint(runRow->width() - 4, runRow->height() / 2));
    EXPECT_TRUE(runRow->isTicked());
    click(rows[0]);
    click(rows[0]);
    EXPECT_FALSE(rows[0]->isTicked());
    QTest::keyClicks(modal()->notesEditor(), QStringLiteral("Legs are sore"));
    qv::test::saveScreen(window_.get(), QStringLiteral("checkin-window"));

    click(modal()->completeButton());
    EXPECT_EQ(overlay(), nullptr);
    const auto logs = context()->fetch<DailyLog>(FetchRequest(DailyLog::entityName()));
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0]->goal(), run);
    EXPECT_EQ(logs[0]->productivityScore(), 4);
    EXPECT_EQ(logs[0]->notes(), QStringLiteral("Legs are sore"));
    EXPECT_EQ(run->streak(), 3);
}

TEST_F(DailyCheckIn, CloseSkipAndTheBackdropEachEndTheDayWithoutWriting) {
    makeGoal(QStringLiteral("Run"), 1);
    for (int way = 0; way < 3; ++way) {
        UserDefaults::standard().remove(kLastCheckIn);
        restart();
        ASSERT_NE(modal(), nullptr);
        click(modal()->goalRows().front());
        if (way == 0)
            click(modal()->closeButton());
        else if (way == 1)
            click(modal()->skipButton());
        else
            click(overlay(), QPoint(5, 5));
        EXPECT_EQ(overlay(), nullptr) << way;
        EXPECT_EQ(UserDefaults::standard().date(kLastCheckIn), Clock::now());
        EXPECT_EQ(entries(), 0);
    }
}

TEST_F(DailyCheckIn, AFailedSaveKeepsTheCardOpenWithItsChoicesAndTellsWhy) {
    // A file store this time, so the disk can refuse the journal entries.
    store_ = std::make_unique<PersistenceController>(false);
    auto goal = makeGoal(QStringLiteral("Run"), 1, 0, 0, 5);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(PersistenceController::defaultStorePath().toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TRIGGER refuse_logs BEFORE INSERT ON \"DailyLog\" "
                           "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    openWindow();
    ASSERT_NE(modal(), nullptr);
    click(modal()->moodButtons()[0]);
    click(modal()->goalRows().front());
    QTest::keyClicks(modal()->notesEditor(), QStringLiteral("try again"));
    testing::internal::CaptureStdout();
    click(modal()->completeButton());
    testing::internal::GetCapturedStdout();

    ASSERT_NE(overlay(), nullptr) << "the check-in stays for another try";
    EXPECT_TRUE(modal()->moodButtons()[0]->isChosen());
    EXPECT_TRUE(modal()->goalRows().front()->isTicked());
    EXPECT_EQ(modal()->notesEditor()->toPlainText(), QStringLiteral("try again"));
    EXPECT_FALSE(UserDefaults::standard().contains(kLastCheckIn));
    EXPECT_EQ(goal->streak(), 5);
    SheetHost* alert = SheetHost::topmost(window_.get());
    ASSERT_NE(alert, nullptr) << "the window says the save failed";
    qv::test::saveScreen(window_.get(), QStringLiteral("checkin-save-failed"));
}

TEST_F(DailyCheckIn, ManyGoalsMakeOnlyTheRowsInViewAndTicksFollowTheGoalsNotTheRows) {
    const int total = 60;
    for (int i = 1; i <= total; ++i)
        makeGoal(QStringLiteral("G%1").arg(i), total - i);
    openWindow();
    ASSERT_NE(modal(), nullptr);
    auto* list = modal()->findChild<VirtualList*>(QStringLiteral("checkInScroll"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), total);
    ASSERT_FALSE(modal()->goalRows().empty());
    EXPECT_EQ(modal()->goalRows().front()->titleText(), QStringLiteral("G60"));
    click(modal()->goalRows().front());

    // Scrolled to the oldest goal: the rows handed on show their new goals' ticks.
    list->scrollToIndex(total - 1);
    qv::test::settle();
    CheckInGoalRow* oldest = modal()->goalRows().back();
    EXPECT_EQ(oldest->titleText(), QStringLiteral("G1"));
    for (CheckInGoalRow* row : modal()->goalRows())
        EXPECT_FALSE(row->isTicked()) << row->titleText().toStdString();
    click(oldest);
    EXPECT_LT(list->rowsMade(), total / 2);

    list->scrollToIndex(0);
    qv::test::settle();
    EXPECT_TRUE(modal()->goalRows().front()->isTicked());
    EXPECT_FALSE(modal()->goalRows()[1]->isTicked());
    click(modal()->completeButton());
    EXPECT_EQ(entries(), 2);
}

TEST_F(DailyCheckIn, ALongNoteScrollsInsideItsEditorInTheThemeAndTheCardShowsAllOfIt) {
    makeGoal(QStringLiteral("Run"), 3);
    openWindow();
    ASSERT_NE(modal(), nullptr);
    QApplication::setActiveWindow(window_.get());
    QPlainTextEdit* notes = modal()->notesEditor();
    modal()->completeButton()->setFocus(Qt::TabFocusReason);
    notes->setFocus(Qt::TabFocusReason);
    notes->setPlainText(QStringLiteral("Legs are sore after the long run by the river\n").repeated(6));
    notes->moveCursor(QTextCursor::End);
    qv::test::settle();
    QScrollBar* bar = notes->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible()) << "six lines overflow the editor";
    // The editor shows whole below the card's scrolling middle, however long the list.
    QWidget* view = modal();
    const QRect shown(notes->mapTo(view, QPoint(0, 0)), notes->size());
    EXPECT_TRUE(view->rect().contains(shown)) << "the editor at " << shown.y() << ".." << shown.bottom()
                                              << " of a card " << view->height() << " high";
    QWidget* list = modal()->findChild<VirtualList*>(QStringLiteral("checkInScroll"));
    EXPECT_GE(shown.top(), list->mapTo(view, QPoint(0, list->height())).y()) << "not inside the list";
    qv::test::saveScreen(window_.get(), QStringLiteral("checkin-long-note"));

    // The focused gradient button keeps its face; the focus ring goes around it.
    QPushButton* complete = modal()->completeButton();
    const QImage face = complete->grab().toImage();
    complete->setFocus(Qt::TabFocusReason);
    qv::test::settle();
    EXPECT_EQ(complete->grab().toImage(), face);
    qv::test::saveScreen(window_.get(), QStringLiteral("checkin-focused-button"));
}
