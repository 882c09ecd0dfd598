#include <gtest/gtest.h>

#include "foundation/CreatorLevelTable.h"
#include "foundation/FrameTime.h"

TEST(CreatorLevel, ThresholdsAndLevels) {
    CCreatorLevelTable* t = CCreatorLevelTable::GetInstance();
    t->Init();
    // Rows known from play: the first steps, level 11 and the last two.
    EXPECT_EQ(t->GetThreshold(0), 30);
    EXPECT_EQ(t->GetThreshold(1), 60);
    EXPECT_EQ(t->GetThreshold(3), 125);
    EXPECT_EQ(t->GetThreshold(10), 415);
    EXPECT_EQ(t->GetThreshold(98), 13975);
    EXPECT_EQ(t->GetThreshold(99), 14155);
    // Every threshold is where the level goes up by one: the two lookups agree on every row.
    for (int i = 0; i < 99; ++i) {
        EXPECT_LT(t->GetThreshold(i), t->GetThreshold(i + 1)) << i;
        EXPECT_EQ(t->GetLevel(t->GetThreshold(i) - 1), i + 1) << i;
        EXPECT_EQ(t->GetLevel(t->GetThreshold(i)), i + 2) << i;
    }

    EXPECT_EQ(t->GetLevel(0), 1);
    EXPECT_EQ(t->GetLevel(29), 1);
    EXPECT_EQ(t->GetLevel(30), 2);
    EXPECT_EQ(t->GetLevel(59), 2);
    EXPECT_EQ(t->GetLevel(60), 3);
    EXPECT_EQ(t->GetLevel(-500), 1);
    EXPECT_EQ(t->GetLevel(13974), 99);
    EXPECT_EQ(t->GetLevel(13975), 100);
    EXPECT_EQ(t->GetLevel(14155), 100);
    EXPECT_EQ(t->GetLevel(1000000), 100);

    EXPECT_EQ(t->GetCreatorPointGain(10), 3);
    EXPECT_EQ(t->GetCreatorPointGain(9), 2);
    EXPECT_EQ(t->GetCreatorPointGain(3), 0);
    EXPECT_EQ(t->GetCreatorPointGain(-10), -3);
}

TEST(CreatorLevel, TickClock) {
    CCreatorLevelTable* t = CCreatorLevelTable::GetInstance();
    t->Reset();
    EXPECT_EQ(t->GetTicks(), 0.0);
    SetFrameTime(1.0f / 60.0f);
    for (int i = 0; i < 60; ++i) t->AdvanceTicks();
    EXPECT_NEAR(t->GetTicks(), 60.0, 1e-4);
    t->Reset();
    EXPECT_EQ(t->GetTicks(), 0.0);
    SetFrameTime(0.0f);
}
