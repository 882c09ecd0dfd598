// The enemies' and gimmicks' shots: one delivery per target, the lifetime's last frame, batting
// back, the bomb's single burst, the missile's explosion at every end, homing that never turns
// past its target, and the ends each shot has of its own.
#include <cmath>
#include <functional>
#include <memory>
#include <typeinfo>

#include "enemies/EnemyShots.h"
#include "foundation/Geometry.h"
#include "gimmicks/Burst.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/enemies_env.h"

using namespace enemytest;
using playtest::MadeEffects;

namespace {

class Shots : public EnemyWorld {
  protected:
    void SetUp() override {
        EnemyWorld::SetUp();
        if (HasFatalFailure()) return;
        MadeEffects().clear();
        SetEffectFactory(playtest::RecordEffect);
    }
    void TearDown() override {
        MadeEffects().clear();
        EnemyWorld::TearDown();
    }
    int EffectsOfKind(int kind) const {
        int n = 0;
        for (const auto& e : MadeEffects()) n += e.kind == kind;
        return n;
    }
    using ShotMaker = std::function<std::unique_ptr<CShotBase>(CStage*, double, double)>;
    // A shot of class T fired right at 100 pixels per second from (x, y); `extra` follows the side.
    template <class T, class... Extra>
    static ShotMaker ShotOf(Extra... extra) {
        return [=](CStage* s, double x, double y) -> std::unique_ptr<CShotBase> {
            return std::make_unique<T>(s, x, y, 100, 0, false, extra...);
        };
    }
    // Every shot class.
    static std::vector<ShotMaker> AllShots() {
        return {
            ShotOf<CBaseball>(),
            ShotOf<CVolleyball>(),
            ShotOf<CBomb001>(),
            ShotOf<CRollingRock>(),
            ShotOf<CSnowStorm001>(),
            ShotOf<CMagicalBall>(),
            ShotOf<CNormalBeam>(),
            ShotOf<CIceBeam>(),
            ShotOf<CMissilry>(1),
            ShotOf<CPatriot>(),
            ShotOf<CGunWater>(),
            ShotOf<CMachineGunShot>(),
            ShotOf<CPatriotMagicalBall>(),
            ShotOf<CBatteryShot>(),
            ShotOf<CBurnerFire>(),
        };
    }
};

TEST_F(Shots, EveryShotHitsATargetOnceAndIsEnemySide) {
    for (auto& make : AllShots()) {
        std::unique_ptr<CShotBase> shot = make(stage.get(), 200, 200);
        const CShotBase& made = *shot;
        SCOPED_TRACE(typeid(made).name());
        EXPECT_TRUE(shot->category == 11 || shot->category == 14);
        playtest::Target t(stage.get(), 195, 195, kCategoryHero, kHitHurt);
        t.UpdateCentre();
        EXPECT_NE(shot->Collide(&t), kHitImmune);
        EXPECT_EQ(shot->Collide(&t), kHitImmune);
        EXPECT_EQ(t.received.size(), 1u);
    }
}

// Without an owner stage every shot is built, updated, drawn and hit without failing, makes
// nothing that outlives it, and leaves nothing in the registry.
TEST_F(Shots, EveryShotIsBuiltUpdatedDrawnAndDestroyedWithoutAnOwner) {
    const int before = IBase::GetLiveCount();
    const int registered = CObjectRegistry::GetInstance()->Count();
    for (auto& make : AllShots()) {
        std::unique_ptr<CShotBase> shot = make(nullptr, 0, 0);
        const CShotBase& made = *shot;
        SCOPED_TRACE(typeid(made).name());
        shot->Update();
        shot->Draw();
        shot->ReceiveAttack(Attack(5));
        shot.reset();
        EXPECT_EQ(IBase::GetLiveCount(), before);
        EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), registered);
    }
}

TEST_F(Shots, AShotWhoseAgeEqualsItsLifetimeStillLives) {
    SetFrame(1.0f / 64.0f);  // 0.9375 frames a frame: 64 frames make exactly 60
    CSnowStorm001 storm(stage.get(), 200, 200, 50, 0, false);
    for (int i = 0; i < 64; ++i) storm.Update();
    EXPECT_EQ(storm.age, 60.0);
    EXPECT_FALSE(storm.IsDead());
    storm.Update();
    EXPECT_TRUE(storm.IsDead());
}

