#include "ViewModels/Notifications/NotificationScheduler.h"

#include "Models/Goal.h"
#include "Models/GoalFigures.h"
#include "Models/GoalQueries.h"
#include "Platform/CalendarHelpers.h"
#include "Platform/Clock.h"
#include "Platform/NotificationCenter.h"
#include "Platform/UserDefaults.h"
#include "Store/ObjectContext.h"
#include "ViewModels/GoalText.h"
#include "ViewModels/Notifications/NotificationTimeStorage.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kEnabled = QStringLiteral("enableNotifications");
const QString kCount = QStringLiteral("deadlineNotifCount");

NotificationRequest request(const QString& identifier, const QString& title, const QString& body,
                            const QTime& at) {
    NotificationRequest r;
    r.identifier = identifier;
    r.title = title;
    r.body = body;
    r.hour = at.hour();
    r.minute = at.minute();
    return r;
}

QString overdueTitle(size_t count) {
    return QStringLiteral("Overdue Goals (%1)").arg(count);
}

QString upcomingTitle(size_t count) {
    return QStringLiteral("Deadlines in 7 days (%1)").arg(count);
}

} // namespace

NotificationScheduler& NotificationScheduler::shared() {
    static NotificationScheduler* scheduler =
        new NotificationScheduler(NotificationCenter::current(), QCoreApplication::instance());
    return *scheduler;
}

NotificationScheduler::NotificationScheduler(NotificationCenter* center, QObject* parent)
    : QObject(parent), center_(center) {
    center_->setComposer([this](const std::vector<NotificationRequest>& due) { return compose(due); });
}

NotificationCenter* NotificationScheduler::center() const {
    return center_.data();
}

NotificationScheduler::~NotificationScheduler() {
    if (center_)
        center_->setComposer({});
}

void NotificationScheduler::requestPermission() {
    center_->requestAuthorization(NotificationCenter::alert | NotificationCenter::sound |
                                  NotificationCenter::badge);
}

void NotificationScheduler::reschedule(const QList<QDateTime>& times, ObjectContext* context) {
    context_ = context;
    const quint64 generation = ++generation_;
    QPointer<NotificationScheduler> self(this);
    center_->getPendingRequests([self, generation, times](const std::vector<NotificationRequest>& pending) {
        // A newer reschedule (or the switch turned off) has taken over.
        if (!self || generation != self->generation_)
            return;
        QStringList stale;
        for (const NotificationRequest& r : pending)
            if (r.identifier.startsWith(overduePrefix()) || r.identifier.startsWith(upcomingPrefix()))
                stale << r.identifier;
        self->center_->removePendingRequests(stale);
        // A store closed meanwhile counts as one without goals.
        const auto [overdue, upcoming] =
            self->context_ ? fetchGoals(self->context_.data()) : std::pair<Goals, Goals>{};
        for (const NotificationRequest& r : withWakeUps(times, buildRequests(times, overdue, upcoming)))
            self->center_->add(r);
    });
}

void NotificationScheduler::removeDeadlineNotifications() {
    ++generation_;
    center_->removePendingRequestsWithPrefixes({overduePrefix(), upcomingPrefix()});
}

bool NotificationScheduler::remindersEnabled() {
    return UserDefaults::standard().optionalFlag(kEnabled).value_or(true);
}

void NotificationScheduler::setRemindersEnabled(bool enabled, ObjectContext* context) {
    UserDefaults::standard().setFlag(kEnabled, enabled);
    applySettings(context);
}

int NotificationScheduler::alertCount() {
    const qint64 stored = UserDefaults::standard().integer(kCount, 0);
    if (stored == 0)
        return 2;
    return static_cast<int>(std::clamp<qint64>(stored, 1, kMaxAlertTimes));
}

void NotificationScheduler::setAlertCount(int count, ObjectContext* context) {
    count = std::clamp(count, 1, kMaxAlertTimes);
    UserDefaults::standard().setInteger(kCount, count);
    NotificationTimeStorage::save(NotificationTimeStorage::load(count));
    applySettings(context);
}

void NotificationScheduler::setAlertTime(int index, const QDateTime& time, ObjectContext* context) {
    QList<QDateTime> times = NotificationTimeStorage::load(alertCount());
    if (index < 0 || index >= times.size() || !time.isValid())
        return;
    times[index] = time;
    NotificationTimeStorage::save(times);
    applySettings(context);
}

