#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// One timer for every endless animation (the breathing glow of the rings). It repaints only
// the widgets that are shown and would look different, and runs only while one is shown and
// animations are on.
class GlowTicker : public QObject {
    Q_OBJECT
public:
    static GlowTicker& shared();

    // Widgets register when shown and leave when hidden (a minimised window hides them too).
    // moved tells whether the widget would now paint differently from its last paint; a
    // widget without it repaints on every tick.
    void add(QWidget* widget, std::function<bool()> moved = {});
    void remove(QWidget* widget);

    // Seconds on the shared monotonic timeline the phases are read from.
    double seconds() const;
    // Reads that timeline, in milliseconds, from msecs instead of the monotonic clock (none: the
    // clock again). Tests put it on the frames they step, so no phase follows the real time a
    // busy machine takes between two of them.
    void setTimeline(std::function<qint64()> msecs);
    bool isRunning() const { return timer_.isActive(); }
    int count() const { return int(widgets_.size()); }
    // What the timer does: repaints the shown widgets that moved.
    void tick();

    // The glows breathe by 4 % over 2.5 s: a tenth of a second moves their edge by well under
    // a pixel, so ten frames a second show the same breathing as more would.
    static constexpr int kIntervalMs = 100;

private:
    GlowTicker();
    void updateTimer();

    struct Entry {
        QPointer<QWidget> widget;
        std::function<bool()> moved;
    };
    QList<Entry> widgets_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::function<qint64()> timeline_;
};
