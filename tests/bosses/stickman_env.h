#pragma once
// The stick-man fights' world: the enemy tests' world with the stick-man sheets in the image index, a
// scene that records what a boss tells it, and a boss whose generator the test scripts.
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "bosses/BarManBase.h"
#include "tests/enemies/enemies_env.h"

namespace stickmantest {

using enemytest::kFloorTop;

// Counts the boss calls of the scene; zoom channels and the weather remember their last request.
class BossScene : public testsupport::FakeScene {
  public:
    int registered = 0, defeated = 0, musicStopped = 0, heroTimerReset = 0;
    bool zoomActive[3] = {};
    float zoomRate[3] = {};
    IBase* boss = nullptr;  // the last one registered
    void RegisterBoss(IBase* b) override {
        ++registered;
        boss = b;
    }
    void OnBossDefeated() override { ++defeated; }
    void StopMusicAfterBoss() override { ++musicStopped; }
    void ResetHeroLongTimer() override { ++heroTimerReset; }
    void SetZoomOverride(int c, float rate, float) override {
        zoomActive[c] = true;
        zoomRate[c] = rate;
    }
    void ClearZoomOverride(int c, float) override { zoomActive[c] = false; }
    bool IsZoomOverrideActive(int c) override { return zoomActive[c]; }
    int weather = 0;
    void SetWeather(int w) override { weather = w; }
    int GetWeather() override { return weather; }
};

// A generator that answers the scripted draws in order and then `fallback`, clamped to the range.
struct ScriptedDice {
    std::deque<int> draws;
    int fallback = 99;
    int operator()(int lo, int hi) {
        int v = fallback;
        if (!draws.empty()) {
            v = draws.front();
            draws.pop_front();
        }
        return v < lo ? lo : v > hi ? hi : v;
    }
};

class StickManWorld : public enemytest::EnemyWorld {
  protected:
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        stage->scene = &bossScene;
        std::vector<std::string> keys = {"Effect.Effect001",  "Effect.Effect002",  "Object.Objects001",
                                         "Object.Objects002", "Object.Objects003", "Object.Objects004",
                                         "Object.Bar002",     "Char.Enemy001_L",   "Char.Enemy001_R"};
        for (int i = 1; i <= 11; ++i)
            for (const char* side : {"L", "R"}) {
                char key[48];
                std::snprintf(key, sizeof key, "Char.Boss%03d_%s", i, side);
                keys.push_back(key);
                std::snprintf(key, sizeof key, "Effect.Bar_Effect%03d_%s", i, side);
                keys.push_back(key);
            }
        IndexImageKeys(keys);
    }
    void TearDown() override {
        bossScene.hero = nullptr;
        EnemyWorld::TearDown();
    }
    playtest::Target* PlaceBossHero(double cx, double cy) {
        auto* h = PlaceHero(cx, cy);
        bossScene.hero = h;
        return h;
    }
    // A boss standing on the floor at x, registered and past its intro, in its free state with
    // its generator scripted. `hold` keeps the colour's machine quiet while it settles.
    template <class T>
    T* FreeBossOnFloor(double x, int facing, const std::function<void(T*)>& hold = {}) {
        T* b = Place<T>(x, kFloorTop - 38.0 - 0.5, facing, 1);
        b->dice = std::ref(dice);
        b->SetAreaObjectId(9);
        Table().SetSpawnFlag(9, true);
        Frames(1);
        b->SetState(kBarManFree);
        b->vy = 240.0;
        for (int i = 0; i < 3; ++i) {
            if (hold) hold(b);
            Frames(1);
        }
        EXPECT_TRUE(b->wasOnGround);
        return b;
    }

    BossScene bossScene;
    ScriptedDice dice;
};

}  // namespace stickmantest
