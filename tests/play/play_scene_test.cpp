// The play scene: its states from the intro to the close, misses and restarts, area changes, the
// services objects ask of it, and a stage played to its goal with held keys.
#include <climits>
#include <filesystem>

#include "engine/Camera.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/ClientInfo.h"
#include "foundation/PlayHistory.h"
#include "foundation/Random.h"
#include "play/Spawner.h"
#include "tests/play/play_scene_env.h"

using namespace playtest;

namespace {
bool MusicAsked(int id) {
    const CMusicPlayer* player = CMusicPlayer::GetInstance();
    return player->GetPendingMusic() == id ||
           (player->GetPendingMusic() <= 0 && player->GetCurrentMusic() == id);
}
}  // namespace

// ---- Intro and the start of play ----

TEST_F(SceneTest, IntroRunsSilentFor180FramesThenPlaysTheAreaMusic) {
    Play(MakeStage(), kPlayNormal, 2);
    EXPECT_EQ(scene->GetState(), kSceneIntro);
    EXPECT_TRUE(MusicAsked(MusicId::kNone));
    const int frames = StepsUntil(kScenePlaying, 400);
    EXPECT_GE(frames, 180);
    EXPECT_LE(frames, 182);
    EXPECT_TRUE(MusicAsked(7));
}

TEST_F(SceneTest, ZSkipsTheIntroFromItsHalfAndRunsDoubleSpeed) {
    Play(MakeStage(), kPlayNormal, 2);
    Steps(10);
    Push(InputCode::kZ);
    const int rest = StepsUntil(kScenePlaying, 400);
    // From 90 at double speed: about 45 more frames.
    EXPECT_GE(rest, 40);
    EXPECT_LE(rest, 48);
}

TEST_F(SceneTest, TestPlayStartsPlayingWithTheAreaMusic) {
    Play(MakeStage(), kPlayTest, 0);
    EXPECT_EQ(scene->GetState(), kScenePlaying);
    EXPECT_TRUE(MusicAsked(7));
    ASSERT_NE(scene->GetHeroObject(), nullptr);
    EXPECT_DOUBLE_EQ(scene->GetHeroObject()->x, kStartX * 32.0);
    EXPECT_EQ(scene->GetCaption(), "試験");
}

// ---- Misses, restarts and the end of play ----

TEST_F(SceneTest, MissWithLivesRestartsAtTheCheckpointOnAFreshCopy) {
    auto s = MakeStage(2);
    ASSERT_TRUE(Objects(*s, 1).Add("Flag", 30, 12));
    Play(std::move(s), kPlayNormal, 1);
    StepsUntil(kScenePlaying, 400);
    CStage* before = scene->GetStage();
    // The flag's record was used up in this play; the restart brings it back.
    Objects(*before, 1).SetSpawnFlag(1, false);
    scene->SetCheckpoint(1, 20, kStartY);
    scene->OnHeroBeaten();
    EXPECT_EQ(scene->GetState(), kSceneHeroBeaten);
    EXPECT_EQ(StepsUntil(kSceneAfterRestart, 200), 109);
    EXPECT_EQ(scene->GetLives(), 0);
    EXPECT_EQ(scene->GetMissCount(), 1);
    EXPECT_EQ(scene->GetCurrentAreaIndex(), 1);
    EXPECT_TRUE(Objects(*scene->GetStage(), 1).CanSpawn(1));
    ASSERT_NE(scene->GetHeroObject(), nullptr);
    EXPECT_DOUBLE_EQ(scene->GetHeroObject()->x, 640.0);
    EXPECT_EQ(scene->GetHeroObject()->GetWeapon().weaponKind, kWeaponBroom);
    EXPECT_NEAR(StepsUntil(kScenePlaying, 100), 31, 1);
}

TEST_F(SceneTest, MissWithoutLivesIsGameOverThenFailure) {
    Play(MakeStage(), kPlayNormal, 0);
    StepsUntil(kScenePlaying, 400);
    scene->OnHeroFellOut();
    scene->OnHeroBeaten();  // a second call in the same frame changes nothing
    EXPECT_EQ(scene->GetState(), kSceneHeroFellOut);
    EXPECT_GT(StepsUntil(kSceneGameOver, 200), 0);
    EXPECT_FALSE(Closed());
    Steps(200);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultFailed);
}

TEST_F(SceneTest, TestPlayMissWithoutLivesClosesWithFailure) {
    Play(MakeStage(), kPlayTest, 0);
    scene->OnHeroBeaten();
    Steps(120);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultFailed);
}

