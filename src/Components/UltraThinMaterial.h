#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRegion>

class QPainter;
class QWidget;

// The translucent, lightly blurred surface that cards, sheets and the sidebar sit on: a
// blurred snapshot of the window's backdrop (registered by the shell) under a faint white
// tint. Without a backdrop it falls back to a translucent theme colour.
class UltraThinMaterial {
public:
    // The widget whose own painting (not its children) is what lies behind every material
    // of its window. The snapshot follows it at most a few times a second.
    static void setBackdrop(QWidget* backdrop);
    static QWidget* backdropFor(const QWidget* widget);

    // Fills shape (in widget's coordinates) with the material.
    static void paint(QPainter& painter, const QWidget* widget, const QPainterPath& shape);

    // What the window's frosted surfaces hide of the backdrop, in the backdrop's coordinates:
    // the bounds of their shapes, which show a snapshot, so the backdrop's own frames need not
    // repaint there. The few backdrop pixels beside a rounded corner follow with the snapshot.
    static QRegion coveredRegion(const QWidget* backdrop);
    // Repaints the visible frosted surfaces of the backdrop's window, so their snapshots follow it.
    static void refreshSurfaces(const QWidget* backdrop);

    static constexpr int kRefreshMs = 250;
    static constexpr double kTintOpacity = 0.04;
};
