// The date picker's calendar opened with the mouse from a money sheet, on the X server: when a
// day is picked the focus is back on the control that had it, so typing goes on where it was
// and Tab moves on from there.

#include "Window/WindowLane.h"

#include "Components/DatePickerField.h"
#include "Platform/UserDefaults.h"
#include "Views/Finance/FinanceTabBar.h"
#include "Views/Finance/FinanceTabButton.h"
#include "Views/Finance/FinanceView.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>

namespace {

class PopupFocus : public WindowLane {
protected:
    void SetUp() override {
        WindowLane::SetUp();
        if (IsSkipped())
            return;
        UserDefaults::standard().setFlag(FinanceView::authEnabledKey, false);
        UserDefaults::standard().setFlag(FinanceView::onboardingCompleteKey, true);
    }

    // The sheet behind the button of the finance tab, open.
    QWidget* openSheet(FinanceTab tab, const char* opener) {
        if (!qobject_cast<FinanceView*>(screen())) {
            goTo(AppDestination::expenses);
            frames(600);
        }
        SheetHost* host = openFinanceSheet(tab, opener, 600);
        return host ? host->content() : nullptr;
    }

    // With the focus in the field: a click on the date's calendar button, a click on a day of the
    // month, then more typing. The field reads as typed, and Tab goes on from it.
    void pickWithTheMouseWhileTyping(QWidget* sheet, const QString& fieldName, const QString& pickerName) {
        ASSERT_NE(sheet, nullptr);
        auto* field = sheet->findChild<QLineEdit*>(fieldName);
        auto* picker = sheet->findChild<DatePickerField*>(pickerName);
        ASSERT_NE(field, nullptr);
        ASSERT_NE(picker, nullptr);
        click(field);
        QTest::keyClicks(field, QStringLiteral("Lunch"));
        ASSERT_EQ(QApplication::focusWidget(), field);

        click(picker->findChild<QWidget*>(QStringLiteral("datePickerButton")));
        frames(300);
        auto* popup = picker->findChild<QCalendarWidget*>(QStringLiteral("datePickerPopup"));
        ASSERT_NE(popup, nullptr);
        ASSERT_TRUE(popup->isVisible());
        auto* days = popup->findChild<QTableView*>();
        ASSERT_NE(days, nullptr);
        // A day in the middle of the month's third week: the header is the first of seven lines.
        const QDateTime before = picker->dateTime();
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {},
                          QPoint(days->viewport()->width() * 9 / 14, days->viewport()->height() * 7 / 14));
        frames(300);
        EXPECT_FALSE(popup->isVisible()) << "picking a day closes the calendar";
        EXPECT_NE(picker->dateTime(), before) << "the day was picked";

        EXPECT_EQ(QApplication::focusWidget(), field) << "the focus is back where it was";
        QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(),
                         QStringLiteral(" box"));
        EXPECT_EQ(field->text(), QStringLiteral("Lunch box"));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window_.get(),
                        Qt::Key_Tab);
        frames(100);
        QWidget* next = QApplication::focusWidget();
        ASSERT_NE(next, nullptr);
        EXPECT_TRUE(sheet->isAncestorOf(next));
        EXPECT_NE(next->objectName(), QStringLiteral("closeButton")) << "Tab goes on from the field";
        QTest::keyClick(next, Qt::Key_Escape);
        frames(800);
    }
};

} // namespace

TEST_F(PopupFocus, PickingADayFromTheKeyboardGivesTheFocusBackToTheCalendarButton) {
    showWindow(QSize(1200, 760));
    QWidget* sheet = openSheet(FinanceTab::overview, "addExpenseButton");
    ASSERT_NE(sheet, nullptr);
    auto* picker = sheet->findChild<DatePickerField*>(QStringLiteral("datePicker"));
    ASSERT_NE(picker, nullptr);
    QWidget* button = picker->findChild<QWidget*>(QStringLiteral("datePickerButton"));
    for (int i = 0; i < 20 && QApplication::focusWidget() != button; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Space);
    frames(300);
    auto* popup = picker->findChild<QCalendarWidget*>(QStringLiteral("datePickerPopup"));
    ASSERT_TRUE(popup && popup->isVisible());
    const QDate day = picker->dateTime().date();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    frames(300);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(picker->dateTime().date(), day.addDays(-1));
    EXPECT_EQ(QApplication::focusWidget(), button) << "back on the button that opened the calendar";
}

TEST_F(PopupFocus, PickingADayWithTheMouseGivesTheFocusBackToTheField) {
    showWindow(QSize(1200, 760));
    pickWithTheMouseWhileTyping(openSheet(FinanceTab::overview, "addExpenseButton"),
                                QStringLiteral("titleField"), QStringLiteral("datePicker"));
    pickWithTheMouseWhileTyping(openSheet(FinanceTab::commitments, "addSubscriptionButton"),
                                QStringLiteral("nameField"), QStringLiteral("renewalPicker"));
    pickWithTheMouseWhileTyping(openSheet(FinanceTab::investments, "addFirstButton"),
                                QStringLiteral("nameField"), QStringLiteral("buyDatePicker"));
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(u'\n'));
}
