#include "Components/GlassPainter.h"

#include "Components/UltraThinMaterial.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

QPainterPath GlassPainter::roundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void GlassPainter::paintBackground(QPainter& painter, const QWidget* widget, const QRectF& rect,
                                   double radius, double intensity) {
    const QPainterPath shape = roundedRect(rect, radius);
    UltraThinMaterial::paint(painter, widget, shape);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, Theme::withOpacity(AppTheme::Colors::glassSurface(), intensity));
    painter.restore();
}

void GlassPainter::paintBorder(QPainter& painter, const QRectF& rect, double radius, double intensity,
                               const QColor& accent) {
    const QRectF inset = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gradient(inset.topLeft(), inset.bottomRight());
    gradient.setColorAt(0, Theme::withOpacity(accent, 0.25 * intensity));
    gradient.setColorAt(0.5, Theme::withOpacity(Qt::white, 0.1 * intensity));
    gradient.setColorAt(1, Theme::withOpacity(accent, 0.05 * intensity));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QBrush(gradient), 1.0);
    pen.setMiterLimit(10);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inset, radius, radius);
    painter.restore();
}
