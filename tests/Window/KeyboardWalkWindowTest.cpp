// The planner from the keyboard alone, on the X server: a goal opens from the goals list, the
// grid, the dashboard and the sidebar and one of its steps is ticked; a task goes on another day
// of the calendar. Only keys are pressed; the test looks where the focus went after each.

#include "Window/WindowLane.h"

#include "Components/FocusRing.h"
#include "Models/CalendarTask.h"
#include "ViewModels/CalendarViewModel.h"
#include "Views/CalendarView/CalendarDayCell.h"
#include "Views/CalendarView/CalendarMonthColumn.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/Dashboard/DashboardView.h"

#include <QApplication>
#include <QScrollArea>

#include <functional>

namespace {

class KeyboardWalk : public WindowLane {
protected:
    static QWidget* focus() { return QApplication::focusWidget(); }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = focus() ? focus() : window_.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        frames(120);
    }

    // Presses Tab until the focus is on a widget that passes the test, at most `stops` times.
    // No stop on the way is a pane (the sidebar column, a screen's page) or a control that is not
    // drawn, and within the screen none goes back up or leftwards against the reading order.
    QWidget* tabTo(const std::function<bool(QWidget*)>& wanted, int stops = 120) {
        for (int i = 0; i < stops; ++i) {
            QWidget* before = focus();
            key(Qt::Key_Tab);
            QWidget* now = focus();
            if (!now)
                continue;
            EXPECT_FALSE(isPane(now)) << now->objectName().toStdString() << " is a pane, no control";
            // Within the screen each stop comes after the one before it as the screen reads.
            QWidget* content = named(QStringLiteral("detailArea"));
            if (before && before->isVisible() && content && content->isAncestorOf(before) &&
                content->isAncestorOf(now)) {
                const QString fault = readingOrderFault(before, now);
                EXPECT_TRUE(fault.isEmpty())
                    << now->objectName().toStdString() << " comes after "
                    << before->objectName().toStdString() << " though it stands " << fault.toStdString();
            }
            if (auto* item = qobject_cast<SidebarGoalItem*>(now->parentWidget());
                item && now == item->eyeButton()) {
                EXPECT_EQ(lastRow_, item) << "an eye is a stop only right after its row";
            }
            lastRow_ = now;
            if (wanted(now))
                return now;
        }
        ADD_FAILURE() << "Tab never reached the control";
        return nullptr;
    }
    QWidget* tabToName(const QString& name) {
        return tabTo([name](QWidget* w) { return w->objectName() == name; });
    }
    template <typename T> T* tabToA() {
        return qobject_cast<T*>(tabTo([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; }));
    }
    void openDestination(AppDestination destination) {
        auto* item = qobject_cast<SidebarNavItem*>(tabTo([destination](QWidget* w) {
            auto* nav = qobject_cast<SidebarNavItem*>(w);
            return nav && nav->destination() == destination;
        }));
        ASSERT_NE(item, nullptr);
        key(Qt::Key_Return);
        frames(600);
    }

    static void expectRingOn(QWidget* widget) {
        ASSERT_NE(FocusRing::current(), nullptr) << "the focused control shows the ring";
        EXPECT_EQ(FocusRing::current()->target(), widget);
        EXPECT_TRUE(FocusRing::current()->isVisible());
    }

    // In the goal detail under `root`: the first milestone opened with its chevron, then its first
    // open step ticked with Space. The focus stays on the tick.
    void tickFirstOpenStep(QWidget* root, const std::shared_ptr<Goal>& goal) {
        ASSERT_NE(root, nullptr);
        ASSERT_NE(tabTo([root](QWidget* w) {
                      return root->isAncestorOf(w) && w->objectName() == QLatin1String("milestoneChevron");
                  }),
                  nullptr);
        key(Qt::Key_Return);
        frames(400);
        EXPECT_EQ(focus() ? focus()->objectName() : QString(), QStringLiteral("milestoneChevron"))
            << "opening the milestone keeps the focus on its chevron";
        auto* toggle = tabTo([root](QWidget* w) {
            auto* row = qobject_cast<StepRowView*>(w->parentWidget());
            return root->isAncestorOf(w) && w->objectName() == QLatin1String("stepToggle") && row &&
                   !row->step()->isCompleted();
        });
        ASSERT_NE(toggle, nullptr);
        const std::shared_ptr<Step> step = qobject_cast<StepRowView*>(toggle->parentWidget())->step();
        const int before = goal->completedSteps();
        key(Qt::Key_Space);
        frames(600);
        EXPECT_TRUE(step->isCompleted()) << "Space ticks the step";
        EXPECT_EQ(goal->completedSteps(), before + 1);
        ASSERT_NE(focus(), nullptr);
        auto* row = qobject_cast<StepRowView*>(focus()->parentWidget());
        EXPECT_EQ(focus()->objectName(), QStringLiteral("stepToggle")) << "the focus stays on the tick";
        EXPECT_TRUE(row && row->step() == step);
        expectRingOn(focus());
    }

