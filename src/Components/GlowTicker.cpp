#include "Components/GlowTicker.h"

#include "ViewModels/Theme/AnimationTiming.h"

GlowTicker& GlowTicker::shared() {
    static GlowTicker* ticker = new GlowTicker;
    return *ticker;
}

GlowTicker::GlowTicker() {
    clock_.start();
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &GlowTicker::tick);
}

void GlowTicker::add(QWidget* widget, std::function<bool()> moved) {
    if (!widget)
        return;
    for (const auto& entry : widgets_)
        if (entry.widget == widget)
            return;
    widgets_.append(Entry{widget, std::move(moved)});
    updateTimer();
}

void GlowTicker::remove(QWidget* widget) {
    widgets_.removeIf(
        [widget](const Entry& entry) { return entry.widget.isNull() || entry.widget == widget; });
    updateTimer();
}

double GlowTicker::seconds() const {
    return double(timeline_ ? timeline_() : clock_.elapsed()) / 1000.0;
}

void GlowTicker::setTimeline(std::function<qint64()> msecs) {
    timeline_ = std::move(msecs);
}

void GlowTicker::tick() {
    widgets_.removeIf([](const Entry& entry) { return entry.widget.isNull(); });
    for (const auto& entry : widgets_) {
        QWidget* w = entry.widget;
        if (w->isVisible() && !w->window()->isMinimized() && (!entry.moved || entry.moved()))
            w->update();
    }
    updateTimer();
}

void GlowTicker::updateTimer() {
    const bool wanted = AnimationTiming::animationsEnabled() && !widgets_.isEmpty();
    if (wanted && !timer_.isActive())
        timer_.start();
    else if (!wanted && timer_.isActive())
        timer_.stop();
}
