#include "ViewModels/Theme/Theme.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>

// What the style-sheet parser makes of Theme::css at the alphas where the rgba() forms went
// wrong (an integer alpha of 1 read as opaque, a fraction rounded away): both the palette a
// rule sets and the pixels a background rule paints must come back as the colour given.
TEST(StyleSheetColour, QtReadsEveryAlphaAsGiven) {
    for (const int alpha : {0, 1, 128, 254, 255}) {
        SCOPED_TRACE(alpha);
        const QColor colour(200, 40, 90, alpha);

        QLabel text;
        text.setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(Theme::css(colour)));
        text.ensurePolished();
        EXPECT_EQ(text.palette().color(text.foregroundRole()).rgba(), colour.rgba());

        QWidget tile;
        tile.setAttribute(Qt::WA_StyledBackground);
        tile.setStyleSheet(
            QStringLiteral("QWidget { background: %1; border: none; }").arg(Theme::css(colour)));
        tile.resize(8, 8);
        QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        tile.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_EQ(QColor::fromRgba(image.convertToFormat(QImage::Format_ARGB32).pixel(4, 4)).alpha(), alpha);
        if (alpha == 255) {
            EXPECT_EQ(image.pixel(4, 4), colour.rgba());
        }
    }
}
