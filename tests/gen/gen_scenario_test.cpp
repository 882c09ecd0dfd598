// The scenario's stages as this build made them into the game folder: each one loads with no
// problem, belongs to the scenario, and neither its start nor any door or warp puts the hero inside
// solid ground.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace {

// The slot of the area whose absolute number is `number`, or -1.
int AreaSlot(const CStage& stage, int number) {
    for (int i = 0; i < stage.GetAreaCount(); ++i) {
        if (stage.GetArea(i)->absoluteAreaNum == number) return i;
    }
    return -1;
}

bool OpenTile(const CStage& stage, int slot, int x, int y) {
    const CStageArea* area = stage.GetArea(slot);
    if (!area || x < 0 || y < 0 || x >= area->GetWidth() || y >= area->GetHeight()) return false;
    SwitchColorStates::Reset();
    return IsPassableChip(area->GetMap()->GetChip(x, y));
}

TEST(ScenarioStages, LoadCleanlyAndNeverPutTheHeroInsideGround) {
    testsupport::TempGameFolder game("quor-scenario");
    fs::create_directories(game.Full("data"));
    fs::copy_file(fs::path(QUOR_GAME_DIR) / "data/stage_objects.dat", game.Full("data/stage_objects.dat"));

    int count = 0;
    for (const std::string& source : gen::ListFiles(QUOR_GEN_SOURCE_DIR "/stages/scenario", ".txt")) {
        const fs::path built =
            fs::path(QUOR_GAME_DIR) / "stage/scenario" / (fs::path(source).stem().string() + ".stg");
        SCOPED_TRACE(built.string());
        std::unique_ptr<CStage> stage = CStage::LoadFromFile(nullptr, built.string(), 0);
        EXPECT_EQ(stage->Validate(true), std::vector<std::string>{});
        EXPECT_EQ(stage->category, StageCategory_Scenario);
        EXPECT_FALSE(stage->name.empty());
        EXPECT_TRUE(OpenTile(*stage, stage->startArea, stage->startX, stage->startY)) << "the start";

        for (int i = 0; i < stage->GetAreaCount(); ++i) {
            const CStageAreaObjectTable* objects = stage->GetArea(i)->GetObjects();
            for (int id = 1; id <= CStageAreaObjectTable::kMaxObjects; ++id) {
                const auto* door = dynamic_cast<const CStageAreaObject_DoorBase*>(objects->GetById(id));
                if (!door) continue;
                const int slot = AreaSlot(*stage, static_cast<int>(door->GetAttribute1()));
                EXPECT_TRUE(OpenTile(*stage, slot, static_cast<int>(door->GetAttribute2()),
                                     static_cast<int>(door->GetAttribute3())))
                    << door->GetKey() << " of area " << i + 1 << " at " << door->GetTileX() << ","
                    << door->GetTileY();
            }
        }
        ++count;
    }
    EXPECT_GE(count, 1);
}

}  // namespace
