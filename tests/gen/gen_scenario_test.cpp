// The scenario stages as this build made them: each loads with no problems, the hero never starts
// or comes out of a door inside rock or in mid-air, and a boss stage ends only when its boss
// falls, its goal being walled in where no one can walk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace {

const std::set<std::string> kBossKinds = {"BarMan001", "BarMan002", "BarMan003",
                                          "BarMan004", "BarMan005", "DevilBar001"};

// Every placed object of every area, with its area.
struct Placed {
    const CStageArea* area;
    const CStageAreaObject* object;
};

std::vector<Placed> AllObjects(const CStage& stage) {
    std::vector<Placed> all;
    for (int i = 0; i < stage.GetAreaCount(); ++i) {
        const CStageAreaObjectTable* objects = stage.GetArea(i)->GetObjects();
        for (int id = 1; id <= CStageAreaObjectTable::kMaxObjects; ++id) {
            if (const CStageAreaObject* o = objects->GetById(id)) all.push_back({stage.GetArea(i), o});
        }
    }
    return all;
}

bool Inside(const CStageArea* area, int x, int y) {
    return x >= 0 && y >= 0 && x < area->GetWidth() && y < area->GetHeight();
}

// The hero can stand on this tile: it is open and the tile below bears weight.
bool Standable(const CStageArea* area, int x, int y) {
    return Inside(area, x, y + 1) && IsPassableChip(area->GetChip(x, y)) &&
           !IsPassableChipFrom(area->GetChip(x, y + 1), ChipDirection_Down);
}

// No one walks into this tile: every side is rock or the area's edge.
bool WalledIn(const CStageArea* area, int x, int y) {
    const int sides[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& s : sides) {
        const int nx = x + s[0], ny = y + s[1];
        if (Inside(area, nx, ny) && IsPassableChip(area->GetChip(nx, ny))) return false;
    }
    return true;
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
        for (const Placed& p : AllObjects(*stage)) {
            const auto* door = dynamic_cast<const CStageAreaObject_DoorBase*>(p.object);
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

TEST_F(ScenarioStages, ABossStageEndsOnlyWithItsBoss) {
    int bossStages = 0;
    for (const std::string& name : names) {
        if (name.rfind("boss", 0) != 0) continue;
        SCOPED_TRACE(name);
        ++bossStages;
        std::unique_ptr<CStage> stage = Load(name);
        ASSERT_NE(stage, nullptr);
        int bosses = 0;
        for (const Placed& p : AllObjects(*stage)) {
            if (kBossKinds.count(p.object->GetKey())) ++bosses;
            if (p.object->GetKey() == "Goal") {
                EXPECT_TRUE(WalledIn(p.area, p.object->GetTileX(), p.object->GetTileY()));
            }
        }
        EXPECT_EQ(bosses, 1);
    }
    EXPECT_GT(bossStages, 0);
}

}  // namespace
