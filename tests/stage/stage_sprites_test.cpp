// The sprites of records and maps, over a headless screen and a small image index.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

#include "engine/Camera.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/backend.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "stage_test_env.h"
#include "tests/common/bmp_writer.h"
#include "tests/common/headless_test.h"

namespace {

// A 24-bit BMP of one colour.
std::string Bmp(int w, int h, uint32_t colour) {
    return bmptest::MakeBmp(w, h, [colour](int, int) { return colour; });
}

class StageSprites : public stagetest::StageTestOn<testsupport::HeadlessTest> {
  protected:
    void SetUp() override {
        StageTestOn::SetUp();
        if (HasFatalFailure()) return;
        std::filesystem::create_directories(folder / "system");
        std::filesystem::create_directories(folder / "img");
        std::ofstream(folder / "system" / "colorSample.bmp", std::ios::binary) << Bmp(32, 32, 0x00FF00);
        std::ofstream(folder / "img" / "sheet.bmp", std::ios::binary) << Bmp(256, 256, 0xC08040);
        std::string index;
        for (const char* key : {"System.StageObjects001", "Map.ChipSet001", "Map.ChipSet002",
                                "Map.ChipSet003", "Map.ChipSet004"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
    }
    void TearDown() override {
        CSpriteManager::DeleteInstance();
        CCamera::DeleteInstance();
        StageTestOn::TearDown();
    }
};

TEST_F(StageSprites, RecordImagesAndDrawing) {
    CStageAreaObjectTable table(nullptr);
    ASSERT_TRUE(table.Add("TestKind", 1, 1));
    CStageAreaObject* o = table.GetAt(1, 1);
    ASSERT_NE(o->GetKindImage(), nullptr);
    ASSERT_NE(o->GetTileBackdrop(), nullptr);
    ASSERT_NE(o->GetProblemMarker(), nullptr);
    EXPECT_FLOAT_EQ(o->GetTileBackdrop()->alpha, 0.5f);
    o->DrawEditorImage();
    EXPECT_FLOAT_EQ(o->GetKindImage()->alpha, 1.0f);
    EXPECT_FLOAT_EQ(o->GetTileBackdrop()->alpha, 0.5f);
    o->DrawEditorOverlay();
    EXPECT_FLOAT_EQ(o->GetKindImage()->alpha, 0.5f);
    // Positions follow the tile; attributes alone move nothing.
    ASSERT_TRUE(table.Move(1, 1, 5, 6));
    EXPECT_FLOAT_EQ(o->GetKindImage()->x, 176 * 0.00390625f);
    EXPECT_FLOAT_EQ(o->GetKindImage()->y, 208 * 0.00390625f);
    EXPECT_FLOAT_EQ(o->GetKindImage()->z, -0.001f);
    EXPECT_FLOAT_EQ(o->GetProblemMarker()->z, -0.002f);
    o->SetAttributes(1, 2, 3, 4);
    EXPECT_FLOAT_EQ(o->GetKindImage()->x, 176 * 0.00390625f);
    table.DrawVisible(0, 639, 0, 479);
    table.DrawVisibleOverlay(0, 639, 0, 479);
}

TEST_F(StageSprites, ChipSpritesFollowTheGrid) {
    std::unique_ptr<CStageMap> map = CStageMap::Create(0);
    for (int y = 0; y < 15; ++y) map->SetChip(0, y, 70);
    EXPECT_EQ(map->GetCellSprite(0, 0), nullptr);  // sprites are off
    map->CreateChipSprites();
    ASSERT_NE(map->GetCellSprite(0, 3), nullptr);
    EXPECT_EQ(map->GetCellSprite(1, 3), nullptr);   // air has no sprite
    ASSERT_NE(map->GetCellSprite(-2, 3), nullptr);  // the margin shows the ground going on
    ASSERT_NE(map->GetCellSprite(0, -3), nullptr);
    EXPECT_FLOAT_EQ(map->GetCellSprite(0, 3)->x, 16.0f / 256.0f);
    EXPECT_FLOAT_EQ(map->GetCellSprite(0, 3)->y, 112.0f / 256.0f);
    EXPECT_FLOAT_EQ(map->GetCellSprite(0, 3)->z, 0.0038f);
    map->SetChip(5, 5, 40);
    EXPECT_NE(map->GetCellSprite(5, 5), nullptr);
    // Clearing the left column also clears the margin beside it.
    for (int y = 0; y < 15; ++y) map->SetChip(0, y, 0);
    EXPECT_EQ(map->GetCellSprite(-1, 7), nullptr);
    EXPECT_EQ(map->GetCellSprite(0, -1), nullptr);
    // Conveyor chips turn with the clock; switch blocks pulse only when animated.
    map->SetChip(3, 3, 225);
    map->SetChip(4, 3, 59);
    map->Draw(0, 639, 0, 479, 60.0, false);
    EXPECT_NEAR(map->GetCellSprite(3, 3)->angleZ, M_PI, 1e-4);  // half a turn a second
    EXPECT_FLOAT_EQ(map->GetCellSprite(4, 3)->alpha, 1.0f);
    // Animated, a switch block swings between 0.07 and 0.23 around 0.15, once in about 126 ticks,
    // whatever alpha the rest of the map takes.
    double lowest = 1.0, highest = 0.0;
    for (int t = 0; t < 126; ++t) {
        map->DrawWithAlpha(0, 639, 0, 479, t, true, 0.5f);
        const double alpha = map->GetCellSprite(4, 3)->alpha;
        if (t == 0) {
            EXPECT_NEAR(alpha, 0.15, 1e-6);
        }
        lowest = std::min(lowest, alpha);
        highest = std::max(highest, alpha);
    }
    EXPECT_NEAR(lowest, 0.07, 1e-3);
    EXPECT_NEAR(highest, 0.23, 1e-3);
    EXPECT_FLOAT_EQ(map->GetCellSprite(5, 5)->alpha, 0.5f);
    map->ReleaseChipSprites();
    EXPECT_EQ(map->GetCellSprite(5, 5), nullptr);
}

}  // namespace
