#include "Platform/TextHelpers.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QLocale>
#include <QTextDocument>

#include <clocale>
#include <string>

namespace {

// Switches the C and Qt locales to German (decimal comma, point grouping) for one test.
class GermanLocale : public testing::Test {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, previous_.c_str());
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }

private:
    std::string previous_;
};

} // namespace

TEST_F(GermanLocale, TheParserReadsOnlyPlainCLocaleNumbers) {
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    const struct {
        const char* text;
        double value;
    } numbers[] = {{"+12.5", 12.5},
                   {"1e3", 1000},
                   {".5", 0.5},
                   {"5.", 5},
                   {"-0.25", -0.25},
                   {"1500", 1500},
                   {"1E-2", 0.01},
                   {"007", 7},
                   {"2.5e+2", 250},
                   {"1e-400", 0},
                   {"1.7976931348623157e308", 1.7976931348623157e308}};
    for (const auto& n : numbers) {
        const auto parsed = Text::parseNumber(QString::fromUtf8(n.text));
        ASSERT_TRUE(parsed.has_value()) << n.text;
        EXPECT_EQ(*parsed, n.value) << n.text;
    }
    const char* notNumbers[] = {"",     " 12", "12 ",   "12,5",   "1,500",   "1.500.0", "inf",
                                "-inf", "nan", "1e400", "-1e400", ".",       "+",       "e5",
                                "1e",   "1e+", "0x1A",  "12abc",  "1_000",   "١٢",      "１２",
                                "\t5",  "5\n", "--5",   "+-5",    "Infinity"};
    for (const char* text : notNumbers)
        EXPECT_FALSE(Text::parseNumber(QString::fromUtf8(text)).has_value()) << text;
}

