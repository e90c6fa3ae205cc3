#include "Components/GroupedBarChart.h"

#include "ViewModels/Theme/AppTheme.h"
#include "ViewModels/Theme/Theme.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kAxisGap = 8;
constexpr double kLabelBand = 20; // room under the plot for the group labels
constexpr double kTopRoom = 6;
constexpr double kLabelSize = 10;
} // namespace

GroupedBarChart::GroupedBarChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("groupedBarChart"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    formatter_ = [](double value) { return QLocale().toString(value, 'f', 0); };
    updateAxis();
}

void GroupedBarChart::setSeries(std::vector<Series> series) {
    series_ = std::move(series);
    update();
}

void GroupedBarChart::setGroups(std::vector<Group> groups) {
    groups_ = std::move(groups);
    updateAxis();
    update();
}

void GroupedBarChart::setBarWidthRatio(double ratio) {
    barWidthRatio_ = std::clamp(ratio, 0.01, 1.0);
    update();
}

void GroupedBarChart::setValueFormatter(std::function<QString(double)> formatter, double resolution,
                                        std::function<QString(double)> compactFormatter) {
    formatter_ = std::move(formatter);
    compactFormatter_ = std::move(compactFormatter);
    resolution_ = resolution;
    updateAxis();
    update();
}

std::vector<double> GroupedBarChart::niceTicks(double low, double high, int target, double resolution) {
    low = std::min(0.0, std::isfinite(low) ? low : 0.0);
    high = std::max(0.0, std::isfinite(high) ? high : 0.0);
    const double smallest = std::isfinite(resolution) && resolution > 0 ? resolution : 0;
    if (high - low <= 0)
        high = low + std::max(smallest, 1.0);
    const double rough = std::max((high - low) / std::max(1, target - 1), smallest);
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    // A step of 2.5 is round only where the labels show the half.
    auto tellsApart = [smallest](double step) {
        if (smallest <= 0)
            return true;
        const double units = step / smallest;
        return std::abs(units - std::round(units)) < 1e-9 * units;
    };
    double step = magnitude;
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        step = factor * magnitude;
        if (step >= rough && tellsApart(step))
            break;
    }
    std::vector<double> ticks;
    const double first = std::floor(low / step) * step;
    for (double value = first; value < high + step * 0.999 && ticks.size() < 50; value += step)
        ticks.push_back(std::abs(value) < step * 1e-9 ? 0.0 : value);
    return ticks;
}

void GroupedBarChart::updateAxis() {
    double low = 0;
    double high = 0;
    for (const auto& group : groups_)
        for (double value : group.values)
            if (std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
    ticks_ = niceTicks(low, high, 5, resolution_);
    tickLabels_.clear();
    compactLabels_.clear();
    const QFontMetrics metrics(Theme::font(kLabelSize));
    labelWidth_ = 0;
    compactWidth_ = 0;
    for (double tick : ticks_) {
        tickLabels_.push_back(formatter_(tick));
        labelWidth_ = std::max(labelWidth_, metrics.horizontalAdvance(tickLabels_.back()));
        if (compactFormatter_) {
            compactLabels_.push_back(compactFormatter_(tick));
            compactWidth_ = std::max(compactWidth_, metrics.horizontalAdvance(compactLabels_.back()));
        }
    }
}

bool GroupedBarChart::showsCompact() const {
    return !compactLabels_.empty() && labelWidth_ > width() / 4;
}

const std::vector<QString>& GroupedBarChart::tickLabels() const {
    return showsCompact() ? compactLabels_ : tickLabels_;
}

int GroupedBarChart::labelRoom() const {
    // Whatever the magnitudes, three quarters of the width stay the bars'.
    return std::min(showsCompact() ? compactWidth_ : labelWidth_, width() / 4);
}

QRectF GroupedBarChart::plotRect() const {
    return QRectF(0, kTopRoom, std::max(0.0, width() - labelRoom() - kAxisGap),
                  std::max(0.0, height() - kLabelBand - kTopRoom));
}

double GroupedBarChart::yFor(double value, const QRectF& plot) const {
    const double low = ticks_.front();
    const double high = ticks_.back();
    const double clamped = std::clamp(std::isfinite(value) ? value : 0.0, low, high);
    return plot.bottom() - (clamped - low) / (high - low) * plot.height();
}

std::vector<QRectF> GroupedBarChart::barRects() const {
    std::vector<QRectF> rects;
    if (groups_.empty() || ticks_.size() < 2)
        return rects;
    const QRectF plot = plotRect();
    const double band = plot.width() / double(groups_.size());
    const double barWidth = band * barWidthRatio_;
    const double zero = yFor(0, plot);
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const auto& values = groups_[g].values;
        const double groupWidth = barWidth * double(values.size());
        double x = plot.left() + band * double(g) + (band - groupWidth) / 2;
        for (double value : values) {
            const double y = yFor(value, plot);
            rects.emplace_back(QPointF(x, std::min(y, zero)), QPointF(x + barWidth, std::max(y, zero)));
            x += barWidth;
        }
    }
    return rects;
}

void GroupedBarChart::paintEvent(QPaintEvent*) {
    if (ticks_.size() < 2)
        return;
    QPainter painter(this);
    const QRectF plot = plotRect();
    const QFont labelFont = Theme::font(kLabelSize);
    painter.setFont(labelFont);
    const QFontMetricsF metrics(labelFont);

    const auto& labels = tickLabels();
    const int room = labelRoom();
    for (std::size_t i = 0; i < ticks_.size(); ++i) {
        const double y = std::round(yFor(ticks_[i], plot)) + 0.5;
        painter.setPen(QPen(AppTheme::Colors::borderSubtle(), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Theme::textMuted());
        painter.drawText(
            QRectF(plot.right() + kAxisGap, y - metrics.height() / 2, room + 1, metrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(labels[i], Qt::ElideRight, room + 1));
    }

    painter.setRenderHint(QPainter::Antialiasing);
    const auto rects = barRects();
    std::size_t index = 0;
    for (const auto& group : groups_)
        for (std::size_t s = 0; s < group.values.size(); ++s) {
            const QColor color = s < series_.size() ? series_[s].color : Theme::textMuted();
            painter.fillRect(rects[index++], color);
        }

    painter.setPen(Theme::textMuted());
    const double band = groups_.empty() ? 0 : plot.width() / double(groups_.size());
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const QRectF cell(plot.left() + band * double(g), plot.bottom() + 4, band, kLabelBand - 4);
        painter.drawText(cell, Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(groups_[g].label, Qt::ElideRight, cell.width()));
    }
}
