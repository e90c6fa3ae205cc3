#include "Platform/DateText.h"

#include "Platform/IcuLocale.h"

#include <QRegularExpression>

#include <unicode/dtptngen.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <map>
#include <memory>
#include <string>

namespace {

QString longFormatWithoutWeekday(const QLocale& locale) {
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    return locale.dateFormat(QLocale::LongFormat).remove(weekday).trimmed();
}

// The locale's own pattern for the fields of a skeleton (ICU's "MMMd" is "MMM d" in English
// and "d. MMM" in German), built once per locale and skeleton: lists write many dates in a row.
const icu::SimpleDateFormat* formatterFor(const QLocale& locale, const char* skeleton) {
    thread_local std::map<std::string, std::unique_ptr<icu::SimpleDateFormat>> cache;
    const QByteArray localeName = IcuLocale::nameOf(locale);
    const std::string key = localeName.toStdString() + '|' + skeleton;
    if (auto it = cache.find(key); it != cache.end())
        return it->second.get();
    const icu::Locale icuLocale(localeName.constData());
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(icuLocale, status));
    if (U_FAILURE(status))
        return nullptr;
    const icu::UnicodeString pattern =
        generator->getBestPattern(icu::UnicodeString(skeleton, -1, US_INV), status);
    auto formatter = std::make_unique<icu::SimpleDateFormat>(pattern, icuLocale, status);
    if (U_FAILURE(status))
        return nullptr;
    // Dates are handed over as noon UTC of the day, so the day never moves with a zone.
    formatter->adoptTimeZone(icu::TimeZone::getGMT()->clone());
    if (cache.size() > 64)
        cache.clear();
    return cache.emplace(key, std::move(formatter)).first->second.get();
}

QString withSkeleton(const QDate& date, const char* skeleton, const QLocale& locale,
                     const QString& fallback) {
    if (!date.isValid())
        return QString();
    const icu::SimpleDateFormat* formatter = formatterFor(locale, skeleton);
    if (!formatter)
        return locale.toString(date, fallback);
    constexpr qint64 kUnixEpochJulianDay = 2440588;
    const double noon = (double(date.toJulianDay() - kUnixEpochJulianDay) + 0.5) * 86400000.0;
    icu::UnicodeString out;
    formatter->format(noon, out);
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}

} // namespace

QString DateText::mediumFormat(const QLocale& locale) {
    static const QRegularExpression fullMonth(QStringLiteral("M{4}"));
    return longFormatWithoutWeekday(IcuLocale::writtenAs(locale)).replace(fullMonth, QStringLiteral("MMM"));
}

QString DateText::longDate(const QDate& date, const QLocale& locale) {
    const QLocale written = IcuLocale::writtenAs(locale);
    return written.toString(date, longFormatWithoutWeekday(written));
}

QString DateText::medium(const QDate& date, const QLocale& locale) {
    const QLocale written = IcuLocale::writtenAs(locale);
    return written.toString(date, mediumFormat(written));
}

QString DateText::fullDate(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "yMMMMEEEEd", locale, QStringLiteral("dddd, MMMM d, yyyy"));
}

QString DateText::monthDay(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "MMMd", locale, QStringLiteral("MMM d"));
}

QString DateText::weekdayMonthDay(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "MMMMEEEEd", locale, QStringLiteral("dddd, MMMM d"));
}

QString DateText::weekdayShortMonthDay(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "MMMEEEEd", locale, QStringLiteral("dddd, MMM d"));
}

QString DateText::monthYear(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "yMMMM", locale, QStringLiteral("MMMM yyyy"));
}

QString DateText::shortMonth(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "MMM", locale, QStringLiteral("MMM"));
}

QString DateText::shortWeekday(const QDate& date, const QLocale& locale) {
    return withSkeleton(date, "EEE", locale, QStringLiteral("ddd"));
}
