#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// Bars of several series side by side per group (one group per month, say), over a value axis
// with rounded ticks, grid lines and labels on the trailing side, and the groups' labels below.
// Colours follow the theme at paint time; the axis is worked out when the data changes.
class GroupedBarChart : public QWidget {
    Q_OBJECT
public:
    struct Series {
        QString name;
        QColor color;
    };
    struct Group {
        QString label;
        std::vector<double> values; // one per series, in series order
    };

    explicit GroupedBarChart(QWidget* parent = nullptr);

    void setSeries(std::vector<Series> series);
    void setGroups(std::vector<Group> groups);
    const std::vector<Group>& groups() const { return groups_; }
    // The width of each bar as a share of its group's band (two bars of 0.35 leave 30 % between
    // groups).
    void setBarWidthRatio(double ratio);
    // Text of a value-axis tick, given by whoever feeds the chart its values (the chart knows
    // nothing of money); by default the whole number in the locale. `resolution` is the smallest
    // step between ticks that the text tells apart (1 for whole numbers). The labels never take
    // more than a quarter of the chart's width: past that the compact texts stand in, and any
    // label still too wide is cut.
    void setValueFormatter(std::function<QString(double)> formatter, double resolution = 1,
                           std::function<QString(double)> compactFormatter = {});

    const std::vector<double>& ticks() const { return ticks_; }
    // The labels as shown at the chart's width.
    const std::vector<QString>& tickLabels() const;
    // The room the labels take beside the plot.
    int labelRoom() const;
    // Rectangles of the bars in widget coordinates, group by group, series by series.
    std::vector<QRectF> barRects() const;

    // Rounded tick values covering [low, high] (0 included), about `target` of them, never
    // closer than `resolution`: a range of no or small values gets fewer ticks, not ticks whose
    // labels read the same.
    static std::vector<double> niceTicks(double low, double high, int target = 5, double resolution = 1);

    QSize sizeHint() const override { return {400, 200}; }
    QSize minimumSizeHint() const override { return {120, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotRect() const;
    bool showsCompact() const;
    double yFor(double value, const QRectF& plot) const;
    void updateAxis();

    std::vector<Series> series_;
    std::vector<Group> groups_;
    std::vector<double> ticks_;
    std::vector<QString> tickLabels_;
    std::vector<QString> compactLabels_;
    std::function<QString(double)> compactFormatter_;
    int compactWidth_ = 0;
    double barWidthRatio_ = 0.35;
    std::function<QString(double)> formatter_;
    double resolution_ = 1;
    int labelWidth_ = 0;
};
