#include "Views/Navigation/SidebarGlow.h"

#include "ViewModels/Extensions/ImageBlur.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

void SidebarGlow::paint(QPainter& painter, const QRectF& rect, double cornerRadius, const QColor& color,
                        double blurRadius) {
    if (color.alpha() == 0 || rect.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pad = int(std::ceil(blurRadius * 2));
    const QString key = QStringLiteral("%1x%2 r%3 b%4 c%5 d%6")
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(cornerRadius)
                            .arg(blurRadius)
                            .arg(color.rgba())
                            .arg(ratio);
    static QHash<QString, QImage> cache;
    auto it = cache.constFind(key);
    if (it == cache.constEnd()) {
        const QSizeF logical(rect.width() + 2 * pad, rect.height() + 2 * pad);
        QImage glow((logical * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        glow.fill(Qt::transparent);
        {
            QPainter p(&glow);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(ratio, ratio);
            QPainterPath path;
            path.addRoundedRect(QRectF(pad, pad, rect.width(), rect.height()), cornerRadius, cornerRadius);
            p.fillPath(path, color);
        }
        ImageBlur::blur(glow, blurRadius * ratio);
        glow.setDevicePixelRatio(ratio);
        // The sidebar draws a handful of shapes in a handful of colours; a theme change
        // brings new ones, so the cache is simply emptied when it grows large.
        if (cache.size() > 256)
            cache.clear();
        it = cache.insert(key, glow);
    }
    painter.drawImage(rect.topLeft() - QPointF(pad, pad), *it);
}
