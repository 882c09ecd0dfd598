#pragma once
// The last fight's world: the enemies' world (a floor of rock along row 10, its top at y = 320, and
// effects made for real) on a play scene that records what the bosses ask of it, with the camera
// showing the world from (320, 0) to (960, 480).
#include <memory>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/SpriteManager.h"
#include "foundation/Random.h"
#include "stage/LiveObjectFactory.h"
#include "tests/common/fake_scene.h"
#include "tests/gimmicks/gimmicks_world_env.h"
#include "tests/play/play_combat_env.h"

namespace lastbosstest {

constexpr double kFloorTop = 320.0;
constexpr double kScreenCentreX = 640.0;
constexpr double kScreenCentreY = 240.0;

// Counts the boss calls; the rest is the plain fake scene.
class RecordingScene : public testsupport::FakeScene {
  public:
    std::vector<IBase*> bosses;
    int defeats = 0, fadeBegins = 0, fadeEnds = 0, musicStops = 0, heroTimerResets = 0;
    int fadeR = -1, fadeG = -1, fadeB = -1;

    void RegisterBoss(IBase* boss) override { bosses.push_back(boss); }
    void OnBossDefeated() override { ++defeats; }
    void BeginScreenFade(int r, int g, int b) override {
        ++fadeBegins;
        fadeR = r, fadeG = g, fadeB = b;
    }
    void EndScreenFade() override { ++fadeEnds; }
    void StopMusicAfterBoss() override { ++musicStops; }
    void ResetHeroLongTimer() override { ++heroTimerResets; }
};

class BossWorld : public gimmicktest::GimmickWorld {
  protected:
    void SetUp() override {
        GimmickWorld::SetUp();
        if (HasFatalFailure()) return;
        std::string index;
        for (const char* key :
             {"Effect.Effect001", "Effect.Effect002", "Object.Objects001", "Object.Objects002",
              "Object.Objects004", "Char.Boss011_L", "Char.Boss011_R", "Char.Boss012_L", "Char.Boss012_R"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", ",,\nDevilBar001,ボス,テスト\n"));
        stage = std::make_unique<CStage>(&boss, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        auto table = std::make_unique<CStageAreaObjectTable>(stage.get());
        ASSERT_TRUE(stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), std::move(table), "test", 0, 0, 0, 0)));
        stage->currentArea = 0;
        Fill(0, 10, 59, 10, 40);
        CCamera::GetInstance()->SetTarget(static_cast<float>(kScreenCentreX),
                                          static_cast<float>(kScreenCentreY), 0);
        SeedRandom(7);
    }
    void TearDown() override {
        // Creators a test registered must not outlive what they captured.
        ClearLiveObjectCreators();
        boss.hero = nullptr;
        GimmickWorld::TearDown();
    }

    CStageAreaObjectTable& Table() { return *stage->GetCurrentAreaObjects(); }

    // A hero of 20 x 20 whose centre is at (cx, cy), registered; it answers `answer`.
    playtest::Target* PlaceHero(double cx, double cy, int answer = kHitHurt) {
        auto* h = new playtest::Target(stage.get(), cx - 10, cy - 10, kCategoryHero, answer);
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(h));
        boss.hero = h;
        return h;
    }
    static AttackInfo Blow(int damage, int flag = -1) {
        AttackInfo a;
        a.damage = damage;
        a.power = 300.0;
        if (flag >= 0) a.flags[flag] = 1;
        return a;
    }
    // A blow that gets past the second form's guard (the last flag byte).
    static AttackInfo PiercingBlow(int damage) {
        AttackInfo a = Blow(damage);
        a.extra = 1;
        return a;
    }

    RecordingScene boss;
};

}  // namespace lastbosstest
