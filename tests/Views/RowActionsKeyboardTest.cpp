// Rows whose actions show under the pointer, walked with Tab and back with Shift+Tab: the actions
// show while the focus is in their row, follow its own controls, say what they do, are met by
// Shift+Tab as by Tab, and are no stops once the focus has left.

#include "Components/SheetHost.h"
#include "Models/Achievement.h"
#include "Models/CalendarSubtask.h"
#include "Models/CalendarTask.h"
#include "Models/LinkItem.h"
#include "Models/ModelTestSupport.h"
#include "Support/TestSupport.h"
#include "ViewModels/CalendarViewModel.h"
#include "ViewModels/GoalRowText.h"
#include "Views/Achievements/AchievementTimelineRow.h"
#include "Views/CalendarView/CalendarSubtaskRow.h"
#include "Views/Goals/ArchivedGoalRow.h"
#include "Views/Links/LinkRow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

class RowActionsKeyboard : public FrozenClockStoreTest {
protected:
    RowActionsKeyboard() : FrozenClockStoreTest(QDateTime(QDate(2026, 3, 7), QTime(10, 0))) {}

    // The row between two buttons in a window of its own, the focus on the first button.
    void host(QWidget* row) {
        auto* column = new QVBoxLayout(&window);
        before = new QPushButton(QStringLiteral("Before"));
        after = new QPushButton(QStringLiteral("After"));
        column->addWidget(before);
        column->addWidget(row);
        column->addWidget(after);
        window.resize(700, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        before->setFocus(Qt::TabFocusReason);
        qv::test::settle();
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    static void tab(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus(), modifiers ? Qt::Key_Backtab : Qt::Key_Tab, modifiers);
        qv::test::settle();
    }
    // Tab from the first button stops on each of `stops` in turn, then on the last button.
    void expectWalk(const QList<QWidget*>& stops) {
        for (QWidget* stop : stops) {
            tab();
            ASSERT_EQ(focus(), stop) << qPrintable(stop->objectName());
            EXPECT_TRUE(stop->isVisible());
            EXPECT_FALSE(stop->accessibleName().isEmpty() && stop->toolTip().isEmpty() &&
                         qobject_cast<QAbstractButton*>(stop)->text().isEmpty())
                << qPrintable(stop->objectName()) << " says what it does";
        }
        tab();
        EXPECT_EQ(focus(), after);
    }
    // Shift+Tab from the last button meets the same stops in the reverse order, the actions
    // first: they show as the keyboard comes into the row. Then the first button.
    void expectWalkBack(const QList<QWidget*>& stops) {
        for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
            tab(Qt::ShiftModifier);
            ASSERT_EQ(focus(), *it) << qPrintable((*it)->objectName());
            EXPECT_TRUE((*it)->isVisible());
        }
        tab(Qt::ShiftModifier);
        EXPECT_EQ(focus(), before);
    }

    QWidget window;
    QPushButton* before = nullptr;
    QPushButton* after = nullptr;
};

template <typename T> T* child(QWidget* row, const char* name) {
    return row->findChild<T*>(QString::fromLatin1(name));
}

} // namespace

TEST_F(RowActionsKeyboard, AnArchivedGoalRowIsAStopAndOffersRestoreAndDelete) {
    ArchivedGoalText text;
    text.goalID = 1;
    text.title = QStringLiteral("Climb a hill");
    text.color = Qt::blue;
    int restored = 0;
    auto* row = new ArchivedGoalRow(text, [&restored] { ++restored; }, {});
    host(row);
    auto* actions = child<QWidget>(row, "archivedGoalActions");
    auto* restore = child<QWidget>(row, "archivedGoalRestore");
    auto* remove = child<QWidget>(row, "archivedGoalDelete");
    EXPECT_FALSE(actions->isVisible());
    EXPECT_EQ(row->accessibleName(), text.title);

    expectWalk({row, restore, remove});
    EXPECT_FALSE(actions->isVisible()) << "they hide with the focus gone";
    EXPECT_EQ(restore->focusPolicy(), Qt::NoFocus);
    expectWalkBack({row, restore, remove});
    tab();
    EXPECT_TRUE(actions->isVisible());
    tab();
    QTest::keyClick(restore, Qt::Key_Space);
    EXPECT_EQ(restored, 1);
    EXPECT_FALSE(row->isHovered()) << "the pointer's state is its own";

    // The question the trash asks keeps the trash drawn, so Escape can give the focus back to it.
    tab();
    ASSERT_EQ(focus(), remove);
    QTest::keyClick(remove, Qt::Key_Space);
    qv::test::settle();
    ASSERT_NE(SheetHost::topmost(&window), nullptr);
    EXPECT_FALSE(row->isAncestorOf(focus()));
    EXPECT_TRUE(remove->isVisible());
    QTest::keyClick(focus(), Qt::Key_Escape);
    qv::test::settle(10);
    EXPECT_EQ(SheetHost::topmost(&window), nullptr);
    EXPECT_EQ(focus(), remove);
}

