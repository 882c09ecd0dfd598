// The world map's manager: walking, doors, treasures, warps, the stages' results, the game over,
// the last boss, and the progress it saves.
#include <cmath>
#include <functional>

#include "controls/Forms.h"
#include "flow/ScenarioStageNamePlate.h"
#include "foundation/ClientInfo.h"
#include "foundation/WindowHelpers.h"
#include "tests/flow/scenario_env.h"

using namespace scenariotest;

namespace {

class MapManager : public ScenarioTest {
  protected:
    // Frames of the manager until `done` holds (at most `limit`); how many it took.
    int FramesUntil(const std::function<bool()>& done, int limit = 400) {
        for (int n = 1; n <= limit; ++n) {
            Frames(1);
            if (done()) return n;
        }
        return -1;
    }
    int State() const { return manager->GetState(); }
    // Enters the stage under the hero and waits until the host is asked to play it.
    void EnterStage() {
        Push(kKeyZ);
        ASSERT_EQ(State(), CScenarioMapManager::kEnteringStage);
        const int frames = FramesUntil([&] { return State() == CScenarioMapManager::kWaitingForStage; });
        EXPECT_GE(frames, 89);
        EXPECT_LE(frames, 91);
    }
};

TEST_F(MapManager, AHeldKeyWalksOnFromCellToCellAndOpensWhatItPasses) {
    Map({{{6, 4}, "b"}, {{7, 4}, "b"}, {{8, 6}, "d"}, {{9, 5}, "b"}});
    Save(5, 5, 3, 0, {});
    StartManager();
    EXPECT_DOUBLE_EQ(manager->GetHeroX(), 440.0);
    Frames(40, {kKeyRight});  // 250 pixels a second: two cells, and the third begun
    EXPECT_EQ(State(), CScenarioMapManager::kWalkRight);
    EXPECT_EQ(manager->GetX(), 8);
    EXPECT_TRUE(Panel(6, 4)->IsOpen());
    EXPECT_TRUE(Panel(7, 4)->IsOpen());
    EXPECT_FALSE(Panel(9, 5)->IsOpen());
    EXPECT_GT(manager->GetWalkTimer(), 39.0);  // one walk across the cells
    FramesUntil([&] { return manager->IsIdle(); });
    EXPECT_EQ(manager->GetX(), 8);
    EXPECT_DOUBLE_EQ(manager->GetHeroX(), 680.0);
    EXPECT_TRUE(Panel(9, 5)->IsOpen());
    EXPECT_TRUE(Panel(8, 6)->IsOpen());
    EXPECT_EQ(manager->GetNamePlate().GetShownName(), "");
}

TEST_F(MapManager, AWallTurnsTheHeroAndZThenUnlocksTheDoorInFrontOnlyWithAKey) {
    Map({{{5, 4}, "f"}, {{5, 5}, "d"}, {{4, 5}, "b"}});
    Save(5, 5, 3, 0, {{{5, 5}, "1"}, {{5, 4}, "1"}, {{4, 5}, "1"}});
    StartManager();
    Push(kKeyLeft, 2);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_EQ(manager->GetFacing(), MapDirection::Left);
    EXPECT_EQ(manager->GetX(), 5);
    Push(kKeyUp, 2);
    EXPECT_EQ(manager->GetFacing(), MapDirection::Up);
    EXPECT_EQ(manager->GetY(), 5);
    // Without a key Z is for the hero's own cell: the stage under him.
    Push(kKeyZ);
    EXPECT_EQ(State(), CScenarioMapManager::kEnteringStage);

    manager.reset();
    Save(5, 5, 3, 1, {{{5, 5}, "1"}, {{5, 4}, "1"}});
    StartManager();
    Push(kKeyUp, 2);
    Push(kKeyZ);
    EXPECT_TRUE(manager->IsIdle());
    auto* door = dynamic_cast<CScenarioMapDoorPanel*>(Panel(5, 4));
    ASSERT_NE(door, nullptr);
    EXPECT_TRUE(door->IsCleared());
    EXPECT_EQ(SaveData()->GetKeyNum(), 0);
    EXPECT_NE(SavedText().find("<keynum>0</keynum>"), std::string::npos);
    Push(kKeyUp);
    EXPECT_EQ(State(), CScenarioMapManager::kWalkUp);  // the way is open at once
}

TEST_F(MapManager, ATreasureIsTakenOnceAndItsWindowHoldsTheMapUntilZ) {
    Map({{{5, 5}, "ek"}, {{14, 3}, "e9"}, {{6, 5}, "b"}});
    Save(5, 5, 3, 0, {{{5, 5}, "1"}, {{14, 3}, "1"}});
    StartManager();
    Push(kKeyZ);
    EXPECT_EQ(State(), CScenarioMapManager::kTreasureTaken);
    EXPECT_EQ(SaveData()->GetKeyNum(), 1);
    EXPECT_NE(SavedText().find("<keynum>1</keynum>"), std::string::npos);
    EXPECT_EQ(manager->GetItemPicture().key, "Objects001");
    const int frames = FramesUntil([&] { return manager->GetBaseForm().GetModalForm() != nullptr; });
    EXPECT_GE(frames, 29);
    EXPECT_LE(frames, 31);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_TRUE(Panel(6, 5)->IsOpen());
    // The way it opened is saved at once, not at the next stage.
    EXPECT_NE(SavedText().find(PanelText({{{5, 5}, "2"}, {{6, 5}, "1"}, {{14, 3}, "1"}})), std::string::npos)
        << SavedText();
    // Everything stands still behind the window; a click does not close it.
    const double timer = manager->GetStateTimer();
    Frames(10, {kKeyRight});
    EXPECT_DOUBLE_EQ(manager->GetStateTimer(), timer);
    EXPECT_EQ(manager->GetX(), 5);
    Push(kKeyZ, 2);
    EXPECT_EQ(manager->GetBaseForm().GetModalForm(), nullptr);
    // Taken: Z does nothing more.
    Push(kKeyZ, 2);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_EQ(SaveData()->GetKeyNum(), 1);

    // A game stopped after the take but before the turn comes back with the way open.
    manager.reset();
    Save(5, 5, 3, 1, {{{5, 5}, "2"}, {{14, 3}, "1"}});
    StartManager();
    EXPECT_TRUE(Panel(6, 5)->IsOpen());

    manager.reset();
    Save(14, 3, 3, 0, {{{14, 3}, "1"}});
    StartManager();
    Push(kKeyZ);
    EXPECT_TRUE(CClientInfo::GetInstance()->IsItemBought("Fish"));
    EXPECT_EQ(SaveData()->GetKeyNum(), 0);
    EXPECT_NE(manager->GetItemMessage().find("さんま祭り"), std::string::npos);
}

TEST_F(MapManager, AWarpLeavesPansTheCameraAndArrivesIn130Frames) {
    Map({{{4, 4}, "k1"}, {{10, 4}, "k1"}, {{10, 5}, "d"}});
    Save(4, 4, 3, 0, {{{4, 4}, "1"}});
    StartManager();
    Push(kKeyZ);
    EXPECT_EQ(State(), CScenarioMapManager::kWarpStart);
    const int leave = FramesUntil([&] { return State() == CScenarioMapManager::kWarpPan; });
    EXPECT_NEAR(leave, 51, 1);
    Frames(15);  // half-way: the camera between both ends
    const double offset = std::tan(3.14159265358979 / 8) * CCamera::GetInstance()->GetBaseScale() * 256;
    const double t = manager->GetStateTimer();
    EXPECT_NEAR(CCamera::GetInstance()->GetTargetX(), 840.0 * t / 30 + (30 - t) / 30 * 360.0, 1.0);
    EXPECT_GT(CCamera::GetInstance()->GetTargetX(), 600.0);
    EXPECT_NEAR(CCamera::GetInstance()->GetTargetY(), 360.0 - offset, 1.0);
    EXPECT_EQ(manager->GetX(), 4);
    const int pan = FramesUntil([&] { return State() == CScenarioMapManager::kWarpArrival; });
    EXPECT_NEAR(15 + pan, 31, 1);
    EXPECT_EQ(manager->GetX(), 10);
    EXPECT_TRUE(Panel(10, 4)->IsOpen());
    EXPECT_TRUE(Panel(10, 5)->IsOpen());
    EXPECT_EQ(manager->GetNamePlate().GetPhase(), CScenarioStageNamePlate::kSlidingOut);  // land 1 to land 5
    EXPECT_NEAR(FramesUntil([&] { return manager->IsIdle(); }), 51, 1);
}

TEST_F(MapManager, AClearedStageKeepsTheLivesOpensItsNeighboursAndIsSaved) {
    Map({{{2, 1}, "d"}, {{2, 2}, "b"}});
    Save(2, 1, 3, 0, {{{2, 1}, "1"}});
    StartManager();
    EnterStage();
    ASSERT_EQ(host.started, std::vector<std::string>{"stage\\scenario\\stage001.stg"});
    EXPECT_EQ(host.startLives, 3);
    Frames(5);  // no result yet
    EXPECT_EQ(State(), CScenarioMapManager::kWaitingForStage);
    host.result = kResultCleared;
    host.lives = 7;
    Frames(1);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_EQ(SaveData()->GetKisuu(), 7);
    EXPECT_TRUE(dynamic_cast<CScenarioMapStageFamilyPanel*>(Panel(2, 1))->IsCleared());
    EXPECT_TRUE(Panel(2, 2)->IsOpen());
    EXPECT_NE(SavedText().find("<kisuu>7</kisuu>"), std::string::npos);
    EXPECT_FALSE(manager->IsLeaveRequested());
}

TEST_F(MapManager, GivingUpKeepsTheLivesUnsavedAndAGameOverEndsTheModeWithFourLives) {
    Map({{{2, 1}, "d"}});
    Save(2, 1, 3, 0, {{{2, 1}, "1"}});
    StartManager();
    EnterStage();
    host.result = kResultAborted;
    host.lives = 2;
    Frames(1);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_EQ(SaveData()->GetKisuu(), 2);
    EXPECT_NE(SavedText().find("<kisuu>3</kisuu>"), std::string::npos);

    EnterStage();
    host.result = kResultFailed;
    Frames(1);
    EXPECT_EQ(State(), CScenarioMapManager::kGameOver);
    EXPECT_NE(SavedText().find("<kisuu>4</kisuu>"), std::string::npos);
    int pose = 0;
    double timer = 0;
    Frames(20);
    manager->GetHeroPose(pose, timer);
    EXPECT_EQ(pose, CScenarioMapHero::kDown);
    Frames(10);
    manager->GetHeroPose(pose, timer);
    EXPECT_EQ(pose, CScenarioMapHero::kCheer);
    EXPECT_NEAR(30 + FramesUntil([&] { return manager->IsLeaveRequested(); }), 51, 1);
}

TEST_F(MapManager, TheLastBossSetsTheClearedFlagAndTheModeEnds70FramesLater) {
    Map({{{16, 10}, "m"}});
    Save(16, 10, 5, 0, {{{16, 10}, "1"}});
    StartManager();
    EnterStage();
    EXPECT_TRUE(manager->IsPlayingLastBoss());
    EXPECT_EQ(host.started.back(), "stage\\scenario\\boss099.stg");
    host.result = kResultCleared;
    host.lives = 5;
    Frames(1);
    EXPECT_EQ(State(), CScenarioMapManager::kLastBossBeaten);
    EXPECT_NE(SavedText().find("<cleared>1</cleared>"), std::string::npos);
    EXPECT_NE(SavedText().find(PanelText({{{16, 10}, "2"}})), std::string::npos);
    EXPECT_NEAR(FramesUntil([&] { return manager->IsLeaveRequested(); }), 71, 1);
}

TEST_F(MapManager, AStageThatCouldNotBeLoadedBringsBackTheMap) {
    Map({{{2, 1}, "d"}});
    Save(2, 1, 3, 0, {{{2, 1}, "1"}});
    StartManager();
    EnterStage();
    host.result = IScenarioStageHost::kNotLoaded;
    Frames(1);
    EXPECT_TRUE(manager->IsIdle());
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kSelectStage);
    Push(kKeyZ);
    EXPECT_EQ(State(), CScenarioMapManager::kEnteringStage);  // and the stage can be tried again
}

