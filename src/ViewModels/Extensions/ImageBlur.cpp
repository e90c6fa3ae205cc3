#include "ViewModels/Extensions/ImageBlur.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One horizontal box pass of the given half width over every row of a 4-channel image.
void boxRows(uchar* bits, int width, int height, qsizetype stride, int half) {
    if (half <= 0 || width <= 0)
        return;
    std::vector<int> line(size_t(width) * 4);
    const int window = 2 * half + 1;
    for (int y = 0; y < height; ++y) {
        uchar* row = bits + y * stride;
        for (int i = 0; i < width * 4; ++i)
            line[size_t(i)] = row[i];
        for (int c = 0; c < 4; ++c) {
            int sum = 0;
            for (int x = -half; x <= half; ++x)
                sum += line[size_t(std::clamp(x, 0, width - 1) * 4 + c)];
            for (int x = 0; x < width; ++x) {
                row[x * 4 + c] = uchar(sum / window);
                const int add = std::min(x + half + 1, width - 1);
                const int drop = std::max(x - half, 0);
                sum += line[size_t(add * 4 + c)] - line[size_t(drop * 4 + c)];
            }
        }
    }
}

QImage transposed(const QImage& image) {
    QImage out(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            reinterpret_cast<quint32*>(out.scanLine(x))[y] = src[x];
    }
    return out;
}

// The half width of each of the three box passes that approximate a gaussian of sigma radius / 2.
int boxHalfWidth(double radius) {
    const double sigma = radius / 2.0;
    return std::max(1, int(std::lround(std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0) / 2.0)));
}

bool blurs(double radius) {
    return std::isfinite(radius) && radius >= 0.5;
}

} // namespace

int ImageBlur::reach(double radius) {
    return blurs(radius) ? 3 * boxHalfWidth(radius) : 0;
}

void ImageBlur::blur(QImage& image, double radius) {
    if (image.isNull() || !blurs(radius))
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int half = boxHalfWidth(radius);
    for (int pass = 0; pass < 3; ++pass)
        boxRows(image.bits(), image.width(), image.height(), image.bytesPerLine(), half);
    const qreal ratio = image.devicePixelRatio();
    QImage columns = transposed(image);
    for (int pass = 0; pass < 3; ++pass)
        boxRows(columns.bits(), columns.width(), columns.height(), columns.bytesPerLine(), half);
    image = transposed(columns);
    image.setDevicePixelRatio(ratio);
}

QImage ImageBlur::blurredWithPadding(const QImage& image, double radius) {
    const int pad = reach(radius);
    QImage padded(image.width() + 2 * pad, image.height() + 2 * pad, QImage::Format_ARGB32_Premultiplied);
    padded.setDevicePixelRatio(image.devicePixelRatio());
    padded.fill(Qt::transparent);
    {
        QPainter p(&padded);
        p.drawImage(QPointF(pad / image.devicePixelRatio(), pad / image.devicePixelRatio()), image);
    }
    blur(padded, radius);
    return padded;
}
