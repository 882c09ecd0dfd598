#pragma once
// The hero's test world: the combat world with a rock floor, the attack table the build made,
// scripted keys (Z attacks, X jumps) and a hero added to the registry. Frames run at a fixed
// 1/60 s, the keys read first as the game reads them.
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "play/Hero.h"
#include "tests/common/temp_folder.h"
#include "tests/play/play_combat_env.h"

namespace playtest {

using enginetest::ScriptedKeys;

// A play scene that counts what the hero tells it.
class HeroScene : public FakeScene {
  public:
    void OnHeroBeaten() override { ++beaten; }
    void OnHeroFellOut() override { ++fellOut; }
    void NotifyHeroAttackStarted() override { ++attacksStarted; }
    void SetZoomOverride(int channel, float rate, float) override {
        zoomChannel = channel;
        zoomRate = rate;
    }
    void ClearZoomOverride(int, float) override { zoomRate = 0; }
    int beaten = 0, fellOut = 0, attacksStarted = 0, zoomChannel = -1;
    float zoomRate = 0;
};

class HeroTest : public CombatTest {
  protected:
    static constexpr int kAttack = kKeyZ;
    static constexpr int kJump = kKeyX;
    static constexpr int kFloorRow = 30;  // the floor's top at y 960
    static constexpr double kFloorY = kFloorRow * 32.0;

    void SetUp() override {
        CombatTest::SetUp();
        if (HasFatalFailure()) return;
        // The attack table and the pictures as the build made them; the pictures are only linked.
        const std::filesystem::path built = testsupport::BuiltGameFolder();
        for (const char* file : {"data/attack_parameters.dat", "data/bmp_index.dat"}) {
            std::ifstream in(built / file, std::ios::binary);
            ASSERT_TRUE(in) << file << " is made by the build";
            std::stringstream bytes;
            bytes << in.rdbuf();
            WriteRaw(file, bytes.str());
        }
        for (const char* folder : {"char", "object", "effect", "system"}) {
            std::error_code ec;
            if (!std::filesystem::exists(dir / folder))
                std::filesystem::create_directory_symlink(built / folder, dir / folder, ec);
        }
        CAttackParameterTable::GetInstance();
        ASSERT_GT(CAttackParameterTable::GetCount(), 20);
        // Hero attacks hit enemies; hero shots too.
        Relations({{kCategoryHeroAttack, kCategoryEnemy, 2}, {10, kCategoryEnemy, 2}});
        Fill(0, kFloorRow, 59, 39, 40);  // rock
        CInputManager::SetEventSource(&keys);
        CInputManager::GetInstance();
        stage->scene = &heroScene;
    }
    void TearDown() override {
        CInputManager::SetEventSource(nullptr);
        CAttackParameterTable::DeleteInstance();
        CombatTest::TearDown();
    }

    // A hero standing on the floor at column x (pixels), settled for 40 frames.
    CHero* Hero(int weapon = kWeaponBroom, double px = 400.0) {
        hero = testsupport::Register(std::make_unique<CHero>(stage.get(), px, kFloorY - 38.0, weapon, 100));
        EXPECT_NE(hero, nullptr);
        heroScene.hero = hero;
        Run(40);
        return hero;
    }
    // One frame with these keys down, the camera on the hero as the play scene keeps it.
    void Frame(std::initializer_list<int> held = {}) {
        if (hero && CObjectRegistry::GetInstance()->Contains(hero))
            CCamera::GetInstance()->SetTarget(static_cast<float>(hero->cameraX),
                                              static_cast<float>(hero->cameraY), 0);
        else
            CCamera::GetInstance()->SetTarget(400.0f, static_cast<float>(kFloorY) - 100.0f, 0);
        keys.down = held;
        keys.NextFrame();
        CInputManager::GetInstance()->Update();
        CObjectRegistry::GetInstance()->UpdateAll(0.0);
    }
    void Run(int n, std::initializer_list<int> held = {}) {
        for (int i = 0; i < n; ++i) Frame(held);
    }
    // Runs until the hero reaches `state` (at most `limit` frames); the frames it took.
    int RunUntil(int state, int limit, std::initializer_list<int> held = {}) {
        for (int i = 1; i <= limit; ++i) {
            Frame(held);
            if (hero->state == state) return i;
        }
        return -1;
    }
    // The highest point of the feet above the floor until landing.
    double PeakHeight(int limit, std::initializer_list<int> held = {}) {
        double top = hero->GetBottom();
        for (int i = 0; i < limit; ++i) {
            Frame(held);
            top = std::min(top, hero->GetBottom());
            if (hero->onGround && i > 2) break;
        }
        return kFloorY - top;
    }
    // The hero's live hitbox, or null.
    CCollisionDetectionBase* Hitbox() {
        return dynamic_cast<CCollisionDetectionBase*>(hero->currentHitbox.Get());
    }

    ScriptedKeys keys;
    HeroScene heroScene;
    CHero* hero = nullptr;
};

}  // namespace playtest
