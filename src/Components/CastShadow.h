#pragma once

#include "ViewModels/Theme/AppTheme.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRectF>

class QPainter;
class QWidget;

// How screens draw shadows and glows under rows, cards and buttons.
//
// A widget never carries a graphics effect at rest: an effect renders the widget offscreen
// on every paint (and Qt checks every sibling's effect as it paints, so a list of rows with
// effects costs more than linearly). Instead a widget names the shadow it casts here, and
// an ancestor paints that shadow under it, before the ancestor's children, from the images
// ShadowCache keeps. Changing the shadow (a hover, a selection) only repaints the area it
// covers. Effects stay for what moves: an entrance or slide may use MotionEffect while it runs
// and drops it at its end (MotionEffect::settle), a hovered or pressed widget may keep one
// while hovered or pressed.
//
// The ancestor that paints a shadow is its room: the nearest one, from the widget's parent up,
// that holds the whole shadow, so a grid laid out edge to edge does not cut its cards' shadows
// at its own edges. The search ends at the page of a scroll area (its view clips anyway) and at
// the window. The widgets between the widget and its room are passed through: they must not
// fill their background, as plain layout holders do not.
//
// The room paints the shadows before its own paintEvent, so it must not fill its own background
// opaquely.
class CastShadow : public QObject {
    Q_OBJECT
public:
    // Sets (or with a transparent colour removes) the shadow widget casts.
    static void set(QWidget* widget, const AppTheme::Shadow& shadow, double cornerRadius);
    static void clear(QWidget* widget);
    // The widget's shadow; a transparent one when it casts none.
    static AppTheme::Shadow of(const QWidget* widget);
    // The widget that paints the widget's shadow; null when it casts none or has no parent.
    static QWidget* roomOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Painter;

    explicit CastShadow(QWidget* widget);
    ~CastShadow() override;
    // Finds the room again and watches the widgets between, then repaints what moved.
    void place();
    // The shadow's bounds in the room's coordinates.
    QRect covered() const;
    void paintIn(QPainter& painter, const QRect& area) const;
    // Repaints where the shadow was and where it is now.
    void repaint();

    QWidget* widget_;
    QPointer<QWidget> room_;
    QPointer<QObject> painter_; // the room's Painter
    QList<QPointer<QWidget>> between_;
    QRect shown_; // where the room last had it, in the room's coordinates
    AppTheme::Shadow shadow_{QColor(Qt::transparent), 0, 0, 0};
    double cornerRadius_ = 0;
};