TEST_F(Shots, ALevelBlowWithFlagZeroBatsTheBallStraightUpElseAlongTheBlow) {
    CBaseball up(stage.get(), 200, 200, -100, 0, false);
    EXPECT_EQ(up.ReceiveAttack(Attack(0, kAttackReflectable)), kHitHurt);  // no damage still bats
    EXPECT_NEAR(up.vx, 0.0, 1e-9);
    EXPECT_NEAR(up.vy, -600.0, 1e-9);
    EXPECT_EQ(up.category, 10);

    CVolleyball along(stage.get(), 200, 200, -100, 0, false);
    along.ReceiveAttack(Attack(5));
    EXPECT_NEAR(along.vx, 300.0, 1e-9);
    EXPECT_NEAR(along.vy, 0.0, 1e-9);

    CBatteryShot cannon(stage.get(), 200, 200, -100, 0, false);
    EXPECT_EQ(cannon.ReceiveAttack(Attack(0)), kHitHurt);
    EXPECT_NEAR(cannon.vx, 400.0, 1e-9);
    EXPECT_EQ(cannon.category, 10);
}

TEST_F(Shots, FireSetsTheBombOffOnceAndOtherBlowsBatIt) {
    auto* bomb = Place<CBomb001>(200.0, 200.0, 0.0, 0.0, false);
    EXPECT_EQ(bomb->ReceiveAttack(Attack(0, kAttackRedBurst)), kHitDefeated);
    bomb->Explode();
    EXPECT_TRUE(bomb->IsDead());
    EXPECT_EQ(All<CRedBurst>().size(), 1u);

    CBomb001 batted(stage.get(), 200, 200, 0, 0, false);
    EXPECT_EQ(batted.ReceiveAttack(Attack(30)), kHitHurt);
    EXPECT_NEAR(batted.vx, 520.0, 1e-9);
    EXPECT_FALSE(batted.IsDead());
}

TEST_F(Shots, AMissileExplodesWhenItsLifeEndsAndOnlyOnce) {
    CMissilry m(stage.get(), 200, 100, 0, 0, false, 0);
    m.age = 899.5;
    m.Update();
    EXPECT_TRUE(m.IsDead());
    ASSERT_EQ(EffectsOfKind(5), 1);
    EXPECT_EQ(MadeEffects()[0].x, std::trunc(m.GetLeft() + 8.0));  // at its nose, flying left
    m.Kill();
    EXPECT_EQ(EffectsOfKind(5), 1);
}

TEST_F(Shots, ADroppedMissileIgnitesThenClimbsAndLevelsOff) {
    CMissilry m(stage.get(), 200, 100, 0, 0, false, 1);
    int frames = 0;
    while (m.phase == 0 && frames < 80) {
        m.Update();
        ++frames;
    }
    ASSERT_EQ(m.phase, 1);
    EXPECT_EQ(m.ax, 1200.0);
    EXPECT_GE(frames, 46);
    EXPECT_LE(frames, 52);
    for (int i = 0; i < 120 && m.ay != 0; ++i) m.Update();
    EXPECT_EQ(m.ay, 0.0);
    EXPECT_EQ(m.vy, 0.0);
}

TEST_F(Shots, HomingEndsExactlyOnTheTargetAndNeverTurnsPast) {
    double heading = 0.0;
    TurnToward(0.05, 0.1, &heading);
    EXPECT_EQ(heading, 0.05);
    heading = 0.0;
    TurnToward(-1.0, 0.1, &heading);
    EXPECT_NEAR(heading, -0.1, 1e-12);

    // A hero far above: the missile turns up step by step and then stays on him.
    PlaceHero(210, -50000);
    CPatriot p(stage.get(), 200, 300, 200, 0, false);
    double last = p.heading;
    for (int i = 0; i < 120; ++i) {
        p.Move();
        EXPECT_GE(p.heading, p.targetAngle - 1e-12);  // never past the hero
        EXPECT_LE(p.heading, last + 1e-12);           // only ever turning one way
        last = p.heading;
    }
    EXPECT_NEAR(p.heading, p.targetAngle, 1e-9);
}

TEST_F(Shots, WithoutAHeroHomingShotsFlyStraight) {
    CPatriot p(stage.get(), 200, 300, 0, -150, false);
    CPatriotMagicalBall b(stage.get(), 200, 300, 150, 0, false);
    for (int i = 0; i < 30; ++i) {
        p.Move();
        b.Move();
    }
    EXPECT_NEAR(p.heading, -kPi / 2, 1e-6);
    EXPECT_NEAR(b.heading, 0.0, 1e-9);
}

