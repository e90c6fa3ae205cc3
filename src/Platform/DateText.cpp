#include "Platform/DateText.h"

#include <QRegularExpression>

namespace {

QString longFormatWithoutWeekday(const QLocale& locale) {
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    return locale.dateFormat(QLocale::LongFormat).remove(weekday).trimmed();
}

} // namespace

QString DateText::mediumFormat(const QLocale& locale) {
    static const QRegularExpression fullMonth(QStringLiteral("M{4}"));
    return longFormatWithoutWeekday(locale).replace(fullMonth, QStringLiteral("MMM"));
}

QString DateText::longDate(const QDate& date, const QLocale& locale) {
    return locale.toString(date, longFormatWithoutWeekday(locale));
}

QString DateText::medium(const QDate& date, const QLocale& locale) {
    return locale.toString(date, mediumFormat(locale));
}
