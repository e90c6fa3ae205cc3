#include "ViewModels/Theme/ColorHex.h"

#include <gtest/gtest.h>

namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba parse(const QString& text) {
    const ColorHex::Components c = ColorHex::components(text);
    return {c.red, c.green, c.blue, c.alpha};
}

void expectRgba(const QString& text, Rgba want) {
    const Rgba got = parse(text);
    EXPECT_EQ(got.r, want.r) << qPrintable(text);
    EXPECT_EQ(got.g, want.g) << qPrintable(text);
    EXPECT_EQ(got.b, want.b) << qPrintable(text);
    EXPECT_EQ(got.a, want.a) << qPrintable(text);
}

} // namespace

TEST(ColorHex, ReadsTheThreeLengthsAndTrimsOnlyTheEnds) {
    expectRgba(QStringLiteral("#8B5CF6"), {139, 92, 246, 255});
    expectRgba(QStringLiteral(" #8b5cf6 "), {139, 92, 246, 255});
    expectRgba(QStringLiteral("8B5CF6"), {139, 92, 246, 255});
    expectRgba(QStringLiteral("FFF"), {255, 255, 255, 255});
    EXPECT_EQ(ColorHex::fromHex(QStringLiteral("ABC")), ColorHex::fromHex(QStringLiteral("AABBCC")));
    expectRgba(QStringLiteral("80FF0000"), {255, 0, 0, 128});
    // Inner characters stay and count: the dashes make eight characters, the scan stops at
    // the first one, and the colour is fully transparent blue.
    expectRgba(QStringLiteral("FF-00-FF"), {0, 0, 255, 0});
}

TEST(ColorHex, ScanStopsAtTheFirstNonDigitAndAcceptsAPrefix) {
    expectRgba(QStringLiteral("12345G"), {0x01, 0x23, 0x45, 255});
    expectRgba(QStringLiteral("GGGGGG"), {0, 0, 0, 255});
    expectRgba(QStringLiteral("0x1234"), {0, 0x12, 0x34, 255});
}

TEST(ColorHex, WrongLengthsAreOpaqueBlack) {
    for (const char* text : {"", "#", "12345", "1234567", "123456789", "##"})
        expectRgba(QString::fromLatin1(text), {0, 0, 0, 255});
}

TEST(ColorHex, CountsUserPerceivedCharacters) {
    // A combining acute on the 5 joins it into one character: still six characters in all,
    // and the scan reads only the digits before the mark.
    expectRgba(QStringLiteral("8B5\u0301CF6"), {0, 0x08, 0xB5, 255});
    // A trailing combining mark is part of the text (marks count as letters) but not a new
    // character: "8B5CF6" plus the mark is still a six-character colour.
    expectRgba(QStringLiteral("8B5CF6\u0301"), {139, 92, 246, 255});
    // A decomposed letter outside the hex range makes a seven-code-point text of six characters.
    expectRgba(QStringLiteral("12345e\u0301"), {0x12, 0x34, 0x5E, 255});
}

TEST(ColorHex, WritesUpperCaseAndRoundTripsEverySixDigitText) {
    EXPECT_EQ(ColorHex::toHex(ColorHex::fromHex(QStringLiteral("#8b5cf6"))), QStringLiteral("#8B5CF6"));
    for (int v = 0; v < 256; ++v) {
        const QString hex = QString::asprintf("#%02X%02X%02X", v, 255 - v, (v * 7) % 256);
        EXPECT_EQ(ColorHex::toHex(ColorHex::fromHex(hex)), hex);
    }
}

TEST(ColorHex, WriterReadsGreysAsRgbClampsAndFallsBackWhenInvalid) {
    EXPECT_EQ(ColorHex::toHex(QColor::fromRgbF(0.5f, 0.5f, 0.5f)), QStringLiteral("#7F7F7F"));
    EXPECT_EQ(ColorHex::toHex(QColor::fromHsvF(0, 0, 1)), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(ColorHex::toHex(QColor::fromRgbF(1.4f, -0.2f, 0.0f)), QStringLiteral("#FF0000"));
    EXPECT_EQ(ColorHex::toHex(QColor()), QStringLiteral("#8B5CF6"));
}
