#include "ViewModels/Theme/ColorHex.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Letters, digits and combining signs, as the trimming of hex text understands them.
bool isAlphanumeric(char32_t ucs) {
    switch (QChar::category(ucs)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

QString trimmed(const QString& text) {
    const QList<uint> ucs = text.toUcs4();
    qsizetype first = 0;
    qsizetype last = ucs.size();
    while (first < last && !isAlphanumeric(ucs[first]))
        ++first;
    while (last > first && !isAlphanumeric(ucs[last - 1]))
        --last;
    const auto* data = reinterpret_cast<const char32_t*>(ucs.constData());
    return QString::fromUcs4(data + first, last - first);
}

qsizetype graphemeCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// An optional 0x, then hex digits up to the first other character; a value too large for
// 64 bits saturates rather than wrapping.
quint64 scanHex(const QString& text) {
    qsizetype i = 0;
    if (text.size() >= 3 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') && hexDigit(text[2]) >= 0)
        i = 2;
    quint64 value = 0;
    for (; i < text.size(); ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            value = std::numeric_limits<quint64>::max();
        else
            value = (value << 4) | quint64(d);
    }
    return value;
}

int channel(double component) {
    if (!std::isfinite(component))
        return 0;
    const double clamped = std::clamp(component, 0.0, 1.0);
    // The tiny allowance keeps 139/255 * 255 from truncating to 138.
    return std::min(255, int(std::floor(clamped * 255.0 + 1e-7)));
}

} // namespace

ColorHex::Components ColorHex::components(const QString& text) {
    const QString hex = trimmed(text);
    const quint64 v = scanHex(hex);
    Components c;
    switch (graphemeCount(hex)) {
    case 3:
        c.red = int((v >> 8) & 0xF) * 17;
        c.green = int((v >> 4) & 0xF) * 17;
        c.blue = int(v & 0xF) * 17;
        break;
    case 6:
        c.red = int((v >> 16) & 0xFF);
        c.green = int((v >> 8) & 0xFF);
        c.blue = int(v & 0xFF);
        break;
    case 8:
        c.alpha = int((v >> 24) & 0xFF);
        c.red = int((v >> 16) & 0xFF);
        c.green = int((v >> 8) & 0xFF);
        c.blue = int(v & 0xFF);
        break;
    default:
        break;
    }
    return c;
}

QColor ColorHex::fromHex(const QString& text) {
    const Components c = components(text);
    return QColor(c.red, c.green, c.blue, c.alpha);
}

QString ColorHex::toHex(const QColor& color) {
    if (!color.isValid())
        return fallbackHex();
    const QColor rgb = color.spec() == QColor::ExtendedRgb ? color : color.toRgb();
    return QString::asprintf("#%02X%02X%02X", channel(rgb.redF()), channel(rgb.greenF()),
                             channel(rgb.blueF()));
}
