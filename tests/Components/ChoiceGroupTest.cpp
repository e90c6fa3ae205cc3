#include "Components/ChoiceGroup.h"
#include "Components/BareScrollArea.h"
#include "Components/FocusRing.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

namespace {

// A field, a strip of five checkable choices too wide for its scroll area, and a field.
struct Form {
    QWidget window;
    QLineEdit* before = new QLineEdit;
    QLineEdit* after = new QLineEdit;
    QList<QPushButton*> choices;
    ChoiceGroup* group = new ChoiceGroup(&window);

    Form() {
        FocusRing::install();
        before->setObjectName(QStringLiteral("before"));
        after->setObjectName(QStringLiteral("after"));
        auto* row = new QHBoxLayout(&window);
        row->addWidget(before);
        auto* strip = new QWidget;
        auto* chips = new QHBoxLayout(strip);
        for (const char* name : {"Red", "Green", "Blue", "Gold", "Grey"}) {
            auto* choice = new QPushButton(QString::fromLatin1(name));
            choice->setObjectName(choice->text());
            choice->setCheckable(true);
            choice->setMinimumWidth(120);
            chips->addWidget(choice);
            choices << choice;
        }
        QScrollArea* scroll = BareScrollArea::wrap(strip);
        scroll->setFixedWidth(200);
        row->addWidget(scroll);
        row->addWidget(after);
        for (QPushButton* choice : std::as_const(choices))
            group->add(choice);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    static QString focused() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
};

} // namespace

// Tab meets the group once, on its chosen choice or else its first; the arrows move the focus
// without choosing, Space chooses, and Tab from either side comes back to the chosen one.
TEST(ChoiceGroup, IsOneTabStopMovedByArrowsAndChosenBySpace) {
    Form f;
    f.before->setFocus(Qt::TabFocusReason);
    Form::press(Qt::Key_Tab);
    EXPECT_EQ(Form::focused(), QStringLiteral("Red")) << "nothing chosen: the first choice";
    Form::press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.after) << "the group is one stop";

    Form::press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Form::focused(), QStringLiteral("Red"));
    // Each key's lead, checked where it leads: Right and Left one step, Home the first, End the last.
    for (const auto& [key, lead] :
         {std::pair{Qt::Key_Right, "Green"}, std::pair{Qt::Key_Right, "Blue"},
          std::pair{Qt::Key_Left, "Green"}, std::pair{Qt::Key_Home, "Red"}, std::pair{Qt::Key_End, "Grey"}})
        EXPECT_EQ((Form::press(key), Form::focused()), QString::fromLatin1(lead)) << "key " << int(key);
    ASSERT_NE(FocusRing::current(), nullptr) << "the arrows move the ring";
    EXPECT_EQ(FocusRing::current()->target(), f.choices[4]);
    const QPoint shown = f.choices[4]->mapTo(&f.window, QPoint(f.choices[4]->width() - 1, 0));
    EXPECT_LT(shown.x(), f.after->x()) << "the choice the arrows reach is scrolled into view";
    Form::press(Qt::Key_Right);
    EXPECT_EQ(Form::focused(), QStringLiteral("Grey")) << "the end is the end";
    Form::press(Qt::Key_Up);
    Form::press(Qt::Key_Up);
    EXPECT_EQ(Form::focused(), QStringLiteral("Blue"));
    for (QPushButton* choice : std::as_const(f.choices))
        EXPECT_FALSE(choice->isChecked()) << "moving chooses nothing";
    Form::press(Qt::Key_Space);
    EXPECT_TRUE(f.choices[2]->isChecked());
    EXPECT_EQ(f.group->chosen(), f.choices[2]);

    Form::press(Qt::Key_Home);
    EXPECT_EQ(Form::focused(), QStringLiteral("Red"));
    Form::press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.after) << "the group is still one stop";
    Form::press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Form::focused(), QStringLiteral("Blue")) << "Tab comes back to the chosen choice";
    f.before->setFocus(Qt::TabFocusReason);
    Form::press(Qt::Key_Tab);
    EXPECT_EQ(Form::focused(), QStringLiteral("Blue"));

    // A chosen choice that hides hands the stop on, so the group stays reachable.
    f.after->setFocus(Qt::TabFocusReason);
    f.choices[2]->hide();
    Form::press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Form::focused(), QStringLiteral("Red")) << "the first choice shown";
    f.group->clear();
    EXPECT_EQ(ChoiceGroup::of(f.choices[0]), nullptr);
}

// Choices laid out in rows (as the emoji are): Up and Down go to the one above and below and
// stop at the top and bottom rows; Left, Right, Home and End still walk the reading order.
TEST(ChoiceGroup, InRowsUpAndDownMoveByARow) {
    QWidget window;
    auto* grid = new QGridLayout(&window);
    auto* group = new ChoiceGroup(&window);
    int columns = 3;
    group->setColumns([&columns] { return columns; });
    for (int i = 0; i < 6; ++i) {
        auto* choice = new QPushButton(QString::number(i));
        choice->setObjectName(choice->text());
        grid->addWidget(choice, i / 3, i % 3);
        group->add(choice);
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    group->stop()->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(Form::focused(), QStringLiteral("0"));
    const std::pair<Qt::Key, const char*> walk[] = {
        {Qt::Key_Right, "1"}, {Qt::Key_Down, "4"}, {Qt::Key_Down, "4"}, {Qt::Key_Up, "1"},
        {Qt::Key_Up, "1"},    {Qt::Key_End, "5"},  {Qt::Key_Up, "2"},   {Qt::Key_Right, "3"},
        {Qt::Key_Left, "2"},  {Qt::Key_Home, "0"}, {Qt::Key_Down, "3"},
    };
    for (const auto& [key, lead] : walk)
        EXPECT_EQ((Form::press(key), Form::focused()), QString::fromLatin1(lead)) << "key " << int(key);
    // The rows follow the width: two to a row now.
    columns = 2;
    Form::press(Qt::Key_Up);
    EXPECT_EQ(Form::focused(), QStringLiteral("1"));
}
