#include "ViewModels/Notifications/NotificationTimeStorage.h"

#include "Platform/Clock.h"
#include "Platform/UserDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include <array>
#include <cmath>

namespace {

// Seconds from 1970-01-01 to 2001-01-01, both UTC.
constexpr double kReferenceOffset = 978307200.0;

QList<QDateTime> decode(const QByteArray& data) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return {};
    QList<QDateTime> times;
    for (const QJsonValue& v : doc.array()) {
        if (!v.isDouble() || !std::isfinite(v.toDouble()))
            return {};
        const double ms = (v.toDouble() + kReferenceOffset) * 1000.0;
        times.append(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(ms))));
    }
    return times;
}

} // namespace

QList<QDateTime> NotificationTimeStorage::defaultTimes() {
    static constexpr std::array<int, 6> hours{9, 13, 18, 10, 15, 20};
    const QDate today = Clock::now().date();
    QList<QDateTime> times;
    for (int hour : hours)
        times.append(QDateTime(today, QTime(hour, 0), QTimeZone::systemTimeZone()));
    return times;
}

QList<QDateTime> NotificationTimeStorage::load(int count) {
    if (count <= 0)
        return {};
    QList<QDateTime> times = decode(UserDefaults::standard().data(key()));
    if (times.size() < count) {
        const QList<QDateTime> defaults = defaultTimes();
        while (times.size() < count)
            times.append(defaults.at(times.size() % defaults.size()));
    }
    return times.mid(0, count);
}

void NotificationTimeStorage::save(const QList<QDateTime>& times) {
    QJsonArray array;
    for (const QDateTime& t : times) {
        if (!t.isValid())
            return;
        array.append(t.toMSecsSinceEpoch() / 1000.0 - kReferenceOffset);
    }
    UserDefaults::standard().setData(key(), QJsonDocument(array).toJson(QJsonDocument::Compact));
}
