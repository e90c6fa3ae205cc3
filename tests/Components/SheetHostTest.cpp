#include "Components/SheetHost.h"
#include "Components/AlertButton.h"
#include "Components/AlertDialog.h"
#include "Components/FocusRing.h"
#include "Components/KeyboardLayer.h"
#include "Components/ThemedTextField.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
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

// With a default button, Return in a one-line field presses it while it is on: the field's
// own Return runs first; a note keeps Return as a line break, a field told to keep Return and
// a focused button keep it too, and a default button of the sheet below presses nothing.
TEST(SheetHost, ReturnInAOneLineFieldPressesTheDefaultButtonWhileItIsOn) {
    FocusRing::install(); // Return presses a focused button
    Window w;
    QPushButton* save;
    ThemedTextField* field;
    QPushButton* cancel;
    QWidget* content = form(&save, &field, &cancel);
    auto* note = new QPlainTextEdit;
    auto* kept = new ThemedTextField(QStringLiteral("Category"));
    auto* count = new QSpinBox;
    for (QWidget* extra : std::initializer_list<QWidget*>{note, kept, count})
        content->layout()->addWidget(extra);
    KeyboardLayer::markDefault(save);
    KeyboardLayer::keepReturn(kept);
    SheetHost* sheet = SheetHost::present(&w.widget, content, 400);
    qv::test::settle();
    QStringList happened;
    QObject::connect(save, &QPushButton::clicked, [&] { happened << QStringLiteral("save"); });
    QObject::connect(cancel, &QPushButton::clicked, [&] { happened << QStringLiteral("cancel"); });
    QObject::connect(field, &QLineEdit::returnPressed, [&] { happened << QStringLiteral("field"); });
    ASSERT_EQ(KeyboardLayer::of(save)->defaultButton(), save);

    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_EQ(happened, (QStringList{QStringLiteral("field"), QStringLiteral("save"), QStringLiteral("field"),
                                     QStringLiteral("save"), QStringLiteral("save")}));

    happened.clear();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    save->setEnabled(false);
    QTest::keyClick(field, Qt::Key_Return);
    save->setEnabled(true);
    note->setFocus();
    QTest::keyClick(note, Qt::Key_Return);
    kept->setFocus();
    QTest::keyClick(kept, Qt::Key_Return);
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_EQ(happened,
              (QStringList{QStringLiteral("field"), QStringLiteral("field"), QStringLiteral("cancel")}))
        << "a modified Return, a disabled default, a note, a kept field and a focused button press no "
           "default";
    EXPECT_EQ(note->toPlainText(), QStringLiteral("\n")) << "the note takes Return as a line break";

    // A sheet over the first, without a default of its own: Return there presses nothing.
    happened.clear();
    QPushButton* upperSave;
    ThemedTextField* upperField;
    SheetHost::present(&w.widget, form(&upperSave, &upperField), 300);
    qv::test::settle();
    upperField->setFocus();
    QTest::keyClick(upperField, Qt::Key_Return);
    EXPECT_TRUE(happened.isEmpty());
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
