#include "Components/NumberFieldNote.h"

#include "Components/ThemedTextField.h"
#include "Support/TestSupport.h"
#include "ViewModels/Theme/AppTheme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QVBoxLayout>

TEST(NumberFieldNote, ShowsWhileTheTextDoesNotReadAndGoesWhenItDoes) {
    QWidget form;
    auto* column = new QVBoxLayout(&form);
    auto* field = new ThemedTextField(QStringLiteral("0"));
    column->addWidget(NumberFieldNote::stacked(field, AmountRule::zeroOrMore()));
    form.resize(320, 120);
    form.setAttribute(Qt::WA_DontShowOnScreen, true);
    form.show();
    qv::test::settle();
    NumberFieldNote* note = NumberFieldNote::of(field);
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->isVisible()) << "an empty field has nothing to refuse";

    for (const char* refused : {"5,000", "3200,50", " 12", "12 ", "inf", "nan", "0x10", "-", "."}) {
        field->setText(QString::fromUtf8(refused));
        EXPECT_TRUE(note->isVisible()) << refused;
        EXPECT_EQ(field->accessibleDescription(), AmountRule::notANumberLine()) << refused;
    }
    EXPECT_EQ(note->text(), QStringLiteral("Use digits and a point, like 3200.50"));
    qv::test::settle();
    EXPECT_LT(note->height(), 2 * note->fontMetrics().height()) << "one line";
    EXPECT_LE(note->width(), field->width()) << "never wider than its field";
    const QImage image = form.grab().toImage();
    EXPECT_TRUE(qv::test::imageShows(image, &form, note));
    qv::test::saveScreen(&form, QStringLiteral("component-number-field-note"));

    // Typed one key at a time: the line goes the moment the text reads.
    field->clear();
    QTest::keyClicks(field, QStringLiteral("3200"));
    EXPECT_FALSE(note->isVisible());
    QTest::keyClicks(field, QStringLiteral(","));
    EXPECT_TRUE(note->isVisible());
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QStringLiteral(".50"));
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(field->accessibleDescription().isEmpty());
    // The line follows the rule's verdict, whichever reason it gives.
    field->setText(QStringLiteral("-5"));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), QStringLiteral("An amount can't be below zero"));
    field->setText(QStringLiteral("1e999"));
    EXPECT_EQ(note->text(), QStringLiteral("Too large: amounts go up to 10,000,000,000,000"));
    EXPECT_EQ(field->accessibleDescription(), note->text());
    field->setText(QStringLiteral("0"));
    EXPECT_FALSE(note->isVisible()) << "this field takes zero";
}

// A narrow field wraps its line, whole, onto more lines rather than widening the form or
// cutting the reason short; the line is read as plain words.
TEST(NumberFieldNote, ANarrowFieldWrapsTheLineInsteadOfWideningTheForm) {
    QWidget form;
    auto* column = new QVBoxLayout(&form);
    column->setContentsMargins(0, 0, 0, 0);
    auto* field = new ThemedTextField;
    column->addWidget(NumberFieldNote::stacked(field, AmountRule::zeroOrMore()));
    form.resize(90, 200);
    form.setAttribute(Qt::WA_DontShowOnScreen, true);
    form.show();
    field->setText(QStringLiteral("abc"));
    qv::test::settle();
    EXPECT_EQ(form.width(), 90);
    NumberFieldNote* note = NumberFieldNote::of(field);
    EXPECT_LE(note->width(), 90);
    EXPECT_GE(note->height(), 2 * note->fontMetrics().height()) << "the whole line, wrapped";
    EXPECT_GE(note->height(), note->linesHeight(note->width()));
    EXPECT_EQ(note->accessibleName(), note->text());
    EXPECT_FALSE(note->accessibleName().contains(u'<'));
}
