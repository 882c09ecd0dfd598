#pragma once
// The flyers' world: the enemy world with the sheets the flyers cut, and creators under the shots'
// class names that record what the enemies fire instead of making projectiles.
#include <string>
#include <vector>

#include "enemies/EnemyShotHelpers.h"
#include "play/LiveObjectFactory.h"
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
        for (int k = 0; k < static_cast<int>(EnemyShotKind::kCount); ++k) {
            const auto kind = static_cast<EnemyShotKind>(k);
            RegisterLiveObjectCreator(
                EnemyShotClass(kind),
                [kind](CStage* owner, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
                    EnemyShotLaunch l;
                    l.owner = owner, l.x = x, l.y = y;
                    l.vx = LiveArg(a, 0, 0.0), l.vy = LiveArg(a, 1, 0.0);
                    l.direction = LiveArg(a, 3, 0);
                    fired().push_back({kind, l});
                    return nullptr;
                });
        }
    }
    void TearDown() override {
        for (int k = 0; k < static_cast<int>(EnemyShotKind::kCount); ++k)
            RegisterLiveObjectCreator(EnemyShotClass(static_cast<EnemyShotKind>(k)), {});
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
};

}  // namespace enemytest
