#pragma once
// The ground enemies' world: the enemy world with every effect recorded instead of made, so that
// a test can tell which sparks, smokes and breaks an enemy left and where.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "play/EffectFactory.h"
#include "play/LiveObjectFactory.h"
#include "tests/enemies/enemies_env.h"

namespace enemytest {

class GroundWorld : public EnemyWorld {
  protected:
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        // Every enemy sheet, so that each class can cut its cells.
        std::string index;
        for (const char* key :
             {"Effect.Effect001", "Effect.Effect002", "Object.Objects001", "Object.Objects002",
              "Object.Objects003", "Object.Objects004", "Char.Enemy010"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        for (int n = 1; n <= 8; ++n)
            for (const char* side : {"_L", "_R"})
                index += "Effect.Bar_Effect00" + std::to_string(n) + side + ",img\\sheet.bmp,32,32\n";
        for (int n = 1; n <= 10; ++n)
            for (const char* side : {"_L", "_R"})
                index += "Char.Enemy" + std::string(n < 10 ? "00" : "0") + std::to_string(n) + side +
                         ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        playtest::MadeEffects().clear();
        SetEffectFactory(playtest::RecordEffect);
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        CObjectRegistry::SetEnemyCounter(nullptr);
        playtest::MadeEffects().clear();
        EnemyWorld::TearDown();
    }
    // A shot an enemy fired through the creator table.
    struct FiredShot {
        std::string shot;
        double x, y, vx, vy;
        bool heroSide;
    };
    // From now on the named shot classes are made as small stand-ins and recorded in `fired`.
    void RecordShots(std::initializer_list<const char*> shotClasses) {
        for (const char* shot : shotClasses)
            RegisterLiveObjectCreator(
                shot, [this, shot](CStage* owner, double x, double y, const LiveObjectArgs& a) {
                    fired.push_back({shot, x, y, std::get<double>(a.at(0)), std::get<double>(a.at(1)),
                                     std::get<bool>(a.at(2))});
                    return std::unique_ptr<IBase>(
                        std::make_unique<playtest::Thing>(owner, x, y, 4, 4, kCategoryDefault));
                });
    }
    std::vector<FiredShot> fired;

    static int EffectCount(int kind) {
        const auto& m = playtest::MadeEffects();
        return static_cast<int>(
            std::count_if(m.begin(), m.end(), [kind](const auto& e) { return e.kind == kind; }));
    }
    bool IsRegistered(const IBase* o) {
        for (IBase* r : All<IBase>())
            if (r == o) return true;
        return false;
    }
    // Every attack of interest: plain blows of a few strengths and each flag alone at damage 10.
    static std::vector<AttackInfo> EveryAttack() {
        std::vector<AttackInfo> out{Attack(0), Attack(10), Attack(999)};
        for (int f = 0; f < 12; ++f) out.push_back(Attack(10, f));
        return out;
    }
};

}  // namespace enemytest
