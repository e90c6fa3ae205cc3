#pragma once

#include "ViewModels/Theme/AppThemeDefinition.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

// The 21 colour themes; the raw value is both the shown name and the stored value.
enum class AppColorTheme {
    midnight,
    obsidian,
    forest,
    ocean,
    dusk,
    ember,
    aurora,
    crimson,
    sandstone,
    arctic,
    jade,
    copper,
    galaxy,
    noir,
    slate,
    rose,
    steel,
    moss,
    lavender,
    volcano,
    custom
};

namespace AppColorThemes {
inline constexpr std::array<AppColorTheme, 21> allCases{
    AppColorTheme::midnight,  AppColorTheme::obsidian, AppColorTheme::forest,   AppColorTheme::ocean,
    AppColorTheme::dusk,      AppColorTheme::ember,    AppColorTheme::aurora,   AppColorTheme::crimson,
    AppColorTheme::sandstone, AppColorTheme::arctic,   AppColorTheme::jade,     AppColorTheme::copper,
    AppColorTheme::galaxy,    AppColorTheme::noir,     AppColorTheme::slate,    AppColorTheme::rose,
    AppColorTheme::steel,     AppColorTheme::moss,     AppColorTheme::lavender, AppColorTheme::volcano,
    AppColorTheme::custom};

QString rawValue(AppColorTheme theme);
// Exact, case-sensitive match of the raw values.
std::optional<AppColorTheme> fromRaw(const QString& raw);

// For custom, derived anew from the theme manager's base colour on every call.
AppThemeDefinition definition(AppColorTheme theme);
// The swatch colour of the theme; for custom, the base colour itself.
QColor previewAccent(AppColorTheme theme);

// The Custom theme's seven colours from one base colour: dark backgrounds of the base hue
// at full saturation, and near-white, mid and dim text tints of it.
AppThemeDefinition deriveDefinition(const QString& baseHex);
} // namespace AppColorThemes
