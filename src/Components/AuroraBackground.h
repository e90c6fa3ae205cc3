#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <array>

// The animated backdrop of the window: the theme's base colour with five large soft glows
// that drift slowly back and forth, each between two offsets from the centre and at its own
// pace. The glows are blurred once; each frame only places them, on a quarter-size canvas
// that is then stretched over the widget (they hold no detail a full-size canvas would keep).
// It repaints ten times a second, and not at all while hidden, minimised or when animations
// are switched off.
//
// What a frame repaints is only what the moving backdrop really shows through. The window's
// frosted surfaces (the sidebar, cards, rows, bars: whatever paints UltraThinMaterial) show
// their own blurred snapshot of the backdrop, refreshed a few times a second; a frame leaves
// their whole bounds out, so the widgets on and under them are not painted again for it. A
// translucent widget that does not paint the material is repainted with every frame it sits
// on: a screen that puts a large one over the backdrop should draw it on the material.
class AuroraBackground : public QWidget {
    Q_OBJECT
public:
    struct Blob {
        QColor color;
        qreal size;    // width; the height is size x 0.85, the gradient's radius size / 2
        qreal blur;    // radius of the blur, in points
        qreal opacity; // of the colour at the centre
        QPointF offsetA;
        QPointF offsetB;
        qreal duration; // seconds of one drift from one offset to the other
    };

    // Ten frames a second. The glows drift a few dozen points a second at most and fade out
    // over a hundred, so one frame differs from the one before by at most four colour levels
    // (three at thirty frames a second): the drift looks the same at a third of the cost.
    static constexpr int kFrameIntervalMs = 100;
    // Frames are composed at this fraction of the widget's size and stretched over it.
    static constexpr qreal kCanvasScale = 0.25;

    explicit AuroraBackground(QWidget* parent = nullptr);

    static const std::array<Blob, 5>& blobs();
    // Where a glow stands, from the window's centre, after drifting for the given time.
    static QPointF blobOffset(const Blob& blob, qreal seconds);

    // Seconds since the drift began (0 until first shown or when animations are off).
    qreal elapsedSeconds() const;
    bool isAnimating() const { return timer_.isActive(); }

    // Where something of the window's own covers the backdrop with an opaque frosted
    // surface that refreshes itself (the sidebar, the check-in's dim layer): frames skip it,
    // as they skip the bounds of the material's surfaces (cards, rows).
    void setCoveredRegion(const QRegion& region);
    QRegion coveredRegion() const { return covered_; }

    // Paints one frame for a backdrop of the given size after the given drift time.
    void renderFrame(QPainter& painter, const QSizeF& size, qreal seconds);
    // That frame as composed, at kCanvasScale of the size (one pixel per 4 x 4 points, and a
    // pixel to spare right and below): what the frosted surfaces blur for their snapshot,
    // without drawing the frame at full size.
    const QImage& canvas(const QSizeF& size, qreal seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateRunning();
    void nextFrame();
    void ensureSprites();
    static bool animationsEnabled();
    static QColor baseColor();

    QTimer timer_;
    qint64 startMs_ = -1;
    QObject* watchedWindow_ = nullptr;
    std::array<QImage, 5> sprites_;
    QImage canvas_;
    QSizeF canvasFor_;
    qreal canvasSeconds_ = -1;
    QRgb canvasBase_ = 0;
    QRegion covered_;
};
