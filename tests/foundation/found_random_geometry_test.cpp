// The seeded generator and the distances and angles between points.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "foundation/Geometry.h"
#include "foundation/Random.h"

TEST(Random, ASeedRepeatsTheDrawsAndRangesReachBothEnds) {
    SeedRandom(12345);
    const int first = RandomRange(0, 32767);
    SeedRandom(12345);
    EXPECT_EQ(RandomRange(0, 32767), first);

    int lo = INT_MAX, hi = INT_MIN;
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 200000; ++i) {
        const int k = RandomRange(0, 255);
        lo = std::min(lo, k);
        hi = std::max(hi, k);
        EXPECT_EQ(RandomRange(5, 5), 5);
        const int n = RandomRange(-3, 3);
        sawLow |= n == -3;
        sawHigh |= n == 3;
        ASSERT_GE(n, -3);
        ASSERT_LE(n, 3);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 255);
    EXPECT_TRUE(sawLow && sawHigh);
}

TEST(Random, ChancesAreNeverAlwaysAndInProportion) {
    SeedRandom(7);
    int hits = 0;
    for (int i = 0; i < 10000; ++i) {
        EXPECT_FALSE(RandomChance(0.0));
        EXPECT_TRUE(RandomChance(100.0));
        hits += RandomChance(25.0) ? 1 : 0;
    }
    EXPECT_NEAR(hits, 2500, 300);
}

TEST(Geometry, AnglesAndDistances) {
    EXPECT_DOUBLE_EQ(GetAngle(0, 0, 0, 0), 1.5707965);
    EXPECT_DOUBLE_EQ(GetAngle(3, 5, 3, 1), -1.5707965);
    EXPECT_DOUBLE_EQ(GetAngle(0, 0, 1, 1), std::atan2(1.0, 1.0));
    EXPECT_DOUBLE_EQ(GetDistance(0, 0, 3, 4), 5.0);
    EXPECT_NEAR(GetAngleDiff(0.1, 6.2), -0.183186, 1e-6);
    EXPECT_NEAR(GetAngleDiff(6.2, 0.1), 0.183186, 1e-6);
    EXPECT_NEAR(GetAngleDiff(-0.5, 0.5), 1.0, 1e-9);
    EXPECT_EQ(GetAngleDiff(1.0, 1.0), 0.0);
    EXPECT_EQ(GetAngleDiff(0.0, 6.283186), 0.0);  // the same after wrapping
    EXPECT_EQ(GetAngleDiff(INFINITY, 1.0), 1.0);  // no endless wrap
}
