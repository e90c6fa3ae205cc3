#pragma once

#include <QString>

// The one way a fraction becomes a percentage anywhere in the interface. A tiny allowance
// before truncation keeps binary fractions such as 0.29 or ten additions of 0.05 from
// reading one lower than typed, while 0.999 still reads 99 (never rounded up).
namespace ProgressPercent {
// The fraction limited to 0...1; anything that is not a finite number counts as 0.
double clamp(double progress);
// Whole percent of the clamped fraction: 0.29 gives 29, 2/3 gives 66, 1.7 gives 100.
int whole(double progress);
// Whole percent of the unclamped fraction (for values that may pass 100 %); non-finite is 0.
long long wholeUnclamped(double progress);
// "29" (no sign); text(p) + "%" where a sign is wanted.
QString text(double progress);
} // namespace ProgressPercent
