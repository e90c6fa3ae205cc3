#pragma once

#include <QEasingCurve>

// One named animation: a curve over a duration, optionally repeated forever with reversal.
// Springs are settled curves: their duration is the time the spring takes to come to rest,
// and the curve may overshoot 1 before it does.
struct AnimationTiming {
    QEasingCurve curve;
    int durationMs = 0;
    bool repeatForever = false;
    bool autoreverse = false;

    static AnimationTiming spring(double response, double dampingFraction);
    static AnimationTiming easeInOut(double seconds);
    static AnimationTiming easeOut(double seconds);

    // The duration to run now: 0 while animations are switched off.
    int effectiveDurationMs() const;
    // Value of the curve at a time in seconds since the start (repeats and reversal applied).
    double valueAt(double seconds) const;

    // The one switch for every animation of the interface. It starts off when the environment
    // sets QUORVALE_NO_ANIMATIONS=1; then every animation ends at once in its final state.
    static bool animationsEnabled();
    static void setAnimationsEnabled(bool enabled);
};
