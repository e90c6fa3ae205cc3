#include "ViewModels/Theme/AppFontOption.h"
#include "ViewModels/Theme/Theme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

struct Ink {
    int opaque = 0;
    int coloured = 0;     // clearly not grey
    int notPenColour = 0; // a monochrome glyph is drawn all in the white pen
};

// Pixels drawn, and how many of them are clearly not grey.
Ink inkOf(const QString& text, const QFont& font) {
    QImage image(120, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(image.rect(), Qt::AlignCenter, text);
    }
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (qAlpha(px) < 160)
                continue;
            ++ink.opaque;
            const int hi = std::max({qRed(px), qGreen(px), qBlue(px)});
            const int lo = std::min({qRed(px), qGreen(px), qBlue(px)});
            if (hi - lo > 48)
                ++ink.coloured;
            if (765 - qRed(px) - qGreen(px) - qBlue(px) > 90)
                ++ink.notPenColour;
        }
    return ink;
}

} // namespace

TEST(EmojiColour, AchievementMoodAndEnergyEmojiDrawInColour) {
    // clang-format off
    const QStringList emoji = QString::fromUtf8(
        "🏆 🥇 🎯 🚀 ⭐ 💪 🎉 🏅 🔥 💡 📚 💰 ❤️ 🌱 🤝 🎓 ✅ 🧠 🏋️ 🎸 😔 😕 😊 😄 🤩 🔋 ⚡ ✨").split(QLatin1Char(' '));
    // clang-format on
    for (const QString& e : emoji) {
        const Ink ink = inkOf(e, Theme::emojiFont(32));
        EXPECT_GT(ink.opaque, 100) << qPrintable(e);
        EXPECT_GT(ink.notPenColour * 4, ink.opaque) << qPrintable(e) << " drawn in the pen colour";
        EXPECT_GT(ink.coloured * 20, ink.opaque) << qPrintable(e) << " drawn grey";
    }
}

TEST(EmojiColour, EmojiInsideOrdinaryTextStayInColourAndDigitsStayPlain) {
    const QFont text = Theme::font(28, QFont::Bold);
    EXPECT_EQ(text.families().value(1), AppFontOptions::emojiFamily());
    EXPECT_GT(inkOf(QString::fromUtf8("12 🔥"), text).coloured, 50);
    // Plain digits are never taken from the emoji font: white text stays white.
    EXPECT_EQ(inkOf(QStringLiteral("12"), text).coloured, 0);
    for (AppFontOption option : AppFontOptions::allCases) {
        const QFont f = AppFontOptions::makeFont(option, 20);
        EXPECT_EQ(f.pixelSize(), 20);
        EXPECT_EQ(inkOf(QStringLiteral("2026"), f).coloured, 0)
            << qPrintable(AppFontOptions::rawValue(option));
        EXPECT_NE(f.families().first(), AppFontOptions::emojiFamily());
    }
    EXPECT_EQ(Theme::emojiFont(12).families().first(), AppFontOptions::emojiFamily());
}
