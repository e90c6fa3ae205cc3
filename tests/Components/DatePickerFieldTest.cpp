#include "Components/DatePickerField.h"
#include "Platform/DateText.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDateEdit>
#include <QTest>
#include <QToolButton>

TEST(DateText, DatesFollowTheLocalesOrder) {
    const QDate date(2026, 12, 7);
    EXPECT_EQ(DateText::medium(date, QLocale(QStringLiteral("en_US"))), QStringLiteral("Dec 7, 2026"));
    EXPECT_EQ(DateText::medium(date, QLocale(QStringLiteral("de_DE"))), QStringLiteral("7. Dez. 2026"));
    const QString french = DateText::medium(date, QLocale(QStringLiteral("fr_FR")));
    EXPECT_TRUE(french.startsWith(QLatin1Char('7'))) << french.toStdString();
    EXPECT_FALSE(french.contains(QStringLiteral("lundi"))) << "no weekday";
    EXPECT_EQ(DateText::longDate(date, QLocale(QStringLiteral("de_DE"))), QStringLiteral("7. Dezember 2026"));
}

TEST(DatePickerField, TheCalendarOpensFromItsButtonAndFromAClickOnTheDate) {
    DatePickerField field(QDateTime(QDate(2026, 3, 10), QTime(14, 37)));
    field.resize(field.sizeHint());
    field.show();
    qv::test::settle();
    auto* button = field.findChild<QToolButton*>(QStringLiteral("datePickerButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible());
    EXPECT_GE(button->width(), 24) << "a button one can see and hit, not a strip";

    QTest::mouseClick(button, Qt::LeftButton);
    auto* popup = field.findChild<QCalendarWidget*>(QStringLiteral("datePickerPopup"));
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->selectedDate(), QDate(2026, 3, 10));
    emit popup->clicked(QDate(2026, 3, 21));
    EXPECT_FALSE(popup->isVisible()) << "picking a day closes the calendar";
    EXPECT_EQ(field.dateTime(), QDateTime(QDate(2026, 3, 21), QTime(14, 37)));

    auto* edit = field.findChild<QDateEdit*>();
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(10, edit->height() / 2));
    EXPECT_TRUE(popup->isVisible()) << "a click on the date opens the calendar too";
    popup->hide();
}

TEST(DatePickerField, TheDateReadsInTheLocalesOrder) {
    qv::test::LocaleScope german(QStringLiteral("de_DE"));
    DatePickerField field(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    auto* edit = field.findChild<QDateEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("10. Dez. 2026"));
    EXPECT_GE(edit->minimumWidth(), edit->fontMetrics().horizontalAdvance(edit->text()));
}
