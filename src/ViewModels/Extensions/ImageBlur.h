#pragma once

#include <QImage>

// A gaussian-like blur (three box passes) for soft shadows, glows and the translucent
// material. Works on premultiplied ARGB; other formats are converted first.
namespace ImageBlur {
// Blurs in place; radius is the spread in pixels (about twice the standard deviation).
void blur(QImage& image, double radius);
// How many pixels past an edge the blur of that radius spreads (0 when it does not blur).
int reach(double radius);
// A copy of image, blurred, padded by the blur's reach on every side so nothing is cut off:
// its edges are as clear as the padding was.
QImage blurredWithPadding(const QImage& image, double radius);
} // namespace ImageBlur
