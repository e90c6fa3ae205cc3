#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

struct AnimationTiming;

// Holds one panel that fills it, and slides a new panel in from an edge by moving it. No
// graphics effect is involved: a panel full of live children (rings that animate, cards that
// repaint) paints straight into the window, so nothing can hold its painting up, and nothing
// is left on it once it has arrived. The host lays the panel out itself, so the panel's
// content never imposes a minimum height on the window (the panel scrolls instead).
class SlidingPanelHost : public QWidget {
    Q_OBJECT
public:
    explicit SlidingPanelHost(QWidget* parent = nullptr);

    QWidget* panel() const { return panel_; }
    // Makes panel the host's one panel (the previous one is released) and slides it in from
    // an offset in x, back to its place with the animation (at once while animations are off).
    void setPanel(QWidget* panel, int fromOffsetX, const AnimationTiming& animation);
    // Releases the panel, if any.
    void clear();
    // The panel's current offset from its place.
    int offsetX() const { return offsetX_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();

    QPointer<QWidget> panel_;
    QPointer<QVariantAnimation> slide_;
    int offsetX_ = 0;
};