TEST(Text, EditableNumbersAreShortAndReadBack) {
    EXPECT_EQ(Text::editableNumber(1500), QStringLiteral("1500.0"));
    EXPECT_EQ(Text::editableNumber(1234.5), QStringLiteral("1234.5"));
    EXPECT_EQ(Text::editableNumber(100000), QStringLiteral("100000.0"));
    EXPECT_EQ(Text::editableNumber(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(Text::editableNumber(0), QStringLiteral("0.0"));
    EXPECT_EQ(Text::editableNumber(-42), QStringLiteral("-42.0"));
    EXPECT_EQ(Text::editableNumber(1e20), QStringLiteral("1e+20"));
    EXPECT_EQ(Text::editableNumber(1.5e-7), QStringLiteral("1.5e-07"));
    EXPECT_EQ(Text::editableNumber(qInf()), QString());
    for (double v :
         {0.1 + 0.2, 1e20, 123456789.123, 9007199254740993.0, 5e-324, 1.7976931348623157e308, 0.0001}) {
        const auto back = Text::parseNumber(Text::editableNumber(v));
        ASSERT_TRUE(back.has_value()) << Text::editableNumber(v).toStdString();
        EXPECT_EQ(*back, v);
    }
}

TEST(Text, WholeNumbersPrintEveryDigit) {
    EXPECT_EQ(Text::wholeNumber(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(Text::wholeNumber(1234.99), QStringLiteral("1234"));
    EXPECT_EQ(Text::wholeNumber(-7.9), QStringLiteral("-7"));
    EXPECT_EQ(Text::wholeNumber(-0.5), QStringLiteral("0"));
    EXPECT_EQ(Text::wholeNumber(qInf()), QStringLiteral("0"));
    EXPECT_EQ(Text::wholeNumber(qQNaN()), QStringLiteral("0"));
    EXPECT_EQ(Text::wholeNumber(1e300).size(), 301);
}

TEST(Text, TrimmingKeepsLineBreaks) {
    EXPECT_EQ(Text::trimmed(QStringLiteral(" \tTitle\t ")), QStringLiteral("Title"));
    EXPECT_EQ(Text::trimmed(QStringLiteral("\nTitle\n")), QStringLiteral("\nTitle\n"));
    EXPECT_EQ(Text::trimmed(QStringLiteral("\u00a0\u3000Two words\u2009")), QStringLiteral("Two words"));
    EXPECT_EQ(Text::trimmed(QStringLiteral(" \n ")), QStringLiteral("\n"));
    EXPECT_EQ(Text::trimmed(QStringLiteral(" \t ")), QString());
}

TEST(Text, OneLineFieldsTurnBreaksAndTabsIntoSpacesAndDropOtherControls) {
    EXPECT_EQ(Text::oneLine(QStringLiteral("Line one\n# Injected\r\n- [x] step\rend")),
              QStringLiteral("Line one # Injected - [x] step end"));
    EXPECT_EQ(Text::oneLine(QStringLiteral("a\tb\vc\fd\u0085e\u2028f\u2029g")),
              QStringLiteral("a b c d e f g"));
    const QString controls =
        QStringLiteral("nul") + QChar(0) + QStringLiteral("bell\u0007esc\u001b del\u007f c1\u009b");
    EXPECT_EQ(Text::oneLine(controls), QStringLiteral("nulbellesc del c1"));
    EXPECT_EQ(Text::oneLine(QStringLiteral("\n\n")), QStringLiteral("  ")) << "one space a break";
    // Letters, emoji sequences and their joiners are no control characters.
    const QString family = QStringLiteral("Caf\u00e9 \U0001F468\u200D\U0001F469\u200D\U0001F467 \u05D0");
    EXPECT_EQ(Text::oneLine(family), family);
    EXPECT_EQ(Text::oneLine(std::optional<QString>()), std::nullopt);
    EXPECT_EQ(Text::oneLine(std::optional<QString>(QStringLiteral("x\ny"))), QStringLiteral("x y"));
}

TEST(Text, ButtonTextsKeepTheirAmpersands) {
    EXPECT_EQ(Text::literalMnemonics(QStringLiteral("Save & Continue")), QStringLiteral("Save && Continue"));
    EXPECT_EQ(Text::literalMnemonics(QStringLiteral("&&a&")), QStringLiteral("&&&&a&&"));
    for (const QString& text : {QStringLiteral("Arts & Crafts"), QStringLiteral("&x"), QStringLiteral("&&")})
        EXPECT_TRUE(QKeySequence::mnemonic(Text::literalMnemonics(text)).isEmpty()) << text.toStdString();
}

TEST(Text, CountsTakeTheirSingularForOne) {
    EXPECT_EQ(Text::counted(1, QStringLiteral("entry"), QStringLiteral("entries")),
              QStringLiteral("1 entry"));
    EXPECT_EQ(Text::counted(0, QStringLiteral("entry"), QStringLiteral("entries")),
              QStringLiteral("0 entries"));
    EXPECT_EQ(Text::counted(21, QStringLiteral("day"), QStringLiteral("days")), QStringLiteral("21 days"));
    EXPECT_EQ(Text::counted(-1, QStringLiteral("day"), QStringLiteral("days")), QStringLiteral("-1 day"));
}

TEST(Text, ThousandsGroupedByPointsAreTold) {
    for (const char* grouped : {"1.000", "50.000", "999.999", "12.345.678", "-1.500", "+1.500"})
        EXPECT_TRUE(Text::isGroupedByPoints(QString::fromLatin1(grouped))) << grouped;
    for (const char* other : {"1.5", "1.50", "1.5000", "1234.567", "0.500", "1.500.5", "1.500,00", ".500",
                              "1.", "1,500", "1500", ""})
        EXPECT_FALSE(Text::isGroupedByPoints(QString::fromLatin1(other))) << other;
    EXPECT_TRUE(Text::hasNumberShape(QStringLiteral("1e999")));
    EXPECT_FALSE(Text::parseNumber(QStringLiteral("1e999")).has_value());
    EXPECT_FALSE(Text::hasNumberShape(QStringLiteral("inf")));
}

TEST(Text, ToolTipsShowTheTextAsWritten) {
    const auto shown = [](const QString& tip) {
        QTextDocument document;
        document.setHtml(tip);
        return document.toPlainText();
    };
    for (const QString& text :
         {QStringLiteral("<h1>BIG</h1><font color=red>x</font>"), QStringLiteral("a < b & c"),
          QStringLiteral("&lt;b&gt; stays"), QStringLiteral("plain")}) {
        const QString tip = Text::plainToolTip(text);
        EXPECT_TRUE(Qt::mightBeRichText(tip)) << "handed over as markup, so nothing in it is guessed";
        EXPECT_EQ(shown(tip), text);
    }
    EXPECT_TRUE(Text::plainToolTip(QString()).isEmpty());
    const QString tip = Text::plainToolTip(QString(100000, QLatin1Char('x')));
    EXPECT_EQ(shown(tip).size(), Text::kToolTipLength);
    EXPECT_TRUE(shown(tip).endsWith(QChar(0x2026)));

    // A label that shows its whole text needs no tool tip; a cut one gets the whole text.
    EXPECT_TRUE(Text::plainToolTipIfCut(QStringLiteral("a <b>"), QStringLiteral("a <b>")).isEmpty());
    EXPECT_EQ(shown(Text::plainToolTipIfCut(QStringLiteral("a <b\u2026"), QStringLiteral("a <b> c"))),
              QStringLiteral("a <b> c"));
}
