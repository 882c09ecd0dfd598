// The world map: reading the map file and the panel text, the panels' progress and enter rules,
// the hero figure's frames, the per-cell tables and the name plate.
#include "flow/ScenarioStageNamePlate.h"
#include "flow/ScenarioTables.h"
#include "tests/common/caught_code.h"
#include "tests/flow/scenario_env.h"

using namespace scenariotest;

namespace {

const std::string kEmptyText = PanelText({});

class MapFile : public ScenarioTest {
  protected:
    std::string BuildCode(const std::string& text, const std::string& panels = kEmptyText) {
        EXPECT_TRUE(WriteEncodedFile("data\\scenario_map.dat", text));
        return CaughtCode([&] { CScenarioMap map(panels); });
    }
    const std::string plain = MapText({}, "c");
};

TEST_F(MapFile, TwelveLinesWithOneNewlineReadAndAnyFurtherLineIsRefused) {
    EXPECT_EQ(BuildCode(plain), "");
    EXPECT_EQ(BuildCode(plain.substr(0, plain.size() - 1)), "");  // no newline at the end
    EXPECT_EQ(BuildCode(plain + "\n"), "IFE0501");                // an empty thirteenth line
    EXPECT_EQ(BuildCode(plain + "a"), "IFE0501");
    // A line of 17 fields leaves its last cell without a code; one of 19 overflows.
    std::string short17 = plain, long19 = plain;
    short17.erase(short17.find('\n') - 2, 2);
    long19.insert(long19.find('\n'), ",a");
    EXPECT_EQ(BuildCode(short17), "IFE0501");
    EXPECT_EQ(BuildCode(long19), "IFE0501");
}

TEST_F(MapFile, LabelsFollowOnlyTreasureAndWarpCodes) {
    for (const char* field : {"e", "e7", "ek", "k1", "kfar"}) {
        SCOPED_TRACE(field);
        EXPECT_EQ(BuildCode(MapText({{{5, 5}, field}}, "c")), "");
    }
    for (const char* field : {"c1", " c", "C", "n", "dd", ""}) {
        SCOPED_TRACE(field);
        EXPECT_EQ(BuildCode(MapText({{{5, 5}, field}}, "c")), "IFE0501");
    }
    std::filesystem::remove(dir / "data" / "scenario_map.dat");  // the build's own map is read again
    EXPECT_EQ(CaughtCode([] { CScenarioMap map(kEmptyText); }), "");
}

TEST_F(MapFile, ThePanelTextIsCheckedBeforeTheMapFile) {
    SetGameFolder(dir.string());  // a game folder without any map file
    EXPECT_EQ(CaughtCode([] { CScenarioMap map(kEmptyText); }), "IFE0500");
    for (const std::string& text :
         {std::string(), kEmptyText.substr(0, kEmptyText.size() - 1), kEmptyText + ":"}) {
        EXPECT_EQ(CaughtCode([&] { CScenarioMap map(text); }), "DEF0301");
    }
}

TEST_F(MapFile, CellsAreFoundByColumnAndRowInsideTheGridOnly) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_map.dat", MapText({{{17, 11}, "m"}, {{3, 2}, "d"}}, "c")));
    CScenarioMap map(kEmptyText);
    EXPECT_EQ(map.GetPanel(-1, 0), nullptr);
    EXPECT_EQ(map.GetPanel(18, 0), nullptr);
    EXPECT_EQ(map.GetPanel(0, 12), nullptr);
    EXPECT_NE(dynamic_cast<CScenarioMapLastBossStagePanel*>(map.GetPanel(17, 11)), nullptr);
    EXPECT_NE(dynamic_cast<CScenarioMapStagePanel*>(map.GetPanel(3, 2)), nullptr);
    EXPECT_NE(dynamic_cast<CScenarioMapOuterWallPanel*>(map.GetPanel(0, 5)), nullptr);
}

