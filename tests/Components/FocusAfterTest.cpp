#include "Components/FocusAfter.h"
#include "Components/KeyboardLayer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A window as the screens make them: a sidebar kept from handed focus with its gear, and a
// section with its Add, a field, and a row with Edit and Delete.
struct Screen {
    QWidget window;
    QWidget* sidebar = new QWidget;
    QPushButton* gear = new QPushButton(QStringLiteral("Settings"));
    QPushButton* navItem = new QPushButton(QStringLiteral("Finance"));
    QWidget* section = new QWidget;
    QPushButton* add = new QPushButton(QStringLiteral("+"));
    QLineEdit* field = new QLineEdit;
    QPushButton* edit = new QPushButton(QStringLiteral("Edit"));
    QPushButton* remove = new QPushButton(QStringLiteral("Delete"));

    Screen() {
        KeyboardLayer::installKeeper();
        FocusAfter::installGuard();
        add->setObjectName(QStringLiteral("addThingButton"));
        auto* columns = new QHBoxLayout(&window);
        auto* side = new QVBoxLayout(sidebar);
        side->addWidget(gear);
        side->addWidget(navItem);
        columns->addWidget(sidebar);
        auto* column = new QVBoxLayout(section);
        column->addWidget(add);
        column->addWidget(field);
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(remove);
        column->addLayout(row);
        columns->addWidget(section);
        FocusAfter::keepHandedFocusOut(sidebar);
        for (QPushButton* button : {gear, navItem, add, edit, remove})
            button->setFocusPolicy(Qt::StrongFocus);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static QWidget* focus() { return QApplication::focusWidget(); }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }
};

} // namespace

// A part that hides hands its focus to the control that takes over: at once when it is shown,
// else once it shows in the same turn; never to a Delete, whose section's Add takes it instead.
TEST(FocusAfter, HandsTheFocusOnNowOrOnceTheControlShows) {
    Screen s;
    auto* part = new QPushButton(QStringLiteral("Create your first"));
    s.section->layout()->addWidget(part);
    QCoreApplication::processEvents();
    part->setFocus(Qt::OtherFocusReason);
    FocusAfter::handOver(part, s.field);
    part->hide();
    EXPECT_EQ(Screen::focus(), s.field);

    // The row that takes over is made with the change and shows with the next events.
    s.field->setFocus(Qt::OtherFocusReason);
    auto* later = new QPushButton(QStringLiteral("First row"));
    s.section->layout()->addWidget(later);
    ASSERT_FALSE(later->isVisible());
    FocusAfter::handOver(s.field, later);
    s.field->hide();
    EXPECT_NE(Screen::focus(), s.remove) << "the window passed the focus on to its next control";
    QCoreApplication::processEvents();
    ASSERT_TRUE(later->isVisible());
    EXPECT_EQ(Screen::focus(), later) << "the control that showed later took no focus";

    later->setFocus(Qt::OtherFocusReason);
    FocusAfter::handOver(later, s.remove);
    later->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(Screen::focus(), s.add) << "the focus was handed to a Delete";
    EXPECT_TRUE(FocusAfter::isDestructive(s.remove));
    EXPECT_FALSE(FocusAfter::isDestructive(s.edit));
}

// A focus the user did not move himself never rests on a Delete nor in the sidebar he was not
// in; his own Tab onto a Delete, and a focus handed on inside the sidebar he is in, stay.
TEST(FocusAfter, GuardMovesAHandedFocusOffADeleteAndOutOfTheSidebar) {
    Screen s;
    s.edit->setFocus(Qt::MouseFocusReason);
    Screen::press(Qt::Key_Tab);
    EXPECT_EQ(Screen::focus(), s.remove) << "the user's own Tab onto Delete";
    Screen::press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(Screen::focus(), s.edit);

    // Edit hides (its row is made anew): Qt passes the focus on to the next control, Delete.
    s.edit->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(Screen::focus(), s.add) << "a focus passed on by a hiding control rests on Delete";
    s.edit->show();
    s.remove->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(Screen::focus(), s.add) << "a focus a screen hands on rests on Delete";

    s.gear->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(Screen::focus(), s.add) << "a focus handed on from the section rests in the sidebar";
    s.gear->setFocus(Qt::MouseFocusReason);
    s.navItem->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(Screen::focus(), s.navItem) << "within the sidebar the user is in, a handed focus stays";
}
