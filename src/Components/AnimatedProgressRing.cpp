#include "Components/AnimatedProgressRing.h"

#include "Components/Animator.h"
#include "Components/BlurredImageCache.h"
#include "Components/GlowTicker.h"
#include "Components/MotionEffect.h"
#include "ViewModels/Extensions/ImageBlur.h"
#include "ViewModels/Extensions/ProgressPercent.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kGlowBlur = 4.0;
constexpr double kPulseDelay = 0.5;
constexpr double kPulsePeriod = 2.5;
constexpr double kGlowSteps = 8; // 0.005 each: a fraction of a pixel at the edge of a glow
constexpr int kFullArc = 360 * 16;
constexpr int kGlowCacheKB = 4 * 1024;

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// One blurred glow: a ring of a size, stroke and colour, drawn round an arc (in 1/16 degree).
struct GlowKey {
    qint64 size;      // in 1/64 px
    qint64 lineWidth; // in 1/64 px
    QRgb color;
    int arc;
    int ratio; // device pixel ratio in 1/100
    bool operator==(const GlowKey&) const = default;
};

size_t qHash(const GlowKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.size, key.lineWidth, key.color, key.arc, key.ratio);
}

// Glows are shared by every ring: rings of one size and colour at rest on one figure, and
// the whole ring every sweep is cut from, are blurred once.
BlurredImageCache<GlowKey>& glowImages() {
    static BlurredImageCache<GlowKey> images(kGlowCacheKB);
    return images;
}

QImage makeGlow(double size, double lineWidth, const QColor& color, int arc, qreal ratio) {
    const double pad = kGlowBlur * 2 + lineWidth;
    const double side = size + 2 * pad;
    QImage image(QSize(int(std::ceil(side * ratio)), int(std::ceil(side * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(Theme::withOpacity(color, 0.25), lineWidth + 6, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        const QRectF circle(pad, pad, size, size);
        p.drawArc(circle, 90 * 16, -arc);
    }
    ImageBlur::blur(image, kGlowBlur * ratio);
    return image;
}

QImage glowFor(double size, double lineWidth, const QColor& color, int arc, qreal ratio) {
    const GlowKey key{qint64(std::llround(size * 64)), qint64(std::llround(lineWidth * 64)), color.rgba(),
                      arc, int(std::lround(ratio * 100))};
    const QImage* image =
        glowImages().find(key, [&] { return makeGlow(size, lineWidth, color, arc, ratio); });
    return image ? *image : QImage();
}

// The three box passes of the blur come to about a gaussian of this deviation.
constexpr double kGlowDeviation = kGlowBlur * 0.6;

// How much of a blurred arc's glow is left x px from its flat end (inside positive), from none
// two deviations outside to all of it two inside.
double endFade(double x) {
    auto cumulative = [](double u) { return 0.5 * (1.0 + std::erf(u / std::numbers::sqrt2)); };
    const double edge = cumulative(-2.0);
    return std::clamp((cumulative(x / kGlowDeviation) - edge) / (1.0 - 2 * edge), 0.0, 1.0);
}

// The glow of an arc while it sweeps: the whole ring's glow, faded out past the arc's ends as
// the blur fades a drawn arc, so no frame of the sweep blurs.
QImage sweepGlow(double size, double lineWidth, const QColor& color, int arc, qreal ratio) {
    const QImage ring = glowFor(size, lineWidth, color, kFullArc, ratio);
    const double degrees = arc / 16.0;
    // The fade reaches two deviations either side of each end.
    const double fadeDegrees = 2 * kGlowDeviation / std::max(1.0, size / 2) * 180.0 / std::numbers::pi;
    if (ring.isNull() || degrees + 2 * fadeDegrees >= 360)
        return ring;
    // Angles counted clockwise from where the fade before the arc's start begins.
    const double start = fadeDegrees;
    const double end = fadeDegrees + degrees;
    auto alphaAt = [&](double angle) {
        const double pxPerDegree = size / 2 * std::numbers::pi / 180.0;
        return endFade((angle - start) * pxPerDegree) * endFade((end - angle) * pxPerDegree);
    };
    std::vector<double> angles;
    for (double step : {0.0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0}) {
        angles.push_back(step * fadeDegrees);
        angles.push_back(degrees + step * fadeDegrees);
    }
    std::sort(angles.begin(), angles.end());
    // Qt's conical gradient runs counter-clockwise from its angle: the stops go in from 360.
    QConicalGradient mask(QPointF(ring.size().width(), ring.size().height()) / ring.devicePixelRatio() / 2,
                          90 + fadeDegrees);
    for (double angle : angles)
        mask.setColorAt(1.0 - angle / 360.0, QColor(0, 0, 0, int(std::lround(255 * alphaAt(angle)))));
    mask.setColorAt(0.0, QColor(0, 0, 0, int(std::lround(255 * alphaAt(360)))));
    QImage image = ring.copy();
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(image.size()) / ratio), mask);
    return image;
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
    if (shownOnce_ && !waiting_)
        animateTo(ProgressPercent::clamp(progress));
}

void AnimatedProgressRing::setColor(const QColor& color) {
    color_ = color;
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
        // Sweeping while the card around it comes in would draw the whole card again each frame.
        waiting_ = true;
        MotionEffect::afterEntrance(this, this, [this] {
            waiting_ = false;
            pulseStart_ = GlowTicker::shared().seconds() + kPulseDelay;
            animateTo(ProgressPercent::clamp(progress_));
        });
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

QImage AnimatedProgressRing::glowImage(qreal ratio) const {
    const int arc = int(std::lround(animated_ * kFullArc));
    if (animation_ && animation_->state() == QAbstractAnimation::Running)
        return sweepGlow(size_, lineWidth_, color_, arc, ratio);
    return glowFor(size_, lineWidth_, color_, arc, ratio);
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
        const QImage glow = glowImage(ratio);
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
