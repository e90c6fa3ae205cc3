#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

// A notification service that records what it is asked to show. It sits on a connection
// of its own, so calls from the application travel through the bus daemon as they would
// to a real desktop.
class NotificationServerStub : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString appName;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
    };

    explicit NotificationServerStub(QStringList capabilities)
        : capabilities_(std::move(capabilities)),
          connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                    QStringLiteral("notification-stub"))) {}

    ~NotificationServerStub() override {
        connection_.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        connection_.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("notification-stub"));
    }

    bool start() {
        return connection_.isConnected() &&
               connection_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                          QDBusConnection::ExportAllSlots) &&
               connection_.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    std::vector<Shown> shown;

public slots:
    QStringList GetCapabilities() { return capabilities_; }
    uint Notify(const QString& appName, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap& hints, int) {
        shown.push_back({appName, icon, summary, body, hints});
        return static_cast<uint>(shown.size());
    }
    void CloseNotification(uint) {}

private:
    QStringList capabilities_;
    QDBusConnection connection_;
};
