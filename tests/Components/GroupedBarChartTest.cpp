#include "Components/GroupedBarChart.h"

#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GroupedBarChart, TicksAreRoundAndCoverTheValues) {
    EXPECT_EQ(GroupedBarChart::niceTicks(0, 0), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
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
