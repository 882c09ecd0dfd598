#include <gtest/gtest.h>

#include <set>
#include <type_traits>

#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"

TEST(StageChips, Passability) {
    SwitchColorStates::Reset();
    EXPECT_TRUE(IsPassableChip(39));
    EXPECT_FALSE(IsPassableChip(40));
    EXPECT_FALSE(IsPassableChip(227));
    EXPECT_TRUE(IsPassableChip(228));
    EXPECT_TRUE(IsPassableChip(255));
    EXPECT_FALSE(IsPassableChip(58));
    EXPECT_TRUE(IsPassableChip(59));
    SwitchColorStates::Set(0, true);
    EXPECT_TRUE(IsPassableChip(58));
    EXPECT_FALSE(IsPassableChip(59));
    EXPECT_FALSE(IsPassableChip(60));  // green still off
    SwitchColorStates::Set(2, true);
    EXPECT_TRUE(IsPassableChip(62));
    EXPECT_FALSE(IsPassableChip(63));
    SwitchColorStates::Reset();
}

TEST(StageChips, OneWayPlatforms) {
    EXPECT_FALSE(IsPassableChipFrom(30, ChipDirection_Down));
    EXPECT_TRUE(IsPassableChipFrom(30, ChipDirection_Up));
    EXPECT_TRUE(IsPassableChipFrom(30, ChipDirection_Left));
    EXPECT_FALSE(IsPassableChipFrom(238, ChipDirection_Down));
    EXPECT_TRUE(IsPassableChipFrom(240, ChipDirection_Down));
    EXPECT_FALSE(IsPassableChipFrom(44, ChipDirection_Up));
    EXPECT_TRUE(IsPassableChipFrom(38, ChipDirection_Down));
}

TEST(StageChips, GroundProperties) {
    EXPECT_DOUBLE_EQ(GetChipFriction(28), 0.25);
    EXPECT_DOUBLE_EQ(GetChipFriction(143), 0.25);
    EXPECT_DOUBLE_EQ(GetChipFriction(144), 1.0);
    EXPECT_DOUBLE_EQ(GetChipConveyorSpeed(224), -50.0);
    EXPECT_DOUBLE_EQ(GetChipConveyorSpeed(227), 100.0);
    EXPECT_NEAR(GetChipConveyorSpin(226), -2 * 3.14159265358979, 1e-9);
    EXPECT_EQ(GetChipDamage(56), 20);
    EXPECT_EQ(GetChipDamage(57), 9999);
    EXPECT_EQ(GetChipDamage(58), 0);
}

TEST(StageChips, Groups) {
    EXPECT_EQ(GetChipGroupBase(17), 19);
    EXPECT_EQ(GetChipGroupBase(1), 36);
    EXPECT_EQ(GetChipGroupBase(49), 40);
    EXPECT_EQ(GetChipGroupBase(55), 44);
    EXPECT_EQ(GetChipGroupBase(64), 65);
    EXPECT_EQ(GetChipGroupBase(223), 209);
    EXPECT_EQ(GetChipGroupBase(3), 234);
    EXPECT_EQ(GetChipGroupBase(251), 234);
    EXPECT_EQ(GetChipGroupBase(4), 238);
    EXPECT_EQ(GetChipGroupBase(255), 238);
    EXPECT_EQ(GetChipGroupBase(226), 226);
    EXPECT_EQ(GetChipGroupBase(0), 0);
}

static uint8_t Tile(uint8_t c, bool u, bool r, bool d, bool l, bool ul = false, bool ur = false,
                    bool dl = false, bool dr = false, int x = 0, int y = 0) {
    auto n = [c](bool j) -> uint8_t { return j ? c : 0; };
    return AutoTileChip(c, n(u), n(r), n(d), n(l), n(ul), n(ur), n(dl), n(dr), x, y);
}

TEST(StageChips, AutoTiling) {
    // Sixteen-chip groups.
    EXPECT_EQ(AutoTileChip(130, 129, 0, 0, 0, 0, 0, 0, 0, 0, 0), 141);
    EXPECT_EQ(AutoTileChip(130, 128, 140, 131, 135, 0, 0, 0, 0, 0, 0), 128);
    EXPECT_EQ(Tile(70, false, false, false, false), 79);
    EXPECT_EQ(Tile(70, false, true, true, false), 69);
    // Platform terrain.
    EXPECT_EQ(Tile(3, false, false, false, false), 232);
    EXPECT_EQ(Tile(234, true, true, true, true, true, true, true, true, 4, 1), 3);
    EXPECT_EQ(Tile(234, true, true, true, true, true, true, true, true, 2, 1), 242);
    EXPECT_EQ(Tile(234, true, true, true, true, true, true, true, true, -2, 1), 242);
    EXPECT_EQ(Tile(238, true, true, true, true, true, true, true, true, 4, 1), 4);
    EXPECT_EQ(Tile(234, true, true, true, true, false, true), 229);
    EXPECT_EQ(Tile(238, true, true, true, true, true, false), 230);
    EXPECT_EQ(Tile(234, true, true, true, true, true, true, false, true), 250);
    EXPECT_EQ(Tile(238, true, false, true, true), 247);
    // Strips, pairs and two-by-two pictures.
    EXPECT_EQ(Tile(16, false, true, false, true), 17);
    EXPECT_EQ(Tile(33, false, true, false, false), 32);
    EXPECT_EQ(Tile(36, true, false, false, false), 1);
    EXPECT_EQ(Tile(40, false, true, false, false, false, false, false, false, 2, 2), 48);
    EXPECT_EQ(Tile(40, false, false, false, true, false, false, false, false, 1, 2), 49);
    EXPECT_EQ(Tile(44, false, true, true, false, false, false, false, true, 0, 0), 46);
    EXPECT_EQ(Tile(44, true, false, false, true, true, false, false, false, 1, 1), 55);
    EXPECT_EQ(Tile(44, true, false, false, true, true, false, false, false, 0, 1), 44);
    // Chips of their own group stay.
    EXPECT_EQ(Tile(57, true, true, true, true), 57);
}

