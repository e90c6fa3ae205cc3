#pragma once

#include "Platform/NotificationRequest.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

class Goal;
class NotificationCenter;
class ObjectContext;

// Keeps the daily deadline reminders: at each alert time one reminder listing the overdue
// goals and one listing the goals due within seven days. The requests are built when the
// settings change (and at start-up), but what a reminder says is worked out again from the
// store when it is shown, so it never repeats a count that no longer holds, and a list that
// was empty at the last rebuild is still reminded of once it fills. An empty list shows
// nothing.
class NotificationScheduler : public QObject {
    Q_OBJECT
public:
    using Goals = std::vector<std::shared_ptr<Goal>>;

    // The process-wide scheduler over the application's notification centre.
    static NotificationScheduler& shared();

    explicit NotificationScheduler(NotificationCenter* center, QObject* parent = nullptr);

    NotificationCenter* center() const;
    ~NotificationScheduler() override;
    static QString overduePrefix() { return QStringLiteral("deadline-overdue-"); }
    static QString upcomingPrefix() { return QStringLiteral("deadline-upcoming-"); }

    // Asks for alerts, sounds and badges; the answer is not used.
    void requestPermission();
    // Returns at once: once the centre lists its pending requests, the deadline ones are
    // replaced by requests built from the goals of context for the given times. A later
    // call (or switching the reminders off) supersedes one whose answer has not come yet.
    void reschedule(const QList<QDateTime>& times, ObjectContext* context);
    // Every pending deadline request goes at once, other requests stay.
    void removeDeadlineNotifications();

    // What the settings screen calls; each stores the setting and brings the pending
    // requests in line at once.
    // The switch, "enableNotifications": on when never written.
    static bool remindersEnabled();
    void setRemindersEnabled(bool enabled, ObjectContext* context);
    // "deadlineNotifCount" from 1 to 6: never written or 0 reads 2. Changing it stores the
    // padded or shortened list of alert times.
    static int alertCount();
    static constexpr int kMaxAlertTimes = 6;
    void setAlertCount(int count, ObjectContext* context);
    // Replaces the alert time at index (only its hour and minute count) and stores the list.
    void setAlertTime(int index, const QDateTime& time, ObjectContext* context);
    // Reschedules from the stored settings when the reminders are on, removes them when off.
    void applySettings(ObjectContext* context);

    // Active goals with a deadline, by deadline: those past it and not complete, and those
    // due from now to seven calendar days ahead, both ends included.
    static std::pair<Goals, Goals> fetchGoals(ObjectContext* context);
    static std::vector<NotificationRequest> buildRequests(const QList<QDateTime>& times, const Goals& overdue,
                                                          const Goals& upcoming);
    // The first five titles joined by ", " and " +N more" for the rest.
    static QString goalBody(const Goals& goals);

private:
    // For each alert time the centre holds both identifiers; one whose list was empty at the
    // rebuild is held without text, only so that it wakes at its time.
    static std::vector<NotificationRequest> withWakeUps(const QList<QDateTime>& times,
                                                        std::vector<NotificationRequest> built);
    std::vector<NotificationRequest> compose(const std::vector<NotificationRequest>& due);

    QPointer<NotificationCenter> center_;
    QPointer<ObjectContext> context_;
    quint64 generation_ = 0;
};
