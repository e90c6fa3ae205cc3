#include "Platform/Clock.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <climits>
#include <vector>

namespace {

std::atomic<bool> g_fake{false};
std::atomic<qint64> g_fakeMs{0};

struct PendingCall {
    quint64 sequence;
    qint64 dueMs;
    bool owned;
    QPointer<QObject> owner;
    QMetaObject::Connection ownerGone;
    std::function<void()> fn;
};

// Never destroyed: an owner that goes at exit() still finds it when it drops its calls.
std::vector<PendingCall>& pendingCalls() {
    static auto* calls = new std::vector<PendingCall>;
    return *calls;
}

quint64 g_nextSequence = 1;

// Removes the call from the queue; the caller decides whether to run it. The functor is
// handed back so that whatever it captured is released outside the queue's bookkeeping.
std::function<void()> takeCall(std::vector<PendingCall>::iterator it) {
    std::function<void()> fn = std::move(it->fn);
    QObject::disconnect(it->ownerGone);
    pendingCalls().erase(it);
    return fn;
}

void dropCallsOf(quint64 sequence) {
    auto& calls = pendingCalls();
    auto it = std::find_if(calls.begin(), calls.end(),
                           [sequence](const PendingCall& c) { return c.sequence == sequence; });
    if (it != calls.end())
        takeCall(it);
}

void scheduleOnTimer(QObject* owner, qint64 msec, std::function<void()> fn) {
    // QTimer counts in int milliseconds; longer waits are chained.
    if (msec > INT_MAX) {
        QPointer<QObject> guard(owner);
        const bool owned = owner != nullptr;
        auto rest = [guard, owned, msec, fn = std::move(fn)]() mutable {
            if (owned && guard.isNull())
                return;
            Clock::after(guard.data(), msec - INT_MAX, std::move(fn));
        };
        if (owner)
            QTimer::singleShot(INT_MAX, owner, std::move(rest));
        else
            QTimer::singleShot(INT_MAX, std::move(rest));
        return;
    }
    const int delay = static_cast<int>(std::max<qint64>(0, msec));
    if (owner)
        QTimer::singleShot(delay, owner, std::move(fn));
    else
        QTimer::singleShot(delay, std::move(fn));
}

} // namespace

QDateTime Clock::now() {
    if (g_fake.load())
        return QDateTime::fromMSecsSinceEpoch(g_fakeMs.load());
    return QDateTime::currentDateTime();
}

qint64 Clock::nowMSecsSinceEpoch() {
    if (g_fake.load())
        return g_fakeMs.load();
    return QDateTime::currentMSecsSinceEpoch();
}

QDate Clock::today() {
    return now().date();
}

void Clock::setFake(const QDateTime& instant) {
    g_fakeMs.store(instant.toMSecsSinceEpoch());
    g_fake.store(true);
}

void Clock::advance(qint64 seconds) {
    advanceMs(seconds * 1000);
}

void Clock::advanceMs(qint64 msec) {
    if (!g_fake.load())
        return;
    const qint64 target = g_fakeMs.load() + std::max<qint64>(0, msec);
    auto& calls = pendingCalls();
    for (;;) {
        auto next =
            std::min_element(calls.begin(), calls.end(), [](const PendingCall& a, const PendingCall& b) {
                return a.dueMs != b.dueMs ? a.dueMs < b.dueMs : a.sequence < b.sequence;
            });
        if (next == calls.end() || next->dueMs > target)
            break;
        // Time stands at the call's due moment while it runs, as it would on a real timer.
        g_fakeMs.store(std::max(g_fakeMs.load(), next->dueMs));
        const bool runnable = !next->owned || !next->owner.isNull();
        std::function<void()> fn = takeCall(next);
        if (runnable && fn)
            fn();
        if (!g_fake.load())
            return;
    }
    g_fakeMs.store(std::max(g_fakeMs.load(), target));
}

void Clock::useSystem() {
    g_fake.store(false);
    auto& calls = pendingCalls();
    while (!calls.empty())
        takeCall(calls.end() - 1);
}

bool Clock::isFake() {
    return g_fake.load();
}

void Clock::after(QObject* owner, qint64 msec, std::function<void()> fn) {
    if (!fn)
        return;
    if (!g_fake.load() || msec <= 0) {
        scheduleOnTimer(owner, msec, std::move(fn));
        return;
    }
    PendingCall call;
    call.sequence = g_nextSequence++;
    call.dueMs = g_fakeMs.load() + msec;
    call.owned = owner != nullptr;
    call.owner = owner;
    call.fn = std::move(fn);
    if (owner) {
        const quint64 sequence = call.sequence;
        call.ownerGone = QObject::connect(owner, &QObject::destroyed, [sequence] { dropCallsOf(sequence); });
    }
    pendingCalls().push_back(std::move(call));
}

int Clock::pendingCount() {
    return static_cast<int>(pendingCalls().size());
}
