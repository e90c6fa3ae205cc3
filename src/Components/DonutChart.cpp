#include "Components/DonutChart.h"

#include "ViewModels/Theme/Theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {

bool drawn(const DonutChart::Slice& slice) {
    return std::isfinite(slice.value) && slice.value > 0;
}

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// An annular sector between two radii and two angles (radians, counter-clockwise from 3 o'clock
// as QPainter measures them).
QPainterPath annularSector(const QPointF& centre, double inner, double outer, double from, double span) {
    QPainterPath path;
    const QRectF outerRect(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerRect(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
    path.arcMoveTo(outerRect, degrees(from));
    path.arcTo(outerRect, degrees(from), degrees(span));
    path.arcTo(innerRect, degrees(from + span), -degrees(span));
    path.closeSubpath();
    return path;
}

} // namespace

DonutChart::DonutChart(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(sizeHint());
}

void DonutChart::setSlices(std::vector<Slice> slices) {
    slices_ = std::move(slices);
    update();
}

void DonutChart::setCenterText(const QString& title, const QString& subtitle) {
    title_ = title;
    subtitle_ = subtitle;
    update();
}

int DonutChart::drawnSliceCount() const {
    int n = 0;
    for (const Slice& slice : slices_)
        n += drawn(slice) ? 1 : 0;
    return n;
}

void DonutChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const QRectF square((width() - side) / 2, (height() - side) / 2, side, side);
    paintSectors(painter, square);
    paintCenter(painter, square);
}

void DonutChart::paintSectors(QPainter& painter, const QRectF& square) const {
    const QPointF centre = square.center();
    const double outer = square.width() / 2;
    double total = 0;
    for (const Slice& slice : slices_)
        if (drawn(slice))
            total += slice.value;
    if (!(total > 0) || !std::isfinite(total)) {
        const double w = kEmptyRingWidth;
        painter.setPen(QPen(Theme::backgroundTertiary(), w));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, outer - w / 2, outer - w / 2);
        return;
    }

    const double inner = outer * kInnerRatio;
    const int count = drawnSliceCount();
    // Each sector is shrunk by the corner radius and stroked back out with round joins, which
    // rounds its four corners; the inset is taken at each radius so the gap stays even.
    const double c = kCornerRadius;
    const double shrunkOuter = outer - c;
    const double shrunkInner = inner + c;
    double angle = std::numbers::pi / 2; // twelve o'clock, sectors run clockwise
    for (const Slice& slice : slices_) {
        if (!drawn(slice))
            continue;
        const double span = 2 * std::numbers::pi * slice.value / total;
        const double gapAngle = count > 1 ? (kAngularInset / 2 + c) / ((shrunkOuter + shrunkInner) / 2) : 0.0;
        const double start = angle - span;
        const double from = start + gapAngle;
        const double shrunkSpan = span - 2 * gapAngle;
        angle = start;
        painter.setPen(Qt::NoPen);
        painter.setBrush(slice.color);
        if (count == 1) {
            QPainterPath ring;
            ring.addEllipse(centre, outer, outer);
            ring.addEllipse(centre, inner, inner);
            painter.drawPath(ring);
            continue;
        }
        if (shrunkSpan <= 0) {
            // Too thin to round: a hairline sector rather than nothing.
            painter.drawPath(annularSector(centre, inner, outer, start + span / 2 - 0.001, 0.002));
            continue;
        }
        const QPainterPath path = annularSector(centre, shrunkInner, shrunkOuter, from, shrunkSpan);
        painter.setPen(QPen(slice.color, 2 * c, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
}

void DonutChart::paintCenter(QPainter& painter, const QRectF& square) const {
    const double textWidth = 75;
    QFont titleFont = Theme::font(11, QFont::Bold);
    const double natural = QFontMetricsF(titleFont).horizontalAdvance(title_);
    if (natural > textWidth)
        titleFont.setPixelSize(std::max(1, int(std::floor(11 * std::max(0.7, textWidth / natural)))));
    const QFont subtitleFont = Theme::font(9);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF subtitleMetrics(subtitleFont);
    const double height = titleMetrics.height() + subtitleMetrics.height();
    const QPointF centre = square.center();
    const QRectF titleRect(centre.x() - textWidth / 2, centre.y() - height / 2, textWidth,
                           titleMetrics.height());
    painter.setFont(titleFont);
    painter.setPen(Theme::textPrimary());
    painter.drawText(titleRect, Qt::AlignCenter, titleMetrics.elidedText(title_, Qt::ElideRight, textWidth));
    painter.setFont(subtitleFont);
    painter.setPen(Theme::textMuted());
    painter.drawText(QRectF(titleRect.left(), titleRect.bottom(), textWidth, subtitleMetrics.height()),
                     Qt::AlignCenter, subtitle_);
}
