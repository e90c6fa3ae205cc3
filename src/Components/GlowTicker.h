#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// One timer for every endless animation (the breathing glow of the rings). It repaints only
// the widgets that are shown, and runs only while one is shown and animations are on.
class GlowTicker : public QObject {
    Q_OBJECT
public:
    static GlowTicker& shared();

    // Widgets register when shown and leave when hidden (a minimised window hides them too).
    void add(QWidget* widget);
    void remove(QWidget* widget);

    // Seconds on the shared monotonic timeline the phases are read from.
    double seconds() const;
    bool isRunning() const { return timer_.isActive(); }
    int count() const { return int(widgets_.size()); }

    // The glows breathe by 4 % over 2.5 s: a tenth of a second moves their edge by well under
    // a pixel, so ten frames a second show the same breathing as more would.
    static constexpr int kIntervalMs = 100;

private:
    GlowTicker();
    void tick();
    void updateTimer();

    QList<QPointer<QWidget>> widgets_;
    QTimer timer_;
    QElapsedTimer clock_;
};
