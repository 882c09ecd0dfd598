// The sample arenas played in the real play scene: each built arena stage is loaded from the game
// folder with the boss kinds registered as the game registers them, the boss comes on screen and
// registers with the scene, its entrance plays, and blows through its attack interface bring it
// (or each form of the last boss) down until the scene shows its clear and closes with the stage
// cleared. The hero stands at the start, kept unhurt so the end rests on the blows alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bosses/BarManBase.h"
#include "bosses/BossKinds.h"
#include "bosses/DevilBar.h"
#include "bosses/LastBoss.h"
#include "bosses/NunoOtoko.h"
#include "foundation/Random.h"
#include "play/ObjectRegistry.h"
#include "tests/play/play_scene_env.h"

namespace {

class BossArena : public playtest::SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        if (HasFatalFailure()) return;
        // The arenas place their kinds by the build's table; the stages are only linked.
        const std::filesystem::path built = testsupport::BuiltGameFolder();
        std::ifstream in(built / "data/stage_objects.dat", std::ios::binary);
        ASSERT_TRUE(in) << "the stage object table is made by the build";
        std::stringstream bytes;
        bytes << in.rdbuf();
        WriteRaw("data/stage_objects.dat", bytes.str());
        std::error_code ec;
        std::filesystem::create_directory_symlink(built / "stage", dir / "stage", ec);
        RegisterBossKinds();
        SeedRandom(7);
    }

    // Loads the built arena and plays it until the boss has registered and its entrance is over;
    // the boss, or nullptr when it never came.
    IBoss* PlayArenaUntilTheFight(const std::string& name) {
        std::unique_ptr<CStage> arena = CStage::LoadFromFile(nullptr, "stage\\sample\\" + name + ".stg", 0);
        EXPECT_NE(arena, nullptr);
        if (!arena) return nullptr;
        Play(std::move(arena), kPlayNormal, 3);
        for (int i = 0; i < 600 && !Closed(); ++i) {
            Step();
            if (CHero* player = scene->GetHeroObject()) player->MakeInvincible();
            if (scene->GetState() == kSceneBossEntrance) break;
        }
        EXPECT_EQ(scene->GetState(), kSceneBossEntrance) << "the boss never registered";
        if (StepsUntil(kScenePlaying, 2000) < 0) return nullptr;
        return FindBoss();
    }

    static IBoss* FindBoss() {
        CObjectRegistry* registry = CObjectRegistry::GetInstance();
        registry->BeginWalk();
        while (IBase* o = registry->NextInWalk())
            if (auto* b = dynamic_cast<IBoss*>(o)) return b;
        return nullptr;
    }

    // Frames until the scene closes (at most `limit`); true when it closed with the stage cleared.
    bool ClosesCleared(int limit) {
        Steps(limit);
        return Closed() && host->closedResult == kResultCleared;
    }

    static AttackInfo Blow(int damage, bool piercing = false) {
        AttackInfo a;
        a.damage = damage;
        a.power = 200.0;
        a.angle = -1.0;
        if (piercing) a.extra = 1;
        return a;
    }
};

class StickManArena : public BossArena, public testing::WithParamInterface<const char*> {};

TEST_P(StickManArena, BlowsBeatTheBossAndTheSceneClearsTheStage) {
    auto* boss = dynamic_cast<CBarManBase*>(PlayArenaUntilTheFight(GetParam()));
    ASSERT_NE(boss, nullptr);
    EXPECT_FALSE(boss->IsFinalBoss());
    const ObjectHandle handle = boss->GetHandle();
    int frames = 0;
    while (scene->GetState() == kScenePlaying && frames < 20000) {
        Step();
        if (++frames % 20 == 0 && handle.Get()) boss->ReceiveAttack(Blow(40));
    }
    EXPECT_EQ(scene->GetState(), kSceneBossDefeated) << "after " << frames << " frames";
    EXPECT_EQ(scene->GetMissCount(), 0);
    EXPECT_TRUE(ClosesCleared(1000)) << "result " << host->closedResult;
}

INSTANTIATE_TEST_SUITE_P(EveryColour, StickManArena,
                         testing::Values("arena01", "arena02", "arena03", "arena04", "arena05"),
                         [](const testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

TEST_F(BossArena, BothFormsOfTheLastBossFallAndTheSceneShowsTheFinalClear) {
    auto* boss = dynamic_cast<CLastBoss_Controller*>(PlayArenaUntilTheFight("arena06"));
    ASSERT_NE(boss, nullptr);
    EXPECT_TRUE(boss->IsFinalBoss());
    CNunoOtoko* first = boss->GetNunoOtoko();
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 2000 && first->hitPoints > 0; ++i)
        if (first->ReceiveAttack(Blow(10)) == kHitImmune) Step();
    EXPECT_EQ(first->hitPoints, 0);

    CDevilBar* second = boss->GetDevilBar();
    ASSERT_NE(second, nullptr);
    for (int i = 0; i < 6000 && second->hitPoints > 0; ++i) {
        if (second->state >= kDevilHover && second->state <= kDevilRise)
            second->ReceiveAttack(Blow(10, true));
        Step();
    }
    ASSERT_LE(second->hitPoints, 0);
    EXPECT_GT(StepsUntil(kSceneFinalBossDefeated, 3000), 0) << "state " << scene->GetState();
    EXPECT_EQ(scene->GetMissCount(), 0);
    EXPECT_TRUE(ClosesCleared(1000)) << "result " << host->closedResult;
}

}  // namespace
