#include "ViewModels/Theme/AppColorTheme.h"

#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/HsbColor.h"
#include "ViewModels/Theme/ThemeManager.h"

#include <algorithm>

namespace {

struct ThemeRow {
    AppColorTheme theme;
    const char* raw;
    const char* colours[7];
    const char* accent;
};

// The twenty fixed themes; Custom is derived.
const ThemeRow kRows[] = {
    {AppColorTheme::midnight,
     "Midnight",
     {"#1C1F2E", "#232738", "#2C3147", "#353A54", "#E8EAFF", "#9198C5", "#555E8A"},
     "#4F46E5"},
    {AppColorTheme::obsidian,
     "Obsidian",
     {"#111115", "#18181F", "#202028", "#282835", "#E8E8F8", "#8888AA", "#444460"},
     "#7C3AED"},
    {AppColorTheme::forest,
     "Forest",
     {"#141D1A", "#1B2820", "#223228", "#2A3C34", "#E0F0EA", "#7BA890", "#3D6655"},
     "#059669"},
    {AppColorTheme::ocean,
     "Ocean",
     {"#111C24", "#162432", "#1D3040", "#253D50", "#DCF0F8", "#6EA8BA", "#355568"},
     "#0891B2"},
    {AppColorTheme::dusk,
     "Dusk",
     {"#1A1526", "#22192F", "#2C2140", "#362850", "#EDE8FF", "#9B8FC2", "#554E7A"},
     "#9333EA"},
    {AppColorTheme::ember,
     "Ember",
     {"#1E1418", "#271920", "#31202A", "#3C2835", "#FFE8EE", "#C28090", "#7A4555"},
     "#F97316"},
    {AppColorTheme::aurora,
     "Aurora",
     {"#0D1F1F", "#122828", "#183434", "#1F4040", "#D6FAFA", "#5BBDBD", "#2E6E6E"},
     "#06B6D4"},
    {AppColorTheme::crimson,
     "Crimson",
     {"#160A0D", "#1F0F14", "#2A151C", "#361B24", "#FFE4EA", "#C47080", "#7A3545"},
     "#E11D48"},
    {AppColorTheme::sandstone,
     "Sandstone",
     {"#1E1810", "#272015", "#332A1C", "#3F3322", "#FFF3DC", "#C4A87A", "#7A6440"},
     "#D97706"},
    {AppColorTheme::arctic,
     "Arctic",
     {"#0E1622", "#131E2E", "#1A283C", "#22344C", "#E8F4FF", "#7AAFD4", "#3A6688"},
     "#38BDF8"},
    {AppColorTheme::jade,
     "Jade",
     {"#0C1A15", "#12231C", "#182E25", "#1F3A2F", "#D4F5E8", "#5DB891", "#2C6B52"},
     "#10B981"},
    {AppColorTheme::copper,
     "Copper",
     {"#1A120A", "#221810", "#2E2016", "#3A281C", "#FFEEDD", "#C4855A", "#7A4A2E"},
     "#EA580C"},
    {AppColorTheme::galaxy,
     "Galaxy",
     {"#0E0A1A", "#140F24", "#1C1530", "#251C3E", "#EEE8FF", "#9B7ED4", "#55407A"},
     "#A855F7"},
    {AppColorTheme::noir,
     "Noir",
     {"#0A0A0C", "#111114", "#18181C", "#222228", "#F0F0F8", "#8888A0", "#44445A"},
     "#94A3B8"},
    {AppColorTheme::slate,
     "Slate",
     {"#0F1419", "#161D26", "#1E2733", "#263040", "#E2EAF0", "#7A9BB0", "#3E5A70"},
     "#64748B"},
    {AppColorTheme::rose,
     "Rose",
     {"#1A0F15", "#22151D", "#2E1C28", "#3A2234", "#FFE8F2", "#C47EA0", "#7A4060"},
     "#FB7185"},
    {AppColorTheme::steel,
     "Steel",
     {"#101418", "#161C22", "#1E252E", "#262F3A", "#DCE8F4", "#6E8EA8", "#344E62"},
     "#60A5FA"},
    {AppColorTheme::moss,
     "Moss",
     {"#111510", "#181E16", "#20281E", "#283326", "#E4F0DC", "#7AAA70", "#3E6638"},
     "#84CC16"},
    {AppColorTheme::lavender,
     "Lavender",
     {"#130E1E", "#1B1428", "#241B34", "#2E2340", "#EEE8FF", "#9A84CC", "#50407A"},
     "#C084FC"},
    {AppColorTheme::volcano,
     "Volcano",
     {"#1A0E08", "#22130C", "#2E1A10", "#3A2218", "#FFF0E8", "#C47850", "#7A4028"},
     "#FF6B35"},
};

const ThemeRow* rowOf(AppColorTheme theme) {
    for (const ThemeRow& row : kRows)
        if (row.theme == theme)
            return &row;
    return nullptr;
}

} // namespace

QString AppColorThemes::rawValue(AppColorTheme theme) {
    if (theme == AppColorTheme::custom)
        return QStringLiteral("Custom");
    return QString::fromLatin1(rowOf(theme)->raw);
}

std::optional<AppColorTheme> AppColorThemes::fromRaw(const QString& raw) {
    for (AppColorTheme theme : allCases)
        if (rawValue(theme) == raw)
            return theme;
    return std::nullopt;
}

AppThemeDefinition AppColorThemes::definition(AppColorTheme theme) {
    if (theme == AppColorTheme::custom)
        return deriveDefinition(ThemeManager::shared().customBaseHex());
    const ThemeRow* row = rowOf(theme);
    auto text = [row](int i) { return QString::fromLatin1(row->colours[i]); };
    return {text(0), text(1), text(2), text(3), text(4), text(5), text(6)};
}

QColor AppColorThemes::previewAccent(AppColorTheme theme) {
    if (theme == AppColorTheme::custom)
        return ColorHex::fromHex(ThemeManager::shared().customBaseHex());
    return ColorHex::fromHex(QString::fromLatin1(rowOf(theme)->accent));
}

AppThemeDefinition AppColorThemes::deriveDefinition(const QString& baseHex) {
    const ColorHex::Components c = ColorHex::components(baseHex);
    const HsbColor base = HsbColor::fromRgb(c.red / 255.0, c.green / 255.0, c.blue / 255.0);
    const double bg = std::min(base.brightness * 0.18, 0.18);
    auto make = [&base](double brightness, double satScale) {
        HsbColor derived;
        derived.hue = base.hue;
        derived.saturation = std::min(base.saturation * satScale, 1.0);
        derived.brightness = std::min(brightness, 1.0);
        return derived.toHex();
    };
    return {make(bg, 1),      make(bg + 0.04, 1), make(bg + 0.09, 1), make(bg + 0.15, 1),
            make(0.95, 0.08), make(0.6, 0.35),    make(0.38, 0.3)};
}
