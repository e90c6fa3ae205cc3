#include "Components/VirtualList.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A list of numbered rows, each a label and a focusable field, in a 400 x 300 window.
class VirtualListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = std::make_unique<VirtualList>(
            [this](QWidget* parent) {
                auto* row = new QWidget(parent);
                row->setFocusPolicy(Qt::StrongFocus);
                new QLabel(row);
                ++made;
                return row;
            },
            [this](QWidget* row, int index) {
                row->findChild<QLabel*>()->setText(QString::number(index));
                row->setObjectName(QStringLiteral("row%1").arg(index));
                ++bound;
            });
        list->setRowHeight(40);
        list->setSpacing(0, 10);
        list->resize(400, 300);
        list->setAttribute(Qt::WA_DontShowOnScreen);
        list->show();
        qv::test::settle();
    }

    QStringList shownTexts() const {
        QStringList texts;
        for (QWidget* row : list->rowsInView())
            texts << row->findChild<QLabel*>()->text();
        return texts;
    }

    std::unique_ptr<VirtualList> list;
    int made = 0;
    int bound = 0;
};

TEST_F(VirtualListTest, MakesRowsOnlyForTheRowsInViewHoweverLongTheList) {
    list->setCount(5000);
    // 300 px of 50 px steps, plus one row past each edge.
    EXPECT_LE(made, 8);
    EXPECT_EQ(list->rowsInView().size(), made);
    EXPECT_EQ(shownTexts().first(), QStringLiteral("0"));
    EXPECT_EQ(list->widget()->height(), 5000 * 50 - 10);
    EXPECT_EQ(list->rowWidget(3)->geometry(), QRect(0, 150, 400, 40));
    EXPECT_EQ(list->rowWidget(4000), nullptr);

    for (int y = 0; y < 20000; y += 137)
        list->verticalScrollBar()->setValue(y);
    // A view cut mid-row shows one row more than a view cut between rows.
    EXPECT_LE(made, 9) << "rows scrolled out are handed to rows scrolling in";
    QWidget* row = list->rowWidget(20000 / 50);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->findChild<QLabel*>()->text(), QStringLiteral("400"));
    EXPECT_EQ(row->y(), 400 * 50);
}

TEST_F(VirtualListTest, ANewCountRefillsTheRowsInViewAndDropsTheOnesPastTheEnd) {
    list->setCount(100);
    bound = 0;
    list->setCount(100);
    EXPECT_EQ(bound, list->rowsInView().size()) << "the same rows, filled again";
    list->setCount(2);
    EXPECT_EQ(shownTexts(), QStringList({QStringLiteral("0"), QStringLiteral("1")}));
    list->setCount(0);
    EXPECT_TRUE(list->rowsInView().isEmpty());
    EXPECT_EQ(list->widget()->height(), 1);
}

TEST_F(VirtualListTest, HeaderAboveFooterBelowAndGridColumns) {
    auto* header = new QLabel(QStringLiteral("header"));
    header->setFixedHeight(30);
    list->setHeader(header);
    auto* footer = new QLabel(QStringLiteral("footer"));
    footer->setFixedHeight(20);
    list->setFooter(footer);
    list->setRowMargins(QMargins(10, 5, 10, 5));
    list->setColumns(2);
    list->setSpacing(20, 10);
    list->setCount(5);
    EXPECT_EQ(header->geometry(), QRect(0, 0, 400, 30));
    // Three lines of 40 with two gaps of 10, inside 5 px margins.
    EXPECT_EQ(footer->y(), 30 + 5 + 140 + 5);
    EXPECT_EQ(list->rowWidget(0)->geometry(), QRect(10, 35, 180, 40));
    EXPECT_EQ(list->rowWidget(1)->geometry(), QRect(210, 35, 180, 40));
    EXPECT_EQ(list->rowWidget(4)->geometry(), QRect(10, 135, 180, 40));
}

TEST_F(VirtualListTest, TabFollowsTheListOrderAndAFocusedRowStaysWhileScrolledAway) {
    list->setCount(1000);
    list->verticalScrollBar()->setValue(2000);
    list->verticalScrollBar()->setValue(0);
    const QList<QWidget*> rows = list->rowsInView();
    for (int i = 0; i + 1 < rows.size(); ++i)
        EXPECT_EQ(rows[i]->nextInFocusChain(), rows[i + 1]) << i;

    QApplication::setActiveWindow(list.get());
    QWidget* first = list->rowWidget(0);
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    list->verticalScrollBar()->setValue(10000);
    EXPECT_EQ(list->rowWidget(0), first) << "the focused row keeps its goal and its focus";
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(list->indexOf(first), 0);
}

TEST_F(VirtualListTest, DroppingRowsMakesFreshOnes) {
    list->setCount(10);
    QWidget* before = list->rowWidget(0);
    list->dropRows();
    list->setCount(10);
    qv::test::settle();
    EXPECT_NE(list->rowWidget(0), nullptr);
    EXPECT_GT(list->rowsMade(), 0);
    EXPECT_TRUE(list->rowWidget(0) != before || made > 8);
}

