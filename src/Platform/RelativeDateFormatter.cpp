#include "Platform/RelativeDateFormatter.h"

#include "Platform/CalendarHelpers.h"
#include "Platform/IcuLocale.h"

#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <cstdlib>

namespace {

// The largest n such that stepping n units from `from` toward `to` does not pass it.
template <typename Step> int wholeSteps(const QDateTime& from, const QDateTime& to, int estimate, Step step) {
    const bool forward = to >= from;
    int n = std::abs(estimate);
    auto passes = [&](int k) {
        const QDateTime at = step(from, forward ? k : -k);
        return forward ? at > to : at < to;
    };
    while (n > 0 && passes(n))
        --n;
    while (!passes(n + 1))
        ++n;
    return forward ? n : -n;
}

URelativeDateTimeUnit icuUnit(RelativeDateFormatter::Unit unit) {
    switch (unit) {
    case RelativeDateFormatter::Unit::Year:
        return UDAT_REL_UNIT_YEAR;
    case RelativeDateFormatter::Unit::Month:
        return UDAT_REL_UNIT_MONTH;
    case RelativeDateFormatter::Unit::Week:
        return UDAT_REL_UNIT_WEEK;
    case RelativeDateFormatter::Unit::Day:
        return UDAT_REL_UNIT_DAY;
    case RelativeDateFormatter::Unit::Hour:
        return UDAT_REL_UNIT_HOUR;
    case RelativeDateFormatter::Unit::Minute:
        return UDAT_REL_UNIT_MINUTE;
    case RelativeDateFormatter::Unit::Second:
        break;
    }
    return UDAT_REL_UNIT_SECOND;
}

} // namespace

RelativeDateFormatter::Amount RelativeDateFormatter::largestUnit(const QDateTime& date,
                                                                 const QDateTime& relativeTo) {
    const QDateTime from = relativeTo.toLocalTime();
    const QDateTime to = date.toLocalTime();
    const qint64 monthEstimate =
        (to.date().year() - from.date().year()) * 12LL + to.date().month() - from.date().month();

    const int years = wholeSteps(from, to, static_cast<int>(monthEstimate / 12),
                                 [](const QDateTime& d, int n) { return Calendar::addMonths(d, n * 12); });
    if (years != 0)
        return {Unit::Year, years};
    const int months = wholeSteps(from, to, static_cast<int>(monthEstimate), Calendar::addMonths);
    if (months != 0)
        return {Unit::Month, months};
    const int days = Calendar::wholeDaysBetween(from, to);
    if (days / 7 != 0)
        return {Unit::Week, days / 7};
    if (days != 0)
        return {Unit::Day, days};
    const qint64 seconds = Calendar::addDays(from, days).msecsTo(to) / 1000;
    if (seconds / 3600 != 0)
        return {Unit::Hour, seconds / 3600};
    if (seconds / 60 != 0)
        return {Unit::Minute, seconds / 60};
    return {Unit::Second, seconds};
}

QString RelativeDateFormatter::text(const QDateTime& date, const QDateTime& relativeTo,
                                    const QLocale& locale) {
    if (!date.isValid() || !relativeTo.isValid())
        return QString();
    const Amount amount = largestUnit(date, relativeTo);
    UErrorCode status = U_ZERO_ERROR;
    icu::RelativeDateTimeFormatter formatter(icu::Locale(IcuLocale::nameOf(locale).constData()), nullptr,
                                             UDAT_STYLE_LONG, UDISPCTX_CAPITALIZATION_NONE, status);
    if (U_FAILURE(status))
        return QString();
    icu::UnicodeString out;
    formatter.formatNumeric(static_cast<double>(amount.value), icuUnit(amount.unit), out, status);
    if (U_FAILURE(status))
        return QString();
    return QString(reinterpret_cast<const QChar*>(out.getBuffer()), out.length());
}
