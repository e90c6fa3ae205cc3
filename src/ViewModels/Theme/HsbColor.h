#pragma once

#include <QString>

// Hue, saturation and brightness in double precision. QColor keeps 16-bit components, which
// shifts some derived colours by one step after truncation, so the theme derivation does its
// own arithmetic here.
struct HsbColor {
    double hue = 0;        // 0 to 1
    double saturation = 0; // 0 to 1
    double brightness = 0; // 0 to 1

    static HsbColor fromRgb(double red, double green, double blue);
    void toRgb(double& red, double& green, double& blue) const;
    // "#RRGGBB" with each channel times 255, truncated toward zero.
    QString toHex() const;
};
