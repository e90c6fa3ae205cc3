#pragma once

#include "ViewModels/Theme/AppTheme.h"

#include <QGraphicsEffect>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QVariantAnimation>

#include <functional>

class QWidget;

// The one graphics effect of a widget that moves: opacity, an offset and a scale about the
// centre, so an entrance, the press feedback and a hover can share a widget (Qt allows one
// effect per widget). It is for motion only: whoever starts a motion calls settle() when it
// ends, so nothing at rest carries an effect (shadows are CastShadow's). While it moves, the
// widget is drawn from one offscreen picture of it, made again only when something inside the
// widget asks to be repainted or the widget moves in its window: a frame of an entrance costs
// a picture drawn, not the widget's subtree rendered.
class MotionEffect : public QGraphicsEffect {
    Q_OBJECT
public:
    explicit MotionEffect(QObject* parent = nullptr);

    // The widget's effect, installed on first use.
    static MotionEffect* of(QWidget* widget);

    // The staggered entrance: transparent and 16 px low, then in with the spring after the
    // delay. Delays are capped at 0.4 s so long lists do not keep the user waiting.
    static void staggeredAppear(QWidget* widget, double delaySeconds);
    static constexpr double kMaxEntranceDelay = 0.4;
    // An entrance from an offset: transparent and moved by it, then back in place and opaque
    // with the animation once the widget is shown (at once while animations are off).
    static void appearFrom(QWidget* widget, QPointF offset, const AnimationTiming& animation,
                           double delaySeconds = 0);
    // Removes the widget's effect if it is at rest (opaque, in place, unscaled).
    static void settle(QWidget* widget);
    // Runs start once no widget around widget (itself or an ancestor) is still coming in: at
    // once when none is, else when that entrance ends. While an entrance runs, any repaint
    // inside the entering widget draws all of it again offscreen; a fill or sweep that waits
    // for the entrance repaints only itself. Nothing runs if context goes first.
    static void afterEntrance(QWidget* widget, QObject* context, std::function<void()> start);
    bool isAtRest() const;

    // Scales the widget about its centre (a hover's lift); back at 1 the effect is settled.
    static void scaleTo(QWidget* widget, double scale);

    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    double offsetX() const { return offsetX_; }
    void setOffsetX(double offset);
    double offsetY() const { return offsetY_; }
    void setOffsetY(double offset);
    double scale() const { return scale_; }
    void setScale(double scale);

    QRectF boundingRectFor(const QRectF& rect) const override;

signals:
    // The entrance started by appearFrom() or staggeredAppear() has come to its end.
    void entranceEnded();

protected:
    void draw(QPainter* painter) override;

private:
    QPixmap source(QPoint* offset);

    bool entering_ = false;

    QPixmap source_;
    QPoint sourceOffset_;
    QPoint sourceAt_;
    double opacity_ = 1.0;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
    double scale_ = 1.0;
};
