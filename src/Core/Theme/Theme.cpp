#include "Core/Theme/Theme.h"

#include "Core/Theme/AppFontOption.h"
#include "Core/Theme/ColorHex.h"
#include "Core/Theme/ThemeManager.h"

#include <algorithm>
#include <cmath>

namespace {

QColor field(QString AppThemeDefinition::*member) {
    return ColorHex::fromHex(ThemeManager::shared().definition().*member);
}

} // namespace

QColor Theme::backgroundPrimary() {
    return field(&AppThemeDefinition::backgroundPrimary);
}
QColor Theme::backgroundSecondary() {
    return field(&AppThemeDefinition::backgroundSecondary);
}
QColor Theme::backgroundTertiary() {
    return field(&AppThemeDefinition::backgroundTertiary);
}
QColor Theme::backgroundElevated() {
    return field(&AppThemeDefinition::backgroundElevated);
}
QColor Theme::textPrimary() {
    return field(&AppThemeDefinition::textPrimary);
}
QColor Theme::textSecondary() {
    return field(&AppThemeDefinition::textSecondary);
}
QColor Theme::textMuted() {
    return field(&AppThemeDefinition::textMuted);
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
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

QColor Theme::withOpacity(QColor color, double opacity) {
    if (!std::isfinite(opacity))
        opacity = 0;
    color.setAlphaF(float(std::clamp(color.alphaF() * opacity, 0.0, 1.0)));
    return color;
}
