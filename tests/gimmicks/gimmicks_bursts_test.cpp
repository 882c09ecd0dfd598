// Bursts: whom a red burst hits and how often, when it stops hitting and dies, the spark it leaves
// on each victim, and how its picture grows, pulses and fades.
#include <cmath>
#include <memory>
#include <utility>

#include "foundation/FrameTime.h"
#include "gimmicks/Burst.h"
#include "gimmicks/EffectClasses.h"
#include "play/HitEffect.h"
#include "tests/gimmicks/gimmicks_world_env.h"

using namespace gimmicktest;

namespace {

// An object that counts the attacks it takes and answers as told.
class Victim : public playtest::Thing {
  public:
    Victim(CStage* stage, double px, double py, int cat) : Thing(stage, px, py, 20, 20, cat) {}
    int ReceiveAttack(AttackInfo info) override {
        taken.push_back(info);
        ages.push_back(burstAge ? *burstAge : 0);
        return answer;
    }
    std::vector<AttackInfo> taken;
    std::vector<double> ages;
    const double* burstAge = nullptr;
    int answer = kHitHurt;
};

class Bursts : public GimmickWorld {
  protected:
    void SetUp() override {
        GimmickWorld::SetUp();
        Relations({{kCategoryOtherAttack, kCategoryEnemy, 2}, {kCategoryOtherAttack, kCategoryHero, 2}});
    }
    Victim* Place(double px, double py, int cat = kCategoryEnemy) {
        auto v = std::make_unique<Victim>(stage.get(), px, py, cat);
        Victim* raw = v.get();
        CObjectRegistry::GetInstance()->Add(std::move(v));
        return raw;
    }
    CRedBurst* Blast(double px, double py) {
        auto b = std::make_unique<CRedBurst>(stage.get(), px, py);
        CRedBurst* raw = b.get();
        CObjectRegistry::GetInstance()->Add(std::move(b));
        return raw;
    }
};

TEST_F(Bursts, AVictimInsideTheWholeTimeIsHitTwiceAndFlungAwayFromTheMiddle) {
    Victim* v = Place(320, 290);  // centre (330, 300), right of the burst
    CRedBurst* b = Blast(300, 300);
    v->burstAge = &b->age;
    Frames(40);
    ASSERT_EQ(v->taken.size(), 2u);
    // First at the first overlap, again once the re-hit timer has passed 8 frames.
    EXPECT_NEAR(v->ages[0], 1.0, 1e-5);
    EXPECT_GT(v->ages[1], 8.0);
    EXPECT_LT(v->ages[1], 9.0 + 1e-5);
    const AttackInfo& a = v->taken[0];
    EXPECT_EQ(a.damage, 20);
    EXPECT_EQ(a.power, 320.0);
    EXPECT_EQ(a.delay, 4.0);
    EXPECT_TRUE(a.flags[kAttackPowerHit] && a.flags[kAttackRedBurst]);
    EXPECT_NEAR(a.angle, 0.0, 1e-12);
    EXPECT_TRUE(All<CBurstBase>().empty());  // gone after 30 frames
}

TEST_F(Bursts, NothingIsHitAfterSixteenFramesNorHurtsTheBurst) {
    CRedBurst* b = Blast(300, 300);
    Frames(17);
    Victim* late = Place(290, 290);
    Frames(1);
    EXPECT_TRUE(late->taken.empty());
    EXPECT_EQ(b->Collide(late), kHitImmune);
    EXPECT_FALSE(b->IsDead());  // still drawn while it fades

    AttackInfo strong;
    strong.damage = 999;
    strong.flags[kAttackRedBurst] = 1;
    EXPECT_EQ(b->ReceiveAttack(strong), kHitImmune);
    EXPECT_FALSE(b->IsDead());
}

TEST_F(Bursts, TheRehitTimerClearsStrictlyAfterItsIntervalAndLifetimeEndsStrictlyAfter) {
    CRedBurst b(stage.get(), 0, 0);
    Victim v(stage.get(), 0, 0, kCategoryEnemy);
    EXPECT_EQ(b.Collide(&v), kHitHurt);
    EXPECT_EQ(b.Collide(&v), kHitImmune);
    SetFrameTime(0.05f);  // three ticks a frame
    b.rehitTimer = 7.5;
    b.Update();
    EXPECT_EQ(b.rehitTimer, 0.0);
    EXPECT_EQ(b.Collide(&v), kHitHurt);
    SetFrameTime(1.0f / 60.0f);

    b.age = 30.0 - GetFrameTime() * 60.0;
    b.Update();  // age 30: not yet
    EXPECT_FALSE(b.IsDead());
    b.Update();
    EXPECT_TRUE(b.IsDead());
    EXPECT_EQ(b.Collide(&v), kHitImmune);

    CRedBurst forever(stage.get(), 0, 0);
    forever.lifetime = -1.0;
    forever.age = 1e6;
    forever.Update();
    EXPECT_FALSE(forever.IsDead());
}

TEST_F(Bursts, EachHitLeavesARedBlastAtTheContactPointButNotOnADefeatedHero) {
    Victim* hero = Place(320, 290, kCategoryHero);
    hero->answer = kHitDefeated;
    CRedBurst* b = Blast(300, 300);
    Frames(1);
    ASSERT_EQ(hero->taken.size(), 1u);
    EXPECT_TRUE(All<IEffect>().empty());

    CObjectRegistry::GetInstance()->Clear();
    Victim* enemy = Place(320, 290);  // centre (330, 300)
    enemy->answer = kHitDefeated;
    b = Blast(300, 300);
    Frames(1);
    auto blasts = All<CEffect_BurstRed>();
    ASSERT_EQ(blasts.size(), 1u);
    // At 40 / (40 + 14.14) of the way between the centres, give or take two pixels.
    const double contact = 300 + 30 * 40 / (40 + 0.5 * std::sqrt(800.0));
    EXPECT_LE(std::fabs(blasts[0]->x - static_cast<int>(contact)), 2);
    EXPECT_LE(std::fabs(blasts[0]->y - 300), 2);
    EXPECT_EQ(blasts[0]->owner, stage.get());

    // No answer but 0, 1 and 3 shows anything; a guard shows the guard ring.
    CObjectRegistry::GetInstance()->Clear();
    b = Blast(300, 300);
    Victim* guard = Place(390, 290);
    guard->answer = kHitNoEffect;
    ShowHitEffect(b, guard, b->attack, kHitNoEffect);
    ShowHitEffect(b, guard, b->attack, kHitImmune);
    Frames(1);
    EXPECT_TRUE(All<IEffect>().empty());
    ShowHitEffect(b, guard, b->attack, kHitGuarded);
    EXPECT_EQ(All<CEffect_GuardRing>().size(), 1u);
}

TEST_F(Bursts, IceShowsThreeShardsAndAPlainBlowTheOrdinarySpark) {
    CRedBurst b(stage.get(), 0, 0);
    Victim v(stage.get(), 100, 0, kCategoryEnemy);
    AttackInfo ice;
    ice.flags[kAttackIce] = 1;
    ice.flags[kAttackPowerHit] = 1;  // ice comes first
    ShowHitEffect(&b, &v, ice, kHitHurt);
    EXPECT_EQ(All<CEffect_RandomIce>().size(), 3u);
    ShowHitEffect(&b, &v, AttackInfo(), kHitHurt);
    EXPECT_EQ(All<CEffect_Brunt>().size(), 1u);
    EXPECT_EQ(All<IEffect>().size(), 4u);
}

TEST_F(Bursts, ThePictureGrowsThenPulsesAndFadesAfterItStopsHitting) {
    CRedBurst b(stage.get(), 0, 0, 48);
    b.age = 1.0;
    b.Draw();
    EXPECT_FLOAT_EQ(b.sprite->scaleX, static_cast<float>((0.35 + 0.3) * 48 * 0.025));
    EXPECT_FLOAT_EQ(b.sprite->alpha, 1.0f);
    b.age = 4.5;  // frames 4, 5 small; 6, 7 large
    b.Draw();
    EXPECT_FLOAT_EQ(b.sprite->scaleY, static_cast<float>(47 * 0.025));
    b.age = 6.0;
    b.Draw();
    EXPECT_FLOAT_EQ(b.sprite->scaleY, static_cast<float>(50 * 0.025));
    b.age = 23.0;
    b.Draw();
    EXPECT_FLOAT_EQ(b.sprite->alpha, 0.5f);
    b.age = 31.0;
    b.Draw();
    EXPECT_FLOAT_EQ(b.sprite->alpha, 0.0f);
}

}  // namespace
