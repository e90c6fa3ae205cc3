#include "Views/DailyLog/DailyLogEntryView.h"
#include "Models/DailyLog.h"
#include "Models/Goal.h"
#include "Models/Persistence/PersistenceController.h"
#include "Store/ObjectContext.h"
#include "Support/TestSupport.h"
#include "Views/ShellTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

class JournalEntryRow : public FrozenClockStoreTest {
protected:
    JournalEntryRow() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(15, 30))) {}
    std::shared_ptr<DailyLog> makeLog(const std::shared_ptr<Goal>& goal, std::optional<QString> notes) {
        auto log = DailyLog::create(context);
        log->setGoal(goal);
        log->setNotes(notes);
        log->setMoodScore(7);
        log->setEnergyScore(2);
        log->setProductivityScore(4);
        return log;
    }
    QStringList labels(QWidget* row) {
        QStringList out;
        for (auto* label : row->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                out << label->text();
        return out;
    }
};

} // namespace

TEST_F(JournalEntryRow, NamesTheGoalOrFallsBack) {
    auto untitled = Goal::create(context);
    DailyLogEntryView general(makeLog(nullptr, std::nullopt), {});
    DailyLogEntryView unnamed(makeLog(untitled, std::nullopt), {});
    EXPECT_EQ(general.findChild<QLabel*>("goalName")->text(), QString("General"));
    EXPECT_EQ(unnamed.findChild<QLabel*>("goalName")->text(), QString("Untitled Goal"));
    EXPECT_TRUE(unnamed.findChild<QLabel*>("goalDot")->styleSheet().contains("#ff8b5cf6"));
    EXPECT_TRUE(general.findChild<QLabel*>("goalDot")->styleSheet().contains("#ff9333ea"));

    // Mood out of range shows the fallback face with the stored number; focus is never shown.
    const QStringList shown = labels(&general);
    EXPECT_TRUE(shown.contains("😊"));
    EXPECT_TRUE(shown.contains("7"));
    EXPECT_TRUE(shown.contains("⚡"));
    EXPECT_TRUE(shown.contains("2"));
    EXPECT_FALSE(shown.contains("4"));
}

TEST_F(JournalEntryRow, ChevronUnfoldsNotesOnlyWhenThereAreAny) {
    auto goal = Goal::create(context);
    goal->setTitle(QString("<b>Bold</b> %1"));
    DailyLogEntryView withNotes(makeLog(goal, QString("Felt strong")), {});
    DailyLogEntryView empty(makeLog(goal, QString()), {});
    withNotes.setAttribute(Qt::WA_DontShowOnScreen, true);
    empty.setAttribute(Qt::WA_DontShowOnScreen, true);
    withNotes.show();
    empty.show();
    EXPECT_EQ(withNotes.findChild<QLabel*>("goalName")->textFormat(), Qt::PlainText);

    auto* notes = withNotes.findChild<QLabel*>("notes");
    EXPECT_FALSE(notes->isVisible());
    QTest::mouseClick(withNotes.findChild<QToolButton*>("expandButton"), Qt::LeftButton);
    EXPECT_TRUE(withNotes.isExpanded());
    EXPECT_TRUE(notes->isVisible());
    qv::test::saveScreen(&withNotes, "journal-entry-row-expanded");

    QTest::mouseClick(empty.findChild<QToolButton*>("expandButton"), Qt::LeftButton);
    EXPECT_TRUE(empty.isExpanded());
    EXPECT_FALSE(empty.findChild<QLabel*>("notes")->isVisible());
}

TEST_F(JournalEntryRow, DeleteEntryCallsBackOnceAndNeverAsks) {
    int calls = 0;
    DailyLogEntryView row(makeLog(nullptr, std::nullopt), [&] { ++calls; });
    ASSERT_EQ(row.contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_TRUE(row.actions().contains(row.deleteAction()));
    EXPECT_EQ(row.deleteAction()->text(), QString("Delete Entry"));
    row.deleteAction()->trigger();
    EXPECT_EQ(calls, 1);
}
