#pragma once

#include <QImage>

// A gaussian-like blur (three box passes) for soft shadows, glows and the translucent
// material. Works on premultiplied ARGB; other formats are converted first.
namespace ImageBlur {
// Blurs in place; radius is the spread in pixels (about twice the standard deviation).
void blur(QImage& image, double radius);
// A copy of image, blurred, padded by the radius on every side so nothing is cut off.
QImage blurredWithPadding(const QImage& image, double radius);
} // namespace ImageBlur
