#include "Components/SmallProgressBar.h"

#include "Components/Animator.h"
#include "Components/MotionEffect.h"
#include "ViewModels/Extensions/ProgressPercent.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

SmallProgressBar::SmallProgressBar(double progress, const QColor& color, double height, bool showGlow,
                                   QWidget* parent)
    : QWidget(parent), progress_(progress), color_(color),
      height_(std::isfinite(height) ? std::max(0.0, height) : 0.0), showGlow_(showGlow),
      glow_(showGlow ? 1.0 : 0.0) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SmallProgressBar::sizeHint() const {
    return {120, int(std::ceil(height_))};
}
QSize SmallProgressBar::minimumSizeHint() const {
    return {0, int(std::ceil(height_))};
}

void SmallProgressBar::setProgress(double progress) {
    progress_ = progress;
    if (shownOnce_ && !waiting_)
        animateTo(ProgressPercent::clamp(progress), false);
}

void SmallProgressBar::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SmallProgressBar::setShowGlow(bool showGlow) {
    if (showGlow == showGlow_)
        return;
    showGlow_ = showGlow;
    Animator::stop(glowAnimation_);
    const double from = glow_;
    const double to = showGlow ? 1.0 : 0.0;
    glowAnimation_ = Animator::run(this, AppTheme::Animation::spring(), [this, from, to](double t) {
        glow_ = from + (to - from) * t;
        update();
    });
}

double SmallProgressBar::fillWidth() const {
    return width() * animated_;
}

void SmallProgressBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        // Filling while the row around it comes in would draw the whole row again each frame.
        waiting_ = true;
        MotionEffect::afterEntrance(this, this, [this] {
            waiting_ = false;
            animateTo(ProgressPercent::clamp(progress_), true);
        });
    }
}

void SmallProgressBar::animateTo(double target, bool first) {
    Animator::stop(animation_);
    const double from = animated_;
    const AnimationTiming& timing = first ? AppTheme::Animation::ring() : AppTheme::Animation::smooth();
    animation_ = Animator::run(
        this, timing,
        [this, from, target](double t) {
            animated_ = from + (target - from) * t;
            update();
        },
        first ? 0.1 : 0.0);
}

void SmallProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = std::min<double>(height_, height());
    const QRectF track(0, (height() - h) / 2, width(), h);
    const double radius = h / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, int(255 * 0.07)));
    p.drawRoundedRect(track, radius, radius);
    const double w = fillWidth();
    if (w <= 0)
        return;
    const QRectF fill(track.left(), track.top(), w, h);
    const double glow = std::clamp(glow_, 0.0, 1.0);
    if (glow > 0) {
        // The glow stays inside the bar's own frame, softly widening the fill's edge.
        for (int i = 3; i >= 1; --i) {
            p.setBrush(Theme::withOpacity(color_, glow * 0.5 / (i + 1)));
            const double grow = i * 1.0;
            p.drawRoundedRect(fill.adjusted(-grow, -grow, grow, grow), radius + grow, radius + grow);
        }
    }
    QLinearGradient gradient(fill.topLeft(), fill.topRight());
    gradient.setColorAt(0, Theme::withOpacity(color_, 0.7));
    gradient.setColorAt(1, color_);
    p.setBrush(gradient);
    p.drawRoundedRect(fill, radius, radius);
}
