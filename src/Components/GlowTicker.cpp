#include "Components/GlowTicker.h"

#include "Core/Theme/AnimationTiming.h"

GlowTicker& GlowTicker::shared() {
    static GlowTicker* ticker = new GlowTicker;
    return *ticker;
}

GlowTicker::GlowTicker() {
    clock_.start();
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &GlowTicker::tick);
}

void GlowTicker::add(QWidget* widget) {
    if (!widget)
        return;
    for (const auto& w : widgets_)
        if (w == widget)
            return;
    widgets_.append(widget);
    updateTimer();
}

void GlowTicker::remove(QWidget* widget) {
    widgets_.removeIf([widget](const QPointer<QWidget>& w) { return w.isNull() || w == widget; });
    updateTimer();
}

double GlowTicker::seconds() const {
    return clock_.elapsed() / 1000.0;
}

void GlowTicker::tick() {
    widgets_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    for (const auto& w : widgets_)
        if (w->isVisible() && !w->window()->isMinimized())
            w->update();
    updateTimer();
}

void GlowTicker::updateTimer() {
    const bool wanted = AnimationTiming::animationsEnabled() && !widgets_.isEmpty();
    if (wanted && !timer_.isActive())
        timer_.start();
    else if (!wanted && timer_.isActive())
        timer_.stop();
}
