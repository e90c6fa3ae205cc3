#include "Platform/NotificationBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

QDBusConnection bus() {
    return QDBusConnection::sessionBus();
}

} // namespace

NotificationBus::NotificationBus(QObject* parent) : QObject(parent) {}

void NotificationBus::show(const NotificationRequest& request) {
    if (!bus().isConnected())
        return;
    if (bodyIsMarkup_) {
        send(request);
        return;
    }
    waiting_.push_back(request);
    askCapabilities();
}

void NotificationBus::askCapabilities() {
    if (asking_)
        return;
    asking_ = true;
    const QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        asking_ = false;
        const QDBusPendingReply<QStringList> reply = *w;
        std::vector<NotificationRequest> waiting;
        waiting.swap(waiting_);
        // No service: drop what waited and ask again at the next delivery, the service
        // may have started by then.
        if (reply.isError())
            return;
        bodyIsMarkup_ = reply.value().contains(QStringLiteral("body-markup"));
        for (const NotificationRequest& r : waiting)
            send(r);
    });
}

void NotificationBus::send(const NotificationRequest& request) {
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("quorvale"));
    if (request.playsSound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    const QString body = *bodyIsMarkup_ ? request.body.toHtmlEscaped() : request.body;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Quorvale") << quint32(0) << QStringLiteral("quorvale") << request.title << body
         << QStringList() << hints << qint32(-1);
    // The reply carries nothing we use; a refusal is not reported anywhere.
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher, &QObject::deleteLater);
}
