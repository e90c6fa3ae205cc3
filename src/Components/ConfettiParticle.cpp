#include "Components/ConfettiParticle.h"

#include "ViewModels/Theme/AppTheme.h"

#include <QEasingCurve>
#include <QRandomGenerator>

#include <algorithm>
#include <array>

namespace {

// Uniform on the closed interval [low, high].
double closedUniform(double low, double high) {
    const quint64 draw = QRandomGenerator::global()->generate64() >> 11; // 53 random bits
    return low + (high - low) * (double(draw) / double((quint64(1) << 53) - 1));
}

} // namespace

ConfettiParticle ConfettiParticle::random() {
    namespace C = AppTheme::Colors;
    const std::array<QColor, 8> palette{C::indigo(),  C::violet(), C::cyan(),     C::coral(),
                                        C::emerald(), C::amber(),  C::electric(), C::purple()};
    ConfettiParticle p;
    p.color = palette[QRandomGenerator::global()->bounded(int(palette.size()))];
    p.size = closedUniform(6, 12);
    p.startX = closedUniform(-200, 200);
    p.startY = closedUniform(-50, 50);
    p.velocityX = closedUniform(-1, 1);
    p.velocityY = closedUniform(0.5, 1.5);
    p.rotation = closedUniform(0, 720);
    p.duration = closedUniform(1.5, 2.5);
    p.shape = QRandomGenerator::global()->bounded(2);
    p.id = QUuid::createUuid();
    return p;
}

ConfettiParticle::Frame ConfettiParticle::frameAt(double seconds) const {
    static const QEasingCurve easeOut(QEasingCurve::OutCubic);
    const double progress = duration > 0 ? std::clamp(seconds / duration, 0.0, 1.0) : 1.0;
    const double t = easeOut.valueForProgress(progress);
    const double dx = (startX + velocityX * 200) * t;
    const double dy = (startY + velocityY * 400) * t;
    return {startX + dx, startY + dy, rotation * t, 1.0 - t};
}
