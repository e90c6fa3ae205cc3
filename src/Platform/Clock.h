#pragma once

#include <QDate>
#include <QDateTime>

#include <functional>

class QObject;

// The one source of "now" for every rule of the application. Tests switch it to a fake
// time they move forward by hand; delayed calls follow the same clock, so a test that
// advances the fake time also fires what became due.
class Clock {
public:
    // The current instant in local time.
    static QDateTime now();
    static qint64 nowMSecsSinceEpoch();
    static QDate today();

    // Freezes time at the given instant until advanced or switched back to the system.
    static void setFake(const QDateTime& instant);
    // Moves the fake time forward and runs, in order of due time, every delayed call that
    // falls due on the way (calls scheduled by those calls included). No effect on the
    // system clock.
    static void advance(qint64 seconds);
    static void advanceMs(qint64 msec);
    // Back to the system clock; delayed calls still waiting on the fake clock are dropped.
    static void useSystem();
    static bool isFake();

    // Runs fn once, msec from now. The call dies with owner: it never runs after owner is
    // destroyed (a null owner means the call has no owner). Under the system clock this is
    // a single-shot timer; under the fake clock it fires when advance() passes its due time,
    // except that a delay of zero or less runs on the next turn of the event loop.
    static void after(QObject* owner, qint64 msec, std::function<void()> fn);
    // Delayed calls waiting on the fake clock.
    static int pendingCount();
};
