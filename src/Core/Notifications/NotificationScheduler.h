#pragma once

#include "Platform/NotificationRequest.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <memory>
#include <utility>
#include <vector>

class Goal;
class NotificationCenter;
class ObjectContext;

// Keeps the daily deadline reminders: for each alert time one request listing the overdue
// goals and one listing the goals due within seven days, built from the store when asked
// and repeated unchanged every day until the next rebuild.
class NotificationScheduler : public QObject {
    Q_OBJECT
public:
    using Goals = std::vector<std::shared_ptr<Goal>>;

    // The process-wide scheduler over the application's notification centre.
    static NotificationScheduler& shared();

    explicit NotificationScheduler(NotificationCenter* center, QObject* parent = nullptr);

    NotificationCenter* center() const { return center_; }
    static QString overduePrefix() { return QStringLiteral("deadline-overdue-"); }
    static QString upcomingPrefix() { return QStringLiteral("deadline-upcoming-"); }

    // Asks for alerts, sounds and badges; the answer is not used.
    void requestPermission();
    // Returns at once: once the centre lists its pending requests, the deadline ones are
    // replaced by requests built from the goals of context for the given times.
    void reschedule(const QList<QDateTime>& times, ObjectContext* context);
    // Returns at once; every pending deadline request goes, other requests stay.
    void removeDeadlineNotifications();

    // Active goals with a deadline, by deadline: those past it and not complete, and those
    // due from now to seven calendar days ahead, both ends included.
    static std::pair<Goals, Goals> fetchGoals(ObjectContext* context);
    static std::vector<NotificationRequest> buildRequests(const QList<QDateTime>& times, const Goals& overdue,
                                                          const Goals& upcoming);
    // The first five titles joined by ", " and " +N more" for the rest.
    static QString goalBody(const Goals& goals);

private:
    void cancelDeadlineNotifications(std::function<void()> then);

    NotificationCenter* center_;
};
