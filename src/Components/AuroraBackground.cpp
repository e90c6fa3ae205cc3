#include "Components/AuroraBackground.h"

#include "Components/UltraThinMaterial.h"
#include "Platform/Clock.h"
#include "ViewModels/Theme/AnimationTiming.h"
#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qreal kCanvasScale = AuroraBackground::kCanvasScale;
constexpr qreal kHeightFactor = 0.85;

// The blur radius is taken as two standard deviations of the Gaussian; three box passes of
// this width come within a few percent of it.
int boxRadiusFor(qreal sigma) {
    const qreal width = std::sqrt(4 * sigma * sigma + 1);
    return std::max(1, static_cast<int>(std::lround((width - 1) / 2)));
}

void boxBlurLine(const float* in, float* out, int count, int stride, int radius) {
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    float sum = 0;
    auto at = [&](int i) { return (i < 0 || i >= count) ? 0.0f : in[i * stride]; };
    for (int i = -radius; i <= radius; ++i)
        sum += at(i);
    for (int i = 0; i < count; ++i) {
        out[i * stride] = sum * scale;
        sum += at(i + radius + 1) - at(i - radius);
    }
}

void gaussianBlur(std::vector<float>& alpha, int width, int height, qreal sigma) {
    const int radius = boxRadiusFor(sigma);
    std::vector<float> scratch(alpha.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxBlurLine(alpha.data() + y * width, scratch.data() + y * width, width, 1, radius);
        for (int x = 0; x < width; ++x)
            boxBlurLine(scratch.data() + x, alpha.data() + x, height, width, radius);
    }
}

// One glow at canvas scale: an ellipse of size x 0.85 size holding a radial gradient from
// the colour at its opacity to clear at half the size, blurred, on a margin wide enough
// for the blur to fade out.
QImage makeSprite(const AuroraBackground::Blob& blob) {
    const qreal margin = 1.5 * blob.blur;
    const int width = static_cast<int>(std::ceil((blob.size + 2 * margin) * kCanvasScale));
    const int height = static_cast<int>(std::ceil((blob.size * kHeightFactor + 2 * margin) * kCanvasScale));
    const qreal cx = width / 2.0;
    const qreal cy = height / 2.0;
    const qreal rx = blob.size / 2 * kCanvasScale;
    const qreal ry = blob.size * kHeightFactor / 2 * kCanvasScale;
    std::vector<float> alpha(static_cast<size_t>(width) * height, 0.0f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const qreal dx = x + 0.5 - cx;
            const qreal dy = y + 0.5 - cy;
            if ((dx * dx) / (rx * rx) + (dy * dy) / (ry * ry) > 1)
                continue;
            const qreal r = std::sqrt(dx * dx + dy * dy) / rx;
            alpha[static_cast<size_t>(y) * width + x] =
                static_cast<float>(blob.opacity * std::max<qreal>(0, 1 - r));
        }
    }
    gaussianBlur(alpha, width, height, blob.blur / 2 * kCanvasScale);

    QImage sprite(width, height, QImage::Format_ARGB32_Premultiplied);
    const QColor c = blob.color;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(sprite.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float a = std::clamp(alpha[static_cast<size_t>(y) * width + x], 0.0f, 1.0f);
            line[x] =
                qRgba(qRound(c.red() * a), qRound(c.green() * a), qRound(c.blue() * a), qRound(255 * a));
        }
    }
    return sprite;
}

qreal easeInOut(qreal t) {
    static const QEasingCurve curve = AnimationTiming::easeInOut(1).curve;
    return curve.valueForProgress(t);
}

} // namespace

AuroraBackground::AuroraBackground(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kFrameIntervalMs);
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &AuroraBackground::nextFrame);
}

const std::array<AuroraBackground::Blob, 5>& AuroraBackground::blobs() {
    static const std::array<Blob, 5> table{{
        {AppTheme::Colors::indigo(), 580, 110, 0.30, {-260, -180}, {-160, -80}, 11},
        {AppTheme::Colors::sunrise(), 480, 110, 0.22, {260, -120}, {160, -200}, 14},
        {AppTheme::Colors::emerald(), 420, 100, 0.18, {200, 220}, {120, 130}, 10},
        {AppTheme::Colors::sky(), 360, 100, 0.18, {-140, 180}, {-60, 260}, 13},
        {AppTheme::Colors::violet(), 260, 80, 0.15, {40, 30}, {-40, -30}, 8},
    }};
    return table;
}