TEST_F(Shots, ThePatriotSlowsAfter600FramesAndBurstsBelow30) {
    CPatriot p(stage.get(), 200, 200, 100, 0, false);
    p.age = 600.5;
    p.speed = 31.0;
    p.Move();
    EXPECT_NEAR(p.speed, 31.0 - 80.0 / 60.0, 1e-3);
    EXPECT_TRUE(p.IsDead());
    EXPECT_EQ(EffectsOfKind(5), 1);
}

TEST_F(Shots, TheMagicBallSpeedsUpTo280AndTurnsEverSlower) {
    CPatriotMagicalBall b(stage.get(), 200, 200, 100, 0, false);
    EXPECT_FALSE(b.removeWhenOffScreen);
    for (int i = 0; i < 60 * 6; ++i) b.Move();
    EXPECT_DOUBLE_EQ(b.speed, 280.0);
    EXPECT_DOUBLE_EQ(b.turnRate, 0.1);
}

TEST_F(Shots, GunWaterHangsWhenLevelAndSplashesWhateverStrikesIt) {
    CGunWater still(stage.get(), 200, 200, 0, 0, false);
    EXPECT_EQ(still.ax, 0.0);
    for (int i = 0; i < 30; ++i) still.Update();
    EXPECT_EQ(still.vx, 0.0);
    EXPECT_FALSE(still.IsDead());
    EXPECT_EQ(still.ReceiveAttack(Attack(0, kAttackReflectsShots)), kHitDefeated);
    EXPECT_TRUE(still.IsDead());
    EXPECT_EQ(EffectsOfKind(20), 1);

    CGunWater braked(stage.get(), 200, 200, 60, 0, false);
    for (int i = 0; i < 120 && braked.vx != 0; ++i) braked.Update();
    EXPECT_EQ(braked.vx, 0.0);
    EXPECT_EQ(braked.ax, 0.0);
}

TEST_F(Shots, ABulletFlyingLeftSmokesEightPixelsLeftOfItsCentreOnAWall) {
    CMachineGunShot b(stage.get(), 200, 200, -300, 0, false);
    b.touchLeft = true;
    b.Move();
    ASSERT_EQ(EffectsOfKind(9), 1);
    double ex, ey;
    GetEffectPoint(&b, &ex, &ey);
    EXPECT_NEAR(MadeEffects()[0].x, ex - 8.0, 1e-9);
}

TEST_F(Shots, FireAndIceSparkOnEverythingButABeatenHero) {
    playtest::Target* hero = PlaceHero(210, 210, kHitDefeated);
    playtest::Target other(stage.get(), 200, 200, kCategoryEnemy, kHitHurt);
    other.UpdateCentre();
    CSnowStorm001 storm(stage.get(), 205, 205, 10, 0, false);
    storm.Collide(hero);
    EXPECT_EQ(EffectsOfKind(12), 0);
    storm.Collide(&other);
    EXPECT_EQ(EffectsOfKind(12), 3);
    EXPECT_FALSE(storm.IsDead());

    CBurnerFire fire(stage.get(), 205, 205, 10, 0, false);
    fire.Collide(hero);
    EXPECT_EQ(EffectsOfKind(5), 0);
    fire.Collide(&other);
    EXPECT_EQ(EffectsOfKind(5), 1);
    EXPECT_FALSE(fire.IsDead());
    EXPECT_DOUBLE_EQ(CBurnerFire::ScaleAt(0), 0.4);
    EXPECT_DOUBLE_EQ(CBurnerFire::ScaleAt(12), 1.0);
    EXPECT_LT(CBurnerFire::ScaleAt(27), 1.0);
}

TEST_F(Shots, ARollingRockBreaksOnASideWallButRollsOnTheFloor) {
    auto* rock = Place<CRollingRock>(100.0, kFloorTop - 40.0, 150.0, 0.0, false);
    Frames(20);
    EXPECT_FALSE(rock->IsDead());
    Fill(8, 0, 8, 9, 40);  // a wall at x = 256
    for (int i = 0; i < 120 && !rock->IsDead(); ++i) Frames(1);
    EXPECT_TRUE(rock->IsDead());
    EXPECT_EQ(EffectsOfKind(27), 1);
}

}  // namespace
