#pragma once

#include <QMetaType>
#include <QString>

// One local notification that repeats every day at hour:minute:00 local time.
struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    int hour = 0;
    int minute = 0;
    bool playsSound = true;

    bool operator==(const NotificationRequest&) const = default;
};
Q_DECLARE_METATYPE(NotificationRequest)
