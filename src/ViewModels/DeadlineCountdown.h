#pragma once

#include <QDateTime>
#include <QString>

// "2d 5h left", "1h left", "0h left", "2d overdue" from now to the deadline: whole units,
// truncated toward zero. The cards write it and the deadlines screen ticks it on.
QString deadlineCountdown(const QDateTime& now, const QDateTime& deadline);