TEST_F(SceneTest, KeysAndOpenedDoorsOutliveARestart) {
    auto s = MakeStage();
    ASSERT_TRUE(Objects(*s).Add("Key", kStartX, kStartY));  // under the hero: taken at once
    Play(std::move(s), kPlayTest, 3);
    Steps(2);
    EXPECT_EQ(scene->GetKeyCount(), 1);
    EXPECT_TRUE(scene->IsKeyCollected(0, 1));
    scene->AddOpenedKeyDoor(0, 9);
    scene->OnHeroBeaten();
    Steps(120);
    EXPECT_EQ(scene->GetState(), kScenePlaying);  // test play goes on at once
    EXPECT_EQ(scene->GetKeyCount(), 1);
    EXPECT_TRUE(scene->IsKeyDoorOpened(0, 9));
    EXPECT_FALSE(CObjectRegistry::GetInstance()->IsIdSlotUsed(1));  // the key never comes back
}

TEST_F(SceneTest, PauseResumesAbortsOrRestartsTestPlay) {
    Play(MakeStage(), kPlayTest, 0);
    Push(InputCode::kSpace);
    EXPECT_EQ(scene->GetState(), kScenePaused);
    scene->RequestWeaponChange(kWeaponMallet);  // waits for the pause to end
    Push(InputCode::kSpace);
    Step();
    EXPECT_EQ(scene->GetState(), kSceneWeaponChange);
    EXPECT_EQ(scene->GetHeroObject()->weaponKind, kWeaponMallet);
    StepsUntil(kScenePlaying, 60);
    Push(InputCode::kSpace);
    Push(InputCode::kF1 + 1);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultRestart);
}

TEST_F(SceneTest, F1AbortsAndTheEndLeavesTheRelationTableAlone) {
    Play(MakeStage(), kPlayNormal, 0);
    StepsUntil(kScenePlaying, 400);
    Push(InputCode::kSpace);
    Push(InputCode::kF1);
    EXPECT_EQ(host->closedResult, kResultAborted);
    // Deleting the closed scene must not read the table again.
    std::filesystem::remove(dir / "data" / "obje_relation.dat");
    EXPECT_NO_THROW(Step());
    EXPECT_EQ(host->GetChild(), nullptr);
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 0);
}

// ---- Area changes and warps ----

TEST_F(SceneTest, WarpKeepsTheWeaponAndActsOnlyWhilePlaying) {
    Play(MakeStage(2), kPlayTest, 0);
    EXPECT_FALSE(scene->RequestWarp(42, 1, 1, false));
    scene->RequestWeaponChange(kWeaponHose);
    StepsUntil(kScenePlaying, 60);
    ASSERT_TRUE(scene->RequestWarp(11, 8, kStartY, false));
    EXPECT_EQ(scene->GetState(), kSceneAreaChange);
    EXPECT_FALSE(scene->RequestWarp(10, 1, 1, false));  // a second door in the change does nothing
    EXPECT_GT(StepsUntil(kSceneAreaEntered, 40), 0);
    EXPECT_EQ(scene->GetCurrentAreaIndex(), 1);
    EXPECT_EQ(scene->GetHeroObject()->weaponKind, kWeaponHose);
    EXPECT_DOUBLE_EQ(scene->GetHeroObject()->x, 256.0);
    EXPECT_TRUE(MusicAsked(8));
    EXPECT_GT(StepsUntil(kScenePlaying, 40), 0);
    scene->OnGoalReached();
    EXPECT_FALSE(scene->RequestWarp(10, 1, 1, true));
    EXPECT_EQ(scene->GetState(), kSceneGoal);
}

// Targets a damaged stage file can hold (cut to ints by the door's record): only a tile of the
// target area's 160 x 15 map is a place to go; anything else changes nothing, like a missing area.
TEST_F(SceneTest, WarpToATileOutsideTheTargetAreaIsRefused) {
    Play(MakeStage(2), kPlayTest, 0);
    StepsUntil(kScenePlaying, 60);
    const int outside[][2] = {{INT_MAX, 5}, {5, INT_MAX}, {INT_MIN, 5}, {-1, 5}, {160, 5}, {5, 15}, {5, -1}};
    for (const auto& t : outside) {
        EXPECT_FALSE(scene->RequestWarp(11, t[0], t[1], false)) << t[0] << "," << t[1];
        EXPECT_EQ(scene->GetState(), kScenePlaying);
    }
    ASSERT_TRUE(scene->RequestWarp(11, 159, 14, false));  // the far corner is still inside
    EXPECT_GT(StepsUntil(kSceneAreaEntered, 40), 0);
    EXPECT_EQ(scene->GetCurrentAreaIndex(), 1);
    EXPECT_DOUBLE_EQ(scene->GetHeroObject()->x, 159 * 32.0);
}

// ---- Services ----

TEST_F(SceneTest, LivesStopAt99) {
    Play(MakeStage(), kPlayTest, 98);
    scene->AddLife();
    scene->AddLife();
    EXPECT_EQ(scene->GetLives(), 99);
}

