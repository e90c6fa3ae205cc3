#include "ViewModels/Extensions/ProgressPercent.h"

#include <algorithm>
#include <cmath>
#include <limits>

double ProgressPercent::clamp(double progress) {
    if (!std::isfinite(progress))
        return 0;
    return std::clamp(progress, 0.0, 1.0);
}

int ProgressPercent::whole(double progress) {
    return int(wholeUnclamped(clamp(progress)));
}

long long ProgressPercent::wholeUnclamped(double progress) {
    if (!std::isfinite(progress))
        return 0;
    const double percent = std::trunc(progress * 100.0 + (progress >= 0 ? 1e-9 : -1e-9));
    constexpr double limit = double(std::numeric_limits<long long>::max() / 2);
    return static_cast<long long>(std::clamp(percent, -limit, limit));
}

QString ProgressPercent::text(double progress) {
    return QString::number(whole(progress));
}
