#include <gtest/gtest.h>
#include "tests/common/caught_code.h"

#include <memory>

#include "foundation/QuorException.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {
std::unique_ptr<CStageMap> OneRoom() { return CStageMap::Create(0); }

}  // namespace

TEST(StageMap, CreateAndAllocate) {
    EXPECT_EQ(CStageMap::Create(9), nullptr);
    EXPECT_EQ(CStageMap::Create(-1), nullptr);
    std::unique_ptr<CStageMap> map = CStageMap::Create(4);
    EXPECT_EQ(map->GetWidth(), 640);
    EXPECT_EQ(map->GetHeight(), 15);
    CStageMap m;
    EXPECT_EQ(CaughtCode([&] { m.Allocate(1001, 15); }), "RAE0002");
    EXPECT_EQ(CaughtCode([&] { m.Allocate(0, 15); }), "RAE0002");
    EXPECT_NO_THROW(m.Allocate(1000, 15));
    EXPECT_EQ(m.GetWidth(), 1000);
    m.Clear();
    EXPECT_EQ(m.GetWidth(), 0);
    EXPECT_EQ(m.GetChip(0, 0), 0);
    EXPECT_EQ(m.EncodeMapString(), "");
}

TEST(StageMap, ChipsInsideAndOutside) {
    auto map = OneRoom();
    map->SetChip(20, 0, 40);  // outside: ignored
    EXPECT_EQ(map->EncodeMapString(), "00ff002d");
    for (int y = 0; y < 15; ++y) map->SetChip(0, y, 70);
    EXPECT_EQ(map->GetChip(0, 5), 70);
    // Beyond the left edge the ground continues, auto-tiled from its clamped neighbourhood.
    EXPECT_EQ(map->GetChip(-1, 5), 64);
    EXPECT_EQ(map->GetChip(-5, -5), 64);
    EXPECT_EQ(map->GetChip(25, 5), 0);
}

TEST(StageMap, MapStringRoundTrip) {
    auto map = OneRoom();
    EXPECT_EQ(map->EncodeMapString(), "00ff002d");
    EXPECT_EQ(CStageMap::MapStringCheckSum("00ff002d"), 546);
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 15; ++y) map->SetChip(x, y, static_cast<uint8_t>((x * 7 + y * 13) % 256));
    }
    const std::string text = map->EncodeMapString();
    auto copy = OneRoom();
    ASSERT_TRUE(copy->DecodeMapString(text));
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 15; ++y) EXPECT_EQ(copy->GetChip(x, y), map->GetChip(x, y));
    }
    EXPECT_EQ(copy->EncodeMapString(), text);
}

TEST(StageMap, DecodeFailures) {
    auto map = OneRoom();
    map->SetChip(3, 3, 99);
    // Only hexadecimal digits: a chip or count of other characters is no map the game wrote.
    for (const char* bad : {"", "00", "000000", "0000", "00ff002e", "00ff002c", "00-1", "zzff002d",
                            "-1ff002d", "00ff002D ", "0 ff002d", "00fg002d"}) {
        EXPECT_FALSE(map->DecodeMapString(bad)) << bad;
        EXPECT_EQ(map->GetChip(3, 3), 99) << "a failed decode leaves the grid as it was: " << bad;
    }
    EXPECT_TRUE(map->DecodeMapString("FFff002d"));
    EXPECT_EQ(map->GetChip(0, 0), 255);
    EXPECT_EQ(map->GetChip(19, 14), 0);
    EXPECT_TRUE(map->DecodeMapString("0a0000ff002d"));  // a count of 0 adds nothing
}

TEST(StageMap, FromMapXmlChecksInOrder) {
    EXPECT_EQ(CaughtCode([] { CStageMap::FromMapXml("OneRoom", 7, 546, "00ff002d"); }), "SDE0003");
    EXPECT_EQ(CaughtCode([] { CStageMap::FromMapXml("OneRoom", 8, 547, "00ff002d"); }), "SDE0004");
    EXPECT_EQ(CaughtCode([] { CStageMap::FromMapXml("OneRoom", 8, 547, "00ff002e"); }), "SDE0002");
    EXPECT_EQ(CStageMap::FromMapXml("NoArea", 8, 546, "00ff002d"), nullptr);
    EXPECT_EQ(CStageMap::FromMapXml("Unknown", 8, 546, "00ff002d"), nullptr);
    std::unique_ptr<CStageMap> map = CStageMap::FromMapXml("OneRoom", 8, 546, "00ff002d");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetAreaClass(), 0);
    // High bytes count negative.
    EXPECT_EQ(CStageMap::MapStringCheckSum("\xff\x80"), -129);
    try {
        CStageMap::FromMapXml("OneRoom", 8, 546, "00ff002\xff");
        FAIL();
    } catch (const CStageDataException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0004");
        EXPECT_EQ(e.GetMessage(), "地形配列のチェックサムが不正です。");
    }
}