TEST_F(MapFile, ThePanelTextComesBackAsItWasSavedWithAnimationsAtTheirEnd) {
    ASSERT_TRUE(WriteEncodedFile(
        "data\\scenario_map.dat",
        MapText({{{2, 2}, "d"}, {{3, 2}, "b"}, {{4, 2}, "k2"}, {{5, 2}, "g"}, {{6, 2}, "e"}}, "c")));
    // Pieces at ground and sea cells are ignored; a wall knows only "1".
    const std::string saved =
        PanelText({{{2, 2}, "2"}, {{3, 2}, "2"}, {{4, 2}, "1"}, {{5, 2}, "1"}, {{1, 1}, "1"}});
    CScenarioMap map(saved);
    EXPECT_EQ(map.MakePanelText(), PanelText({{{2, 2}, "2"}, {{4, 2}, "1"}, {{5, 2}, "1"}}));
    // Opening and revealing panels are saved as they will end.
    map.GetPanel(3, 2)->Open();
    map.GetPanel(6, 2)->Open();
    dynamic_cast<CScenarioMapStageFamilyPanel*>(map.GetPanel(5, 2))->MarkPassed();
    const std::string during = map.MakePanelText();
    EXPECT_EQ(during, PanelText({{{2, 2}, "2"}, {{3, 2}, "1"}, {{4, 2}, "1"}, {{5, 2}, "2"}, {{6, 2}, "1"}}));
    CScenarioMap reread(during);
    EXPECT_EQ(dynamic_cast<CScenarioMapStageFamilyPanel*>(reread.GetPanel(6, 2))->GetState(),
              CScenarioMapStageFamilyPanel::kOpen);
    EXPECT_EQ(dynamic_cast<CScenarioMapRevealedPanel*>(reread.GetPanel(3, 2))->GetReveal(),
              CScenarioMapRevealedPanel::kShown);
    EXPECT_EQ(reread.MakePanelText(), during);
}

// ---- Panels ----

class Panels : public ScenarioTest {};

TEST_F(Panels, AClosedDoorIsShutUntilUnlockedAndPassableAtOnceAfter) {
    CScenarioMapDoorPanel door(3, 3, "");
    EXPECT_FALSE(door.IsOpen());
    EXPECT_FALSE(door.IsCleared());
    for (MapDirection d : {MapDirection::Up, MapDirection::Right, MapDirection::Down, MapDirection::Left})
        EXPECT_FALSE(door.CanEnterMoving(d));
    door.Open();
    EXPECT_FALSE(door.CanEnterFromLeft());  // seen, still locked
    door.MarkCleared();
    EXPECT_EQ(door.GetState(), CScenarioMapStageFamilyPanel::kClearing);
    EXPECT_TRUE(door.CanEnterFromLeft());
    EXPECT_TRUE(door.OpensNeighboursOnArrival());
    for (int i = 0; i < 29; ++i) door.Update();
    EXPECT_EQ(door.GetState(), CScenarioMapStageFamilyPanel::kClearing);  // the timer must pass 30 frames
    door.Update();
    door.Update();
    EXPECT_EQ(door.GetState(), CScenarioMapStageFamilyPanel::kCleared);
}

TEST_F(Panels, MarkClearedOnAClosedStageSkipsTheRevealWhileMarkPassedNeedsItOpen) {
    CScenarioMapStagePanel stage(3, 3, "");
    stage.MarkCleared();
    EXPECT_EQ(stage.GetState(), CScenarioMapStageFamilyPanel::kClearing);
    EXPECT_EQ(stage.GetStateText(), "2");
    CScenarioMapDirectionToUpPanel arrow(3, 4, "");
    arrow.MarkPassed();
    EXPECT_EQ(arrow.GetState(), CScenarioMapStageFamilyPanel::kClosed);
    // Opening an open panel changes nothing.
    CScenarioMapTakaraPanel chest(4, 4, "1");
    chest.Open();
    EXPECT_EQ(chest.GetState(), CScenarioMapStageFamilyPanel::kOpen);
    EXPECT_DOUBLE_EQ(chest.GetTimer(), 0.0);
}

