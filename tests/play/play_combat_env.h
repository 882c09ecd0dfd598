#pragma once
// Fighters for the combat tests: an enemy with hit points that answers attacks the usual way, a
// target that answers what the test says, an attacker that logs what its hitboxes report, and a
// recorder that stands in for the effect factory.
#include <string>
#include <utility>
#include <vector>

#include "play/Characters.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"
#include "play/Shots.h"
#include "tests/play/play_world_env.h"

namespace playtest {

struct MadeEffect {
    int kind;
    double x, y;
};

inline std::vector<MadeEffect>& MadeEffects() {
    static std::vector<MadeEffect> made;
    return made;
}

inline void RecordEffect(int kind, double x, double y, CStage*) { MadeEffects().push_back({kind, x, y}); }

// Hurt while hit points last, then defeated with effect 4; immune answers 2.
class Dummy : public IEnemy {
  public:
    Dummy(CStage* stage, double px, double py, int hp) : IEnemy(stage, px, py), hitPoints(hp) {
        width = height = 20;
        removeWhenOffScreen = false;
        UpdateCentre();
    }
    void Act() override {
        BeginFrame();
        Move();
        EndFrame();
    }
    void CollideWithMap() override { ResolveMapCollision(); }
    void Draw() override {}
    void OnBlowEnd() override { ++blowEnds; }
    int ReceiveAttack(AttackInfo a) override {
        received.push_back(a);
        if (IsDead() || isDefeated) return kHitImmune;
        if (immune) return kHitNoEffect;
        hitPoints -= a.damage;
        if (hitPoints > 0) {
            StartBlow(a, false);
            return kHitHurt;
        }
        StartDefeatBlow(a, 4);
        return kHitDefeated;
    }
    int hitPoints;
    bool immune = false;
    int blowEnds = 0;
    std::vector<AttackInfo> received;
};

// Answers every attack with `answer`.
class Target : public Thing {
  public:
    Target(CStage* stage, double px, double py, int cat, int answerIn) : Thing(stage, px, py, 20, 20, cat) {
        answer = answerIn;
        UpdateCentre();
    }
    int ReceiveAttack(AttackInfo a) override {
        received.push_back(a);
        return answer;
    }
    int answer;
    std::vector<AttackInfo> received;
};

// A live object that attacks with hitboxes and logs their reports as "<name>.hit<r>",
// "<name>.clash<r>" and "<name>.after" into a log it shares with other fighters.
class Fighter : public Thing, public IAttackable {
  public:
    Fighter(CStage* stage, double px, double py, std::string nameIn, std::vector<std::string>* logIn)
        : Thing(stage, px, py, 20, 20, kCategoryDefault), name(std::move(nameIn)), log(logIn) {
        UpdateCentre();
    }
    void OnAttackHit(int r, AttackInfo) override { log->push_back(name + ".hit" + std::to_string(r)); }
    void OnAttackClash(int r, AttackInfo, AttackInfo theirs) override {
        log->push_back(name + ".clash" + std::to_string(r));
        theirDamage = theirs.damage;
    }
    void AfterAttackClash() override { log->push_back(name + ".after"); }

    std::string name;
    std::vector<std::string>* log;
    int theirDamage = -1;
};

class CombatTest : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        if (HasFatalFailure()) return;
        // The sheets that shots and barriers cut their sprites from.
        WriteRaw("system/colorSample.bmp", enginetest::MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        WriteRaw("system/sheet.bmp", enginetest::MakeBmp(256, 256, [](int, int) { return 0x808080u; }));
        ASSERT_TRUE(WriteEncodedFile(
            "data\\bmp_index.dat",
            "Object.Objects002,system\\sheet.bmp,0,0\nObject.Objects004,system\\sheet.bmp,0,0\n"));
        MadeEffects().clear();
        SetEffectFactory(RecordEffect);
    }
    void TearDown() override {
        SetEffectFactory(nullptr);
        MadeEffects().clear();
        WorldTest::TearDown();
    }
    static AttackInfo Attack(int damage, double power = 300.0, double angle = 0.0, double delay = 0.0) {
        AttackInfo a;
        a.damage = damage;
        a.power = power;
        a.angle = angle;
        a.delay = delay;
        return a;
    }
    std::vector<std::string> log;
};

}  // namespace playtest
