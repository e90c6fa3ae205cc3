#include "ViewModels/Theme/Theme.h"

#include "ViewModels/Theme/AppFontOption.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <algorithm>
#include <cmath>

namespace {

const ThemeManager::Colors& colors() {
    return ThemeManager::shared().colors();
}

} // namespace

QColor Theme::backgroundPrimary() {
    return colors().backgroundPrimary;
}
QColor Theme::backgroundSecondary() {
    return colors().backgroundSecondary;
}
QColor Theme::backgroundTertiary() {
    return colors().backgroundTertiary;
}
QColor Theme::backgroundElevated() {
    return colors().backgroundElevated;
}
QColor Theme::textPrimary() {
    return colors().textPrimary;
}
QColor Theme::textSecondary() {
    return colors().textSecondary;
}
QColor Theme::textMuted() {
    return colors().textMuted;
}

QFont Theme::font(qreal pixelSize, QFont::Weight weight) {
    return ThemeManager::shared().font(pixelSize, weight);
}
QFont Theme::systemFont(qreal pixelSize, QFont::Weight weight) {
    return AppFontOptions::systemFont(pixelSize, weight);
}
QFont Theme::emojiFont(qreal pixelSize) {
    return AppFontOptions::emojiFont(pixelSize);
}

QString Theme::css(const QColor& c) {
    return c.name(QColor::HexArgb);
}

QColor Theme::withOpacity(QColor color, double opacity) {
    if (!std::isfinite(opacity))
        opacity = 0;
    color.setAlphaF(float(std::clamp(color.alphaF() * opacity, 0.0, 1.0)));
    return color;
}
