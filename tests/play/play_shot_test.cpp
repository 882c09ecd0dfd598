// Shots: sides, hitting each object once, reflecting and being struck, lifetimes, and the
// straight shot that breaks on walls.
#include <cmath>

#include "foundation/Geometry.h"
#include "tests/play/play_combat_env.h"

using namespace playtest;

namespace {

// A shot that flies through what it hits and can be turned back.
class PiercingShot : public CShotBase {
  public:
    PiercingShot(CStage* s, double px, double py, int life, bool hero, bool fixed, bool second)
        : CShotBase(s, px, py, life, hero, fixed, second) {
        shapeType = kShapeCircle;
        radius = 4;
        removeWhenOffScreen = false;
        ignoresMap = true;
        AttackInfo a;
        a.damage = 3;
        a.angle = 0.25;
        SetAttackInfo(a);
    }
    void Move() override {
        BeginFrame();
        IBase::Move();
        EndFrame();
    }
    int Collide(IBase* other) override { return DeliverAttackOnce(other); }
    int ReceiveAttack(AttackInfo a) override { return ReactToAttack(a); }
};

class Shots : public CombatTest {
  protected:
    static AttackInfo Reflecting() {
        AttackInfo a;
        a.flags[kAttackReflectsShots] = 1;
        return a;
    }
};

TEST_F(Shots, SideFlagsPickTheCategory) {
    struct Case {
        bool hero, fixed, second;
        int category;
    } cases[] = {{true, false, false, 10}, {false, false, false, 11}, {false, true, false, 11},
                 {true, true, false, 12},  {true, false, true, 13},   {false, false, true, 14},
                 {false, true, true, 14},  {true, true, true, 15}};
    for (const Case& c : cases) {
        PiercingShot s(stage.get(), 0, 0, 10, c.hero, c.fixed, c.second);
        EXPECT_EQ(s.category, c.category) << c.hero << c.fixed << c.second;
        EXPECT_EQ(s.drawPriority, 50);
    }
}

TEST_F(Shots, AShotHitsEachObjectOnceInItsLifeEvenAfterTurningBack) {
    Relations({{10, kCategoryEnemy, 2}, {11, kCategoryEnemy, 2}});
    auto* shot =
        testsupport::Register(std::make_unique<PiercingShot>(stage.get(), 110, 110, 900, true, false, false));
    auto* first =
        testsupport::Register(std::make_unique<Target>(stage.get(), 100, 100, kCategoryEnemy, kHitNoEffect));
    ASSERT_TRUE(shot && first);
    Frames(30);
    EXPECT_EQ(first->received.size(), 1u);
    EXPECT_EQ(first->received[0].damage, 3);

    shot->Reflect();  // now an enemy's shot, still over the same target
    Frames(10);
    EXPECT_EQ(first->received.size(), 1u);

    auto* second =
        testsupport::Register(std::make_unique<Target>(stage.get(), 100, 100, kCategoryEnemy, kHitHurt));
    ASSERT_NE(second, nullptr);
    Frames(10);
    EXPECT_EQ(second->received.size(), 1u);
    shot->Kill();
    EXPECT_EQ(shot->DeliverAttackOnce(first), kHitImmune);
}

TEST_F(Shots, ReflectingTwiceRestoresSideVelocityAndAngle) {
    for (bool second : {false, true}) {
        PiercingShot s(stage.get(), 0, 0, 900, true, false, second);
        s.vx = 120;
        s.vy = -30;
        const int category = s.category;
        EXPECT_EQ(s.ReceiveAttack(Reflecting()), kHitHurt);
        EXPECT_EQ(s.category, category + 1);
        EXPECT_EQ(s.vx, -120);
        EXPECT_EQ(s.vy, 30);
        EXPECT_NEAR(s.attack.angle, kPi - 0.25, 1e-12);
        s.Reflect();
        EXPECT_EQ(s.category, category);
        EXPECT_EQ(s.vx, 120);
        EXPECT_EQ(s.vy, -30);
        EXPECT_NEAR(s.attack.angle, 0.25, 1e-12);
        EXPECT_FALSE(s.IsDead());
    }
    PiercingShot fixed(stage.get(), 0, 0, 900, true, true, false);
    fixed.Reflect();
    EXPECT_EQ(fixed.category, 12);  // a fixed side stays
}

TEST_F(Shots, AShotStruckWithoutDamageFliesOnAndWithDamageIsDestroyed) {
    PiercingShot s(stage.get(), 0, 0, 900, false, true, false);
    EXPECT_EQ(s.ReceiveAttack(Attack(0)), kHitNoEffect);
    EXPECT_FALSE(s.IsDead());
    EXPECT_EQ(s.category, 11);
    EXPECT_EQ(s.ReceiveAttack(Attack(1)), kHitDefeated);
    EXPECT_TRUE(s.IsDead());
}

TEST_F(Shots, AShotLivesThroughTheFrameWhereItsAgeEqualsItsLifetime) {
    SetFrameTime(1.0f / 64.0f);  // 0.9375 frames a step, exactly
    PiercingShot s(stage.get(), 0, 0, 15, true, false, false);
    for (int i = 0; i < 16; ++i) s.Update();
    EXPECT_EQ(s.age, 15.0);
    EXPECT_FALSE(s.IsDead());
    s.Update();
    EXPECT_TRUE(s.IsDead());
    const double age = s.age;
    s.Update();  // a dead shot no longer moves
    EXPECT_EQ(s.age, age);
}

// ---- The straight shot ----

TEST_F(Shots, TheStraightShotBreaksOnWhatStopsItAndBruntsWhatItHurts) {
    struct Case {
        int answer;
        int effect;
    } cases[] = {{kHitNoEffect, 29}, {kHitGuarded, 29}, {kHitHurt, 1}, {kHitDefeated, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        MadeEffects().clear();
        CNormalShot s(stage.get(), 101.7, 55.2, 250, 0, false);
        s.UpdateCentre();
        Target t(stage.get(), 100, 50, kCategoryHero, c.answer);
        EXPECT_EQ(s.Collide(&t), c.answer);
        EXPECT_TRUE(s.IsDead());
        ASSERT_EQ(MadeEffects().size(), 1u);
        EXPECT_EQ(MadeEffects()[0].kind, c.effect);
        EXPECT_EQ(MadeEffects()[0].x, 101);  // the centre in whole pixels
        EXPECT_EQ(MadeEffects()[0].y, 55);
        EXPECT_EQ(s.Collide(&t), kHitImmune);  // dead: nothing more
        EXPECT_EQ(MadeEffects().size(), 1u);
    }
}

TEST_F(Shots, TheStraightShotCannotBeTurnedBack) {
    CNormalShot s(stage.get(), 0, 0, 250, 0, false);
    CNormalShot upward(stage.get(), 0, 0, 0, -250, false);
    EXPECT_NEAR(upward.attack.angle, -0.15 * kPi, 1e-12);  // no sideways speed counts as rightward
    EXPECT_EQ(s.ReceiveAttack(Reflecting()), kHitDefeated);
    EXPECT_TRUE(s.IsDead());
    EXPECT_EQ(s.category, 11);
    EXPECT_EQ(s.vx, 250);
}

TEST_F(Shots, TheStraightShotBreaksOnAWall) {
    Fill(10, 0, 12, 39, 40);  // rock from x = 320
    auto owned = std::make_unique<CNormalShot>(stage.get(), 200, 100, 300, 0, true);
    owned->removeWhenOffScreen = false;
    const ObjectHandle handle(owned.get());
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(owned)));
    Frames(40);
    EXPECT_FALSE(handle);
    ASSERT_EQ(MadeEffects().size(), 1u);
    EXPECT_EQ(MadeEffects()[0].kind, 29);
    EXPECT_NEAR(MadeEffects()[0].x, 316, 4);
}

}  // namespace
