#include "Components/FocusRing.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

TEST(FocusRing, KeyboardFocusShowsTheRingAndTheKeysDoWhatTheySay) {
    FocusRing::install();
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* notes = new QPlainTextEdit;
    auto* button = new QPushButton(QStringLiteral("Go"));
    auto* field = new QLineEdit;
    column->addWidget(notes);
    column->addWidget(button);
    column->addWidget(field);
    window.show();
    QApplication::setActiveWindow(&window);
    qv::test::settle();

    notes->setFocus(Qt::TabFocusReason);
    QTest::keyClick(notes, Qt::Key_Tab);
    EXPECT_TRUE(notes->toPlainText().isEmpty()) << "Tab types nothing into a note";
    EXPECT_TRUE(button->hasFocus()) << "and moves on";
    ASSERT_NE(FocusRing::current(), nullptr);
    EXPECT_EQ(FocusRing::current()->target(), button);
    EXPECT_TRUE(FocusRing::current()->isVisible());
    EXPECT_TRUE(FocusRing::current()->geometry().contains(button->geometry()));

    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1) << "Return presses the focused button";

    field->setFocus(Qt::MouseFocusReason);
    qv::test::settle();
    EXPECT_EQ(FocusRing::current(), nullptr) << "fields show their own focus; a click shows no ring";
    button->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(FocusRing::current(), nullptr);

    const QString pasted(100000, QLatin1Char('x'));
    field->setText(pasted);
    EXPECT_EQ(field->text().size(), pasted.size()) << "no field cuts pasted text";
}
