#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The soft coloured glow the sidebar puts around a selected tile, its indicator bar and the
// goal dots. Each glow is blurred once per shape, colour and radius and reused, so rows
// that repaint with the backdrop do not blur again on every frame.
class SidebarGlow {
public:
    // A rounded rectangle (an ellipse when radius is half the smaller side) glowing around
    // rect in the colour, spread by blurRadius.
    static void paint(QPainter& painter, const QRectF& rect, double cornerRadius, const QColor& color,
                      double blurRadius);
};
