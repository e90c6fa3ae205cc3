#include "Components/FocusAfter.h"
#include "Components/FocusWithin.h"
#include "Components/KeyboardLayer.h"
#include "Components/VirtualList.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

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

// A list of records below the section's field, each row an Edit and a Delete, filled anew from
// the records each time they change, as the screens' lists are.
struct Records {
    std::vector<int> ids{1, 2, 3};
    VirtualList* list;

    explicit Records(Screen& s) {
        list = new VirtualList(
            [](QWidget* parent) {
                auto* row = new QWidget(parent);
                auto* line = new QHBoxLayout(row);
                for (const QString& text : {QStringLiteral("Edit"), QStringLiteral("Delete")}) {
                    auto* button = new QPushButton(text);
                    button->setFocusPolicy(Qt::StrongFocus);
                    line->addWidget(button);
                }
                return row;
            },
            [this](QWidget* row, int index) { row->setObjectName(QString::number(ids[size_t(index)])); });
        list->setRowKeys([this](int index) { return QVariant(ids[size_t(index)]); });
        list->setRowHeight(40);
        list->setMinimumHeight(200);
        s.section->layout()->addWidget(list);
        s.window.resize(600, 600);
        list->setCount(int(ids.size()));
        qv::test::settle();
        EXPECT_NE(list->rowWidget(2), nullptr) << "the list shows too few rows";
    }
    QPushButton* button(int index, const QString& text) const {
        for (auto* button : list->rowWidget(index)->findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }
    void remove(int id) {
        ids.erase(std::find(ids.begin(), ids.end(), id));
        list->setCount(int(ids.size()));
        qv::test::settle();
    }
    // The record of the row that holds the focus, 0 for none.
    static int recordFocused() {
        const QWidget* focus = QApplication::focusWidget();
        return focus && focus->parentWidget() ? focus->parentWidget()->objectName().toInt() : 0;
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

// A row filled with the next record keeps its controls, so no focus event tells the guard: the
// list does. The focus on the Delete of a record deleted goes to the row that took its place, on
// its first control that deletes nothing; the last row gone, to the row before. A Delete whose
// row still shows its record keeps the focus the user gave it.
TEST(FocusAfter, ARowRefilledWithAnotherRecordKeepsNoFocusOnItsDelete) {
    Screen s;
    Records r(s);
    QPushButton* second = r.button(1, QStringLiteral("Delete"));
    second->setFocus(Qt::MouseFocusReason);
    r.list->setCount(3);
    EXPECT_EQ(Screen::focus(), second) << "the same records filled again moved the focus";

    r.remove(2);
    EXPECT_EQ(Screen::focus(), r.button(1, QStringLiteral("Edit")))
        << "the focus stayed on a Delete now of the next record: "
        << qPrintable(Screen::focus()->objectName());
    EXPECT_EQ(Records::recordFocused(), 3);

    r.button(1, QStringLiteral("Delete"))->setFocus(Qt::MouseFocusReason);
    r.remove(3);
    EXPECT_EQ(Screen::focus(), r.button(0, QStringLiteral("Edit"))) << "the last row gone: the row before";
}

// Shift+Tab meets the controls a row shows only while it holds the focus, as Tab does, in the
// reverse order: a Delete shown with the row, and a control offered after a row that is a stop.
TEST(FocusAfter, ShiftTabMeetsTheControlsARowShowsWithTheFocus) {
    Screen s;
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    auto* paid = new QPushButton(QStringLiteral("Mark Paid"));
    auto* remove = new QPushButton(QStringLiteral("Delete bill"));
    auto* after = new QPushButton(QStringLiteral("Next"));
    for (QPushButton* button : {paid, remove, after})
        button->setFocusPolicy(Qt::StrongFocus);
    line->addWidget(paid);
    line->addWidget(remove);
    remove->hide();
    auto* within = new FocusWithin(row);
    QObject::connect(within, &FocusWithin::changed, remove, &QWidget::setVisible);
    auto* offered = new QWidget;
    offered->setFocusPolicy(Qt::StrongFocus);
    auto* restore = new QPushButton(QStringLiteral("Restore"), offered);
    auto* erase = new QPushButton(QStringLiteral("Delete"), offered);
    auto* offeredWithin = new FocusWithin(offered);
    QObject::connect(offeredWithin, &FocusWithin::changed, offered, [=](bool shown) {
        FocusWithin::offer(offered, restore, shown);
        FocusWithin::offer(restore, erase, shown);
    });
    FocusWithin::offer(offered, restore, false);
    FocusWithin::offer(restore, erase, false);
    s.section->layout()->addWidget(row);
    s.section->layout()->addWidget(offered);
    s.section->layout()->addWidget(after);
    qv::test::settle();
    QWidget::setTabOrder(s.remove, paid);
    QWidget::setTabOrder(paid, remove);
    QWidget::setTabOrder(remove, offered);
    QWidget::setTabOrder(offered, after);

    after->setFocus(Qt::MouseFocusReason);
    QStringList backwards;
    for (int i = 0; i < 5; ++i) {
        Screen::press(Qt::Key_Tab, Qt::ShiftModifier);
        auto* button = qobject_cast<QPushButton*>(Screen::focus());
        backwards << (button ? button->text() : QStringLiteral("row"));
    }
    EXPECT_EQ(backwards,
              QStringList({QStringLiteral("Delete"), QStringLiteral("Restore"), QStringLiteral("row"),
                           QStringLiteral("Delete bill"), QStringLiteral("Mark Paid")}));
}
