#include "Platform/MoneyFormatter.h"

#include "Platform/IcuLocale.h"
#include "Platform/UserDefaults.h"

#include <QHash>

#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

bool isCurrencyCodeShape(const QString& code) {
    return code.size() == 3 &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
}

icu::UnicodeString toIcu(const QString& text) {
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// Building a formatter is costly next to using one, and lists format many amounts in a row.
const icu::number::LocalizedNumberFormatter& formatterFor(const QByteArray& localeName, const QString& code,
                                                          int digits) {
    thread_local QHash<QString, icu::number::LocalizedNumberFormatter> cache;
    const QString key =
        QString::fromUtf8(localeName) + QLatin1Char('|') + code + QLatin1Char('|') + QString::number(digits);
    auto it = cache.find(key);
    if (it != cache.end())
        return *it;
    auto formatter = icu::number::NumberFormatter::withLocale(icu::Locale(localeName.constData()))
                         .precision(icu::number::Precision::fixedFraction(digits))
                         .roundingMode(UNUM_ROUND_HALFEVEN);
    UErrorCode status = U_ZERO_ERROR;
    const icu::CurrencyUnit unit(toIcu(code.toUpper()).getTerminatedBuffer(), status);
    if (U_SUCCESS(status) && isCurrencyCodeShape(code))
        formatter = formatter.unit(unit);
    if (cache.size() > 64)
        cache.clear();
    return *cache.insert(key, formatter);
}

} // namespace

QString MoneyFormatter::notShownReason(double amount) {
    if (std::isfinite(amount))
        return {};
    return std::isnan(amount)
               ? QCoreApplication::translate("MoneyFormatter", "The stored amounts do not add up to a number")
               : QCoreApplication::translate("MoneyFormatter",
                                             "The stored amounts add up to more than can be shown");
}

QString MoneyFormatter::compactNumber(double amount, const QLocale& locale) {
    if (!std::isfinite(amount))
        return notShown;
    const QByteArray name = IcuLocale::nameOf(locale);
    // The compact names end at trillions; beyond them ICU would write every digit.
    const auto notation = std::fabs(amount) < 1e15 ? icu::number::Notation::compactShort()
                                                   : icu::number::Notation::scientific();
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text = icu::number::NumberFormatter::withLocale(icu::Locale(name.constData()))
                                        .notation(notation)
                                        .precision(icu::number::Precision::maxSignificantDigits(2))
                                        .formatDouble(amount, status)
                                        .toString(status);
    if (U_FAILURE(status))
        return QString::number(amount, 'g', 2);
    return fromIcu(text);
}

QString MoneyFormatter::format(double amount, const QString& currencyCode, int fractionDigits,
                               const QLocale& locale) {
    if (!std::isfinite(amount))
        return notShown;
    const int digits = std::clamp(fractionDigits, 0, 20);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text = formatterFor(IcuLocale::nameOf(locale), currencyCode, digits)
                                        .formatDouble(amount, status)
                                        .toString(status);
    if (U_FAILURE(status))
        return QString::number(amount, 'f', digits);
    return fromIcu(text);
}

QString MoneyFormatter::format(double amount, int fractionDigits, const QLocale& locale) {
    return format(amount, currencyCode(), fractionDigits, locale);
}

QString MoneyFormatter::number(double amount, int fractionDigits, const QLocale& locale) {
    return format(amount, QString(), fractionDigits, locale);
}

QString MoneyFormatter::currencyCode() {
    const QString code = UserDefaults::standard().text(currencyCodeKey).trimmed().toUpper();
    return isCurrencyCodeShape(code) ? code : defaultCurrencyCode;
}
