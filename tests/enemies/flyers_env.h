#pragma once
// The flyers' world: the enemy world with the sheets the flyers cut, and a shot seam that records
// what the enemies fire instead of making projectiles.
#include <string>
#include <vector>

#include "enemies/EnemyShotHelpers.h"
#include "tests/enemies/enemies_env.h"

namespace enemytest {

struct FiredShot {
    EnemyShotKind kind;
    EnemyShotLaunch launch;
};

class FlyerWorld : public EnemyWorld {
  protected:
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        std::string index;
        for (const char* key :
             {"Effect.Effect001", "Effect.Effect002", "Effect.Bar_Effect002_L", "Object.Objects001",
              "Object.Objects002", "Object.Objects004", "Char.Enemy005_L", "Char.Enemy005_R",
              "Char.Enemy008_L", "Char.Enemy008_R", "Char.Enemy009_L", "Char.Enemy009_R"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        fired().clear();
        for (int k = 0; k < static_cast<int>(EnemyShotKind::kCount); ++k)
            SetEnemyShotMaker(static_cast<EnemyShotKind>(k), nullptr);
        SetEnemyShotMaker(EnemyShotKind::kNormalShot, &Record<EnemyShotKind::kNormalShot>);
        SetEnemyShotMaker(EnemyShotKind::kNormalBeam, &Record<EnemyShotKind::kNormalBeam>);
        SetEnemyShotMaker(EnemyShotKind::kIceBeam, &Record<EnemyShotKind::kIceBeam>);
        SetEnemyShotMaker(EnemyShotKind::kMissilry, &Record<EnemyShotKind::kMissilry>);
        SetEnemyShotMaker(EnemyShotKind::kPatriot, &Record<EnemyShotKind::kPatriot>);
        SetEnemyShotMaker(EnemyShotKind::kBaseball, &Record<EnemyShotKind::kBaseball>);
        SetEnemyShotMaker(EnemyShotKind::kMagicalBall, &Record<EnemyShotKind::kMagicalBall>);
    }
    void TearDown() override {
        for (int k = 0; k < static_cast<int>(EnemyShotKind::kCount); ++k)
            SetEnemyShotMaker(static_cast<EnemyShotKind>(k), nullptr);
        EnemyWorld::TearDown();
    }

    static std::vector<FiredShot>& fired() {
        static std::vector<FiredShot> shots;
        return shots;
    }
    static int FiredCount(EnemyShotKind kind) {
        int n = 0;
        for (const FiredShot& s : fired()) n += s.kind == kind;
        return n;
    }

  private:
    template <EnemyShotKind K>
    static IBase* Record(const EnemyShotLaunch& launch) {
        fired().push_back({K, launch});
        return nullptr;
    }
};

}  // namespace enemytest
