// The seeded generator, the distances and angles between points, and the overlap and contact
// tests of shapes.
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

// Bounds worked out from the screen can arrive the wrong way round under zoom.
TEST(Random, ARangeGivenBackwardsStaysBetweenItsBounds) {
    SeedRandom(3);
    for (int i = 0; i < 500; ++i) {
        const int v = RandomRange(10, -10);
        ASSERT_GE(v, -10);
        ASSERT_LE(v, 10);
    }
}

TEST(Geometry, ShapesOverlapWhenTheyTouch) {
    EXPECT_TRUE(IsRectOverlap(0, 0, 10, 10, 10, 10, 20, 20));
    EXPECT_FALSE(IsRectOverlap(0, 0, 10, 10, 10.5, 0, 20, 20));
    EXPECT_TRUE(IsCircleOverlap(0, 0, 3, 7, 0, 4));
    // A circle that only grazes a rectangle's far corner is found by the grid's last line.
    EXPECT_TRUE(IsCircleRectOverlap(23, 23, 4.3, 0, 0, 20, 20));
    EXPECT_FALSE(IsCircleRectOverlap(23, 23, 4.2, 0, 0, 20, 20));
    // A quarter opening up-left reaches up-left of its centre only; up-right the other way.
    EXPECT_TRUE(IsPointInQuarterCircle(45, 45, 50, 50, 20, 1));
    EXPECT_FALSE(IsPointInQuarterCircle(55, 45, 50, 50, 20, 1));
    EXPECT_TRUE(IsPointInQuarterCircle(55, 45, 50, 50, 20, 2));
    EXPECT_FALSE(IsQuarterCircleRectOverlap(50, 50, 20, 1, 52, 30, 60, 48));
    EXPECT_TRUE(IsQuarterCircleRectOverlap(50, 50, 20, 2, 52, 30, 60, 48));
    EXPECT_FALSE(IsQuarterCircleOverlap(50, 50, 20, 1, 60, 50, 20, 2));  // back to back, 10 apart
    EXPECT_TRUE(IsQuarterCircleOverlap(50, 50, 20, 2, 60, 50, 20, 1));   // facing each other
}

TEST(Geometry, ContactSidesAndRectDistance) {
    EXPECT_EQ(GetContactSide(0, 0, 10, 10, 0, 7, 10, 17), 0);  // within the tolerance: above
    EXPECT_EQ(GetContactSide(0, 0, 10, 10, 0, 5, 10, 15), 4);
    EXPECT_EQ(GetContactSideByCentre(0, 0, 10, 10, 1, 5, 11, 15), 0);
    EXPECT_EQ(GetContactSideByCentre(0, 0, 10, 10, 5, 1, 15, 11), 2);
    EXPECT_EQ(GetRectDistance(0, 0, 10, 10, 13, 14, 20, 20), 5.0);
    EXPECT_EQ(GetRectDistance(0, 0, 10, 10, 5, 12, 20, 20), 2.0);
    EXPECT_EQ(GetRectDistance(0, 0, 10, 10, 5, 5, 20, 20), 0.0);
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

TEST(Geometry, LineCellsStepOneCellAtATimeAndEndOnTheEnd) {
    using P = GridPoint;
    EXPECT_EQ(GetLineCells(0, 0, 4, 0), (std::vector<P>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
    EXPECT_EQ(GetLineCells(2, 2, 2, 2), (std::vector<P>{{2, 2}}));
    // A diagonal step samples its start twice, once kept.
    EXPECT_EQ(GetLineCells(0, 0, 1, 1), (std::vector<P>{{0, 0}, {1, 1}}));
    // Backwards: each sample truncated toward zero.
    EXPECT_EQ(GetLineCells(3, 0, 0, -2), (std::vector<P>{{3, 0}, {2, -1}, {1, -1}, {0, -2}}));
}
