#pragma once
// The enemy tests' world: the gimmicks' world (effects made for real) on a stage whose one area
// has an object table, so that a defeat's spawn flag can be seen, a floor of rock along row 10
// (its top at y = 320), and a hero that answers every attack as the test says.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/SpriteManager.h"
#include "foundation/Random.h"
#include "tests/gimmicks/gimmicks_world_env.h"
#include "tests/play/play_combat_env.h"

namespace enemytest {

constexpr double kFloorTop = 320.0;

class EnemyWorld : public gimmicktest::GimmickWorld {
  protected:
    void SetUp() override {
        GimmickWorld::SetUp();
        if (HasFatalFailure()) return;
        // The enemy sheets join the index the gimmicks' world wrote.
        IndexImageKeys({"Effect.Effect001", "Effect.Effect002", "Object.Objects001", "Object.Objects002",
                        "Object.Objects004", "Char.Enemy001_L", "Char.Enemy001_R"});
        if (HasFatalFailure()) return;
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", ",,\n" + kindRows));
        stage = std::make_unique<CStage>(&scene, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        auto table = std::make_unique<CStageAreaObjectTable>(stage.get());
        ASSERT_TRUE(stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), std::move(table), "test", 0, 0, 0, 0)));
        stage->currentArea = 0;
        Fill(0, 10, 59, 10, 40);
        SeedRandom(7);
    }
    void TearDown() override {
        scene.hero = nullptr;
        GimmickWorld::TearDown();
    }
    CStageAreaObjectTable& Table() { return *stage->GetCurrentAreaObjects(); }

    // The image index holds just `keys`, each the plain sheet, and the sprites are loaded afresh.
    void IndexImageKeys(const std::vector<std::string>& keys) {
        std::string index;
        for (const std::string& key : keys) index += key + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
    }

    // A hero of 20 x 20 whose centre is at (cx, cy), registered; it answers `answer`.
    playtest::Target* PlaceHero(double cx, double cy, int answer = kHitHurt) {
        auto hero = std::make_unique<playtest::Target>(stage.get(), cx - 10, cy - 10, kCategoryHero, answer);
        playtest::Target* h = hero.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(hero)));
        scene.hero = h;
        return h;
    }
    template <class T, class... A>
    T* Place(A... args) {
        auto made = std::make_unique<T>(stage.get(), args...);
        T* o = made.get();
        o->removeWhenOffScreen = false;
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        return o;
    }
    static AttackInfo Attack(int damage, int flag = -1) {
        AttackInfo a;
        a.damage = damage;
        a.power = 300.0;
        if (flag >= 0) a.flags[flag] = 1;
        return a;
    }

    // The rows of data\stage_objects.dat the stage's kind table reads (a derived world may set
    // its own before SetUp).
    std::string kindRows = "Kid001,子供,テスト\n";
};

}  // namespace enemytest