TEST(StageMap, WriteXml) {
    auto map = OneRoom();
    EXPECT_EQ(map->WriteXml(),
              "        <className>OneRoom</className>\n"
              "        <mapStringLength>8</mapStringLength>\n"
              "        <checkSum>546</checkSum>\n"
              "        <mapString>00ff002d</mapString>\n");
}

TEST(StageMap, RectHitsBlockingChip) {
    auto map = OneRoom();
    map->SetChip(2, 2, 40);
    EXPECT_TRUE(map->RectHitsBlockingChip(60, 60, 70, 70));
    EXPECT_FALSE(map->RectHitsBlockingChip(0, 0, 63, 63));
    EXPECT_TRUE(map->RectHitsBlockingChip(0, 0, 64, 64));  // the far corner is sampled
    EXPECT_FALSE(map->RectHitsBlockingChip(100, 100, 200, 200));
}

TEST(StageMap, OneWayPlatformCatchesOnlyFalling) {
    SwitchColorStates::Reset();
    auto map = OneRoom();
    for (int x = 0; x < 20; ++x) map->SetChip(x, 10, 30);
    StageMapMoveResult fall = map->ResolveRectMove(100, 305, 20, 20, 100, 295);
    EXPECT_TRUE(fall.hitBottom);
    EXPECT_EQ(static_cast<int>(fall.y), 300);
    EXPECT_DOUBLE_EQ(fall.x, 100);
    StageMapMoveResult rise = map->ResolveRectMove(100, 310, 20, 20, 100, 330);
    EXPECT_FALSE(rise.hitTop);
    EXPECT_DOUBLE_EQ(rise.y, 310);
    StageMapMoveResult side = map->ResolveRectMove(150, 322, 20, 20, 100, 322);
    EXPECT_FALSE(side.hitRight);
    EXPECT_DOUBLE_EQ(side.x, 150);
    // Already standing lower than the top two pixels: falls through.
    StageMapMoveResult deep = map->ResolveRectMove(100, 320, 20, 20, 100, 310);
    EXPECT_FALSE(deep.hitBottom);
}

TEST(StageMap, DiagonalMoveSlidesAlongWall) {
    auto map = OneRoom();
    for (int y = 0; y < 15; ++y) map->SetChip(10, y, 40);
    StageMapMoveResult r = map->ResolveRectMove(310, 140, 20, 20, 290, 100);
    EXPECT_TRUE(r.hitRight);
    EXPECT_FALSE(r.hitBottom);
    EXPECT_LE(static_cast<int>(r.x) + 19, 319);
    EXPECT_DOUBLE_EQ(r.y, 140);
    // No move in whole pixels: no test at all.
    StageMapMoveResult still = map->ResolveRectMove(300.7, 100.2, 20, 20, 300.1, 100.9);
    EXPECT_DOUBLE_EQ(still.x, 300.7);
    EXPECT_FALSE(still.hitRight || still.hitBottom || still.hitTop || still.hitLeft);
}

TEST(StageMap, FallingOntoSolidGroundAndCeiling) {
    auto map = OneRoom();
    for (int x = 0; x < 20; ++x) {
        map->SetChip(x, 12, 40);
        map->SetChip(x, 2, 40);
    }
    StageMapMoveResult land = map->ResolveRectMove(50, 400, 20, 30, 50, 300);
    EXPECT_TRUE(land.hitBottom);
    EXPECT_EQ(static_cast<int>(land.y) + 29, 383);
    StageMapMoveResult bump = map->ResolveRectMove(50, 70, 20, 30, 50, 120);
    EXPECT_TRUE(bump.hitTop);
    EXPECT_EQ(static_cast<int>(bump.y), 96);
    // A long move (more than 150 path points) ends in one jump from the 150th point, which tests
    // only the rows at the destination.
    StageMapMoveResult far = map->ResolveRectMove(50, 390, 20, 4, 50, 100);
    EXPECT_TRUE(far.hitBottom);
    EXPECT_LT(far.y, 260);
    EXPECT_GT(far.y, 240);
}

TEST(StageMap, WidthSampling) {
    auto map = OneRoom();
    map->SetChip(2, 10, 40);
    // Width 40 from x = 25 samples 25, 57 and 64: column 2 is reached by the last pixel only.
    EXPECT_TRUE(map->ResolveRectMove(25, 305, 40, 20, 25, 295).hitBottom);
    EXPECT_FALSE(map->ResolveRectMove(24, 305, 40, 20, 24, 295).hitBottom);
}

TEST(StageMap, LineOfSight) {
    auto map = OneRoom();
    EXPECT_TRUE(map->IsLineClear(10, 10, 600, 400));
    map->SetChip(5, 5, 40);
    EXPECT_FALSE(map->IsLineClear(0, 176, 639, 176));
    EXPECT_TRUE(map->IsLineClear(0, 100, 639, 100));
    EXPECT_TRUE(map->IsLineClear(176, 176, 176, 176));  // shorter than a pixel
}
