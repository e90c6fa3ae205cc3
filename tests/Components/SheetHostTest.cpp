#include "Components/SheetHost.h"
#include "Components/AlertButton.h"
#include "Components/AlertDialog.h"
#include "Components/ThemedTextField.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

struct Window {
    QWidget widget;
    Window() {
        widget.resize(900, 600);
        widget.show();
        widget.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
};

QWidget* form(QPushButton** button, ThemedTextField** field, QPushButton** second = nullptr) {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    *field = new ThemedTextField(QStringLiteral("Title"));
    *button = new QPushButton(QStringLiteral("Save"));
    (*button)->setDefault(true);
    layout->addWidget(*field);
    layout->addWidget(*button);
    if (second) {
        *second = new QPushButton(QStringLiteral("Cancel"));
        layout->addWidget(*second);
    }
    return content;
}

} // namespace

TEST(SheetHost, CentresACardOfTheGivenWidthAndClosesOnEscape) {
    Window w;
    QPushButton* save;
    ThemedTextField* field;
    int dismissals = 0;
    QPointer<SheetHost> sheet =
        SheetHost::present(&w.widget, form(&save, &field), 420, [&] { ++dismissals; });
    EXPECT_EQ(sheet->geometry(), w.widget.rect());
    EXPECT_EQ(sheet->card()->width(), 420);
    EXPECT_EQ(sheet->card()->geometry().center().x(), w.widget.rect().center().x());
    EXPECT_EQ(SheetHost::topmost(&w.widget), sheet.data());
    EXPECT_EQ(w.widget.focusWidget(), field);
    w.widget.resize(1000, 700);
    EXPECT_EQ(sheet->geometry(), w.widget.rect());

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(dismissals, 1);
    sheet->dismiss();
    EXPECT_EQ(dismissals, 1);
    qv::test::settle();
    EXPECT_TRUE(sheet.isNull());
}

TEST(SheetHost, ReturnInATextFieldNeverPressesAButton) {
    Window w;
    QPushButton* save;
    ThemedTextField* field;
    SheetHost* sheet = SheetHost::present(&w.widget, form(&save, &field), 400);
    int saves = 0;
    QObject::connect(save, &QPushButton::clicked, [&] { ++saves; });
    int returns = 0;
    QObject::connect(field, &QLineEdit::returnPressed, [&] { ++returns; });
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter);
    EXPECT_EQ(returns, 2);
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(sheet->isDismissing());
    sheet->setEscapeCloses(false);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(sheet->isDismissing());
}

TEST(SheetHost, TabStaysInsideTheTopmostSheet) {
    Window w;
    auto* outside = new QPushButton(QStringLiteral("Behind"), &w.widget);
    outside->show();
    QPushButton* save;
    QPushButton* cancel;
    ThemedTextField* field;
    SheetHost::present(&w.widget, form(&save, &field, &cancel), 400);
    QList<QWidget*> visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    EXPECT_FALSE(visited.contains(outside));
    EXPECT_TRUE(visited.contains(save));
    EXPECT_TRUE(visited.contains(field));
}

TEST(AlertDialog, ButtonsActByRoleAndEscapeCancels) {
    Window w;
    QPushButton* save;
    ThemedTextField* field;
    SheetHost* sheet = SheetHost::present(&w.widget, form(&save, &field), 400);
    QStringList log;
    QPointer<SheetHost> alert = AlertDialog::present(
        &w.widget, QStringLiteral("Delete Goal?"), QStringLiteral("This cannot be undone."),
        {{QStringLiteral("Delete"), AlertDialog::Role::Destructive, [&] { log << "delete"; }},
         {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, [&] { log << "cancel"; }}});
    EXPECT_EQ(SheetHost::topmost(&w.widget), alert.data());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(log, QStringList{"cancel"});
    EXPECT_FALSE(sheet->isDismissing()); // only the alert closed
    EXPECT_EQ(SheetHost::topmost(&w.widget), sheet);

    alert = AlertDialog::present(
        &w.widget, QStringLiteral("Mark as Achieved?"), {},
        {{QStringLiteral("Add to Achievements"), AlertDialog::Role::Default, [&] { log << "add"; }},
         {QStringLiteral("Just Mark Complete"), AlertDialog::Role::Plain, [&] { log << "mark"; }},
         {QStringLiteral("Cancel"), AlertDialog::Role::Cancel, {}}});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(log, (QStringList{"cancel", "add"}));
    EXPECT_TRUE(alert->isDismissing());

    alert = AlertDialog::present(
        &w.widget, QStringLiteral("Delete?"), {},
        {{QStringLiteral("Delete"), AlertDialog::Role::Destructive, [&] { log << "deleted"; }}});
    const auto buttons = alert->findChildren<AlertButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.first()->role(), AlertDialog::Role::Destructive);
    QTest::mouseClick(buttons.first(), Qt::LeftButton);
    EXPECT_EQ(log.last(), QStringLiteral("deleted"));
    EXPECT_TRUE(alert->isDismissing());
}
