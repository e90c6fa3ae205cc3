#include "ViewModels/Theme/AnimationTiming.h"

#include <QtGlobal>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// QEasingCurve takes a plain function, so each spring of the catalogue has its own entry
// in a small table of parameters, filled as springs are made.
struct SpringParams {
    double response = 0.45;
    double damping = 0.82;
    double settle = 1.0;
};

constexpr int kMaxSprings = 8;
std::array<SpringParams, kMaxSprings> springs;
int springCount = 0;

double springValue(const SpringParams& p, double progress) {
    if (progress >= 1.0)
        return 1.0;
    const double t = progress * p.settle;
    const double omega = 2.0 * std::numbers::pi / p.response;
    const double zeta = std::min(p.damping, 0.999);
    const double decay = zeta * omega;
    const double omegaD = omega * std::sqrt(1.0 - zeta * zeta);
    return 1.0 - std::exp(-decay * t) * (std::cos(omegaD * t) + decay / omegaD * std::sin(omegaD * t));
}

template <int N> qreal springCurve(qreal progress) {
    return springValue(springs[N], progress);
}

constexpr std::array<QEasingCurve::EasingFunction, kMaxSprings> kSpringFunctions{
    &springCurve<0>, &springCurve<1>, &springCurve<2>, &springCurve<3>,
    &springCurve<4>, &springCurve<5>, &springCurve<6>, &springCurve<7>};

bool& enabledFlag() {
    static bool enabled = qEnvironmentVariable("QUORVALE_NO_ANIMATIONS") != QLatin1String("1");
    return enabled;
}

} // namespace

AnimationTiming AnimationTiming::spring(double response, double dampingFraction) {
    SpringParams params{response, dampingFraction, 0};
    const double omega = 2.0 * std::numbers::pi / response;
    // Until the oscillation stays within a thousandth of the target.
    params.settle = std::log(1000.0) / (std::min(dampingFraction, 0.999) * omega);
    int slot = -1;
    for (int i = 0; i < springCount; ++i)
        if (springs[i].response == response && springs[i].damping == dampingFraction)
            slot = i;
    if (slot < 0) {
        slot = springCount < kMaxSprings ? springCount++ : kMaxSprings - 1;
        springs[slot] = params;
    }
    AnimationTiming timing;
    timing.curve.setCustomType(kSpringFunctions[slot]);
    timing.durationMs = int(std::lround(params.settle * 1000.0));
    return timing;
}

AnimationTiming AnimationTiming::easeInOut(double seconds) {
    AnimationTiming timing;
    timing.curve = QEasingCurve(QEasingCurve::InOutQuad);
    timing.durationMs = int(std::lround(seconds * 1000.0));
    return timing;
}

AnimationTiming AnimationTiming::easeOut(double seconds) {
    AnimationTiming timing;
    timing.curve = QEasingCurve(QEasingCurve::OutCubic);
    timing.durationMs = int(std::lround(seconds * 1000.0));
    return timing;
}

int AnimationTiming::effectiveDurationMs() const {
    return animationsEnabled() ? durationMs : 0;
}

double AnimationTiming::valueAt(double seconds) const {
    if (durationMs <= 0 || !animationsEnabled())
        return repeatForever && autoreverse ? 0.0 : 1.0;
    const double span = durationMs / 1000.0;
    double phase = seconds / span;
    if (phase < 0)
        phase = 0;
    if (!repeatForever)
        return curve.valueForProgress(std::min(phase, 1.0));
    const double whole = std::floor(phase);
    double local = phase - whole;
    if (autoreverse && (static_cast<long long>(whole) % 2 == 1))
        local = 1.0 - local;
    return curve.valueForProgress(local);
}

bool AnimationTiming::animationsEnabled() {
    return enabledFlag();
}

void AnimationTiming::setAnimationsEnabled(bool enabled) {
    enabledFlag() = enabled;
}