TEST_F(SceneTest, HigherZoomChannelsOverrideLowerOnes) {
    Play(MakeStage(), kPlayTest, 0);
    CCamera* camera = CCamera::GetInstance();
    scene->SetZoomOverride(2, 2.0f, 0);
    scene->SetZoomOverride(0, 3.0f, 0);
    scene->SetZoomOverride(1, 4.0f, 0);
    EXPECT_FLOAT_EQ(camera->GetZoomRate(), 2.0f);
    scene->ClearZoomOverride(1, 0);
    EXPECT_FLOAT_EQ(camera->GetZoomRate(), 2.0f);
    scene->ClearZoomOverride(2, 0);
    EXPECT_FLOAT_EQ(camera->GetZoomRate(), 3.0f);
    scene->ClearZoomOverride(0, 0);
    EXPECT_FLOAT_EQ(camera->GetZoomRate(), camera->GetBaseScale());
    EXPECT_FALSE(scene->IsZoomOverrideActive(0));
}

TEST_F(SceneTest, BossesRegisterOnlyInNormalPlay) {
    Play(MakeStage(), kPlayTest, 0);
    scene->RegisterBoss(scene->GetHeroObject());
    Step();
    EXPECT_EQ(scene->GetState(), kScenePlaying);
    scene->OnBossDefeated();
    EXPECT_EQ(scene->GetState(), kScenePlaying);
}

TEST_F(SceneTest, WeatherStartsASetAndAddsOneParticleAtItsInterval) {
    int made = 0;
    RegisterLiveObjectCreator("CWeatherRain",
                              [&made](CStage* s, double px, double py, const LiveObjectArgs&) {
                                  ++made;
                                  return std::unique_ptr<IBase>(std::make_unique<Thing>(s, px, py, 2, 2, 0));
                              });
    Play(MakeStage(1, 1, kWeatherRain), kPlayTest, 0);
    EXPECT_EQ(made, 10);
    Steps(10);
    EXPECT_EQ(made, 12);  // one after each stretch of more than 4 frames
    scene->SetWeather(kWeatherNone);
    Steps(10);
    EXPECT_EQ(made, 12);
}

