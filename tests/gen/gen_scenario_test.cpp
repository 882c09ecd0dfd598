// The scenario stages as this build made them: each loads with no problems, the hero never starts
// or comes out of a door inside rock or in mid-air, every boss file holds its own boss, and every
// object kind is placed somewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageObjectKindTable.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace {

// The boss each boss file stages: the five stick-men in order, then the last boss.
const std::map<std::string, std::string> kBossOfFile = {{"boss001", "BarMan001"}, {"boss002", "BarMan002"},
                                                        {"boss003", "BarMan003"}, {"boss004", "BarMan004"},
                                                        {"boss005", "BarMan005"}, {"boss099", "DevilBar001"}};

// Every placed object of every area.
std::vector<const CStageAreaObject*> AllObjects(const CStage& stage) {
    std::vector<const CStageAreaObject*> all;
    for (int i = 0; i < stage.GetAreaCount(); ++i) {
        const CStageAreaObjectTable* objects = stage.GetArea(i)->GetObjects();
        for (int id = 1; id <= CStageAreaObjectTable::kMaxObjects; ++id) {
            if (const CStageAreaObject* o = objects->GetById(id)) all.push_back(o);
        }
    }
    return all;
}

bool TileInArea(const CStageArea* area, int x, int y) {
    return x >= 0 && y >= 0 && x < area->GetWidth() && y < area->GetHeight();
}

// The hero can stand on this tile: it is open and the tile below bears weight.
bool Standable(const CStageArea* area, int x, int y) {
    return TileInArea(area, x, y + 1) && IsPassableChip(area->GetChip(x, y)) &&
           !IsPassableChipFrom(area->GetChip(x, y + 1), ChipDirection_Down);
}

class ScenarioStages : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(game.Full("data"));
        fs::copy_file(fs::path(QUOR_GAME_DIR) / "data/stage_objects.dat",
                      game.Full("data/stage_objects.dat"));
        for (const std::string& source : gen::ListFiles(QUOR_GEN_SOURCE_DIR "/stages/scenario", ".txt"))
            names.push_back(fs::path(source).stem().string());
        ASSERT_FALSE(names.empty());
    }

    std::unique_ptr<CStage> Load(const std::string& name) {
        const fs::path built = fs::path(QUOR_GAME_DIR) / "stage/scenario" / (name + ".stg");
        return CStage::LoadFromFile(nullptr, built.string(), 0);
    }

    testsupport::TempGameFolder game{"quor-scenario"};
    std::vector<std::string> names;
};

TEST_F(ScenarioStages, LoadCleanlyAsScenarioStages) {
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<CStage> stage = Load(name);
        ASSERT_NE(stage, nullptr);
        EXPECT_EQ(stage->Validate(true), std::vector<std::string>{});
        EXPECT_EQ(stage->category, StageCategory_Scenario);
        EXPECT_FALSE(stage->name.empty());
        EXPECT_FALSE(stage->arrangementPermissionFlag);
    }
}

TEST_F(ScenarioStages, TheHeroStartsAndArrivesOnFirmGround) {
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<CStage> stage = Load(name);
        ASSERT_NE(stage, nullptr);
        EXPECT_TRUE(Standable(stage->GetArea(stage->startArea), stage->startX, stage->startY));
        for (const CStageAreaObject* o : AllObjects(*stage)) {
            const auto* door = dynamic_cast<const CStageAreaObject_DoorBase*>(o);
            if (!door) continue;
            const int slot = door->FindTargetAreaSlot();
            ASSERT_GE(slot, 0) << door->GetKey() << " at " << door->GetTileX() << "," << door->GetTileY();
            const int x = CStageAreaObject::CutToInt(door->GetAttribute2());
            const int y = CStageAreaObject::CutToInt(door->GetAttribute3());
            EXPECT_TRUE(Standable(stage->GetArea(slot), x, y))
                << door->GetKey() << " at " << door->GetTileX() << "," << door->GetTileY() << " leads to "
                << slot + 1 << "," << x << "," << y;
        }
    }
}

TEST_F(ScenarioStages, EveryBossFileHoldsItsOwnBossAlone) {
    std::set<std::string> bossKinds;
    for (const auto& [file, boss] : kBossOfFile) bossKinds.insert(boss);
    int bossStages = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<CStage> stage = Load(name);
        ASSERT_NE(stage, nullptr);
        std::vector<std::string> bosses;
        for (const CStageAreaObject* o : AllObjects(*stage)) {
            if (bossKinds.count(o->GetKey())) bosses.push_back(o->GetKey());
        }
        const auto own = kBossOfFile.find(name);
        if (own == kBossOfFile.end()) {
            EXPECT_EQ(bosses, std::vector<std::string>{});
        } else {
            ++bossStages;
            EXPECT_EQ(bosses, std::vector<std::string>{own->second});
        }
    }
    EXPECT_GT(bossStages, 0);
}

// The scenario shows the player the whole game: every kind an editor can place stands in at least
// one of its stages.
TEST_F(ScenarioStages, EveryObjectKindIsPlacedInSomeStage) {
    std::set<std::string> placed;
    for (const std::string& name : names) {
        std::unique_ptr<CStage> stage = Load(name);
        ASSERT_NE(stage, nullptr) << name;
        for (const CStageAreaObject* o : AllObjects(*stage)) placed.insert(o->GetKey());
    }
    const CStageObjectKindTable kinds;
    int rows = 0;
    for (int kind = 1; kind < CStageObjectKindTable::kMaxKinds; ++kind) {
        const CStageObjectKeyEntry* row = kinds.GetRow(kind);
        if (!row || row->key.empty()) continue;
        ++rows;
        EXPECT_TRUE(placed.count(row->key)) << row->key << " is in no scenario stage";
    }
    EXPECT_EQ(rows, 120);
}

}  // namespace