TEST_F(Panels, AnUpArrowRefusesTheHeroFromAboveUntilHeHasStoodOnIt) {
    CScenarioMapDirectionToUpPanel arrow(3, 3, "1");
    EXPECT_FALSE(arrow.CanEnterMoving(MapDirection::Down));
    EXPECT_TRUE(arrow.CanEnterMoving(MapDirection::Up));
    EXPECT_TRUE(arrow.CanEnterMoving(MapDirection::Left));
    EXPECT_TRUE(arrow.CanEnterMoving(MapDirection::Right));
    arrow.MarkPassed();
    EXPECT_TRUE(arrow.CanEnterMoving(MapDirection::Down));
    // Each arrow refuses the side it points to.
    EXPECT_FALSE(CScenarioMapDirectionToRightPanel(1, 1, "1").CanEnterMoving(MapDirection::Left));
    EXPECT_FALSE(CScenarioMapDirectionToDownPanel(1, 1, "1").CanEnterMoving(MapDirection::Up));
    EXPECT_FALSE(CScenarioMapDirectionToLeftPanel(1, 1, "1").CanEnterMoving(MapDirection::Right));
    EXPECT_TRUE(CScenarioMapDirectionToLeftPanel(1, 1, "1").CanEnterMoving(MapDirection::Left));
}

TEST_F(Panels, WallsAndWarpsTurnOverOnceAndOnlyWarpsLetTheHeroIn) {
    CScenarioMapWallPanel wall(1, 1, "");
    CScenarioMapWarpPanel warp(2, 1, "");
    EXPECT_FALSE(warp.CanEnterFromAbove());
    wall.Open();
    warp.Open();
    EXPECT_TRUE(warp.CanEnterFromAbove());  // already while it turns
    EXPECT_FALSE(wall.CanEnterFromAbove());
    EXPECT_EQ(wall.GetStateText(), "1");
    for (int i = 0; i < 31; ++i) wall.Update();
    EXPECT_EQ(wall.GetReveal(), CScenarioMapRevealedPanel::kShown);
    CScenarioMapPlanePanel ground(1, 1);
    EXPECT_TRUE(ground.CanEnterFromBelow());
    EXPECT_EQ(ground.GetStateText(), "");
    EXPECT_FALSE(CScenarioMapOuterWallPanel(0, 0).CanEnterFromBelow());
}

// ---- The hero figure ----

TEST(MapHero, PosesPickTheirFramesByTimer) {
    int left = -1, top = -1;
    EXPECT_FALSE(CScenarioMapHero::FrameOf(0, 0, left, top));
    EXPECT_FALSE(CScenarioMapHero::FrameOf(9, 0, left, top));
    ASSERT_TRUE(CScenarioMapHero::FrameOf(CScenarioMapHero::kDown, 35, left, top));  // the other step
    EXPECT_EQ(left, 80);
    EXPECT_EQ(top, 80);
    ASSERT_TRUE(CScenarioMapHero::FrameOf(CScenarioMapHero::kRight, 12, left, top));
    EXPECT_EQ(left, 40);
    EXPECT_EQ(top, 40);
    ASSERT_TRUE(CScenarioMapHero::FrameOf(CScenarioMapHero::kEntering, 7, left, top));
    EXPECT_EQ(top, 40);
    ASSERT_TRUE(CScenarioMapHero::FrameOf(CScenarioMapHero::kWarpLeave, 42, left, top));
    EXPECT_EQ(top, 80);
    EXPECT_FALSE(CScenarioMapHero::FrameOf(CScenarioMapHero::kWarpLeave, 44, left, top));
    ASSERT_TRUE(CScenarioMapHero::FrameOf(CScenarioMapHero::kWarpArrive, 44, left, top));
    EXPECT_EQ(left, 0);
    EXPECT_EQ(top, 0);
}