void NotificationScheduler::applySettings(ObjectContext* context) {
    if (!remindersEnabled()) {
        removeDeadlineNotifications();
        return;
    }
    reschedule(NotificationTimeStorage::load(alertCount()), context);
}

std::pair<NotificationScheduler::Goals, NotificationScheduler::Goals>
NotificationScheduler::fetchGoals(ObjectContext* context) {
    const QDateTime now = Clock::now();
    const QDateTime windowEnd = Calendar::addDays(now, 7);
    Goals overdue;
    Goals upcoming;
    // Only deadlines up to the end of the window concern a reminder; those already past read
    // their goal's progress, all of them in one pass.
    FetchRequest due = GoalQueries::activeWithDeadline();
    due.predicate = due.predicate && Key(Goal::Keys::deadline) <= QVariant(windowEnd);
    const auto goals = context->fetch<Goal>(due);
    Goals past;
    for (const auto& goal : goals)
        if (goal->deadline() && *goal->deadline() < now)
            past.push_back(goal);
    GoalFigures::of(context).prefetch(past);
    for (const auto& goal : goals) {
        const QDateTime deadline = goal->deadline().value_or(QDateTime());
        if (!deadline.isValid())
            continue;
        if (goal->isOverdue(now))
            overdue.push_back(goal);
        else if (deadline >= now && deadline <= windowEnd)
            upcoming.push_back(goal);
    }
    return {overdue, upcoming};
}

std::vector<NotificationRequest> NotificationScheduler::buildRequests(const QList<QDateTime>& times,
                                                                      const Goals& overdue,
                                                                      const Goals& upcoming) {
    std::vector<NotificationRequest> requests;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const QTime at = times.at(i).toLocalTime().time();
        const QString index = QString::number(i);
        if (!overdue.empty())
            requests.push_back(
                request(overduePrefix() + index, overdueTitle(overdue.size()), goalBody(overdue), at));
        if (!upcoming.empty())
            requests.push_back(
                request(upcomingPrefix() + index, upcomingTitle(upcoming.size()), goalBody(upcoming), at));
    }
    return requests;
}

std::vector<NotificationRequest> NotificationScheduler::withWakeUps(const QList<QDateTime>& times,
                                                                    std::vector<NotificationRequest> built) {
    for (qsizetype i = 0; i < times.size(); ++i) {
        const QTime at = times.at(i).toLocalTime().time();
        for (const QString& prefix : {overduePrefix(), upcomingPrefix()}) {
            const QString id = prefix + QString::number(i);
            const bool present = std::any_of(
                built.begin(), built.end(), [&](const NotificationRequest& r) { return r.identifier == id; });
            if (!present)
                built.push_back(request(id, QString(), QString(), at));
        }
    }
    return built;
}

std::vector<NotificationRequest> NotificationScheduler::compose(const std::vector<NotificationRequest>& due) {
    std::vector<NotificationRequest> shown;
    bool fetched = false;
    std::pair<Goals, Goals> lists;
    for (const NotificationRequest& r : due) {
        const bool isOverdue = r.identifier.startsWith(overduePrefix());
        if (!isOverdue && !r.identifier.startsWith(upcomingPrefix())) {
            shown.push_back(r);
            continue;
        }
        // The goals as they stand now, read once for every reminder of this minute.
        if (!fetched) {
            lists = context_ ? fetchGoals(context_.data()) : std::pair<Goals, Goals>{};
            fetched = true;
        }
        const Goals& goals = isOverdue ? lists.first : lists.second;
        if (goals.empty())
            continue;
        NotificationRequest fresh = r;
        fresh.title = isOverdue ? overdueTitle(goals.size()) : upcomingTitle(goals.size());
        fresh.body = goalBody(goals);
        shown.push_back(fresh);
    }
    return shown;
}

QString NotificationScheduler::goalBody(const Goals& goals) {
    QStringList titles;
    for (size_t i = 0; i < goals.size() && i < 5; ++i)
        titles << GoalText::title(*goals[i]);
    QString body = titles.join(QStringLiteral(", "));
    if (goals.size() > 5)
        body += QStringLiteral(" +") + QString::number(goals.size() - 5) + QStringLiteral(" more");
    return body;
}
