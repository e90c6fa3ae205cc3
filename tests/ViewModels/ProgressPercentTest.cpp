#include "ViewModels/Extensions/ProgressPercent.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ProgressPercent, ReadsBinaryFractionsAsTyped) {
    EXPECT_EQ(ProgressPercent::whole(0.29), 29);
    EXPECT_EQ(ProgressPercent::whole(29.0 / 100.0), 29);
    EXPECT_EQ(ProgressPercent::whole(0.999), 99);
    EXPECT_EQ(ProgressPercent::whole(2.0 / 3.0), 66);
    EXPECT_EQ(ProgressPercent::whole(1.0), 100);
    double p = 0;
    for (int i = 0; i < 10; ++i)
        p += 0.05;
    EXPECT_EQ(ProgressPercent::whole(p), 50);
    EXPECT_EQ(ProgressPercent::text(0.35), QStringLiteral("35"));
}

TEST(ProgressPercent, ClampsAndTreatsNonFiniteAsZero) {
    EXPECT_EQ(ProgressPercent::whole(-0.5), 0);
    EXPECT_EQ(ProgressPercent::whole(1.7), 100);
    EXPECT_EQ(ProgressPercent::whole(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ProgressPercent::whole(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(ProgressPercent::clamp(std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(ProgressPercent::wholeUnclamped(1.5), 150);
    EXPECT_EQ(ProgressPercent::wholeUnclamped(-0.29), -29);
}
