#include "Components/DonutChart.h"

#include "Support/TestSupport.h"
#include "ViewModels/Theme/Theme.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

namespace {

QImage render(DonutChart& chart) {
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    chart.render(&image);
    return image;
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 6 && std::abs(a.green() - b.green()) < 6 &&
           std::abs(a.blue() - b.blue()) < 6;
}

} // namespace

TEST(DonutChart, DrawsOnlySectorsOfPositiveFiniteSize) {
    DonutChart chart;
    EXPECT_EQ(chart.size(), QSize(120, 120));
    chart.setSlices({{"a", 10, Qt::red},
                     {"b", 0, Qt::green},
                     {"c", -4, Qt::blue},
                     {"d", std::nan(""), Qt::cyan},
                     {"e", INFINITY, Qt::cyan},
                     {"f", 30, Qt::yellow}});
    EXPECT_EQ(chart.slices().size(), 6u);
    EXPECT_EQ(chart.drawnSliceCount(), 2);
}

TEST(DonutChart, AnEmptyChartIsAPlainRingAndOneSliceFillsIt) {
    DonutChart chart;
    chart.setCenterText("₹1,000.00", "income");
    QImage empty = render(chart);
    // Halfway through the 18-point ring at three o'clock; the hole stays clear of colour.
    EXPECT_TRUE(near(empty.pixelColor(120 - 9, 60), Theme::backgroundTertiary()));
    EXPECT_EQ(empty.pixelColor(60 - 30, 60).alpha(), 0);

    chart.setSlices({{"Remaining", 1000, QColor("#059669")}, {"none", 0, Qt::red}});
    QImage full = render(chart);
    for (const QPoint p : {QPoint(115, 60), QPoint(5, 60), QPoint(60, 5), QPoint(60, 115)})
        EXPECT_TRUE(near(full.pixelColor(p), QColor("#059669"))) << p.x() << "," << p.y();
    qv::test::saveScreen(&chart, "donut-one-slice");
}

TEST(DonutChart, SectorsRunClockwiseFromTwelveWithGapsBetween) {
    DonutChart chart;
    chart.setSlices({{"a", 1, Qt::red}, {"b", 1, Qt::blue}});
    QImage image = render(chart);
    EXPECT_TRUE(near(image.pixelColor(112, 60), Qt::red)); // three o'clock: the first half
    EXPECT_TRUE(near(image.pixelColor(8, 60), Qt::blue));  // nine o'clock: the second half
    EXPECT_LT(image.pixelColor(60, 8).alpha(), 128);       // the gap at twelve
}