TEST_F(RowActionsKeyboard, AnAchievementRowOffersItsDeleteButtonOnlyWhileFocused) {
    auto achievement = Achievement::create(context);
    achievement->setTitle(QStringLiteral("First marathon"));
    achievement->setDate(now);
    context->save();
    int deleted = 0;
    auto* row = new AchievementTimelineRow(achievement, [&deleted] { ++deleted; });
    host(row);
    QToolButton* remove = row->deleteButton();
    EXPECT_TRUE(remove->isHidden());

    expectWalk({row, remove});
    EXPECT_TRUE(remove->isHidden()) << "it fades out once the focus has left";
    EXPECT_EQ(remove->graphicsEffect(), nullptr) << "and keeps no effect at rest";
    expectWalkBack({row, remove});
    tab();
    tab();
    ASSERT_EQ(focus(), remove);
    QTest::keyClick(remove, Qt::Key_Space);
    EXPECT_EQ(deleted, 1);
}

TEST_F(RowActionsKeyboard, ALinkRowHidesItsButtonsWhenTabLeavesFromTheLast) {
    auto link = LinkItem::create(context);
    link->setTitle(QStringLiteral("Docs"));
    link->setUrl(QStringLiteral("https://example.org/docs"));
    context->save();
    auto* row = new LinkRow(link, {}, {});
    host(row);
    EXPECT_FALSE(row->actionsShown());

    expectWalk({row, child<QWidget>(row, "openLinkButton"), child<QWidget>(row, "editLinkButton"),
                child<QWidget>(row, "deleteLinkButton")});
    EXPECT_FALSE(row->actionsShown());
    expectWalkBack({row, child<QWidget>(row, "openLinkButton"), child<QWidget>(row, "editLinkButton"),
                    child<QWidget>(row, "deleteLinkButton")});
    tab();
    EXPECT_TRUE(row->actionsShown()) << "coming back shows them again";
    tab();
    EXPECT_EQ(focus(), child<QWidget>(row, "openLinkButton"));
}

TEST_F(RowActionsKeyboard, ASubtaskRowShowsItsActionsAfterItsTick) {
    auto task = CalendarTask::create(context);
    task->setTitle(QStringLiteral("Pack"));
    task->setDate(now);
    auto subtask = CalendarSubtask::create(context);
    subtask->setTitle(QStringLiteral("Socks"));
    subtask->setTask(task);
    context->save();
    CalendarViewModel viewModel(context);
    auto* row = new CalendarSubtaskRow(subtask, &viewModel);
    host(row);
    auto* edit = child<QWidget>(row, "subtaskEditButton");
    EXPECT_FALSE(edit->isVisible());

    expectWalk({child<QWidget>(row, "subtaskTick"), child<QWidget>(row, "subtaskNotesButton"), edit,
                child<QWidget>(row, "subtaskDeleteButton")});
    EXPECT_FALSE(edit->isVisible());
    expectWalkBack({child<QWidget>(row, "subtaskTick"), child<QWidget>(row, "subtaskNotesButton"), edit,
                    child<QWidget>(row, "subtaskDeleteButton")});
    tab();
    EXPECT_TRUE(edit->isVisible());
    tab();
    tab();
    ASSERT_EQ(focus(), edit);
    QTest::keyClick(edit, Qt::Key_Space);
    EXPECT_TRUE(row->isEditing()) << "Space on the pencil renames";
    EXPECT_FALSE(row->isHovered());
}
