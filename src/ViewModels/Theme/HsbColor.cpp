#include "ViewModels/Theme/HsbColor.h"

#include <algorithm>
#include <cmath>

HsbColor HsbColor::fromRgb(double r, double g, double b) {
    const double maxC = std::max({r, g, b});
    const double minC = std::min({r, g, b});
    const double delta = maxC - minC;
    HsbColor c;
    c.brightness = maxC;
    c.saturation = maxC > 0 ? delta / maxC : 0;
    if (delta > 0) {
        double h;
        if (maxC == r)
            h = (g - b) / delta;
        else if (maxC == g)
            h = 2.0 + (b - r) / delta;
        else
            h = 4.0 + (r - g) / delta;
        h /= 6.0;
        if (h < 0)
            h += 1.0;
        c.hue = h;
    }
    return c;
}

void HsbColor::toRgb(double& r, double& g, double& b) const {
    const double v = brightness;
    const double s = saturation;
    if (s <= 0) {
        r = g = b = v;
        return;
    }
    double h = hue * 6.0;
    if (h >= 6.0)
        h = 0;
    const int sector = int(std::floor(h));
    const double f = h - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (sector) {
    case 0:
        r = v;
        g = t;
        b = p;
        break;
    case 1:
        r = q;
        g = v;
        b = p;
        break;
    case 2:
        r = p;
        g = v;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = v;
        break;
    case 4:
        r = t;
        g = p;
        b = v;
        break;
    default:
        r = v;
        g = p;
        b = q;
        break;
    }
}

QString HsbColor::toHex() const {
    double r, g, b;
    toRgb(r, g, b);
    auto channel = [](double x) { return std::clamp(int(x * 255.0), 0, 255); };
    return QString::asprintf("#%02X%02X%02X", channel(r), channel(g), channel(b));
}
