// The goals screen from the keyboard and its texts as the X server shows them: every Tab stop
// shows where it is, Return presses the focused button, and texts with "&" show as written.

#include "Window/WindowLane.h"

#include "Components/FocusRing.h"
#include "Platform/TextHelpers.h"

#include <QApplication>
#include <QKeySequence>

namespace {

class GoalsKeyboardWindow : public WindowLane {
protected:
    // The screen around a widget (a few pixels past its edges, where a ring shows).
    QImage around(QWidget* widget) {
        const QRect area = widget->rect().adjusted(-4, -4, 4, 4);
        QWidget* top = widget->window();
        top->repaint();
        const QPoint origin = widget->mapToGlobal(area.topLeft());
        return top->screen()->grabWindow(0, origin.x(), origin.y(), area.width(), area.height()).toImage();
    }
};

} // namespace

TEST_F(GoalsKeyboardWindow, EveryTabStopShowsAVisibleFocusAndReturnPressesTheButton) {
    makeGoal(QStringLiteral("Run a Half Marathon in May"), 10, 4, 1);
    showWindow(QSize(1280, 820));
    goTo(AppDestination::goals);
    frames(800);
    auto* search = goalsScreen()->findChild<QLineEdit*>(QStringLiteral("goalsSearchField"));
    ASSERT_NE(search, nullptr);
    search->setFocus(Qt::MouseFocusReason);
    frames(50);

    QWidget* newGoal = nullptr;
    for (int stop = 0; stop < 9; ++stop) {
        QWidget* before = QApplication::focusWidget();
        ASSERT_NE(before, nullptr);
        QWidget* next = before->nextInFocusChain();
        while (next != before &&
               !(next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        const QImage unfocused = around(next);
        QTest::keyClick(before, Qt::Key_Tab);
        frames(50);
        QWidget* now = QApplication::focusWidget();
        ASSERT_EQ(now, next) << "stop " << stop;
        const QImage focused = around(now);
        // At least half a ring's length of pixels changed.
        const double changed = differingShare(unfocused, focused) * focused.width() * focused.height();
        EXPECT_GT(changed, focused.width() + focused.height())
            << "stop " << stop << " (" << now->objectName().toStdString() << ") shows its focus";
        if (now->objectName() == QLatin1String("goalsNewGoalButton"))
            newGoal = now;
        if (stop == 2)
            saveScreen(QStringLiteral("goals-focused-button"));
    }
    ASSERT_NE(newGoal, nullptr) << "\"New Goal\" is one of the Tab stops";
    newGoal->setFocus(Qt::TabFocusReason);
    frames(50);
    EXPECT_NE(FocusRing::current(), nullptr);
    QTest::keyClick(newGoal, Qt::Key_Return);
    frames(600);
    EXPECT_NE(topSheet(), nullptr) << "Return on the focused \"New Goal\" opens the editor";
}

TEST_F(GoalsKeyboardWindow, TextsWithAmpersandsShowAsWritten) {
    auto goal = makeGoal(QStringLiteral("Knit & Purl"), 10, 2, 0);
    goal->setCategory(QStringLiteral("Arts & Crafts"));
    context()->save();
    showWindow(QSize(1280, 820));
    goTo(AppDestination::goals);
    click(rowOf(goal), QPoint(40, 20));
    frames(800);
    click(detail()->findChild<QToolButton*>(QStringLiteral("addMilestoneButton")));
    frames(600);
    saveScreen(QStringLiteral("add-milestone-sheet"));
    QStringList shown;
    for (QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        EXPECT_TRUE(QKeySequence::mnemonic(button->text()).isEmpty())
            << "\"" << button->text().toStdString() << "\" is read as a keyboard mnemonic";
        shown << QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("Arts & Crafts"))) << "the category's filter chip";
    EXPECT_TRUE(shown.contains(QStringLiteral("Save & Continue")));
}
