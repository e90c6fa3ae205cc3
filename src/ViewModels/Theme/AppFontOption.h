#pragma once

#include <QFont>
#include <QString>

#include <array>
#include <optional>

// The 13 font choices; the raw value is both the shown name and the stored value.
enum class AppFontOption {
    manrope,
    system,
    rounded,
    serif,
    mono,
    helveticaNeue,
    avenir,
    georgia,
    palatino,
    baskerville,
    gillSans,
    optima,
    futura
};

namespace AppFontOptions {
inline constexpr std::array<AppFontOption, 13> allCases{
    AppFontOption::manrope,  AppFontOption::system,        AppFontOption::rounded,  AppFontOption::serif,
    AppFontOption::mono,     AppFontOption::helveticaNeue, AppFontOption::avenir,   AppFontOption::georgia,
    AppFontOption::palatino, AppFontOption::baskerville,   AppFontOption::gillSans, AppFontOption::optima,
    AppFontOption::futura};

QString rawValue(AppFontOption option);
inline QString displayName(AppFontOption option) {
    return rawValue(option);
}
std::optional<AppFontOption> fromRaw(const QString& raw);

// The family the option asks for ("Helvetica Neue" for the Helvetica option). A family that
// is not installed is matched by fontconfig to the nearest one it has.
QString familyName(AppFontOption option);

// A font of the option at a size in pixels. Its family list carries the colour emoji font
// right after the option's own family, so emoji inside ordinary text draw in colour.
QFont makeFont(AppFontOption option, qreal pixelSize, QFont::Weight weight = QFont::Normal);

// The system's own font at a size in pixels, for texts that do not follow the font choice.
QFont systemFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// For a text that is an emoji: the colour emoji font first, so that emoji that also exist
// as monochrome glyphs in text fonts still draw in colour.
QFont emojiFont(qreal pixelSize);

inline const QString& emojiFamily() {
    static const QString family = QStringLiteral("Noto Color Emoji");
    return family;
}
} // namespace AppFontOptions