// A falling rock draws its speed, then its place: the same order on every compiler, so that a
// recorded play replays.
TEST_F(SceneTest, FallingRockDrawsItsSpeedBeforeItsPlace) {
    double rockX = -1, rockSpeed = -1;
    RegisterLiveObjectCreator("CFallingRock", [&](CStage* s, double px, double py, const LiveObjectArgs& a) {
        rockX = px;
        rockSpeed = LiveArg(a, 0, 0.0);
        return std::unique_ptr<IBase>(std::make_unique<Thing>(s, px, py, 2, 2, 0));
    });
    Play(MakeStage(1, 1, kWeatherRock), kPlayTest, 0);
    for (int i = 0; i < 200 && rockX < 0; ++i) {
        SeedRandom(4242);  // nothing else in this quiet stage draws
        Step();
    }
    ASSERT_GE(rockX, 0) << "no rock fell";
    const CCamera* camera = CCamera::GetInstance();
    const int left = static_cast<int>(camera->ScreenToWorldX(0, 0));
    const int right = static_cast<int>(camera->ScreenToWorldX(640, 480));
    // Somewhere in the frame's draws (the camera draws its shake first) come the speed, then the
    // place; the other order would not give these two values.
    const auto drawnInOrder = [&](bool speedFirst) {
        for (int skip = 0; skip < 16; ++skip) {
            SeedRandom(4242);
            for (int i = 0; i < skip; ++i) RandomRange(0, 1);
            const int first = speedFirst ? RandomRange(-130, 130) : RandomRange(left + 16, right - 16);
            const int second = speedFirst ? RandomRange(left + 16, right - 16) : RandomRange(-130, 130);
            if ((speedFirst ? first : second) == rockSpeed && (speedFirst ? second : first) == rockX)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(drawnInOrder(true)) << rockSpeed << " " << rockX;
    EXPECT_FALSE(drawnInOrder(false));
}

// ---- Shared stages: evaluation and the play history ----

TEST_F(SceneTest, SharedStageIsPlayedToItsGoalAndRated) {
    CClientInfo::GetInstance()->SetSendingPermission(true);
    auto s = MakeStage();
    ASSERT_TRUE(Objects(*s).Add("Goal", 12, kStartY));
    Play(std::move(s), kPlayShared, 2);
    StepsUntil(kScenePlaying, 400);
    EXPECT_GT(StepsUntil(kSceneGoal, 300, {InputCode::kRight}), 0);
    EXPECT_GT(StepsUntil(kSceneEvaluation, 200), 0);
    for (int i = 0; i < 4; ++i) Push(InputCode::kRight);
    EXPECT_EQ(scene->GetEvaluation(), 100);
    for (int i = 0; i < 6; ++i) Push(InputCode::kLeft);
    EXPECT_EQ(scene->GetEvaluation(), 20);
    Push(InputCode::kRight);
    Push(InputCode::kZ);
    Steps(40);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultCleared);
    const auto& records = CPlayHistory::GetInstance()->GetRecords();
    ASSERT_EQ(records.count("77"), 1u);
    EXPECT_DOUBLE_EQ(records.at("77").rating, 40.0);
    EXPECT_DOUBLE_EQ(records.at("77").misses, 0.0);
    EXPECT_GT(records.at("77").playTicks, 10.0);
}

// The rain's loop stops under the pause panel and starts again when play goes on.
TEST_F(SceneTest, PausingSilencesTheRainUntilPlayGoesOn) {
    CSoundEffects* se = LoadBuiltSoundEffects();
    Play(MakeStage(1, 1, kWeatherRain), kPlayTest, 0);
    Step();
    ASSERT_TRUE(se->IsPlaying(SoundId::kRain));
    Push(InputCode::kSpace);
    ASSERT_EQ(scene->GetState(), kScenePaused);
    EXPECT_FALSE(se->IsPlaying(SoundId::kRain));
    Steps(200);  // longer than the loop's 160 frames: nothing starts it again meanwhile
    EXPECT_FALSE(se->IsPlaying(SoundId::kRain));
    Push(InputCode::kSpace);
    ASSERT_EQ(scene->GetState(), kScenePlaying);
    EXPECT_TRUE(se->IsPlaying(SoundId::kRain));
    se->StopAll();
}

// ---- Bosses ----

namespace {
// Enters for a set number of frames; says whether it ends the game.
class StandInBoss : public IBoss {
  public:
    StandInBoss(CStage* s, int entranceFrames, bool final)
        : IBoss(s, 300, 300), left(entranceFrames), last(final) {
        width = height = 40;
    }
    void Act() override {}
    void CollideWithMap() override {}
    void Draw() override {}
    bool EntranceStep() override { return --left <= 0; }
    bool IsFinalBoss() override { return last; }
    int left;
    bool last;
};

// Normal play, with a stand-in boss that the scene has been told of.
class BossSceneTest : public SceneTest {
  protected:
    StandInBoss* PlayWithBoss(int entranceFrames, bool final) {
        Play(MakeStage(), kPlayNormal, 0);
        StepsUntil(kScenePlaying, 400);
        auto* boss =
            testsupport::Register(std::make_unique<StandInBoss>(scene->GetStage(), entranceFrames, final));
        EXPECT_NE(boss, nullptr);
        scene->RegisterBoss(boss);
        return boss;
    }
};

TEST_F(BossSceneTest, BossEntranceRunsThenItsDefeatEndsThePlay) {
    PlayWithBoss(20, false);
    Step();
    EXPECT_EQ(scene->GetState(), kSceneBossEntrance);
    EXPECT_NEAR(StepsUntil(kScenePlaying, 60), 19, 1);
    scene->OnBossDefeated();
    EXPECT_EQ(scene->GetState(), kSceneBossDefeated);
    EXPECT_TRUE(MusicAsked(MusicId::kNone));
    Steps(190);
    EXPECT_FALSE(Closed());
    Steps(20);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultCleared);
}

// A boss deleted before its defeat is reported (killed, or dropped with its area) is never asked
// anything again, even with another object built where it lived.
TEST_F(BossSceneTest, ABossThatIsGoneIsNeverAskedAgain) {
    StandInBoss* boss = PlayWithBoss(5, true);
    Step();
    ASSERT_EQ(scene->GetState(), kSceneBossEntrance);
    ASSERT_GT(StepsUntil(kScenePlaying, 10), 0);
    EXPECT_EQ(scene->GetLiveBoss(), boss);
    boss->Kill();
    Step();
    Step();  // the registry deletes it at the start of a frame
    EXPECT_EQ(scene->GetLiveBoss(), nullptr);
    ASSERT_TRUE(
        CObjectRegistry::GetInstance()->Add(std::make_unique<Thing>(scene->GetStage(), 300, 300, 40, 40, 0)));
    EXPECT_EQ(scene->GetLiveBoss(), nullptr);
    scene->OnBossDefeated();
    EXPECT_EQ(scene->GetState(), kScenePlaying) << "no boss left to be defeated";
}

TEST_F(BossSceneTest, FinalBossDefeatClosesAfterHalfASecond) {
    PlayWithBoss(1, true);
    StepsUntil(kScenePlaying, 10);
    scene->OnBossDefeated();
    EXPECT_EQ(scene->GetState(), kSceneFinalBossDefeated);
    Steps(32);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(host->closedResult, kResultCleared);
}

}  // namespace
