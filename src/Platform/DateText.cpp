#include "Platform/DateText.h"

#include <QRegularExpression>

QString DateText::mediumFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::LongFormat);
    static const QRegularExpression weekday(QStringLiteral("d{4}[,.]?\\s*"));
    static const QRegularExpression fullMonth(QStringLiteral("M{4}"));
    format.remove(weekday);
    format.replace(fullMonth, QStringLiteral("MMM"));
    return format.trimmed();
}

QString DateText::medium(const QDate& date, const QLocale& locale) {
    return locale.toString(date, mediumFormat(locale));
}
