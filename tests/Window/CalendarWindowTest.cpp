// The calendar page in the smallest window, as the X server shows it: everything fits, the
// screen shows what the page renders, a row's actions come with the pointer and the
// new-category popover opens over the page.

#include "Window/WindowLane.h"

#include "Models/CalendarTask.h"
#include "Models/Milestone.h"
#include "Views/CalendarView/CalendarAddTaskBar.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/CalendarView/CalendarTaskRow.h"

#include <QApplication>

namespace {

class CalendarWindow : public WindowLane {};

} // namespace

TEST_F(CalendarWindow, ThePageFitsTheSmallestWindowAndShowsWhatItRenders) {
    auto goal = makeGoal(QStringLiteral("Learn Spanish"), 6, 3, 1);
    for (const auto& milestone : goal->milestonesArray())
        milestone->setFrequency(QStringLiteral("Daily"));
    auto task = CalendarTask::create(context());
    task->setTitle(QStringLiteral("Book the flights for the summer holiday"));
    task->setDate(Clock::now().date().startOfDay());
    context()->save();

    MainWindow& window = showWindow(QSize(900, 600));
    goTo(AppDestination::calendar);
    frames(800);
    auto* page = qobject_cast<CalendarPageView*>(screen());
    ASSERT_NE(page, nullptr);
    EXPECT_LE(window.minimumSizeHint().width(), 900);
    EXPECT_LE(window.minimumSizeHint().height(), 600);
    EXPECT_LT(differingShare(page->grab().toImage(), grabScreen(page)), 0.002);

    auto* row = page->taskRows().at(0);
    hover(row);
    // The move goes through the X server's pointer: the row hears of it when the server answers.
    ASSERT_TRUE(QTest::qWaitFor([row] { return row->underMouse(); }, 30000))
        << "the row never heard of the pointer";
    frames(300);
    EXPECT_TRUE(row->isHovered());
    auto* tomorrow = row->findChild<QWidget*>(QStringLiteral("tomorrowButton"));
    ASSERT_NE(tomorrow, nullptr);
    EXPECT_TRUE(tomorrow->isVisible());
    EXPECT_LE(tomorrow->mapTo(page, QPoint(tomorrow->width(), 0)).x(), page->width());

    click(page->findChild<QWidget*>(QStringLiteral("toggleAddTaskButton")));
    click(page->findChild<QWidget*>(QStringLiteral("newCategoryChip")));
    frames(300);
    ASSERT_NE(page->addTaskBar()->categoryPopover(), nullptr);
    saveScreen(QStringLiteral("calendar-new-category"));
    QWidget* popover = page->addTaskBar()->categoryPopover();
    EXPECT_LT(differingShare(popover->grab().toImage(), grabScreen(popover)), 0.002);
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(CalendarWindow, SpaceOnAFilterChipKeepsTheFocusOnThatChip) {
    auto task = CalendarTask::create(context());
    task->setTitle(QStringLiteral("Book the flights"));
    task->setDate(Clock::now().date().startOfDay());
    context()->save();
    showWindow(QSize(1200, 760));
    reach(AppDestination::calendar);
    auto* page = qobject_cast<CalendarPageView*>(screen());
    ASSERT_NE(page, nullptr);
    const auto focus = [] { return QApplication::focusWidget(); };
    const auto key = [&](Qt::Key key) {
        QTest::keyClick(focus() ? focus() : window_.get(), key);
        frames(400);
    };
    const auto press = [&](const char* name) {
        QWidget* control = named(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        control->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
    };
    // The first category, made while adding a task: the filter's chips come with it.
    press("toggleAddTaskButton");
    press("newCategoryChip");
    QTest::keyClicks(focus(), QStringLiteral("Errands"));
    press("categoryCreateButton");
    QWidget* title = named(QStringLiteral("newTaskField"));
    ASSERT_NE(title, nullptr);
    title->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(title, QStringLiteral("Post the letter"));
    press("addTaskButton");
    QWidget* all = named(QStringLiteral("filterAllChip"));
    ASSERT_NE(all, nullptr) << "no filter chips after a task of a new category";
    tabOnto(all);

    const auto onChip = [&](bool wantAll, const char* after) {
        QWidget* now = focus();
        QWidget* row = named(QStringLiteral("filterChipRow"));
        EXPECT_TRUE(now && row && row->isAncestorOf(now) &&
                    (now->objectName() == QLatin1String("filterAllChip")) == wantAll)
            << after << ": the focus is on " << describe(now).toStdString();
    };
    key(Qt::Key_Right);
    onChip(false, "Right");
    key(Qt::Key_Space);
    onChip(false, "Space on the category");
    key(Qt::Key_Left);
    key(Qt::Key_Space);
    onChip(true, "Space on All");
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
