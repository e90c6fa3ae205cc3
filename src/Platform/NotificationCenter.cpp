#include "Platform/NotificationCenter.h"

#include "Platform/Clock.h"
#include "Platform/NotificationBus.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimeZone>

#include <algorithm>

namespace {

// The wake-up never sleeps longer than this, so a changed wall clock or a resume from
// suspend is noticed within a minute.
constexpr qint64 kLongestSleepMs = 60 * 1000;
constexpr int kMinutesPerDay = 24 * 60;

// hour:minute on a local day. A time that a daylight-saving change skips comes at the first
// valid minute after it (02:30 on a night that jumps from 02:00 to 03:00 comes at 03:00); on a
// night that repeats the hour it is one of the two, and the once-a-day rule keeps it single.
QDateTime occurrenceOn(const QDate& day, int hour, int minute) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    for (int total = hour * 60 + minute; total < kMinutesPerDay; ++total) {
        const QTime time(total / 60, total % 60);
        const QDateTime at(day, time, zone);
        if (at.isValid() && at.time() == time)
            return at;
    }
    return day.addDays(1).startOfDay(zone);
}

} // namespace

NotificationCenter::NotificationCenter(QObject* parent)
    : QObject(parent), bus_(std::make_unique<NotificationBus>()) {
    qRegisterMetaType<NotificationRequest>();
}

NotificationCenter::NotificationCenter(Presenter present, QObject* parent)
    : QObject(parent), present_(std::move(present)) {
    qRegisterMetaType<NotificationRequest>();
}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter* NotificationCenter::current() {
    static NotificationCenter* center = [] {
        auto* c = new NotificationCenter(QCoreApplication::instance());
        return c;
    }();
    return center;
}

void NotificationCenter::later(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void NotificationCenter::requestAuthorization(AuthorizationOptions,
                                              std::function<void(bool, const QString&)> answer) {
    if (answer)
        later([answer = std::move(answer)] { answer(true, QString()); });
}

void NotificationCenter::add(const NotificationRequest& request, std::function<void(const QString&)> answer) {
    QString error;
    if (request.identifier.isEmpty())
        error = QStringLiteral("A notification request needs an identifier.");
    else if (request.hour < 0 || request.hour > 23 || request.minute < 0 || request.minute > 59)
        error =
            QStringLiteral("A notification request needs an hour from 0 to 23 and a minute from 0 to 59.");
    if (error.isEmpty()) {
        removePendingRequests({request.identifier});
        pending_.push_back({request, nextOccurrence(request, Clock::now())});
        armTimer();
    }
    if (answer)
        later([answer = std::move(answer), error] { answer(error); });
}

void NotificationCenter::getPendingRequests(
    std::function<void(const std::vector<NotificationRequest>&)> answer) {
    if (!answer)
        return;
    std::vector<NotificationRequest> snapshot;
    snapshot.reserve(pending_.size());
    for (const Pending& p : pending_)
        snapshot.push_back(p.request);
    later([answer = std::move(answer), snapshot = std::move(snapshot)] { answer(snapshot); });
}

void NotificationCenter::removePendingRequests(const QStringList& identifiers) {
    const auto gone = std::remove_if(pending_.begin(), pending_.end(), [&](const Pending& p) {
        return identifiers.contains(p.request.identifier);
    });
    if (gone == pending_.end())
        return;
    pending_.erase(gone, pending_.end());
    armTimer();
}

void NotificationCenter::removeAllPendingRequests() {
    pending_.clear();
    armTimer();
}

QDateTime NotificationCenter::nextDelivery(const QString& identifier) const {
    for (const Pending& p : pending_)
        if (p.request.identifier == identifier)
            return p.nextFire;
    return {};
}

QDateTime NotificationCenter::nextOccurrence(const NotificationRequest& request,
                                             const QDateTime& after) const {
    const QDate shown = shownOn_.value(request.identifier);
    QDate day = after.toLocalTime().date();
    for (int i = 0; i < 3; ++i, day = day.addDays(1)) {
        const QDateTime candidate = occurrenceOn(day, request.hour, request.minute);
        if (candidate > after && day != shown)
            return candidate;
    }
    return after.addDays(1);
}

void NotificationCenter::deliverDue() {
    // The owner of the wake-up that is running now must outlive this call.
    if (timerOwner_)
        timerOwner_.release()->deleteLater();
    const QDateTime now = Clock::now();
    const QDate today = now.toLocalTime().date();
    std::vector<NotificationRequest> due;
    for (Pending& p : pending_) {
        if (p.nextFire <= now) {
            // Late (a suspend, a clock set forward): only today's minute is shown, once;
            // the days slept through are not replayed.
            const QDateTime todays = occurrenceOn(today, p.request.hour, p.request.minute);
            if (todays <= now && todays >= p.nextFire && shownOn_.value(p.request.identifier) != today) {
                due.push_back(p.request);
                shownOn_.insert(p.request.identifier, today);
            }
            p.nextFire = nextOccurrence(p.request, now);
        } else if (p.nextFire > now.addDays(1)) {
            // The wall clock went back: wait for the next occurrence from the new "now".
            p.nextFire = nextOccurrence(p.request, now);
        }
    }
    if (!due.empty()) {
        const std::vector<NotificationRequest> shown = composer_ ? composer_(due) : due;
        for (const NotificationRequest& r : shown)
            show(r);
    }
    armTimer();
}

void NotificationCenter::show(const NotificationRequest& request) {
    if (present_)
        present_(request);
    else if (bus_)
        bus_->show(request);
    emit delivered(request);
}

void NotificationCenter::removePendingRequestsWithPrefixes(const QStringList& identifierPrefixes) {
    QStringList ids;
    for (const Pending& p : pending_)
        for (const QString& prefix : identifierPrefixes)
            if (p.request.identifier.startsWith(prefix))
                ids << p.request.identifier;
    removePendingRequests(ids);
}

void NotificationCenter::setComposer(Composer composer) {
    composer_ = std::move(composer);
}

void NotificationCenter::armTimer() {
    timerOwner_.reset();
    if (pending_.empty())
        return;
    const auto earliest =
        std::min_element(pending_.begin(), pending_.end(),
                         [](const Pending& a, const Pending& b) { return a.nextFire < b.nextFire; });
    const qint64 wait = std::clamp<qint64>(Clock::now().msecsTo(earliest->nextFire), 1, kLongestSleepMs);
    timerOwner_ = std::make_unique<QObject>();
    Clock::after(timerOwner_.get(), wait, [this] { deliverDue(); });
}
