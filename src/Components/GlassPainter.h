#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;
class QWidget;

// The glass card look, for widgets that paint it under their own content: the ultra-thin
// material, a white tint of 0.05 x intensity and a 1 px border whose gradient runs from the
// accent (0.25 x intensity) through white (0.1 x intensity) to the accent (0.05 x intensity).
namespace GlassPainter {
QPainterPath roundedRect(const QRectF& rect, double radius);
void paintBackground(QPainter& painter, const QWidget* widget, const QRectF& rect, double radius,
                     double intensity);
void paintBorder(QPainter& painter, const QRectF& rect, double radius, double intensity,
                 const QColor& accent);
} // namespace GlassPainter
