#include "Platform/TextHelpers.h"

#include <QTextDocument>

#include <QChar>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar by hand so that strtod's extras (blanks, hex, inf, nan) never slip in.
bool isPlainDecimal(const QByteArray& s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    int digits = 0;
    while (i < n && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

bool isLineBreak(char16_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool isBlank(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

} // namespace

namespace Text {

bool hasNumberShape(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > 0x7f)
            return false;
    }
    return isPlainDecimal(text.toLatin1());
}

bool isGroupedByPoints(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const auto digitAt = [&](qsizetype at) {
        return at < n && text[at].unicode() >= '0' && text[at].unicode() <= '9';
    };
    if (!digitAt(i) || text[i] == QLatin1Char('0'))
        return false;
    qsizetype lead = 0;
    while (digitAt(i + lead))
        ++lead;
    if (lead > 3)
        return false;
    i += lead;
    int groups = 0;
    while (i < n) {
        if (text[i] != QLatin1Char('.') || !digitAt(i + 1) || !digitAt(i + 2) || !digitAt(i + 3))
            return false;
        i += 4;
        ++groups;
    }
    return groups > 0 && i == n;
}

std::optional<double> parseNumber(const QString& text) {
    if (!hasNumberShape(text))
        return std::nullopt;
    const QByteArray ascii = text.toLatin1();
    char* end = nullptr;
    const double value = strtod_l(ascii.constData(), &end, cLocale());
    if (end != ascii.constData() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString editableNumber(double value) {
    if (!std::isfinite(value))
        return QString();
    char buffer[400];
    const double magnitude = std::fabs(value);
    const bool exponentForm = magnitude >= 0x1p54 || (magnitude != 0 && magnitude < 1e-4);
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      exponentForm ? std::chars_format::scientific : std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (!exponentForm && !text.contains(QLatin1Char('.')))
        text += QStringLiteral(".0");
    return text;
}

QString wholeNumber(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const double whole = std::trunc(value);
    if (whole == 0)
        return QStringLiteral("0");
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString counted(qint64 count, const QString& one, const QString& many) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 || count == -1 ? one : many);
}

QString oneLine(const QString& text) {
    const auto clean = [](QChar c) { return !isControl(c.unicode()) && !isLineBreak(c.unicode()); };
    if (std::all_of(text.cbegin(), text.cend(), clean))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the pair's line feed makes its one space
        if (c == u'\t' || isLineBreak(c))
            out += QLatin1Char(' ');
        else if (!isControl(c))
            out += text[i];
    }
    return out;
}

std::optional<QString> oneLine(const std::optional<QString>& text) {
    return text ? std::optional<QString>(oneLine(*text)) : std::nullopt;
}

QString trimmed(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

QString literalMnemonics(const QString& text) {
    QString out = text;
    return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString plainToolTip(const QString& text) {
    if (text.isEmpty())
        return {};
    QString shown = text;
    if (shown.size() > kToolTipLength) {
        qsizetype keep = kToolTipLength - 1;
        if (shown.at(keep - 1).isHighSurrogate())
            --keep;
        shown = shown.left(keep) + QChar(0x2026);
    }
    return Qt::convertFromPlainText(shown, Qt::WhiteSpaceNormal);
}

QString plainToolTipIfCut(const QString& shown, const QString& text) {
    return shown == text ? QString() : plainToolTip(text);
}

} // namespace Text
