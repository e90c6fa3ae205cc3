#include "Components/StatCard.h"

#include "Components/Animator.h"
#include "Components/CastShadow.h"
#include "Components/MotionEffect.h"
#include "Components/Symbols.h"
#include "Components/UltraThinMaterial.h"
#include "ViewModels/Extensions/ImageBlur.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr double kPadding = 24;
constexpr double kRadius = 18;
constexpr double kTile = 40;
constexpr double kSpacing = 16;

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

QColor mixColor(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(mix(a.redF(), b.redF(), t)), float(mix(a.greenF(), b.greenF(), t)),
                            float(mix(a.blueF(), b.blueF(), t)), float(mix(a.alphaF(), b.alphaF(), t)));
}

} // namespace

StatCard::StatCard(const QString& title, const QString& value, const std::optional<QString>& subtitle,
                   const QString& icon, const QColor& color, int index, QWidget* parent)
    : QWidget(parent), title_(title), value_(value), subtitle_(subtitle), icon_(icon), color_(color) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    applyHover();
    MotionEffect::staggeredAppear(this, index * 0.07);
}

double StatCard::contentHeight() const {
    const QFontMetricsF figure(Theme::font(34, QFont::Bold));
    const QFontMetricsF title(Theme::font(12, QFont::Medium));
    double h = kTile + kSpacing + figure.height() + kSpacing + title.height();
    if (subtitle_)
        h += 3 + QFontMetricsF(Theme::font(11)).height();
    return h;
}

QSize StatCard::sizeHint() const {
    return {220, int(std::ceil(contentHeight() + 2 * kPadding))};
}
QSize StatCard::minimumSizeHint() const {
    return {120, sizeHint().height()};
}

void StatCard::setValue(const QString& value) {
    if (value == value_)
        return;
    previousValue_ = value_;
    value_ = value;
    Animator::stop(rollAnimation_);
    roll_ = 0;
    rollAnimation_ = Animator::run(this, AppTheme::Animation::spring(), [this](double t) {
        roll_ = std::clamp(t, 0.0, 1.0);
        update();
    });
}

void StatCard::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QWidget::enterEvent(event);
}

void StatCard::leaveEvent(QEvent* event) {
    setHovered(false);
    QWidget::leaveEvent(event);
}

void StatCard::setHovered(bool hovered) {
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    Animator::stop(hoverAnimation_);
    const double from = hover_;
    const double to = hovered ? 1.0 : 0.0;
    hoverAnimation_ = Animator::run(this, AppTheme::Animation::spring(), [this, from, to](double t) {
        hover_ = mix(from, to, t);
        applyHover();
    });
}

void StatCard::applyHover() {
    const double t = std::clamp(hover_, 0.0, 1.0);
    MotionEffect::scaleTo(this, mix(1.0, 1.02, hover_));
    QColor rest(0, 0, 0);
    rest.setAlphaF(0.5f);
    CastShadow::set(this,
                    {mixColor(rest, Theme::withOpacity(color_, 0.2), t), mix(16, 24, t), 0, mix(6, 10, t)},
                    kRadius);
    update();
}

void StatCard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF card = rect();
    QPainterPath shape;
    shape.addRoundedRect(card, kRadius, kRadius);
    UltraThinMaterial::paint(p, this, shape);
    QLinearGradient wash(card.topLeft(), card.bottomRight());
    wash.setColorAt(0, Theme::withOpacity(color_, 0.08));
    wash.setColorAt(1, AppTheme::Colors::glassSurface());
    p.fillPath(shape, wash);

    const double h = std::clamp(hover_, 0.0, 1.0);
    QLinearGradient edge(card.topLeft(), card.bottomRight());
    edge.setColorAt(0, Theme::withOpacity(color_, mix(0.2, 0.4, h)));
    edge.setColorAt(1, QColor(255, 255, 255, int(255 * 0.06)));
    p.setPen(QPen(QBrush(edge), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), kRadius - 0.5, kRadius - 0.5);

    p.setClipPath(shape);
    const QRectF tile(kPadding, kPadding, kTile, kTile);
    if (h > 0.01) {
        QRadialGradient glow(tile.center() + QPointF(0, 4), kTile / 2 + 14 * h);
        glow.setColorAt(0.55, Theme::withOpacity(color_, 0.4 * h));
        glow.setColorAt(1, Theme::withOpacity(color_, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(tile.center() + QPointF(0, 4), kTile / 2 + 14 * h, kTile / 2 + 14 * h);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Theme::withOpacity(color_, 0.15));
    p.drawRoundedRect(tile, 8, 8);
    const int iconSize = Symbols::pixelSizeForFontSize(17);
    Symbols::paint(
        p, QRectF(tile.center().x() - iconSize / 2.0, tile.center().y() - iconSize / 2.0, iconSize, iconSize),
        icon_, color_);

    const QFont figureFont = Theme::font(34, QFont::Bold);
    const QFontMetricsF fm(figureFont);
    const QRectF figure(kPadding, tile.bottom() + kSpacing, width() - 2 * kPadding, fm.height());
    p.setFont(figureFont);
    if (roll_ < 1.0 && !previousValue_.isNull()) {
        // Counting up: the old figure leaves upwards while the new one rises into place.
        p.save();
        p.setClipRect(figure);
        const double shift = fm.height() * (1.0 - roll_);
        p.setPen(Theme::withOpacity(Theme::textPrimary(), 1.0 - roll_));
        p.drawText(figure.translated(0, shift - fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   previousValue_);
        p.setPen(Theme::withOpacity(Theme::textPrimary(), roll_));
        p.drawText(figure.translated(0, shift), Qt::AlignLeft | Qt::AlignVCenter, value_);
        p.restore();
    } else {
        p.setPen(Theme::textPrimary());
        p.drawText(figure, Qt::AlignLeft | Qt::AlignVCenter, value_);
    }

    const QFont titleFont = Theme::font(12, QFont::Medium);
    const QFontMetricsF tm(titleFont);
    const QRectF titleRect(kPadding, figure.bottom() + kSpacing, width() - 2 * kPadding, tm.height());
    p.setFont(titleFont);
    p.setPen(Theme::textSecondary());
    p.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter,
               tm.elidedText(title_, Qt::ElideRight, titleRect.width()));
    if (subtitle_) {
        const QFont subFont = Theme::font(11);
        const QFontMetricsF sm(subFont);
        const QRectF subRect(kPadding, titleRect.bottom() + 3, width() - 2 * kPadding, sm.height());
        p.setFont(subFont);
        p.setPen(Theme::withOpacity(color_, 0.75));
        p.drawText(subRect, Qt::AlignLeft | Qt::AlignVCenter,
                   sm.elidedText(*subtitle_, Qt::ElideRight, subRect.width()));
    }
}