    // The stored goal a row, card or sidebar item stands for.
    std::shared_ptr<Goal> goalOf(qint64 goalID) {
        for (const auto& goal : context()->fetch<Goal>(FetchRequest(Goal::entityName())))
            if (goal->objectID() == goalID)
                return goal;
        return nullptr;
    }

    QWidget* lastRow_ = nullptr;
};

} // namespace

TEST_F(KeyboardWalk, AGoalOpensFromTheListAndTheGridAndItsStepTicks) {
    makeGoal(QStringLiteral("Read twelve books"), 9, 3, 0);
    makeGoal(QStringLiteral("Run a half marathon"), 8, 3, 1);
    showWindow(QSize(1200, 760));
    openDestination(AppDestination::goals);
    ASSERT_NE(goalsScreen(), nullptr);

    auto* row = tabToA<GoalRowView>();
    ASSERT_NE(row, nullptr);
    expectRingOn(row);
    // The focused row's own buttons follow it in the Tab order, and only its own.
    key(Qt::Key_Tab);
    ASSERT_NE(focus(), nullptr);
    EXPECT_EQ(focus()->objectName(), QStringLiteral("goalRowEye"));
    EXPECT_TRUE(row->isAncestorOf(focus()));
    EXPECT_EQ(focus()->accessibleName(), QStringLiteral("Hide title"));
    key(Qt::Key_Tab);
    ASSERT_NE(focus(), nullptr);
    EXPECT_EQ(focus()->objectName(), QStringLiteral("goalRowAchieve"));
    EXPECT_TRUE(row->isAncestorOf(focus()));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focus(), row);
    key(Qt::Key_Down);
    auto* next = qobject_cast<GoalRowView*>(focus());
    ASSERT_NE(next, nullptr) << "Down moves to the next row";
    EXPECT_NE(next, row);
    expectRingOn(next);
    const std::shared_ptr<Goal> second = goalOf(next->goalID());
    key(Qt::Key_Return);
    frames(800);
    ASSERT_NE(detail(), nullptr) << "Return opens the goal";
    EXPECT_EQ(detail()->property("goalID").toLongLong(), second->objectID());
    EXPECT_EQ(focus(), next) << "the row keeps the focus";
    tickFirstOpenStep(detail(), second);
    saveScreen(QStringLiteral("keyboard-list-step-ticked"));

    ASSERT_NE(tabToName(QStringLiteral("goalsGridModeButton")), nullptr);
    key(Qt::Key_Return);
    frames(800);
    auto* card = tabToA<GoalCardView>();
    ASSERT_NE(card, nullptr) << "the grid's cards are reached by Tab";
    expectRingOn(card);
    // The grid's current card is the one the list had; Home goes to the first.
    ASSERT_EQ(qobject_cast<GoalCardView*>(focus()), cardOf(second));
    key(Qt::Key_Home);
    auto* first = qobject_cast<GoalCardView*>(focus());
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first->goalID(), second->objectID());
    expectRingOn(first);
    saveScreen(QStringLiteral("keyboard-grid-card"));
    key(Qt::Key_Return);
    frames(800);
    ASSERT_NE(detail(), nullptr);
    EXPECT_EQ(detail()->property("goalID").toLongLong(), first->goalID());
    tickFirstOpenStep(detail(), goalOf(first->goalID()));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(KeyboardWalk, AGoalOpensFromTheDashboardAndTheSidebar) {
    auto goal = makeGoal(QStringLiteral("Learn to draw"), 9, 2, 0);
    showWindow(QSize(1200, 760));
    ASSERT_NE(qobject_cast<DashboardView*>(screen()), nullptr);

    auto* card = tabToA<GoalCardView>();
    ASSERT_NE(card, nullptr) << "the dashboard's goal cards are reached by Tab";
    expectRingOn(card);
    key(Qt::Key_Return);
    frames(800);
    SheetHost* host = topSheet();
    ASSERT_NE(host, nullptr) << "Return opens the goal over the dashboard";
    tickFirstOpenStep(host->content(), goal);
    key(Qt::Key_Escape);
    frames(800);
    EXPECT_EQ(topSheet(), nullptr);
    EXPECT_EQ(focus(), card) << "the focus is back on the card that opened the goal";

    auto* item = tabToA<SidebarGoalItem>();
    ASSERT_NE(item, nullptr);
    expectRingOn(item);
    // The eye shows while its row has the focus, and Tab reaches it right after the row.
    key(Qt::Key_Tab);
    EXPECT_EQ(focus(), item->eyeButton());
    saveScreen(QStringLiteral("keyboard-sidebar-eye"));
    key(Qt::Key_Tab);
    EXPECT_EQ(focus() ? focus()->objectName() : QString(), QStringLiteral("sidebarNewGoalButton"))
        << "after the goals and the eye comes \"New Goal\"";
    // Shift+Tab goes back the way Tab came, the eye showing again as the keyboard comes back.
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), item->eyeButton()) << "back from \"New Goal\": the eye first";
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focus(), item) << "then the row";
    key(Qt::Key_Return);
    frames(800);
    ASSERT_NE(goalsScreen(), nullptr) << "Return on a sidebar goal opens the goals";
    auto* row = tabTo([goal](QWidget* w) {
        auto* row = qobject_cast<GoalRowView*>(w);
        return row && row->goalID() == goal->objectID();
    });
    ASSERT_NE(row, nullptr);
    key(Qt::Key_Return);
    frames(800);
    ASSERT_NE(detail(), nullptr);
    tickFirstOpenStep(detail(), goal);
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(KeyboardWalk, ATaskGoesOnAnotherDayOfTheCalendar) {
    // Today holds a task above a goal's milestone: Tab meets the task's row first.
    auto goal = makeGoal(QStringLiteral("Learn Spanish"), 6, 2, 0);
    for (const auto& milestone : goal->milestonesArray())
        milestone->setFrequency(QStringLiteral("Daily"));
    auto today = CalendarTask::create(context());
    today->setTitle(QStringLiteral("Book the flights"));
    today->setDate(Clock::now().date().startOfDay());
    context()->save();
    showWindow(QSize(1200, 760));
    openDestination(AppDestination::calendar);
    auto* page = qobject_cast<CalendarPageView*>(screen());
    ASSERT_NE(page, nullptr);

    auto* day = tabToA<CalendarDayCell>();
    ASSERT_NE(day, nullptr) << "the month grid is reached by Tab";
    EXPECT_TRUE(day->isToday()) << "Tab lands on the selected day";
    expectRingOn(day);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    auto* target = qobject_cast<CalendarDayCell*>(focus());
    ASSERT_NE(target, nullptr);
    const QDate wanted = Clock::now().date().addDays(8);
    EXPECT_EQ(target->date().date(), wanted);
    expectRingOn(target);
    saveScreen(QStringLiteral("keyboard-calendar-day"));
    key(Qt::Key_Space);
    EXPECT_EQ(page->viewModel()->selectedDate().date(), wanted) << "Space selects the day";
    EXPECT_EQ(focus(), target) << "the day keeps the focus";

    ASSERT_NE(tabToName(QStringLiteral("toggleAddTaskButton")), nullptr);
    key(Qt::Key_Return);
    frames(400);
    ASSERT_EQ(focus() ? focus()->objectName() : QString(), QStringLiteral("newTaskField"));
    QTest::keyClicks(focus(), QStringLiteral("Buy paint"));
    ASSERT_NE(tabToName(QStringLiteral("addTaskButton")), nullptr);
    key(Qt::Key_Return);
    frames(400);
    std::shared_ptr<CalendarTask> added;
    for (const auto& task : context()->fetch<CalendarTask>(FetchRequest(CalendarTask::entityName())))
        if (task != today)
            added = task;
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->title(), QStringLiteral("Buy paint"));
    EXPECT_EQ(added->date().value_or(QDateTime()).toLocalTime().date(), wanted);

    // Back on today, Tab goes through the day as it reads, and on to the sidebar.
    page->viewModel()->selectDate(Clock::now());
    frames(600);
    auto* cell = tabToA<CalendarDayCell>();
    ASSERT_NE(cell, nullptr);
    EXPECT_NE(tabTo([](QWidget* w) { return w->objectName() == QLatin1String("milestoneFoldButton"); }),
              nullptr);
    EXPECT_NE(tabToA<SidebarNavItem>(), nullptr);
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
