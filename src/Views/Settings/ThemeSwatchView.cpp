#include "Views/Settings/ThemeSwatchView.h"

#include "Components/FocusRing.h"
#include "Components/Symbols.h"
#include "ViewModels/Theme/ColorHex.h"
#include "ViewModels/Theme/Theme.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kTileW = 72;
constexpr double kTileH = 56;

void fillRounded(QPainter& p, const QRectF& r, double radius, const QColor& c) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, c);
}

void drawMiniature(QPainter& p, const QRectF& tile, const AppThemeDefinition& d, const QColor& accent,
                   double glow) {
    fillRounded(p, tile, 12, ColorHex::fromHex(d.backgroundPrimary));
    const QPointF c = tile.center();
    fillRounded(p, QRectF(c.x() - 26, c.y() + 4 - 14, 52, 28), 6, ColorHex::fromHex(d.backgroundSecondary));
    fillRounded(p, QRectF(c.x() - 19, c.y() - 4 - 8, 38, 16), 5, ColorHex::fromHex(d.backgroundTertiary));
    const QPointF dot(c.x() + 22, c.y() + 16);
    QRadialGradient halo(dot, 9);
    halo.setColorAt(0, Theme::withOpacity(accent, glow));
    halo.setColorAt(1, Theme::withOpacity(accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(dot, 9, 9);
    p.setBrush(accent);
    p.drawEllipse(dot, 5, 5);
}

} // namespace

ThemeSwatchView::ThemeSwatchView(AppColorTheme theme, bool selected, std::optional<QColor> customColor,
                                 QWidget* parent)
    : QAbstractButton(parent), theme_(theme), selected_(selected), customColor_(std::move(customColor)) {
    const QString name = AppColorThemes::rawValue(theme);
    setObjectName(QStringLiteral("themeSwatch"));
    setAccessibleName(name);
    setText(name);
    setCheckable(true);
    setChecked(selected);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    FocusRing::setCornerRadius(this, 12);
}

void ThemeSwatchView::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    hovered_ = true;
    update();
}

void ThemeSwatchView::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    hovered_ = false;
    update();
}

void ThemeSwatchView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor accent = AppColorThemes::previewAccent(theme_);
    QRectF tile((width() - kTileW) / 2, 4, kTileW, kTileH);
    p.save();
    if (hovered_) {
        const QPointF c = tile.center();
        p.translate(c);
        p.scale(1.05, 1.05);
        p.translate(-c);
    }
    if (theme_ != AppColorTheme::custom) {
        drawMiniature(p, tile, AppColorThemes::definition(theme_), accent, 0.6);
    } else if (customColor_) {
        drawMiniature(p, tile, AppColorThemes::deriveDefinition(ColorHex::toHex(*customColor_)),
                      *customColor_, 0.8);
    } else {
        QConicalGradient rainbow(tile.center(), 90);
        const QList<QColor> stops{Qt::red,  QColor(255, 165, 0), Qt::yellow, Qt::green, Qt::cyan,
                                  Qt::blue, QColor(128, 0, 128)};
        for (int i = 0; i < stops.size(); ++i)
            rainbow.setColorAt(double(i) / stops.size(), Theme::withOpacity(stops[i], 0.85));
        rainbow.setColorAt(1.0, Theme::withOpacity(Qt::red, 0.85));
        QPainterPath path;
        path.addRoundedRect(tile, 12, 12);
        p.fillPath(path, rainbow);
        Symbols::paint(p, QRectF(tile.center() - QPointF(10, 10), QSizeF(20, 20)),
                       QStringLiteral("paintpalette.fill"), Theme::withOpacity(Qt::white, 0.9));
    }
    // The focus ring marks the focused theme; an edge here would read as the chosen one.
    if (selected_) {
        p.setPen(QPen(accent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(tile.adjusted(1, 1, -1, -1), 12, 12);
    }
    if (selected_) {
        const QPointF badge(tile.right() - 2, tile.top() + 2);
        p.setPen(Qt::NoPen);
        p.setBrush(ColorHex::fromHex(AppColorThemes::definition(theme_).backgroundPrimary));
        p.drawEllipse(badge, 7, 7);
        Symbols::paint(p, QRectF(badge - QPointF(7, 7), QSizeF(14, 14)),
                       QStringLiteral("checkmark.circle.fill"), accent);
    }
    p.restore();

    const QFont font = Theme::font(11, QFont::Medium);
    p.setFont(font);
    p.setPen(selected_ ? accent : Theme::textSecondary());
    const QRect label(0, int(tile.bottom()) + 8, width(), QFontMetrics(font).height());
    p.drawText(label, Qt::AlignHCenter | Qt::AlignVCenter,
               QFontMetrics(font).elidedText(text(), Qt::ElideRight, width()));
}
