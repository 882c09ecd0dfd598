// From placed records to live blocks and hazards: each record of these kinds makes its class
// through the registered creators, with the position, direction, timing, turn, start angle and
// content it carries; a broken block and an exploded floating bomb keep their records from
// spawning again, an exploded switch bomb does not.
#include <cmath>
#include <memory>

#include "foundation/Geometry.h"
#include "gimmicks/Batteries.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/GearAndHouse.h"
#include "gimmicks/GimmickKinds.h"
#include "gimmicks/IronBallAndBombs.h"
#include "stage/StageAreaObject.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

const char* const kKinds[] = {
    "WoodBlock001",    "WoodBlock002",  "WoodBlock003", "WoodBlock004", "StoneBlock001", "StoneBlock002",
    "StoneBlock003",   "StoneBlock004", "Battery001",   "Battery002",   "Battery003",    "Battery004",
    "Burner001",       "Burner002",     "Burner003",    "Burner004",    "IronBall001",   "SwitchBomb001",
    "FloatingBomb001", "AirGear001",    "AirGear002",   "House001"};

class PlacedKinds : public HazardWorld {
  protected:
    void SetUp() override {
        HazardWorld::SetUp();
        if (HasFatalFailure()) return;
        ClearLiveObjectCreators();
        RegisterGimmickKinds();
        std::string kinds = ",,\n";
        for (const char* k : kKinds) kinds += std::string(k) + "," + k + ",gimmick\n";
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", kinds));
        // A second area whose records the objects are made from, played as the current one.
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        auto objects = std::make_unique<CStageAreaObjectTable>(stage.get());
        table = objects.get();
        ASSERT_TRUE(stage->AppendArea(std::make_unique<CStageArea>(
            stage.get(), std::move(map), std::move(objects), "placed", 0, 0, 0, 1)));
        stage->currentArea = 1;
    }

    // Makes the live object of the record placed on the tile, the way the spawner does.
    template <class T>
    T* Make(const std::string& key, int tx, int ty, double a1 = 0, const std::string& text = "") {
        EXPECT_TRUE(table->Add(key, tx, ty, a1, 0, 0, 0, text)) << key;
        CStageAreaObject* record = table->GetAt(tx, ty);
        if (!record) return nullptr;
        LiveObjectSpec spec = record->GetStartObjectSpec(false);
        if (spec.IsNone()) spec = record->GetObjectSpec(false);
        std::unique_ptr<IBase> made = CreateLiveObject(spec, record->GetOwnerStage());
        if (!made) return nullptr;
        made->SetAreaObjectId(table->GetIdAt(tx, ty));
        T* typed = dynamic_cast<T*>(made.get());
        CObjectRegistry::GetInstance()->Add(std::move(made));
        EXPECT_NE(typed, nullptr) << key;
        return typed;
    }

    CStageAreaObjectTable* table = nullptr;
};

TEST_F(PlacedKinds, BlocksStandOnTheBottomOfTheirTileAndTheBoxKeepsItsContent) {
    auto* wood = Make<CWoodBlock001>("WoodBlock001", 3, 10);
    EXPECT_EQ(wood->GetLeft(), 97.0);
    EXPECT_EQ(wood->GetBottom(), 352.0);
    auto* box = Make<CWoodBlock002>("WoodBlock002", 6, 10, 0, "Propeller");
    EXPECT_EQ(box->content, "Propeller");
    auto* tall = Make<CStoneBlock004>("StoneBlock004", 9, 10);
    EXPECT_EQ(tall->GetTop(), 272.0);
    EXPECT_EQ(tall->GetBottom(), 352.0);
    int column = 12;
    for (const char* key :
         {"WoodBlock003", "WoodBlock004", "StoneBlock001", "StoneBlock002", "StoneBlock003"}) {
        EXPECT_NE(Make<CBlockBase>(key, column, 14), nullptr);
        column += 3;
    }
}

TEST_F(PlacedKinds, FixturesGetTheirDirectionAndTimingAndSitOnTheirSideOfTheTile) {
    auto* up = Make<CNormalBattery>("Battery001", 4, 10, 1);
    EXPECT_EQ(up->direction, 0);
    EXPECT_EQ(up->timing, 1);
    EXPECT_EQ(up->GetBottom(), 352.0);  // stands on the bottom of its tile
    auto* left = Make<CBurner>("Burner004", 6, 10, 7);
    EXPECT_EQ(left->direction, 3);
    EXPECT_EQ(left->timing, 3);
    EXPECT_EQ(left->GetRight(), 224.0);  // fixed to its tile's right side
    auto* down = Make<CBurner>("Burner003", 8, 10, 2.9);
    EXPECT_EQ(down->timing, 2);
    EXPECT_EQ(down->GetTop(), 320.0);
}

TEST_F(PlacedKinds, GearsStartAtTheirTimingsAngleAndTheOtherHazardsAreMade) {
    auto* g1 = Make<CAirGear>("AirGear001", 5, 10, 1);
    EXPECT_EQ(g1->turn, 0);
    EXPECT_NEAR(g1->startAngle, kPi / 2, 1e-12);
    EXPECT_EQ(g1->startX, 176.0);
    auto* g2 = Make<CAirGear>("AirGear002", 8, 10, 2);
    EXPECT_EQ(g2->turn, 1);
    EXPECT_NEAR(g2->startAngle, 2 * kPi, 1e-12);
    auto* house = Make<CDevilHouse>("House001", 12, 10);
    EXPECT_EQ(house->x, 32.0 * 12 - 16);
    EXPECT_EQ(house->GetBottom(), 352.0);
    EXPECT_EQ(Make<CIronBall>("IronBall001", 16, 10)->centerX, 32.0 * 16 + 16);
    EXPECT_EQ(Make<CSwitchBomb>("SwitchBomb001", 20, 10)->GetBottom(), 350.0);
    EXPECT_EQ(Make<CFloatingBomb>("FloatingBomb001", 24, 10)->centerY, 336.0);
}

TEST_F(PlacedKinds, WhatIsDestroyedForGoodStaysGoneForTheVisit) {
    auto* block = Make<CWoodBlock001>("WoodBlock001", 3, 10);
    auto* mine = Make<CFloatingBomb>("FloatingBomb001", 8, 10);
    auto* bomb = Make<CSwitchBomb>("SwitchBomb001", 12, 10);
    auto* stone = Make<CStoneBlock002>("StoneBlock002", 16, 10);
    block->ReceiveAttack(Blow(20));
    mine->Explode();
    bomb->Explode();
    stone->ReceiveAttack(Blow(999, {kAttackPowerHit}));
    EXPECT_FALSE(table->CanSpawn(table->GetIdAt(3, 10)));
    EXPECT_FALSE(table->CanSpawn(table->GetIdAt(8, 10)));
    EXPECT_TRUE(table->CanSpawn(table->GetIdAt(12, 10)));
    EXPECT_TRUE(table->CanSpawn(table->GetIdAt(16, 10)));
}

}  // namespace