TEST_F(MapManager, AFailedSaveIsReportedPlayGoesOnAndTheNextSaveWrites) {
    Map({{{5, 5}, "ek"}, {{6, 5}, "ek"}});
    Save(5, 5, 3, 0, {{{5, 5}, "1"}, {{6, 5}, "1"}});
    StartManager();
    const auto blocker = dir / "data" / "scenario_save.dat";
    std::filesystem::remove(blocker);
    std::filesystem::create_directories(blocker / "in-the-way");
    Push(kKeyZ);
    EXPECT_EQ(State(), CScenarioMapManager::kTreasureTaken);
    ASSERT_FALSE(Headless().Messages().empty());
    EXPECT_NE(Headless().Messages().back().second.find("DEF0302"), std::string::npos);
    EXPECT_NE(LogText().find("DEF0302"), std::string::npos);
    FramesUntil([&] { return manager->GetBaseForm().GetModalForm() != nullptr; });
    Push(kKeyZ, 2);
    std::filesystem::remove_all(blocker);
    Push(kKeyRight);
    FramesUntil([&] { return manager->IsIdle(); });
    Push(kKeyZ);
    EXPECT_NE(SavedText().find("<keynum>2</keynum>"), std::string::npos);
    // The last save, when the map closes, never throws even when it fails.
    std::filesystem::remove(blocker);
    std::filesystem::create_directories(blocker / "in-the-way");
    EXPECT_NO_THROW(manager.reset());
}

TEST_F(MapManager, ClosingTheMapSavesWhereTheHeroStands) {
    Map({});
    Save(5, 5, 3, 0, {});
    StartManager();
    Push(kKeyDown);
    FramesUntil([&] { return manager->IsIdle(); });
    manager.reset();
    EXPECT_NE(SavedText().find("<x>5</x><y>6</y>"), std::string::npos);
}

}  // namespace
