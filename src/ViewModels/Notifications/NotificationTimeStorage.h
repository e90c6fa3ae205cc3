#pragma once

#include <QDateTime>
#include <QList>

// The alert times of the deadline notifications (only hour and minute count), kept in the
// user default "deadlineNotifTimes" as a JSON array of seconds since 1 January 2001 UTC.
class NotificationTimeStorage {
public:
    // Exactly count times: the stored ones, padded from the defaults by position (the time
    // at index i comes from default i mod 6) or cut. Unreadable data counts as none; a
    // count below 1 gives none. Never writes.
    static QList<QDateTime> load(int count);
    static void save(const QList<QDateTime>& times);
    // 09:00, 13:00, 18:00, 10:00, 15:00 and 20:00 of the current day.
    static QList<QDateTime> defaultTimes();

    static QString key() { return QStringLiteral("deadlineNotifTimes"); }
};
