#pragma once

#include <QColor>
#include <QString>

// Every colour that is stored or tabled is hex text; these turn it into a colour and back.
class ColorHex {
public:
    struct Components {
        int red = 0;
        int green = 0;
        int blue = 0;
        int alpha = 255;
    };

    // Never fails: "#RGB", "#RRGGBB" and "#AARRGGBB" (sign optional, any case); any other
    // length is opaque black. Only the ends are trimmed of what is not a letter or digit.
    static Components components(const QString& text);
    static QColor fromHex(const QString& text);

    // "#RRGGBB" of the colour's red, green and blue, truncated; an invalid colour gives the
    // fallback violet.
    static QString toHex(const QColor& color);

    // The text the writer falls back to.
    static QString fallbackHex() { return QStringLiteral("#8B5CF6"); }
};
