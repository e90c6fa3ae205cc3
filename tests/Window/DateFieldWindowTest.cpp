// The date field of the goal editor on the X server: its calendar button opens the month
// calendar as a pop-up over the sheet.

#include "Window/WindowLane.h"

#include "Components/DatePickerField.h"
#include "Components/ToggleSwitch.h"

#include <QCalendarWidget>
#include <QScrollArea>

TEST_F(WindowLane, TheDateFieldsCalendarOpensFromItsButton) {
    showWindow(QSize(1280, 820));
    goTo(AppDestination::goals);
    click(goalsScreen()->findChild<QPushButton*>(QStringLiteral("goalsNewGoalButton")));
    frames(800);
    auto* editor = sheet<CreateGoalView>();
    ASSERT_NE(editor, nullptr);
    click(editor->findChild<ToggleSwitch*>(QStringLiteral("createGoalDeadlineToggle")));
    auto* field = editor->findChild<DatePickerField*>(QStringLiteral("createGoalDeadlinePicker"));
    ASSERT_NE(field, nullptr);
    if (auto* scroll = editor->findChild<QScrollArea*>())
        scroll->ensureWidgetVisible(field);
    frames(300);
    auto* button = field->findChild<QToolButton*>(QStringLiteral("datePickerButton"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    click(button);
    frames(300);
    auto* popup = field->findChild<QCalendarWidget*>(QStringLiteral("datePickerPopup"));
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->isVisible());
    popup->repaint();
    const QImage shown = grabScreen(popup);
    EXPECT_LT(differingShare(popup->grab().toImage(), shown), 0.01) << "the calendar shows on the screen";
    saveScreen(QStringLiteral("date-field-calendar"));
    popup->hide();
}
