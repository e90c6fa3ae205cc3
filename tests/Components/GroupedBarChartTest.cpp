#include "Components/GroupedBarChart.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GroupedBarChart, TicksAreRoundAndCoverTheValues) {
    EXPECT_EQ(GroupedBarChart::niceTicks(0, 0), (std::vector<double>{0, 1}));
    EXPECT_EQ(GroupedBarChart::niceTicks(0, 0, 5, 0.1), (std::vector<double>{0, 0.5, 1}));
    const auto money = GroupedBarChart::niceTicks(0, 137000);
    EXPECT_EQ(money.front(), 0);
    EXPECT_GE(money.back(), 137000);
    EXPECT_LE(money.size(), 7u);
    for (double tick : money)
        EXPECT_EQ(std::fmod(tick, 10000), 0) << tick;
    const auto mixed = GroupedBarChart::niceTicks(-30, 70);
    EXPECT_LE(mixed.front(), -30);
    EXPECT_NE(std::find(mixed.begin(), mixed.end(), 0.0), mixed.end()) << "zero is always a tick";
    const auto wild = GroupedBarChart::niceTicks(std::numeric_limits<double>::quiet_NaN(),
                                                 std::numeric_limits<double>::infinity());
    EXPECT_FALSE(wild.empty());
}

TEST(GroupedBarChart, NoOrSmallValuesGiveDistinctWholeLabels) {
    // Whole-number labels cannot tell 0.25 from 0.5: ticks never come closer than a whole one,
    // and a step of 2.5 gives way to 5.
    const std::vector<std::vector<double>> cases{{}, {0, 0}, {1, 0}, {2, 1}, {3, 0}, {9, 4}, {-3, 2}};
    for (const auto& values : cases) {
        GroupedBarChart chart;
        if (!values.empty())
            chart.setGroups({{QStringLiteral("May"), values}});
        const auto& labels = chart.tickLabels();
        ASSERT_GE(labels.size(), 2u);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(labels[i], QLocale().toString(chart.ticks()[i], 'f', 0)) << "a label is its tick";
            EXPECT_EQ(std::fmod(chart.ticks()[i], 1.0), 0.0);
            if (i > 0) {
                EXPECT_NE(labels[i], labels[i - 1]);
            }
        }
    }
    EXPECT_EQ(GroupedBarChart::niceTicks(0, 9), (std::vector<double>{0, 5, 10}));
}

TEST(GroupedBarChart, AxisLabelsAreWrittenByWhoeverFeedsTheValues) {
    GroupedBarChart chart;
    chart.setGroups({{QStringLiteral("May"), {137000, 90000}}});
    EXPECT_EQ(chart.tickLabels()[1], QLocale().toString(chart.ticks()[1], 'f', 0));
    chart.setValueFormatter([](double value) { return QStringLiteral("<%1>").arg(value / 1000); });
    ASSERT_GE(chart.ticks().size(), 2u);
    for (std::size_t i = 0; i < chart.ticks().size(); ++i)
        EXPECT_EQ(chart.tickLabels()[i], QStringLiteral("<%1>").arg(chart.ticks()[i] / 1000));
    EXPECT_EQ(chart.tickLabels()[1], QStringLiteral("<50>"));
}

// Labels never take more than a quarter of the chart: whole numbers while they fit, else the
// compact texts of whoever feeds the values, cut if even those do not fit.
TEST(GroupedBarChart, AxisLabelsKeepToAQuarterOfTheWidthInTheirCompactForm) {
    GroupedBarChart chart;
    chart.setValueFormatter([](double value) { return QLocale().toString(value, 'f', 0); }, 1,
                            [](double value) { return QStringLiteral("%1T").arg(value / 1e12); });
    chart.setGroups({{QStringLiteral("May"), {1.2e12, 3e11}}});
    chart.resize(600, 200);
    EXPECT_EQ(chart.tickLabels()[1], QLocale().toString(chart.ticks()[1], 'f', 0)) << "whole numbers fit";
    chart.resize(200, 200);
    EXPECT_EQ(chart.tickLabels()[1], QStringLiteral("%1T").arg(chart.ticks()[1] / 1e12));
    EXPECT_LE(chart.labelRoom(), 50);
    chart.setGroups({{QStringLiteral("May"), {1e308, 1e308}}, {QStringLiteral("Jun"), {5e307, 0}}});
    EXPECT_LE(chart.labelRoom(), 50) << "cut rather than widened";
    const auto bars = chart.barRects();
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_GT(bars[0].width(), 0);
    EXPECT_GT(bars[0].height(), bars[2].height());
}

TEST(GroupedBarChart, BarsStandSideBySideOnAZeroBaseline) {
    GroupedBarChart chart;
    chart.resize(600, 200);
    chart.setSeries({{QStringLiteral("Income"), Qt::green}, {QStringLiteral("Spend"), Qt::red}});
    chart.setGroups({{QStringLiteral("Jan"), {100, 50}}, {QStringLiteral("Feb"), {0, 200}}});
    const auto bars = chart.barRects();
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_DOUBLE_EQ(bars[0].right(), bars[1].left());
    EXPECT_NEAR(bars[0].width() / (bars[2].left() - bars[0].left()), 0.35, 1e-9);
    EXPECT_DOUBLE_EQ(bars[0].bottom(), bars[3].bottom());
    EXPECT_NEAR(bars[0].height(), bars[1].height() * 2, 1e-6);
    EXPECT_DOUBLE_EQ(bars[2].height(), 0) << "a zero bar has no height";
    EXPECT_LT(bars[3].top(), bars[0].top());
    qv::test::saveScreen(&chart, QStringLiteral("component-grouped-bar-chart"));
}
