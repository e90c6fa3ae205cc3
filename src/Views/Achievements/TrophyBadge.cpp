#include "Views/Achievements/TrophyBadge.h"

#include "Components/CastShadow.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLinearGradient>
#include <QPainter>

TrophyBadge::TrophyBadge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("trophyBadge"));
    setFixedSize(100, 100);
    CastShadow::set(this, {Theme::withOpacity(AppTheme::Colors::violet(), 0.3), 20, 0, 0}, 50);
}

void TrophyBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::withOpacity(AppTheme::Colors::violet(), 0.1));
    p.drawEllipse(QRectF(rect()));

    // The symbol is drawn as a mask and filled with the gradient through it.
    const int side = Symbols::pixelSizeForFontSize(44);
    const qreal ratio = devicePixelRatioF();
    QImage glyph(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    glyph.setDevicePixelRatio(ratio);
    glyph.fill(Qt::transparent);
    {
        QPainter g(&glyph);
        g.setRenderHint(QPainter::Antialiasing);
        Symbols::paint(g, QRectF(0, 0, side, side), QStringLiteral("trophy.fill"), Qt::white);
        g.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QLinearGradient gradient(0, 0, side, side);
        gradient.setColorAt(0, AppTheme::Colors::violet());
        gradient.setColorAt(1, AppTheme::Colors::indigo());
        g.fillRect(QRectF(0, 0, side, side), gradient);
    }
    p.drawImage(QPointF((width() - side) / 2.0, (height() - side) / 2.0), glyph);
}
