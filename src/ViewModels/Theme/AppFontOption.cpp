#include "ViewModels/Theme/AppFontOption.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

struct FontRow {
    AppFontOption option;
    const char* raw;
    const char* family; // empty for the four system designs
};

const FontRow kRows[] = {
    {AppFontOption::manrope, "Manrope", "Manrope"},
    {AppFontOption::system, "System", ""},
    {AppFontOption::rounded, "Rounded", ""},
    {AppFontOption::serif, "Serif", ""},
    {AppFontOption::mono, "Mono", ""},
    {AppFontOption::helveticaNeue, "Helvetica", "Helvetica Neue"},
    {AppFontOption::avenir, "Avenir", "Avenir"},
    {AppFontOption::georgia, "Georgia", "Georgia"},
    {AppFontOption::palatino, "Palatino", "Palatino"},
    {AppFontOption::baskerville, "Baskerville", "Baskerville"},
    {AppFontOption::gillSans, "Gill Sans", "Gill Sans"},
    {AppFontOption::optima, "Optima", "Optima"},
    {AppFontOption::futura, "Futura", "Futura"},
};

const FontRow& rowOf(AppFontOption option) {
    for (const FontRow& row : kRows)
        if (row.option == option)
            return row;
    return kRows[0];
}

int pixels(qreal size) {
    if (!std::isfinite(size))
        return 1;
    return std::max(1, int(std::lround(size)));
}

// The installed family fontconfig picks for a name, remembered per name: font lookups run on
// every draw.
QString installedFamily(const QString& family, QFont::StyleHint hint = QFont::AnyStyle) {
    static QHash<QString, QString> resolved;
    const QString key = family + QLatin1Char('/') + QString::number(int(hint));
    auto it = resolved.constFind(key);
    if (it != resolved.constEnd())
        return *it;
    QString result = family;
    if (!QFontDatabase::hasFamily(family)) {
        QFont probe(family);
        probe.setStyleHint(hint);
        result = QFontInfo(probe).family();
    }
    resolved.insert(key, result);
    return result;
}

QString systemFamily() {
    return installedFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), QFont::SansSerif);
}

// The system designs: the desktop's own font, a rounded face where one is installed, and the
// serif and monospace families fontconfig resolves.
QString designFamily(AppFontOption option) {
    switch (option) {
    case AppFontOption::rounded:
        for (const char* name : {"Nunito", "Varela Round", "Comfortaa"})
            if (QFontDatabase::hasFamily(QString::fromLatin1(name)))
                return QString::fromLatin1(name);
        return systemFamily();
    case AppFontOption::serif:
        return installedFamily(QStringLiteral("serif"), QFont::Serif);
    case AppFontOption::mono:
        return installedFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family(),
                               QFont::TypeWriter);
    default:
        return systemFamily();
    }
}

// The requested family first (so the font still names it), then what fontconfig substitutes
// when it is missing, then the colour emoji font. The emoji font must never come first for
// ordinary text: it holds plain digits, which would then be taken from it.
QStringList familiesFor(const QString& family) {
    QStringList families{family};
    const QString installed = installedFamily(family);
    if (installed != family)
        families << installed;
    families << AppFontOptions::emojiFamily();
    return families;
}

} // namespace

QString AppFontOptions::rawValue(AppFontOption option) {
    return QString::fromLatin1(rowOf(option).raw);
}

std::optional<AppFontOption> AppFontOptions::fromRaw(const QString& raw) {
    for (AppFontOption option : allCases)
        if (rawValue(option) == raw)
            return option;
    return std::nullopt;
}

QString AppFontOptions::familyName(AppFontOption option) {
    const FontRow& row = rowOf(option);
    if (*row.family)
        return QString::fromLatin1(row.family);
    return designFamily(option);
}

QFont AppFontOptions::makeFont(AppFontOption option, qreal pixelSize, QFont::Weight weight) {
    QFont font;
    const FontRow& row = rowOf(option);
    font.setFamilies(familiesFor(*row.family ? QString::fromLatin1(row.family) : designFamily(option)));
    font.setPixelSize(pixels(pixelSize));
    font.setWeight(weight);
    return font;
}

QFont AppFontOptions::systemFont(qreal pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies(familiesFor(systemFamily()));
    font.setPixelSize(pixels(pixelSize));
    font.setWeight(weight);
    return font;
}

QFont AppFontOptions::emojiFont(qreal pixelSize) {
    QFont font;
    font.setFamilies({emojiFamily(), systemFamily()});
    font.setPixelSize(pixels(pixelSize));
    return font;
}
