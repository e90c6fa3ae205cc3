#include "ViewModels/Theme/ThemeManager.h"

#include "Platform/UserDefaults.h"
#include "ViewModels/Theme/ColorHex.h"

#include <utility>

namespace {

// Never destroyed by exit(): widgets still connected to it then are never torn down either.
ThemeManager*& instance() {
    static ThemeManager* manager = nullptr;
    return manager;
}

} // namespace

ThemeManager& ThemeManager::shared() {
    auto& manager = instance();
    if (!manager)
        manager = new ThemeManager;
    return *manager;
}

void ThemeManager::resetShared() {
    delete std::exchange(instance(), nullptr);
}

ThemeManager::ThemeManager() {
    const UserDefaults& defaults = UserDefaults::standard();
    currentTheme_ = AppColorThemes::fromRaw(defaults.text(themeKey(), QStringLiteral("Midnight")))
                        .value_or(AppColorTheme::midnight);
    currentFont_ = AppFontOptions::fromRaw(defaults.text(fontKey(), QStringLiteral("Manrope")))
                       .value_or(AppFontOption::manrope);
    customBaseHex_ = defaults.text(customBaseKey(), QStringLiteral("#4F46E5"));
}

void ThemeManager::setCurrentTheme(AppColorTheme theme) {
    const bool differs = theme != currentTheme_;
    currentTheme_ = theme;
    colors_.reset();
    UserDefaults::standard().setText(themeKey(), AppColorThemes::rawValue(theme));
    if (differs) {
        emit themeChanged();
        emit changed();
    }
}

void ThemeManager::setCurrentFont(AppFontOption font) {
    const bool differs = font != currentFont_;
    currentFont_ = font;
    UserDefaults::standard().setText(fontKey(), AppFontOptions::rawValue(font));
    if (differs) {
        emit fontChanged();
        emit changed();
    }
}

void ThemeManager::setCustomBaseHex(const QString& hex) {
    const bool differs = hex != customBaseHex_;
    customBaseHex_ = hex;
    colors_.reset();
    UserDefaults::standard().setText(customBaseKey(), hex);
    if (differs) {
        emit customBaseChanged();
        if (currentTheme_ == AppColorTheme::custom)
            emit themeChanged();
        emit changed();
    }
}

void ThemeManager::setCustomBaseColor(const QColor& color) {
    setCustomBaseHex(ColorHex::toHex(color));
}

AppThemeDefinition ThemeManager::definition() const {
    return AppColorThemes::definition(currentTheme_);
}

const ThemeManager::Colors& ThemeManager::colors() const {
    if (!colors_) {
        const AppThemeDefinition d = definition();
        colors_ = Colors{ColorHex::fromHex(d.backgroundPrimary),  ColorHex::fromHex(d.backgroundSecondary),
                         ColorHex::fromHex(d.backgroundTertiary), ColorHex::fromHex(d.backgroundElevated),
                         ColorHex::fromHex(d.textPrimary),        ColorHex::fromHex(d.textSecondary),
                         ColorHex::fromHex(d.textMuted)};
    }
    return *colors_;
}

QFont ThemeManager::font(qreal pixelSize, QFont::Weight weight) const {
    return AppFontOptions::makeFont(currentFont_, pixelSize, weight);
}
