#pragma once
// The boss tests' world: the enemies' world with the boss sheets in the image index and effects
// recorded rather than made, so that a test can count them.
#include <string>

#include "play/ObjectRelationTable.h"
#include "tests/enemies/enemies_env.h"

namespace bosstest {

class RecordingBossWorld : public enemytest::EnemyWorld {
  protected:
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        std::string index;
        for (const char* key :
             {"Object.Objects002", "Object.Objects003", "Object.Bar002", "Char.Enemy009_L", "Char.Enemy010"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        playtest::MadeEffects().clear();
        SetEffectFactory(playtest::RecordEffect);
        // Enemy shots, enemies and flyers strike the hero.
        Relations({{11, kCategoryHero, kRelationHit},
                   {14, kCategoryHero, kRelationHit},
                   {kCategoryEnemy, kCategoryHero, kRelationHit},
                   {kCategoryFlyer, kCategoryHero, kRelationHit}});
    }
    void TearDown() override {
        playtest::MadeEffects().clear();
        EnemyWorld::TearDown();
    }
    static int EffectsOfKind(int kind) {
        int n = 0;
        for (const auto& e : playtest::MadeEffects()) n += e.kind == kind;
        return n;
    }
    // Runs frames until the test holds or the frames run out; the frames run.
    template <class Pred>
    int FramesUntil(Pred done, int limit) {
        int n = 0;
        while (n < limit && !done()) {
            Frames(1);
            ++n;
        }
        return n;
    }
};

}  // namespace bosstest
