#include "Components/DatePickerField.h"
#include "Components/MenuPicker.h"
#include "Components/SegmentedPicker.h"
#include "Components/Stepper.h"
#include "Components/ThemedTextEditor.h"
#include "Components/ToggleSwitch.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDateEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

TEST(DatePickerField, ChangingTheDayKeepsTheTimeOfDay) {
    const QDateTime start(QDate(2026, 3, 10), QTime(14, 37, 12));
    DatePickerField compact(start);
    QSignalSpy spy(&compact, &DatePickerField::dateTimeChanged);
    compact.findChild<QDateEdit*>()->setDate(QDate(2026, 4, 2));
    EXPECT_EQ(compact.dateTime(), QDateTime(QDate(2026, 4, 2), QTime(14, 37, 12)));
    EXPECT_EQ(spy.count(), 1);

    DatePickerField graphical(start, DatePickerField::Style::Graphical);
    graphical.findChild<QCalendarWidget*>()->setSelectedDate(QDate(2026, 3, 20));
    EXPECT_EQ(graphical.dateTime(), QDateTime(QDate(2026, 3, 20), QTime(14, 37, 12)));

    DatePickerField time(start, DatePickerField::Style::Time);
    time.findChild<QTimeEdit*>()->setTime(QTime(9, 5));
    EXPECT_EQ(time.dateTime(), QDateTime(QDate(2026, 3, 10), QTime(9, 5)));
}

TEST(DatePickerField, BoundsLimitTheDaysOnOffer) {
    DatePickerField compact(QDateTime(QDate(2026, 3, 10), QTime(8, 0)));
    compact.setMinimumDate(QDate(2026, 3, 5));
    compact.findChild<QDateEdit*>()->setDate(QDate(2026, 3, 1));
    EXPECT_EQ(compact.dateTime().date(), QDate(2026, 3, 5));
}

TEST(Stepper, StopsAtItsBounds) {
    Stepper stepper(2, 1, 6);
    QSignalSpy spy(&stepper, &Stepper::valueChanged);
    auto* plus = stepper.findChild<QToolButton*>(QStringLiteral("stepperPlus"));
    auto* minus = stepper.findChild<QToolButton*>(QStringLiteral("stepperMinus"));
    for (int i = 0; i < 10; ++i)
        plus->click();
    EXPECT_EQ(stepper.value(), 6);
    EXPECT_FALSE(plus->isEnabled());
    for (int i = 0; i < 10; ++i)
        minus->click();
    EXPECT_EQ(stepper.value(), 1);
    EXPECT_EQ(spy.count(), 4 + 5);
}

TEST(Pickers, SegmentsMenusAndToggles) {
    SegmentedPicker segments({QStringLiteral("Rows"), QStringLiteral("Grid")});
    QSignalSpy segmentSpy(&segments, &SegmentedPicker::currentIndexChanged);
    QTest::keyClick(&segments, Qt::Key_Right);
    QTest::keyClick(&segments, Qt::Key_Right);
    EXPECT_EQ(segments.currentIndex(), 1);
    EXPECT_EQ(segmentSpy.count(), 1);

    MenuPicker menu;
    menu.addOption(QStringLiteral("None"));
    menu.addOption(QStringLiteral("Health"), 42);
    EXPECT_EQ(menu.currentText(), QStringLiteral("None"));
    menu.setCurrentIndex(1);
    EXPECT_EQ(menu.currentValue().toInt(), 42);

    ToggleSwitch toggle(false);
    toggle.click();
    EXPECT_TRUE(toggle.isChecked());

    ThemedTextEditor editor(QStringLiteral("Notes"));
    EXPECT_EQ(editor.placeholderText(), QStringLiteral("Notes"));
}
