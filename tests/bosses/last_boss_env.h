#pragma once
// The last fight's world: the enemies' world (a floor of rock along row 10, its top at y = 320, and
// effects made for real) on a play scene that records what the bosses ask of it, with the camera
// showing the world from (320, 0) to (960, 480).
#include <memory>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "play/LiveObjectFactory.h"
#include "tests/common/fake_scene.h"
#include "tests/enemies/enemies_env.h"

namespace lastbosstest {

using enemytest::kFloorTop;
constexpr double kScreenCentreX = 640.0;
constexpr double kScreenCentreY = 240.0;

// Counts the boss calls and the asks for the registry and camera; the rest is the plain fake scene.
class RecordingScene : public testsupport::FakeScene {
  public:
    std::vector<IBase*> bosses;
    int defeats = 0, fadeBegins = 0, fadeEnds = 0, musicStops = 0, heroTimerResets = 0;
    int fadeR = -1, fadeG = -1, fadeB = -1;
    int registryAsks = 0, cameraAsks = 0;

    CObjectRegistry& GetRegistry() override {
        ++registryAsks;
        return FakeScene::GetRegistry();
    }
    CCamera& GetCamera() override {
        ++cameraAsks;
        return FakeScene::GetCamera();
    }

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

class LastBossWorld : public enemytest::EnemyWorld {
  protected:
    LastBossWorld() { kindRows = "DevilBar001,ボス,テスト\n"; }
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        stage->scene = &boss;
        IndexImageKeys({"Effect.Effect001", "Effect.Effect002", "Object.Objects001", "Object.Objects002",
                        "Object.Objects004", "Char.Boss011_L", "Char.Boss011_R", "Char.Boss012_L",
                        "Char.Boss012_R"});
        CCamera::GetInstance()->SetTarget(static_cast<float>(kScreenCentreX),
                                          static_cast<float>(kScreenCentreY), 0);
    }
    void TearDown() override {
        // Creators a test registered must not outlive what they captured.
        ClearLiveObjectCreators();
        boss.hero = nullptr;
        EnemyWorld::TearDown();
    }

    // A hero of 20 x 20 whose centre is at (cx, cy), registered; it answers `answer`.
    playtest::Target* PlaceHero(double cx, double cy, int answer = kHitHurt) {
        playtest::Target* h = EnemyWorld::PlaceHero(cx, cy, answer);
        boss.hero = h;
        return h;
    }
    static AttackInfo Blow(int damage, int flag = -1) { return Attack(damage, flag); }
    // A blow that gets past the second form's guard (the last flag byte).
    static AttackInfo PiercingBlow(int damage) {
        AttackInfo a = Blow(damage);
        a.extra = 1;
        return a;
    }

    RecordingScene boss;
};

}  // namespace lastbosstest
