#pragma once

#include "Platform/NotificationRequest.h"

#include <QObject>
#include <QStringList>

#include <optional>
#include <vector>

// The desktop's notification service (org.freedesktop.Notifications on the session bus).
// Every call is asynchronous: a slow or missing service never blocks the interface, and a
// missing bus or service simply shows nothing.
class NotificationBus : public QObject {
    Q_OBJECT
public:
    explicit NotificationBus(QObject* parent = nullptr);

    void show(const NotificationRequest& request);

private:
    void send(const NotificationRequest& request);
    void askCapabilities();

    // Titles of goals are the user's own text; a service that reads the body as markup
    // must get it escaped, one that does not must get it as it is.
    std::optional<bool> bodyIsMarkup_;
    bool asking_ = false;
    std::vector<NotificationRequest> waiting_;
};