// ---- Tables ----

TEST(ScenarioTables, LandsFollowTheirRulesInOrder) {
    EXPECT_EQ(GetScenarioLandNumber(6, 2), 0);  // before the rule of its neighbours
    EXPECT_EQ(GetScenarioLandNumber(7, 2), 1);
    EXPECT_EQ(GetScenarioLandNumber(6, 3), 1);
    EXPECT_EQ(GetScenarioLandNumber(8, 7), 2);
    EXPECT_EQ(GetScenarioLandNumber(1, 9), 3);
    EXPECT_EQ(GetScenarioLandNumber(0, 6), 4);
    EXPECT_EQ(GetScenarioLandNumber(10, 4), 5);
    EXPECT_EQ(GetScenarioLandNumber(17, 0), 6);
    EXPECT_EQ(GetScenarioLandNumber(16, 10), 7);
    EXPECT_EQ(GetScenarioLandNumber(0, 11), 0);   // no rule holds it
    EXPECT_EQ(GetScenarioLandNumber(-5, 40), 0);  // nor one outside the grid
    EXPECT_STREQ(GetScenarioLand(9).name, GetScenarioLand(0).name);
}

TEST(ScenarioTables, TreasuresAndWarps) {
    EXPECT_STREQ(GetScenarioTreasure(14, 3).item, "Fish");
    EXPECT_STREQ(GetScenarioTreasure(3, 3).item, "");  // a door key
    int x = 0, y = 0;
    GetScenarioWarpDestination(15, 10, x, y);
    EXPECT_EQ(x, 8);
    EXPECT_EQ(y, 10);
    GetScenarioWarpDestination(5, 5, x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
}

// ---- The name plate ----

class NamePlate : public ScenarioTest {};

TEST_F(NamePlate, TheSameLandChangesTheNameAtOnceAnotherSlidesOutAndBack) {
    CScenarioStageNamePlate plate(0, "はじまりの　おか");
    plate.SetStage(0, "");
    EXPECT_EQ(plate.GetShownName(), "");
    EXPECT_EQ(plate.GetPhase(), CScenarioStageNamePlate::kStill);
    plate.SetStage(1, "らくせき　ちたい");
    EXPECT_EQ(plate.GetPhase(), CScenarioStageNamePlate::kSlidingOut);
    // A little over 4 pixels a frame: past 64 at the 16th frame, when the new land shows.
    for (int i = 0; i < 15; ++i) plate.Update();
    EXPECT_EQ(plate.GetShownLand(), 0);
    plate.Update();
    EXPECT_EQ(plate.GetShownLand(), 1);
    EXPECT_EQ(plate.GetShownName(), "らくせき　ちたい");
    EXPECT_EQ(plate.GetPhase(), CScenarioStageNamePlate::kSlidingIn);
}

TEST_F(NamePlate, AnotherLandWhileSlidingInTurnsThePlateBackAtItsOffset) {
    CScenarioStageNamePlate plate(0, "");
    plate.SetStage(1, "a");
    for (int i = 0; i < 20; ++i) plate.Update();  // out in 16 frames, then 4 frames back up
    ASSERT_EQ(plate.GetPhase(), CScenarioStageNamePlate::kSlidingIn);
    const double offset = plate.GetOffset();
    plate.SetStage(2, "b");
    EXPECT_EQ(plate.GetPhase(), CScenarioStageNamePlate::kSlidingOut);
    EXPECT_DOUBLE_EQ(plate.GetOffset(), offset);
    // Two lands in a row while sliding out: the last one shows.
    plate.SetStage(3, "c");
    while (plate.GetPhase() == CScenarioStageNamePlate::kSlidingOut) plate.Update();
    EXPECT_EQ(plate.GetShownLand(), 3);
    while (plate.GetPhase() != CScenarioStageNamePlate::kStill) plate.Update();
    EXPECT_DOUBLE_EQ(plate.GetOffset(), 0.0);
}

}  // namespace
