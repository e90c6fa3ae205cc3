#include "Core/Notifications/NotificationScheduler.h"

#include "Models/Goal.h"
#include "Models/GoalQueries.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/NotificationCenter.h"
#include "Platform/Store/ObjectContext.h"

#include <QCoreApplication>
#include <QPointer>

NotificationScheduler& NotificationScheduler::shared() {
    static NotificationScheduler* scheduler =
        new NotificationScheduler(NotificationCenter::current(), QCoreApplication::instance());
    return *scheduler;
}

NotificationScheduler::NotificationScheduler(NotificationCenter* center, QObject* parent)
    : QObject(parent), center_(center) {}

void NotificationScheduler::requestPermission() {
    center_->requestAuthorization(NotificationCenter::alert | NotificationCenter::sound |
                                  NotificationCenter::badge);
}

void NotificationScheduler::cancelDeadlineNotifications(std::function<void()> then) {
    QPointer<NotificationScheduler> self(this);
    center_->getPendingRequests(
        [self, then = std::move(then)](const std::vector<NotificationRequest>& pending) {
            if (!self)
                return;
            QStringList ids;
            for (const NotificationRequest& r : pending)
                if (r.identifier.startsWith(overduePrefix()) || r.identifier.startsWith(upcomingPrefix()))
                    ids << r.identifier;
            self->center_->removePendingRequests(ids);
            if (then)
                then();
        });
}

void NotificationScheduler::removeDeadlineNotifications() {
    cancelDeadlineNotifications({});
}

void NotificationScheduler::reschedule(const QList<QDateTime>& times, ObjectContext* context) {
    QPointer<ObjectContext> store(context);
    QPointer<NotificationScheduler> self(this);
    cancelDeadlineNotifications([self, store, times] {
        // A store closed meanwhile counts as one without goals.
        const auto [overdue, upcoming] = store ? fetchGoals(store.data()) : std::pair<Goals, Goals>{};
        for (const NotificationRequest& r : buildRequests(times, overdue, upcoming))
            self->center_->add(r);
    });
}

std::pair<NotificationScheduler::Goals, NotificationScheduler::Goals>
NotificationScheduler::fetchGoals(ObjectContext* context) {
    const QDateTime now = Clock::now();
    const QDateTime windowEnd = Calendar::addDays(now, 7);
    Goals overdue;
    Goals upcoming;
    for (const auto& goal : context->fetch<Goal>(GoalQueries::activeWithDeadline())) {
        const QDateTime deadline = goal->deadline().value_or(QDateTime());
        if (!deadline.isValid())
            continue;
        if (deadline < now) {
            if (goal->progressPercentage() < 1)
                overdue.push_back(goal);
        } else if (deadline <= windowEnd) {
            upcoming.push_back(goal);
        }
    }
    return {overdue, upcoming};
}

std::vector<NotificationRequest> NotificationScheduler::buildRequests(const QList<QDateTime>& times,
                                                                      const Goals& overdue,
                                                                      const Goals& upcoming) {
    std::vector<NotificationRequest> requests;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const QTime at = times.at(i).toLocalTime().time();
        auto make = [&](const QString& prefix, const QString& title, const Goals& goals) {
            NotificationRequest r;
            r.identifier = prefix + QString::number(i);
            r.title = title.arg(goals.size());
            r.body = goalBody(goals);
            r.hour = at.hour();
            r.minute = at.minute();
            requests.push_back(r);
        };
        if (!overdue.empty())
            make(overduePrefix(), QStringLiteral("Overdue Goals (%1)"), overdue);
        if (!upcoming.empty())
            make(upcomingPrefix(), QStringLiteral("Deadlines in 7 days (%1)"), upcoming);
    }
    return requests;
}

QString NotificationScheduler::goalBody(const Goals& goals) {
    QStringList titles;
    for (size_t i = 0; i < goals.size() && i < 5; ++i)
        titles << goals[i]->title().value_or(QStringLiteral("Untitled Goal"));
    QString body = titles.join(QStringLiteral(", "));
    if (goals.size() > 5)
        body += QStringLiteral(" +") + QString::number(goals.size() - 5) + QStringLiteral(" more");
    return body;
}
