#pragma once

#include "Platform/NotificationRequest.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class NotificationBus;

// The application's local notification centre: requests repeat every day at their hour and
// minute and are shown through the desktop's notification service while the application
// runs. Pending requests live in memory only; whoever owns them adds them again at start-up.
// Every answer is delivered later on the main thread, never from inside the call, so callers
// see the same order of events whatever the desktop does. Without a session bus or without
// a notification service nothing is shown and nothing fails.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    enum AuthorizationOption { alert = 0x1, sound = 0x2, badge = 0x4 };
    Q_DECLARE_FLAGS(AuthorizationOptions, AuthorizationOption)

    explicit NotificationCenter(QObject* parent = nullptr);
    ~NotificationCenter() override;

    // The process-wide centre, created on first use on the main thread.
    static NotificationCenter* current();

    // The desktop asks nobody before showing a notification, so the answer is always
    // granted; it still arrives later, as callers expect of a permission prompt.
    void requestAuthorization(AuthorizationOptions options,
                              std::function<void(bool granted, const QString& error)> answer = {});

    // Adds a request, replacing a pending one with the same identifier. The answer carries
    // an error text, empty on success (an empty identifier is refused).
    void add(const NotificationRequest& request, std::function<void(const QString& error)> answer = {});
    void getPendingRequests(std::function<void(const std::vector<NotificationRequest>&)> answer);
    void removePendingRequests(const QStringList& identifiers);
    void removeAllPendingRequests();

    // The moment the request will next be shown; invalid when it is not pending.
    QDateTime nextDelivery(const QString& identifier) const;

signals:
    // Emitted for every delivery, whether or not a notification service showed it.
    void delivered(const NotificationRequest& request);

private:
    struct Pending {
        NotificationRequest request;
        QDateTime nextFire;
    };

    void later(std::function<void()> fn);
    void deliverDue();
    void armTimer();
    static QDateTime nextOccurrence(const NotificationRequest& request, const QDateTime& after);

    std::vector<Pending> pending_;
    std::unique_ptr<QObject> timerOwner_; // destroying it cancels the armed wake-up
    std::unique_ptr<NotificationBus> bus_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(NotificationCenter::AuthorizationOptions)