TEST_F(VirtualListTest, RowsOfSeveralKindsAreHandedOnOnlyWithinTheirKind) {
    // Every tenth row is a section head; the heads can change place with a new count.
    int every = 10;
    int heads = 0;
    list->setRowKinds([&every](int index) { return index % every == 0 ? 1 : 0; },
                      [&heads](int kind, QWidget* parent) {
                          auto* row = new QWidget(parent);
                          row->setProperty("kind", kind);
                          new QLabel(row);
                          heads += kind;
                          return row;
                      });
    list->setRowHeights([&every](int index, int) { return index % every == 0 ? 20 : 40; });
    list->setCount(5000);
    for (int y = 0; y < 100000; y += 173)
        list->verticalScrollBar()->setValue(y);
    EXPECT_LE(list->rowsMade(), 16) << "rows are made for the view, not for the list";
    EXPECT_LE(heads, 3);
    for (QWidget* row : list->rowsInView())
        EXPECT_EQ(row->property("kind").toInt(), list->indexOf(row) % every == 0 ? 1 : 0)
            << list->indexOf(row);

    list->verticalScrollBar()->setValue(0);
    every = 3;
    list->setCount(5000);
    for (QWidget* row : list->rowsInView())
        EXPECT_EQ(row->property("kind").toInt(), list->indexOf(row) % every == 0 ? 1 : 0)
            << list->indexOf(row);
    EXPECT_EQ(list->rowWidget(3)->geometry(), QRect(0, 20 + 40 + 40 + 3 * 10, 400, 20));
}

} // namespace

namespace {

// The list between two buttons of its window, with a header and a footer control, the rows
// made only once the window is up: rows made late stand last in the window's chain.
class VirtualListKeys : public VirtualListTest {
protected:
    void SetUp() override {
        VirtualListTest::SetUp();
        list->hide();
        auto* column = new QVBoxLayout(&window);
        before = new QPushButton(QStringLiteral("before"));
        column->addWidget(before);
        column->addWidget(list.get());
        list->show();
        after = new QPushButton(QStringLiteral("after"));
        column->addWidget(after);
        auto* header = new QWidget;
        chip = new QPushButton(QStringLiteral("chip"));
        (new QVBoxLayout(header))->addWidget(chip);
        list->setHeader(header);
        auto* footer = new QWidget;
        more = new QPushButton(QStringLiteral("more"));
        (new QVBoxLayout(footer))->addWidget(more);
        list->setFooter(footer);
        list->setKeyboardNavigation(true);
        window.resize(400, 400);
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        QApplication::setActiveWindow(&window);
        qv::test::settle();
    }
    void TearDown() override {
        list.release(); // the window owns it now
        VirtualListTest::TearDown();
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
    static void press(int key) { QTest::keyClick(focus(), Qt::Key(key)); }
    // Tab from the focus until a control; the controls passed on the way.
    static QList<QWidget*> tabsTo(QWidget* last) {
        QList<QWidget*> passed;
        for (int i = 0; i < 20 && focus() != last; ++i) {
            QTest::keyClick(focus(), Qt::Key_Tab);
            passed << focus();
        }
        return passed;
    }

    QWidget window;
    QPushButton* before = nullptr;
    QPushButton* after = nullptr;
    QPushButton* chip = nullptr;
    QPushButton* more = nullptr;
};

} // namespace

TEST_F(VirtualListKeys, TheRowsAreOneTabStopBetweenTheHeaderAndTheFooter) {
    list->setCount(1000);
    EXPECT_EQ(list->focusPolicy(), Qt::NoFocus) << "the list itself is no stop";
    before->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabsTo(after), (QList<QWidget*>{chip, list->rowWidget(0), more, after}));

    // The stop is the row last focused, kept however far the list scrolled since.
    list->focusRow(2);
    list->verticalScrollBar()->setValue(20000);
    before->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabsTo(after), (QList<QWidget*>{chip, list->rowWidget(2), more, after}));
    QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), more);
    QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), list->rowWidget(2)) << focus()->objectName().toStdString();
}

TEST_F(VirtualListKeys, ArrowsMoveTheFocusAndBringRowsNotYetMadeIntoView) {
    list->setCount(1000);
    ASSERT_NE(list->focusRow(0), nullptr);
    press(Qt::Key_Down);
    EXPECT_EQ(focus(), list->rowWidget(1));
    EXPECT_EQ(list->currentIndex(), 1);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(focus(), list->rowWidget(0)) << "the first row stays at the top";
    EXPECT_EQ(list->verticalScrollBar()->value(), 0) << "the page does not scroll from under the focus";

    press(Qt::Key_End);
    ASSERT_NE(list->rowWidget(999), nullptr) << "the last row is made";
    EXPECT_EQ(focus(), list->rowWidget(999));
    const QRect shown(QPoint(0, list->verticalScrollBar()->value()), list->viewport()->size());
    EXPECT_TRUE(shown.contains(list->rowWidget(999)->geometry())) << "and scrolled into view";
    EXPECT_LE(list->rowsMade(), 12) << "rows are handed on, not made for every step";

    press(Qt::Key_PageUp);
    const int page = 999 - list->currentIndex();
    EXPECT_GE(page, 4);
    EXPECT_EQ(focus(), list->rowWidget(list->currentIndex()));
    press(Qt::Key_Home);
    EXPECT_EQ(focus(), list->rowWidget(0));
    press(Qt::Key_PageDown);
    EXPECT_EQ(list->currentIndex(), page);
}

TEST_F(VirtualListKeys, InAGridUpAndDownMoveALineAndTheSidesMoveACell) {
    list->setColumns(3);
    list->setCount(10);
    list->focusRow(4);
    press(Qt::Key_Up);
    EXPECT_EQ(list->currentIndex(), 1);
    press(Qt::Key_Right);
    EXPECT_EQ(list->currentIndex(), 2);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 8);
    press(Qt::Key_Down);
    EXPECT_EQ(list->currentIndex(), 8) << "no cell below";
    press(Qt::Key_Left);
    EXPECT_EQ(focus(), list->rowWidget(7));
}

TEST_F(VirtualListKeys, WhenTheFocusedRowGoesTheFocusStaysInTheList) {
    list->setCount(20);
    list->focusRow(19);
    list->setCount(12);
    EXPECT_EQ(focus(), list->rowWidget(11)) << "on the row now last";
    list->setCount(0);
    EXPECT_EQ(list->currentIndex(), -1);
}