QPointF AuroraBackground::blobOffset(const Blob& blob, qreal seconds) {
    if (seconds <= 0)
        return blob.offsetA;
    // There and back again: forward in the even legs, backward in the odd ones.
    const qreal legs = seconds / blob.duration;
    const qreal leg = std::floor(legs);
    qreal t = legs - leg;
    if (static_cast<qint64>(leg) % 2 == 1)
        t = 1 - t;
    const qreal p = easeInOut(t);
    return blob.offsetA + (blob.offsetB - blob.offsetA) * p;
}

QColor AuroraBackground::baseColor() {
    return Theme::backgroundPrimary();
}

bool AuroraBackground::animationsEnabled() {
    return AnimationTiming::animationsEnabled();
}

qreal AuroraBackground::elapsedSeconds() const {
    if (startMs_ < 0 || !animationsEnabled())
        return 0;
    return (Clock::nowMSecsSinceEpoch() - startMs_) / 1000.0;
}

void AuroraBackground::ensureSprites() {
    if (!sprites_[0].isNull())
        return;
    for (size_t i = 0; i < sprites_.size(); ++i)
        sprites_[i] = makeSprite(blobs()[i]);
}

const QImage& AuroraBackground::canvas(const QSizeF& size, qreal seconds) {
    const QRgb base = baseColor().rgba();
    if (!canvas_.isNull() && canvasFor_ == size && canvasSeconds_ == seconds && canvasBase_ == base)
        return canvas_;
    ensureSprites();
    const QSize canvasSize(static_cast<int>(std::ceil(size.width() * kCanvasScale)) + 1,
                           static_cast<int>(std::ceil(size.height() * kCanvasScale)) + 1);
    if (canvas_.size() != canvasSize)
        canvas_ = QImage(canvasSize, QImage::Format_ARGB32_Premultiplied);
    canvas_.fill(base);
    {
        QPainter canvas(&canvas_);
        canvas.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre(size.width() / 2, size.height() / 2);
        for (size_t i = 0; i < sprites_.size(); ++i) {
            const QPointF at = (centre + blobOffset(blobs()[i], seconds)) * kCanvasScale;
            const QImage& sprite = sprites_[i];
            canvas.drawImage(at - QPointF(sprite.width() / 2.0, sprite.height() / 2.0), sprite);
        }
    }
    canvasFor_ = size;
    canvasSeconds_ = seconds;
    canvasBase_ = base;
    return canvas_;
}

void AuroraBackground::renderFrame(QPainter& painter, const QSizeF& size, qreal seconds) {
    const QImage& frame = canvas(size, seconds);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(frame.size()) / kCanvasScale), frame);
    painter.restore();
}

void AuroraBackground::setCoveredRegion(const QRegion& region) {
    covered_ = region;
}

void AuroraBackground::nextFrame() {
    const QRegion dirty = QRegion(rect()) - covered_ - UltraThinMaterial::coveredRegion(this);
    if (!dirty.isEmpty())
        update(dirty);
}

void AuroraBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    renderFrame(painter, size(), elapsedSeconds());
}

void AuroraBackground::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (startMs_ < 0)
        startMs_ = Clock::nowMSecsSinceEpoch();
    QWidget* top = window();
    if (watchedWindow_ != top) {
        watchedWindow_ = top;
        top->installEventFilter(this);
    }
    if (QWindow* handle = top->windowHandle())
        handle->installEventFilter(this);
    updateRunning();
}

void AuroraBackground::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateRunning();
}

bool AuroraBackground::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowStateChange:
    case QEvent::Expose:
        // Decide after the window has taken the new state.
        QMetaObject::invokeMethod(this, &AuroraBackground::updateRunning, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void AuroraBackground::updateRunning() {
    const QWidget* top = window();
    const QWindow* handle = top->windowHandle();
    const bool shown = isVisible() && !top->isMinimized() && (handle == nullptr || handle->isExposed());
    if (shown && animationsEnabled()) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
}
