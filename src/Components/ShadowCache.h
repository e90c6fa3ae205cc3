#pragma once

#include "ViewModels/Theme/AppTheme.h"

#include <QRectF>

class QPainter;

// Soft shadows of rounded rectangles, blurred once and kept in a small cache of images keyed
// by size, corner radius, blur and colour. Sizes are rounded up to steps of kSizeStep, so a
// card whose size animates reuses a handful of images instead of blurring one per frame;
// the image is then stretched by those few pixels, which a blur hides.
class ShadowCache {
public:
    static constexpr int kSizeStep = 8;
    static constexpr int kMaxCostKB = 8 * 1024;

    // Paints the shadow that a rounded rectangle at rect casts (rect in painter coordinates).
    static void paint(QPainter& painter, const QRectF& rect, double cornerRadius,
                      const AppTheme::Shadow& shadow);
    // Where paint() draws that shadow: the rectangle moved by the offset and widened by the
    // blur's reach, past which the image is clear.
    static QRectF bounds(const QRectF& rect, const AppTheme::Shadow& shadow);

    // For tests and benchmarks: images kept now, and images blurred since the start.
    static int cachedImages();
    static int imagesMade();
    static void clear();
};
