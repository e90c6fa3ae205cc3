#include "Components/AnimatedProgressRing.h"

#include "Components/Animator.h"
#include "Components/GlowTicker.h"
#include "Core/Extensions/ImageBlur.h"
#include "Core/Extensions/ProgressPercent.h"
#include "Core/Theme/AppTheme.h"
#include "Core/Theme/Theme.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

constexpr double kGlowBlur = 4.0;
constexpr double kPulseDelay = 0.5;
constexpr double kPulsePeriod = 2.5;
constexpr double kGlowSteps = 8; // 0.005 each: a fraction of a pixel at the edge of a glow

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

} // namespace

AnimatedProgressRing::AnimatedProgressRing(double progress, double size, double lineWidth,
                                           const QColor& color, bool showPercentage,
                                           const QColor& backgroundColor, QWidget* parent)
    : QWidget(parent), progress_(progress), size_(std::max(0.0, finiteOrZero(size))),
      lineWidth_(std::max(0.0, finiteOrZero(lineWidth))), color_(color), showPercentage_(showPercentage),
      background_(backgroundColor) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

AnimatedProgressRing::~AnimatedProgressRing() {
    GlowTicker::shared().remove(this);
}

double AnimatedProgressRing::overflowMargin() const {
    return (lineWidth_ + 6) / 2 + kGlowBlur;
}

QSize AnimatedProgressRing::sizeHint() const {
    const int side = int(std::ceil(size_ + 2 * overflowMargin()));
    return {side, side};
}

void AnimatedProgressRing::setProgress(double progress) {
    progress_ = progress;
    if (shownOnce_)
        animateTo(ProgressPercent::clamp(progress));
}

void AnimatedProgressRing::setColor(const QColor& color) {
    color_ = color;
    glowProgress_ = -1;
    update();
}

void AnimatedProgressRing::animateTo(double target) {
    Animator::stop(animation_);
    const double from = animated_;
    animation_ = Animator::run(this, AppTheme::Animation::ring(), [this, from, target](double t) {
        animated_ = from + (target - from) * t;
        update();
    });
}

void AnimatedProgressRing::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        pulseStart_ = GlowTicker::shared().seconds() + kPulseDelay;
        animateTo(ProgressPercent::clamp(progress_));
    }
    GlowTicker::shared().add(this, [this] { return glowScale() != paintedGlowScale_; });
}

void AnimatedProgressRing::hideEvent(QHideEvent* event) {
    GlowTicker::shared().remove(this);
    QWidget::hideEvent(event);
}

std::optional<QPointF> AnimatedProgressRing::endDotCenter() const {
    if (!(animated_ > 0.02))
        return std::nullopt;
    const double theta = 2.0 * std::numbers::pi * animated_ - std::numbers::pi / 2.0;
    const QPointF c = QRectF(rect()).center();
    return QPointF(c.x() + size_ / 2.0 * std::cos(theta), c.y() + size_ / 2.0 * std::sin(theta));
}

int AnimatedProgressRing::percentShown() const {
    return ProgressPercent::whole(animated_);
}

double AnimatedProgressRing::glowScale() const {
    if (!AnimationTiming::animationsEnabled() || pulseStart_ < 0)
        return 1.0;
    const double t = GlowTicker::shared().seconds() - pulseStart_;
    if (t <= 0)
        return 1.0;
    AnimationTiming breathing = AnimationTiming::easeInOut(kPulsePeriod);
    breathing.repeatForever = true;
    breathing.autoreverse = true;
    return 1.0 + 0.04 * std::round(breathing.valueAt(t) * kGlowSteps) / kGlowSteps;
}

const QImage& AnimatedProgressRing::glowImage(qreal ratio) {
    if (glowProgress_ == animated_ && glow_.devicePixelRatio() == ratio)
        return glow_;
    glowProgress_ = animated_;
    const double pad = kGlowBlur * 2 + lineWidth_;
    const double side = size_ + 2 * pad;
    QImage image(QSize(int(std::ceil(side * ratio)), int(std::ceil(side * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(Theme::withOpacity(color_, 0.25), lineWidth_ + 6, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        const QRectF circle(pad, pad, size_, size_);
        p.drawArc(circle, 90 * 16, -int(std::lround(animated_ * 360 * 16)));
    }
    ImageBlur::blur(image, kGlowBlur * ratio);
    glow_ = image;
    return glow_;
}

void AnimatedProgressRing::paintEvent(QPaintEvent*) {
    paintedGlowScale_ = glowScale();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const QRectF circle(c.x() - size_ / 2, c.y() - size_ / 2, size_, size_);

    p.setPen(QPen(background_, lineWidth_, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);

    const double drawn = animated_;
    if (drawn > 0) {
        const qreal ratio = devicePixelRatioF();
        const QImage& glow = glowImage(ratio);
        const double scale = paintedGlowScale_;
        const QSizeF glowSize = QSizeF(glow.size()) / ratio * scale;
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(c.x() - glowSize.width() / 2, c.y() - glowSize.height() / 2, glowSize.width(),
                           glowSize.height()),
                    glow);
        p.restore();

        // The gradient starts at 9 o'clock and runs clockwise: the arc's colour stops turn
        // with the arc, which is drawn from 12 o'clock.
        QConicalGradient gradient(c, 180);
        gradient.setColorAt(0.0, Theme::withOpacity(color_, 0.8));
        gradient.setColorAt(0.5, color_);
        gradient.setColorAt(1.0, Theme::withOpacity(color_, 0.5));
        QPen arc(QBrush(gradient), lineWidth_, Qt::SolidLine, Qt::RoundCap);
        p.setPen(arc);
        if (drawn >= 1.0)
            p.drawEllipse(circle);
        else
            p.drawArc(circle, 90 * 16, -int(std::lround(drawn * 360 * 16)));
    }

    if (const auto dot = endDotCenter()) {
        const double d = lineWidth_ * 1.1;
        QRadialGradient halo(*dot, d / 2 + 5);
        halo.setColorAt(0, Theme::withOpacity(color_, 0.8));
        halo.setColorAt(1, Theme::withOpacity(color_, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(*dot, d / 2 + 5, d / 2 + 5);
        p.setBrush(color_);
        p.drawEllipse(*dot, d / 2, d / 2);
    }

    if (showPercentage_) {
        const QFont numberFont = Theme::font(size_ * 0.22, QFont::Bold);
        const QFont signFont = Theme::font(size_ * 0.11);
        const QFontMetricsF nm(numberFont), sm(signFont);
        const double total = nm.height() + 1 + sm.height();
        const double top = c.y() - total / 2;
        p.setFont(numberFont);
        p.setPen(Theme::textPrimary());
        p.drawText(QRectF(0, top, width(), nm.height()), Qt::AlignCenter, QString::number(percentShown()));
        p.setFont(signFont);
        p.setPen(Theme::textSecondary());
        p.drawText(QRectF(0, top + nm.height() + 1, width(), sm.height()), Qt::AlignCenter,
                   QStringLiteral("%"));
    }
}
