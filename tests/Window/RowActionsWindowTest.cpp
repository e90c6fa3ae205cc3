// Actions a row shows under the pointer, reached and used from the keyboard alone: a calendar
// task carried to tomorrow and deleted, a bill deleted. They show while the keyboard is in their
// row, come right after the row's own controls (Shift+Tab meets them first), and hide again once
// the focus has left.

#include "Window/WindowLane.h"

#include "Components/FocusRing.h"
#include "Models/Bill.h"
#include "Models/CalendarTask.h"
#include "Platform/UserDefaults.h"
#include "ViewModels/Finance/BillsViewModel.h"
#include "Views/CalendarView/CalendarPageView.h"
#include "Views/CalendarView/CalendarTaskRow.h"
#include "Views/Finance/BillRow.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

#include <QApplication>

#include <functional>

namespace {

class RowActions : public WindowLane {
protected:
    static QWidget* focus() { return QApplication::focusWidget(); }
    static QString focusName() { return focus() ? focus()->objectName() : QString(); }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = focus() ? focus() : window_.get();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        frames(120);
    }

    QWidget* tabTo(const std::function<bool(QWidget*)>& wanted, int stops = 120) {
        for (int i = 0; i < stops; ++i) {
            key(Qt::Key_Tab);
            if (focus() && wanted(focus()))
                return focus();
        }
        ADD_FAILURE() << "Tab never reached the control";
        return nullptr;
    }
    QWidget* tabToName(const QString& name) {
        return tabTo([name](QWidget* w) { return w->objectName() == name; });
    }

    void openDestination(AppDestination destination) {
        ASSERT_NE(tabTo([destination](QWidget* w) {
                      auto* nav = qobject_cast<SidebarNavItem*>(w);
                      return nav && nav->destination() == destination;
                  }),
                  nullptr);
        key(Qt::Key_Return);
        frames(600);
    }

    static void expectRingOn(QWidget* widget) {
        ASSERT_NE(FocusRing::current(), nullptr);
        EXPECT_EQ(FocusRing::current()->target(), widget);
        EXPECT_TRUE(FocusRing::current()->isVisible());
    }

    // Every control of `names` in turn is the next Tab stop, drawn, named and ringed.
    void expectStops(const QStringList& names) {
        for (const QString& name : names) {
            key(Qt::Key_Tab);
            ASSERT_EQ(focusName(), name);
            EXPECT_TRUE(focus()->isVisible()) << qPrintable(name);
            EXPECT_FALSE(focus()->accessibleName().isEmpty() && focus()->toolTip().isEmpty())
                << qPrintable(name) << " says what it does";
            expectRingOn(focus());
        }
    }

    std::vector<std::shared_ptr<CalendarTask>> tasks() {
        return context()->fetch<CalendarTask>(FetchRequest(CalendarTask::entityName()));
    }
};

} // namespace

TEST_F(RowActions, ATaskIsCarriedToTomorrowAndDeletedFromTheKeyboard) {
    auto task = CalendarTask::create(context());
    task->setTitle(QStringLiteral("Water the plants"));
    task->setDate(Clock::now().date().startOfDay());
    context()->save();
    showWindow(QSize(1200, 760));
    openDestination(AppDestination::calendar);
    ASSERT_NE(qobject_cast<CalendarPageView*>(screen()), nullptr);
    auto* row = screen()->findChild<CalendarTaskRow*>();
    ASSERT_NE(row, nullptr);
    QWidget* actions = row->findChild<QWidget*>(QStringLiteral("tomorrowButton"))->parentWidget();
    EXPECT_FALSE(actions->isVisible()) << "at rest the actions are not drawn";

    ASSERT_NE(tabToName(QStringLiteral("taskTick")), nullptr);
    EXPECT_TRUE(actions->isVisible()) << "the actions show while the keyboard is in the row";
    saveScreen(QStringLiteral("keyboard-task-actions"));
    expectStops({QStringLiteral("tomorrowButton"), QStringLiteral("followUpButton"),
                 QStringLiteral("taskNotesButton"), QStringLiteral("taskEditButton"),
                 QStringLiteral("taskDeleteButton")});

    // Out of the row the actions hide and are no stops; back in, they show again.
    ASSERT_NE(tabTo([row](QWidget* w) { return !row->isAncestorOf(w); }), nullptr);
    EXPECT_FALSE(actions->isVisible());
    ASSERT_NE(tabTo([](QWidget* w) { return w->objectName() == QLatin1String("taskTick"); }), nullptr);
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("tomorrowButton"));
    key(Qt::Key_Space);
    frames(400);
    const QDate tomorrow = Clock::now().date().addDays(1);
    bool carried = false;
    for (const auto& t : tasks())
        carried = carried || (t->title() == task->title() &&
                              t->date().value_or(QDateTime()).toLocalTime().date() == tomorrow);
    EXPECT_TRUE(carried) << "Space on \"Tomorrow\" carries the task forward";

    ASSERT_NE(tabToName(QStringLiteral("taskDeleteButton")), nullptr);
    key(Qt::Key_Space);
    frames(400);
    EXPECT_TRUE(task->isDeleted()) << "Space on the trash deletes the task";
    EXPECT_EQ(tasks().size(), 1u) << "only tomorrow's copy is left";
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}

TEST_F(RowActions, ABillIsDeletedFromTheKeyboard) {
    UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
    UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    {
        BillsViewModel bills(context());
        bills.addBill(QStringLiteral("Water"), 300, 5, QStringLiteral("Water"), QString(),
                      QStringLiteral("cash"), {});
    }
    showWindow(QSize(1200, 760));
    openDestination(AppDestination::expenses);
    ASSERT_NE(tabTo([](QWidget* w) {
                  auto* tab = qobject_cast<FinanceTabButton*>(w);
                  return tab && tab->tab() == FinanceTab::bills;
              }),
              nullptr);
    key(Qt::Key_Return);
    frames(600);
    auto* row = screen()->findChild<BillRow*>();
    ASSERT_NE(row, nullptr);
    auto* remove = row->findChild<QWidget*>(QStringLiteral("deleteBillButton"));
    ASSERT_NE(remove, nullptr);
    EXPECT_FALSE(remove->isVisible());

    ASSERT_NE(tabToName(QStringLiteral("paidToggle")), nullptr);
    EXPECT_TRUE(remove->isVisible()) << "the delete button shows while the keyboard is in the row";
    saveScreen(QStringLiteral("keyboard-bill-delete"));
    expectStops({QStringLiteral("deleteBillButton")});
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(), QStringLiteral("paidToggle"));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_FALSE(row->isAncestorOf(focus()));
    EXPECT_FALSE(remove->isVisible()) << "it hides once the focus has left the row";

    // Shift+Tab from the stop after the row (the Settings gear) meets the delete button first,
    // as Tab meets it last, though it shows only once the keyboard is in the row.
    ASSERT_NE(tabToName(QStringLiteral("deleteBillButton")), nullptr);
    key(Qt::Key_Tab);
    ASSERT_FALSE(row->isAncestorOf(focus()));
    ASSERT_FALSE(remove->isVisible());
    const QString after = describe(focus());
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("deleteBillButton")) << "Shift+Tab from " << after.toStdString();
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), QStringLiteral("paidToggle"));

    ASSERT_NE(tabToName(QStringLiteral("deleteBillButton")), nullptr);
    key(Qt::Key_Space);
    frames(400);
    EXPECT_TRUE(context()->fetch<Bill>(FetchRequest(Bill::entityName())).empty())
        << "Space on the delete button deletes the bill";
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