TEST(StageChips, AreaClassesAndCategories) {
    EXPECT_EQ(AreaClassFromKey("oneroom"), 9);
    EXPECT_EQ(AreaClassFromKey("NoArea"), 9);
    EXPECT_EQ(AreaClassFromKey("BoxLong"), 8);
    EXPECT_EQ(AreaClassWidth(9), 20);
    EXPECT_EQ(AreaClassHeight(-1), 15);
    EXPECT_EQ(AreaClassUnits(7), 5);
    EXPECT_EQ(AreaClassKey(12), "NoArea");
    EXPECT_EQ(AreaClassDisplayName(4), "トライアスロン");
    EXPECT_EQ(StageCategoryName(7), "DownLoaded");
    EXPECT_EQ(StageCategoryFromName("local"), 2);
    EXPECT_EQ(StageCategoryFromName("Scenario"), 0);
}

TEST(StageCatalogues, BackGrounds) {
    EXPECT_EQ(BackGroundIdToStageNumber(14), 7);
    EXPECT_EQ(BackGroundIdFromStageNumber(7), 14);
    EXPECT_EQ(BackGroundIdFromStageNumber(1), 0);
    EXPECT_EQ(BackGroundIdFromStageNumber(90), 21);
    EXPECT_EQ(BackGroundFromKey("grassnight"), 0);
    EXPECT_EQ(BackGroundFromKey("GrassNight"), 2);
    PreviewImageCell outside = BackGroundPreview(22);
    EXPECT_EQ(outside.key, "BG_Preview001");
    EXPECT_EQ(outside.left, 0);
    EXPECT_EQ(outside.bottom, 64);
    PreviewImageCell rain = BackGroundPreview(18);
    EXPECT_EQ(rain.key, "BG_Preview003");
    EXPECT_EQ(rain.top, 192);
    EXPECT_EQ(rain.group, "Editer");
    EXPECT_EQ(BackGroundKey(99), "BlackBackGround");
    EXPECT_EQ(BackGroundDisplayName(99), "");
}

TEST(StageCatalogues, Weathers) {
    EXPECT_EQ(WeatherIdFromStageNumber(10), 0);
    EXPECT_EQ(WeatherIdFromStageNumber(9), 9);
    EXPECT_EQ(WeatherKey(10), "NoWeather");
    EXPECT_EQ(WeatherDisplayName(10), "");
    EXPECT_EQ(WeatherIdFromKey("Fish"), 9);
    EXPECT_EQ(WeatherIdFromKey("fish"), 0);
    EXPECT_EQ(WeatherDisplayName(0), "（なし）");
}

// The editor windows take a background's preview as an image clip: the same record.
TEST(StageCatalogues, PreviewIsAnImageClip) {
    static_assert(std::is_same_v<ImageClip, PreviewImageCell>);
    const ImageClip clip = BackGroundPreview(16);
    EXPECT_EQ(clip.group, "Editer");
    EXPECT_EQ(clip.key, "BG_Preview003");
    EXPECT_EQ(clip.left, 128);
    EXPECT_EQ(clip.right - clip.left, 128);
    EXPECT_EQ(clip.bottom - clip.top, 64);
}

// Every background and weather survives the trip through its stage-file number, and no two
// entries share a number, so a stage file never changes one into another.
TEST(StageCatalogues, StageNumbersRoundTrip) {
    std::set<int> numbers;
    for (int id = 0; id < kBackGroundCount; ++id) {
        const int number = BackGroundIdToStageNumber(id);
        EXPECT_TRUE(numbers.insert(number).second) << id;
        EXPECT_EQ(BackGroundIdFromStageNumber(number), id);
        EXPECT_EQ(BackGroundFromKey(BackGroundKey(id)), id);
    }
    for (int id = 0; id < kWeatherCount; ++id) {
        EXPECT_EQ(WeatherIdFromStageNumber(WeatherIdToStageNumber(id)), id);
        EXPECT_EQ(WeatherIdFromKey(WeatherKey(id)), id);
    }
    // Numbers that no entry has read as the first entry.
    EXPECT_EQ(BackGroundIdFromStageNumber(-1), 0);
    EXPECT_EQ(WeatherIdFromStageNumber(-1), 0);
}
