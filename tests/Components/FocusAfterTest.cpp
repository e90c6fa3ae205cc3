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
        FocusAfter::markAction(edit, FocusAfter::Action::opens);
        FocusAfter::markAction(remove, FocusAfter::Action::deletes);
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

// A list of records below the section's field, each row a Mark Paid and a Delete, filled anew
// from the records each time they change, as the screens' lists are.
struct Records {
    std::vector<int> ids{1, 2, 3};
    VirtualList* list;

    explicit Records(Screen& s, bool keyed = true) {
        list = new VirtualList(
            [](QWidget* parent) {
                auto* row = new QWidget(parent);
                row->setObjectName(QStringLiteral("recordRow"));
                FocusAfter::markRow(row);
                auto* line = new QHBoxLayout(row);
                for (const QString& text : {QStringLiteral("Mark Paid"), QStringLiteral("Delete")}) {
                    auto* button = new QPushButton(text);
                    button->setFocusPolicy(Qt::StrongFocus);
                    FocusAfter::markAction(button, text == QLatin1String("Delete")
                                                       ? FocusAfter::Action::deletes
                                                       : FocusAfter::Action::changes);
                    line->addWidget(button);
                }
                return row;
            },
            [this](QWidget* row, int index) { row->setProperty("record", ids[size_t(index)]); });
        if (keyed)
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
        for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
            if (w->property("record").isValid())
                return w->property("record").toInt();
        return 0;
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
// list does, with the record. The focus on the Delete of a record deleted goes to the row that
// took its place, as a row, never to its Mark Paid (one more Return would act on the next
// record); the last row gone, to the row before; the only row gone, to the section's Add. A
// focus on a row whose record stays follows the record when another row above it goes, and a
// row whose record is the same keeps the focus the user gave it.
TEST(FocusAfter, TheFocusOfARecordThatLeftGoesToTheRowThatTookItsPlace) {
    Screen s;
    Records r(s);
    QPushButton* second = r.button(1, QStringLiteral("Delete"));
    second->setFocus(Qt::MouseFocusReason);
    r.list->setCount(3);
    EXPECT_EQ(Screen::focus(), second) << "the same records filled again moved the focus";

    r.remove(2);
    EXPECT_EQ(Screen::focus(), r.list->rowWidget(1))
        << "the focus is not on the row that took the place: " << qPrintable(Screen::focus()->objectName());
    EXPECT_EQ(Records::recordFocused(), 3);

    r.button(1, QStringLiteral("Delete"))->setFocus(Qt::MouseFocusReason);
    r.remove(3);
    EXPECT_EQ(Screen::focus(), r.list->rowWidget(0)) << "the last row gone: the row before";

    r.ids = {1, 2, 3};
    r.list->setCount(3);
    r.list->rowWidget(2)->setFocus(Qt::MouseFocusReason);
    r.remove(1); // by a click that takes no focus
    EXPECT_EQ(Records::recordFocused(), 3) << "the focus left a record that stays";

    FocusAfter::markCarryOn(s.add, QStringLiteral("recordRow"));
    r.ids = {4};
    r.list->setCount(1);
    r.button(0, QStringLiteral("Delete"))->setFocus(Qt::MouseFocusReason);
    r.remove(4);
    EXPECT_EQ(Screen::focus(), s.add) << "the only row gone: the section's Add";
}

// The way back of a sheet opened from a row's action follows the record as the focus does: left
// on the row's Delete while the row shows the next record, the sheet closing would hand the
// focus to an action on that record.
TEST(FocusAfter, ASheetsWayBackLeavesARowThatShowsAnotherRecord) {
    Screen s;
    Records r(s);
    auto* sheet = new QWidget(&s.window);
    sheet->setGeometry(0, 0, 200, 100);
    sheet->hide();
    auto* field = new QLineEdit(sheet);
    KeyboardLayer* layer = KeyboardLayer::install(sheet);
    const auto open = [&](QWidget* opener) {
        opener->setFocus(Qt::MouseFocusReason);
        sheet->show();
        qv::test::settle();
        ASSERT_EQ(Screen::focus(), field);
        ASSERT_EQ(layer->opener(), opener);
    };

    open(r.button(1, QStringLiteral("Delete")));
    r.remove(2);
    EXPECT_EQ(layer->opener(), r.list->rowWidget(1)) << "the way back stays on the next record's Delete";
    sheet->hide();
    qv::test::settle();
    EXPECT_EQ(Screen::focus(), r.list->rowWidget(1));

    open(r.button(1, QStringLiteral("Mark Paid")));
    r.remove(3);
    EXPECT_EQ(layer->opener(), r.list->rowWidget(0)) << "the way back stays on a row gone";
    sheet->hide();
    qv::test::settle();
}

// A list whose rows take the focus says which record each shows, or the guard cannot keep the
// focus on the record the user is in: one that does not is told at once.
TEST(FocusAfter, AListWhoseRowsTakeTheFocusWithoutRowKeysIsTold) {
    static QStringList told;
    told.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtWarningMsg)
                told << message;
        });
    {
        Screen s;
        Records keyed(s);
    }
    EXPECT_TRUE(told.filter(QStringLiteral("row keys")).isEmpty());
    {
        Screen s;
        Records unkeyed(s, false);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(told.filter(QStringLiteral("row keys")).size(), 1);
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
