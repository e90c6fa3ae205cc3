#include "Components/ConfettiView.h"

#include "ViewModels/Theme/AnimationTiming.h"

#include <QPainter>

ConfettiView::ConfettiView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    timer_.setInterval(16);
    connect(&timer_, &QTimer::timeout, this, &ConfettiView::tick);
}

double ConfettiView::elapsed() const {
    if (frozenAt_ >= 0)
        return frozenAt_;
    if (!AnimationTiming::animationsEnabled() || !clock_.isValid())
        return particles_.isEmpty() ? 0.0 : 2.5;
    return clock_.elapsed() / 1000.0;
}

void ConfettiView::freezeAt(double seconds) {
    frozenAt_ = seconds;
    timer_.stop();
    update();
}

void ConfettiView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!particles_.isEmpty())
        return;
    QList<ConfettiParticle> fresh;
    fresh.reserve(kPieceCount);
    for (int i = 0; i < kPieceCount; ++i)
        fresh.append(ConfettiParticle::random());
    particles_ = fresh;
    clock_.start();
    if (AnimationTiming::animationsEnabled() && frozenAt_ < 0)
        timer_.start();
}

void ConfettiView::tick() {
    if (elapsed() > 2.6 || !isVisible())
        timer_.stop();
    update();
}

void ConfettiView::paintEvent(QPaintEvent*) {
    if (particles_.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double t = elapsed();
    const double centreX = width() / 2.0;
    for (const ConfettiParticle& piece : particles_) {
        const ConfettiParticle::Frame f = piece.frameAt(t);
        if (f.opacity <= 0.0)
            continue;
        p.save();
        p.translate(centreX + f.x, f.y);
        p.rotate(f.rotation);
        p.setOpacity(f.opacity);
        p.setBrush(piece.color);
        if (piece.shape == 0) {
            const QRectF strip(-piece.size / 2, -piece.size * 0.2, piece.size, piece.size * 0.4);
            p.drawRoundedRect(strip, 2, 2);
        } else {
            p.drawEllipse(QPointF(0, 0), piece.size / 2, piece.size / 2);
        }
        p.restore();
    }
}
