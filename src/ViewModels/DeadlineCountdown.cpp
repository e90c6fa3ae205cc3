#include "ViewModels/DeadlineCountdown.h"

namespace {

constexpr qint64 kDay = 86400;
constexpr qint64 kHour = 3600;

} // namespace

QString deadlineCountdown(const QDateTime& now, const QDateTime& deadline) {
    const qint64 interval = now.secsTo(deadline);
    if (interval < 0)
        return QString::number(-interval / kDay) + QStringLiteral("d overdue");
    const qint64 days = interval / kDay;
    const qint64 hours = interval % kDay / kHour;
    if (days < 1)
        return QString::number(hours) + QStringLiteral("h left");
    return QString::number(days) + QStringLiteral("d ") + QString::number(hours) + QStringLiteral("h left");
}
