#include <gtest/gtest.h>

#include "foundation/CreatorLevelTable.h"
#include "foundation/FrameTime.h"

TEST(CreatorLevel, ThresholdsAndLevels) {
    CCreatorLevelTable* t = CCreatorLevelTable::GetInstance();
    t->Init();
    const int start[] = {30, 60, 90, 125, 160, 195, 235, 275, 315, 355, 415};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(t->GetThreshold(i), start[i]) << i;
    EXPECT_EQ(t->GetThreshold(20), 1155);
    EXPECT_EQ(t->GetThreshold(30), 2295);
    EXPECT_EQ(t->GetThreshold(40), 3715);
    EXPECT_EQ(t->GetThreshold(50), 5335);
    EXPECT_EQ(t->GetThreshold(98), 13975);
    EXPECT_EQ(t->GetThreshold(99), 14155);

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
