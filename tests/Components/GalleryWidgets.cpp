#include "GalleryWidgets.h"

#include "Components/UltraThinMaterial.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"

#include <QPainter>
#include <QRadialGradient>

namespace gallery {

Backdrop::Backdrop(QWidget* parent) : QWidget(parent) {
    UltraThinMaterial::setBackdrop(this);
}

void Backdrop::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Theme::backgroundPrimary());
    auto glow = [&p](QPointF centre, double radius, QColor color) {
        QRadialGradient g(centre, radius);
        g.setColorAt(0, Theme::withOpacity(color, 0.35));
        g.setColorAt(1, Theme::withOpacity(color, 0));
        p.fillRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), g);
    };
    glow(QPointF(width() * 0.2, height() * 0.25), 320, AppTheme::Colors::indigo());
    glow(QPointF(width() * 0.8, height() * 0.7), 360, AppTheme::Colors::violet());
}

ThemeSwatch::ThemeSwatch(AppColorTheme theme, QWidget* parent) : QWidget(parent), theme_(theme) {
    setFixedSize(sizeHint());
}

void ThemeSwatch::paintEvent(QPaintEvent*) {
    const AppThemeDefinition d = AppColorThemes::definition(theme_);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(AppTheme::Colors::borderMedium(), 1));
    p.setBrush(ColorHex::fromHex(d.backgroundPrimary));
    p.drawRoundedRect(r, 12, 12);
    const QString levels[] = {d.backgroundSecondary, d.backgroundTertiary, d.backgroundElevated};
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(ColorHex::fromHex(levels[i]));
        p.drawRoundedRect(QRectF(12 + i * 26, 40, 22, 22), 5, 5);
    }
    p.setBrush(AppColorThemes::previewAccent(theme_));
    p.drawEllipse(QRectF(r.right() - 30, 12, 18, 18));
    p.setFont(Theme::font(13, QFont::Bold));
    p.setPen(ColorHex::fromHex(d.textPrimary));
    p.drawText(QRectF(12, 10, r.width() - 50, 22), Qt::AlignLeft | Qt::AlignVCenter,
               AppColorThemes::rawValue(theme_));
    p.setFont(Theme::font(11));
    p.setPen(ColorHex::fromHex(d.textSecondary));
    p.drawText(QRectF(94, 38, 70, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Secondary"));
    p.setPen(ColorHex::fromHex(d.textMuted));
    p.drawText(QRectF(94, 52, 70, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Muted"));
    p.setPen(ColorHex::fromHex(d.textMuted));
    p.setFont(Theme::font(10));
    p.drawText(QRectF(12, 72, r.width() - 20, 24), Qt::AlignLeft | Qt::AlignVCenter,
               d.backgroundPrimary + QStringLiteral("  ") + d.textPrimary);
}

QLabel* label(const QString& text, double size, const QColor& color, QFont::Weight weight) {
    auto* l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    l->setFont(Theme::font(size, weight));
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, color);
    l->setPalette(palette);
    return l;
}

QLabel* heading(const QString& text) {
    return label(text, 13, Theme::textMuted(), QFont::Bold);
}

} // namespace gallery
