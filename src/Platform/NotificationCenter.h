#pragma once

#include "Platform/NotificationRequest.h"

#include <QDateTime>
#include <QHash>
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
//
// Delivery follows the local clock: a request is shown at most once per local day, at the
// first valid minute after a time that a daylight-saving change skips, once on a night that
// repeats its hour, and once after a suspend (or a clock set forward) that skipped its minute
// that day; days the machine slept through are never replayed.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    enum AuthorizationOption { alert = 0x1, sound = 0x2, badge = 0x4 };
    Q_DECLARE_FLAGS(AuthorizationOptions, AuthorizationOption)

    // What a due request turns into when it is shown: its owner's content of the moment.
    using Composer =
        std::function<std::vector<NotificationRequest>(const std::vector<NotificationRequest>& due)>;
    using Presenter = std::function<void(const NotificationRequest&)>;

    explicit NotificationCenter(QObject* parent = nullptr);
    // A centre that hands what it shows to present instead of the desktop (for tests).
    explicit NotificationCenter(Presenter present, QObject* parent = nullptr);
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
    // Removes at once, not after a query, every pending request whose identifier begins with
    // one of the prefixes.
    void removePendingRequestsWithPrefixes(const QStringList& identifierPrefixes);

    // Lets the owner of the requests compose them when they fall due: it gets the requests
    // due this minute and returns what to show now (none shows nothing). Without a composer
    // a request shows as it was added.
    void setComposer(Composer composer);

    // The moment the request will next be shown; invalid when it is not pending.
    QDateTime nextDelivery(const QString& identifier) const;

signals:
    // Emitted for every notification shown, whether or not a notification service showed it.
    void delivered(const NotificationRequest& request);

private:
    struct Pending {
        NotificationRequest request;
        QDateTime nextFire;
    };

    void later(std::function<void()> fn);
    void deliverDue();
    void armTimer();
    void show(const NotificationRequest& request);
    // The first moment after `after` at the request's minute, on a day it was not shown yet.
    QDateTime nextOccurrence(const NotificationRequest& request, const QDateTime& after) const;

    std::vector<Pending> pending_;
    // The local day each identifier was last shown, kept across removal and re-adding, so a
    // rebuilt request does not show twice in one day.
    QHash<QString, QDate> shownOn_;
    std::unique_ptr<QObject> timerOwner_; // destroying it cancels the armed wake-up
    std::unique_ptr<NotificationBus> bus_;
    Presenter present_;
    Composer composer_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(NotificationCenter::AuthorizationOptions)
