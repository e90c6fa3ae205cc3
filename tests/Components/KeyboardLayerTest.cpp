#include "Components/KeyboardLayer.h"
#include "Components/SheetHost.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

struct Window {
    QWidget widget;
    QPushButton* behind = new QPushButton(QStringLiteral("Behind"), &widget);
    Window() {
        widget.resize(900, 600);
        behind->setGeometry(10, 10, 80, 30);
        widget.show();
        widget.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
};

QStringList tabRound(int presses) {
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

} // namespace

// Tab follows where the controls stand, not the order they were made in: a field made last
// but placed first is first, a line goes left to right, and a scroll area's content keeps its
// own order however far it is scrolled.
TEST(KeyboardLayer, TabFollowsTheLayoutAndStaysInTheLayer) {
    Window w;
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    auto* save = new QPushButton(QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("save"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* form = new QWidget;
    auto* column = new QVBoxLayout(form);
    for (const char* name : {"a", "b", "c"}) {
        auto* field = new QLineEdit;
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumHeight(200);
        column->addWidget(field);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    scroll->setFixedHeight(250);
    auto* title = new QLineEdit;
    title->setObjectName(QStringLiteral("title"));
    grid->addWidget(scroll, 1, 0, 1, 2);
    grid->addWidget(cancel, 2, 0);
    grid->addWidget(save, 2, 1);
    grid->addWidget(title, 0, 0, 1, 2);
    SheetHost::present(&w.widget, content, 400);
    EXPECT_EQ(QApplication::focusWidget(), title) << "the first field takes the focus";
    EXPECT_EQ(tabRound(6),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                           QStringLiteral("cancel"), QStringLiteral("save"), QStringLiteral("title")}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), save);

    // Clicks, keys and shortcuts of the window behind reach nothing.
    QSignalSpy pressed(w.behind, &QPushButton::clicked);
    QTest::mouseClick(w.behind, Qt::LeftButton);
    EXPECT_EQ(pressed.count(), 0);
    w.behind->setFocus(Qt::OtherFocusReason);
    EXPECT_NE(QApplication::focusWidget(), w.behind) << "the focus goes back into the layer";
    auto* action = new QAction(&w.widget);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    w.widget.addAction(action);
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(triggered.count(), 0);
}

// Closing a layer, or hiding a focused inline field, hands the focus back to the control that
// opened it.
TEST(KeyboardLayer, TheFocusGoesBackToTheOpener) {
    Window w;
    auto* open = new QPushButton(QStringLiteral("Open"), &w.widget);
    open->setGeometry(100, 10, 80, 30);
    open->show();
    auto* inline_ = new QLineEdit(&w.widget);
    inline_->setGeometry(200, 10, 80, 30);
    open->setFocus(Qt::TabFocusReason);
    SheetHost* host = SheetHost::present(&w.widget, new QPushButton(QStringLiteral("Inside")), 300);
    EXPECT_NE(QApplication::focusWidget(), open);
    host->dismiss();
    EXPECT_EQ(QApplication::focusWidget(), open) << "back on the button that opened the sheet";

    inline_->show();
    inline_->setFocus(Qt::OtherFocusReason);
    inline_->hide();
    EXPECT_EQ(QApplication::focusWidget(), open) << "a closed inline field hands the focus back";
}
