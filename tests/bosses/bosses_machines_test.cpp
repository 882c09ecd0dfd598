// The blue boss's machines: the gunner's hops, waits and aimed shot, the flyer's steering and its
// held fire off the screen, the turret's immunity, turns and end, the bomb's fuse, its cut and
// the fire that sets it off, and the blows that beat the gunner and the flyer once.
#include <cmath>

#include "bosses/BlueMachines.h"
#include "bosses/BossThrows.h"
#include "foundation/Geometry.h"
#include "gimmicks/Burst.h"
#include "tests/bosses/bosses_env.h"

using namespace bosstest;
using enemytest::kFloorTop;

namespace {

class Machines : public RecordingBossWorld {
  protected:
    // A gunner standing on the floor, settled and at rest.
    CBlueMachine001* GunnerAtRest(double x) {
        auto* m = Place<CBlueMachine001>(x, kFloorTop - 20.0, 0.0, 0.0);
        Frames(4);  // landed and steady on the floor
        m->SetState(CBlueMachine001::kRest);
        return m;
    }
};

TEST_F(Machines, AGunnerAtRestWaits40FramesOnTheGroundButHopsAtOnceInTheAir) {
    CBlueMachine001* m = GunnerAtRest(200);
    Frames(40);
    EXPECT_EQ(m->state, CBlueMachine001::kRest);
    Frames(2);
    EXPECT_EQ(m->state, CBlueMachine001::kHop);
    EXPECT_LT(m->vy, -400.0);

    auto* flying = Place<CBlueMachine001>(400.0, 100.0, 0.0, 0.0);
    flying->SetState(CBlueMachine001::kRest);
    flying->onGround = false;
    Frames(1);
    EXPECT_EQ(flying->state, CBlueMachine001::kHop);
}

TEST_F(Machines, TheGunnerAimsFromItsTopAtTheHeroAndFiresOneWallPassingShot) {
    PlaceHero(400, 200);
    CBlueMachine001* m = GunnerAtRest(200);
    m->SetState(CBlueMachine001::kAim);
    const double muzzleX = m->centerX, muzzleY = m->GetTop() + 8.0;
    FramesUntil([&] { return m->state != CBlueMachine001::kAim; }, 40);
    EXPECT_EQ(m->state, CBlueMachine001::kAfterShot);
    const auto shots = All<CWallThroughNormalShot>();
    ASSERT_EQ(shots.size(), 1u);
    const double a = std::atan2(200.0 - muzzleY, 400.0 - muzzleX);
    EXPECT_NEAR(shots[0]->vx, 150.0 * std::cos(a), 0.5);
    EXPECT_NEAR(shots[0]->vy, 150.0 * std::sin(a), 0.5);
    EXPECT_EQ(shots[0]->category, 14);
}

TEST_F(Machines, AGunnerThatPushedTheHeroRecoilsAwayFromHim) {
    CBlueMachine001* m = GunnerAtRest(200);
    playtest::Target hero(stage.get(), m->centerX - 25, m->centerY - 10, kCategoryHero, kHitPushed);
    EXPECT_EQ(m->Collide(&hero), kHitPushed);
    EXPECT_EQ(m->state, CBlueMachine001::kKnocked);
    EXPECT_EQ(m->vx, 200.0);
    EXPECT_EQ(m->ax, -900.0);
}

TEST_F(Machines, TheGunnerAndTheFlyerFallToAnyBlowOnce) {
    CBlueMachine001 gunner(stage.get(), 200, 200, 0, 0);
    CBlueMachine002 flyer(stage.get(), 300, 200, 0, 0);
    for (CPatternEnemy* m : {static_cast<CPatternEnemy*>(&gunner), static_cast<CPatternEnemy*>(&flyer)}) {
        EXPECT_EQ(m->ReceiveAttack(Attack(0)), kHitDefeated);
        EXPECT_TRUE(m->isDefeated);
        EXPECT_EQ(m->ReceiveAttack(Attack(30)), kHitImmune);
    }
}

TEST_F(Machines, TheFlyerTurnsAQuarterTurnASecondTowardTheHero) {
    PlaceHero(200, -20000);  // straight above
    auto* m = Place<CBlueMachine002>(200.0, 200.0, 100.0, 0.0);
    m->SetState(CBlueMachine002::kCruise);
    m->stateFrames = 0;
    Frames(60);
    EXPECT_NEAR(m->heading, -kPi / 4.0, 0.02);
    EXPECT_DOUBLE_EQ(m->speed, 120.0);
    Frames(50);
    EXPECT_GE(m->heading, -kPi / 2.0 - 1e-9);  // never past the hero
}

TEST_F(Machines, WithoutAHeroTheFlyerKeepsItsHeading) {
    CBlueMachine002 m(stage.get(), 200, 200, 0, -100);
    m.stateFrames = 0;
    for (int i = 0; i < 60; ++i) m.Update();
    EXPECT_NEAR(m.heading, -kPi / 2.0, 1e-6);
    EXPECT_LT(m.y, 100.0);
}

TEST_F(Machines, TheFlyerHoldsItsFireOffTheScreenAndStillPauses) {
    PlaceHero(200, 200);
    auto* far = Place<CBlueMachine002>(100000.0, 100000.0, 0.0, 0.0);
    auto* near = Place<CBlueMachine002>(300.0, 200.0, 0.0, 0.0);
    far->SetState(CBlueMachine002::kBrakeAndFire);
    near->SetState(CBlueMachine002::kBrakeAndFire);
    Frames(32);
    EXPECT_EQ(far->state, CBlueMachine002::kPause);
    EXPECT_EQ(near->state, CBlueMachine002::kPause);
    const auto shots = All<CWallThroughNormalShot>();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_LT(shots[0]->vx, -149.0);  // from the near one, at the hero on its left
}

TEST_F(Machines, TheTurretIgnoresBlowsFiresOncePerTurnAndBurstsAt960) {
    CBlueMachine003 turret(stage.get(), 200, 200, 0, 0);
    EXPECT_EQ(turret.ReceiveAttack(Attack(100, kAttackRedBurst)), kHitNoEffect);
    const double start = turret.angle;
    for (int i = 0; i < 60; ++i) turret.Update();
    EXPECT_EQ(turret.angle, start);
    ASSERT_EQ(All<CWallThroughNormalShot>().size(), 1u);
    CWallThroughNormalShot* shot = All<CWallThroughNormalShot>()[0];
    EXPECT_NEAR(shot->vx, 160.0 * std::cos(start), 1e-9);
    EXPECT_NEAR(shot->GetLeft() + 4.0, 200.0 + 24.0 * std::cos(start), 1e-6);
    turret.Update();
    turret.Update();
    EXPECT_NEAR(std::fabs(turret.angle - start), kPi / 4.0, 1e-12);

    turret.age = 960;
    turret.Update();
    EXPECT_TRUE(turret.IsDead());
    EXPECT_EQ(EffectsOfKind(6), 1);
}

TEST_F(Machines, TheBombLightsNearTheHeroAfterASecondAndBurstsAfterItsFuse) {
    PlaceHero(200, 200);
    auto* bomb = Place<CBlueMachine004>(240.0, 200.0, 0.0, 0.0);
    Frames(59);
    EXPECT_FALSE(bomb->lit);
    FramesUntil([&] { return bomb->lit; }, 5);
    ASSERT_TRUE(bomb->lit);
    const int fuseFrames = FramesUntil([&] { return All<CRedBurst>().size() == 1; }, 80);
    EXPECT_GE(fuseFrames, 60);
    EXPECT_LE(fuseFrames, 62);
}

TEST_F(Machines, WithoutAHeroTheBombLightsOnlyAfterTenSeconds) {
    CBlueMachine004 bomb(stage.get(), 200, 200, 0, 0);
    bomb.age = 590;
    bomb.Update();
    EXPECT_FALSE(bomb.lit);
    bomb.age = 600;
    bomb.Update();
    EXPECT_TRUE(bomb.lit);
}

TEST_F(Machines, OnlyFireSetsTheBombOffAndItsLitImageBlinksEveryTwoFrames) {
    CBlueMachine004 bomb(stage.get(), 200, 200, 0, 0);
    EXPECT_EQ(bomb.ReceiveAttack(Attack(50, kAttackSlash)), kHitNoEffect);
    EXPECT_FALSE(bomb.IsDead());
    EXPECT_FALSE(bomb.lit);

    bomb.lit = true;
    bomb.fuse = 59.5;
    bomb.Draw();
    const CSprite* bright = bomb.sprite;
    bomb.fuse = 57.5;
    bomb.Draw();
    EXPECT_NE(bomb.sprite, bright);
    bomb.fuse = 55.5;
    bomb.Draw();
    EXPECT_EQ(bomb.sprite, bright);

    EXPECT_EQ(bomb.ReceiveAttack(Attack(0, kAttackRedBurst)), kHitDefeated);
    EXPECT_TRUE(bomb.IsDead());
    bomb.Explode();
    EXPECT_EQ(All<CRedBurst>().size(), 1u);
}

TEST_F(Machines, TheBombCutsWhatItTouchesUpAndAway) {
    CBlueMachine004 bomb(stage.get(), 200, 200, 0, 0);
    bomb.UpdateCentre();
    playtest::Target right(stage.get(), 210, 190, kCategoryHero, kHitHurt);
    EXPECT_EQ(bomb.Collide(&right), kHitHurt);
    ASSERT_EQ(right.received.size(), 1u);
    EXPECT_EQ(right.received[0].damage, 10);
    EXPECT_NEAR(right.received[0].angle, -kPi / 4.0, 1e-12);
    EXPECT_TRUE(right.received[0].flags[kAttackSlash]);
    EXPECT_EQ(EffectsOfKind(3), 1);

    playtest::Target guard(stage.get(), 170, 190, kCategoryHero, kHitNoEffect);
    bomb.Collide(&guard);
    EXPECT_NEAR(guard.received[0].angle, -3.0 * kPi / 4.0, 1e-12);
    EXPECT_EQ(EffectsOfKind(3), 1);
}

}  // namespace
