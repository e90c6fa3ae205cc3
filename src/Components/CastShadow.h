#pragma once

#include "Core/Theme/AppTheme.h"

#include <QObject>
#include <QRectF>

class QPainter;
class QWidget;

// How screens draw shadows and glows under rows, cards and buttons.
//
// A widget never carries a graphics effect at rest: an effect renders the widget offscreen
// on every paint (and Qt checks every sibling's effect as it paints, so a list of rows with
// effects costs more than linearly). Instead a widget names the shadow it casts here, and
// its container paints that shadow under it, before the container's children, from the
// images ShadowCache keeps. Changing the shadow (a hover, a selection) only repaints the
// area it covers. Effects stay for what moves: an entrance or slide may use MotionEffect
// while it runs and drops it at its end (MotionEffect::settle), a hovered or pressed widget
// may keep one while hovered or pressed.
//
// The container paints the shadows before its own paintEvent: a container that fills its
// own background opaquely must paint them itself with paintChildren() after that fill.
class CastShadow : public QObject {
    Q_OBJECT
public:
    // Sets (or with a transparent colour removes) the shadow widget casts on its parent.
    static void set(QWidget* widget, const AppTheme::Shadow& shadow, double cornerRadius);
    static void clear(QWidget* widget);
    // The widget's shadow; a transparent one when it casts none.
    static AppTheme::Shadow of(const QWidget* widget);

    // Paints the shadows of container's visible children that meet area (container's coordinates).
    static void paintChildren(QWidget* container, QPainter& painter, const QRect& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CastShadow(QWidget* widget);
    void attachTo(QWidget* container);
    QRect covered() const;
    void repaintCovered(const QRect& area);

    QWidget* widget_;
    QWidget* container_ = nullptr;
    AppTheme::Shadow shadow_{QColor(Qt::transparent), 0, 0, 0};
    double cornerRadius_ = 0;
};
