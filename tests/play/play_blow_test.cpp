// Enemies knocked away: hit-stop, flight and braking, landing back in their own speeds, the
// defeat flight with its floor and its early end at a wall, and the body contact.
#include <cmath>

#include "foundation/Geometry.h"
#include "tests/play/play_combat_env.h"

using namespace playtest;

namespace {

class Blows : public CombatTest {
  protected:
    // An enemy in open air with its own max speeds of 300.
    Dummy& Enemy(int hp = 100) {
        enemy_ = std::make_unique<Dummy>(stage.get(), 300, 200, hp);
        enemy_->maxSpeedUp = enemy_->maxSpeedDown = enemy_->maxSpeedLeft = enemy_->maxSpeedRight = 300;
        return *enemy_;
    }
    void Updates(Dummy& e, int n) {
        for (int i = 0; i < n; ++i) e.Update();
    }
    std::unique_ptr<Dummy> enemy_;
};

TEST_F(Blows, HitStopFreezesThenTheFlightLasts20FramesAndGivesBackTheSpeeds) {
    Dummy& e = Enemy();
    e.vx = 50;
    e.ay = 600;
    e.StartBlow(Attack(5, 600, 0.0, 2.5), false);
    Updates(e, 2);  // 2.5 frames of hit-stop: frozen for two
    EXPECT_EQ(e.x, 300);
    EXPECT_EQ(e.vx, 0);
    Updates(e, 1);  // launched
    EXPECT_GT(e.x, 300);
    EXPECT_EQ(e.blowTimer, 20.0);
    EXPECT_EQ(e.maxSpeedRight, 9999.0);
    Updates(e, 19);
    EXPECT_TRUE(e.isBlown);
    EXPECT_EQ(e.blowEnds, 0);
    Updates(e, 1);
    EXPECT_FALSE(e.isBlown);
    EXPECT_EQ(e.blowEnds, 1);
    EXPECT_EQ(e.maxSpeedRight, 300);
    EXPECT_EQ(e.maxSpeedUp, 300);
    EXPECT_EQ(e.ay, 0);  // gravity is the enemy's to set again
    EXPECT_FALSE(e.IsDead());
}

TEST_F(Blows, DelayZeroLaunchesInTheFirstFrame) {
    Dummy& e = Enemy();
    e.StartBlow(Attack(0, 400, kPi, 0.0), false);
    Updates(e, 1);
    EXPECT_EQ(e.blowDelay, -1.0);
    EXPECT_LT(e.x, 300);
}

TEST_F(Blows, ASecondBlowKeepsTheEnemysOwnSpeedsForTheLanding) {
    Dummy& e = Enemy();
    e.StartBlow(Attack(5, 600, 0.0, 0.0), false);
    Updates(e, 5);
    e.StartBlow(Attack(5, 400, kPi, 3.0), false);
    Updates(e, 30);
    ASSERT_FALSE(e.isBlown);
    EXPECT_EQ(e.maxSpeedLeft, 300);
    EXPECT_EQ(e.maxSpeedRight, 300);
    EXPECT_EQ(e.maxSpeedUp, 300);
    EXPECT_EQ(e.maxSpeedDown, 300);
}

TEST_F(Blows, TheBrakeBringsTheFlightToRest) {
    Dummy& e = Enemy();
    e.StartBlow(Attack(5, 300, kPi, 0.0), false);
    Updates(e, 18);
    ASSERT_TRUE(e.isBlown);
    EXPECT_EQ(e.vx, 0);
    EXPECT_EQ(e.ax, 0);
    // 300 px/s braked at 1350 px/s²: about 33 pixels, give or take the last frame's step.
    EXPECT_NEAR(e.x, 300 - 300.0 * 300.0 / (2 * 1350.0), 3.0);
}

TEST_F(Blows, OnlyUpwardOrBrakedFlightsBrakeVertically) {
    Dummy& down = Enemy();
    down.StartBlow(Attack(1, 250, kPi / 2, 0.0), false);
    Updates(down, 1);
    EXPECT_EQ(down.ay, 0.0);
    Dummy& up = Enemy();
    up.StartBlow(Attack(1, 250, -kPi / 2, 0.0), false);
    Updates(up, 1);
    EXPECT_NEAR(up.ay, 3.0 * (250 + 150), 1e-9);
    Dummy& braked = Enemy();
    braked.StartBlow(Attack(1, 250, kPi / 2, 0.0), true);
    Updates(braked, 1);
    EXPECT_NEAR(braked.ay, -3.0 * (250 + 150), 1e-9);
}

TEST_F(Blows, ADefeatFliesAt700AtLeastFor12FramesAndEndsInItsEffect) {
    for (double power : {300.0, 900.0}) {
        SCOPED_TRACE(power);
        MadeEffects().clear();
        Dummy& e = Enemy(10);
        EXPECT_EQ(e.ReceiveAttack(Attack(10, power, 0.0, 0.0)), kHitDefeated);
        Updates(e, 1);
        EXPECT_NEAR(std::hypot(e.vx, e.vy), std::max(power, 700.0), 60.0);  // one frame of braking
        EXPECT_EQ(e.blowTimer, 12.0);
        Updates(e, 11);
        EXPECT_FALSE(e.IsDead());
        EXPECT_TRUE(MadeEffects().empty());
        const double lastX = e.x, lastY = e.y;
        Updates(e, 1);
        EXPECT_TRUE(e.IsDead());
        ASSERT_EQ(MadeEffects().size(), 1u);
        EXPECT_EQ(MadeEffects()[0].kind, 4);
        EXPECT_EQ(MadeEffects()[0].x, std::trunc(lastX + 10));  // the box's centre as it ended
        EXPECT_EQ(MadeEffects()[0].y, std::trunc(lastY + 10));
        // Struck again while going down: nothing more.
        EXPECT_EQ(e.ReceiveAttack(Attack(10)), kHitImmune);
    }
}

TEST_F(Blows, ADefeatFlightEndsAtTheNextFrameOnlyWhenItHitsAWallFast) {
    for (double speed : {300.0, 150.0}) {
        SCOPED_TRACE(speed);
        Dummy& e = Enemy(1);
        e.StartDefeatBlow(Attack(1, 700, kPi, 0.0), 4);
        Updates(e, 2);
        e.vx = -speed;
        Updates(e, 1);  // moves at about that speed (less one frame of braking)...
        e.vx = 0;
        e.touchLeft = true;  // ...into a wall, which stops it
        Updates(e, 1);
        EXPECT_FALSE(e.IsDead());
        Updates(e, 1);
        EXPECT_EQ(e.IsDead(), speed > 200.0);
    }
}

TEST_F(Blows, AWallInTheWayEndsTheDefeatFlightEarly) {
    Fill(0, 0, 2, 39, 40);  // rock up to x = 96
    auto* e = testsupport::Register(std::make_unique<Dummy>(stage.get(), 110, 200, 1));
    ASSERT_NE(e, nullptr);
    const ObjectHandle handle(e);
    e->StartDefeatBlow(Attack(1, 300, kPi, 0.0), 4);
    int frames = 0;
    while (handle && !e->IsDead() && frames < 12) {
        Frames(1);
        ++frames;
    }
    EXPECT_LT(frames, 8);
    EXPECT_TRUE(!handle || e->IsDead());
    ASSERT_EQ(MadeEffects().size(), 1u);
    EXPECT_GE(MadeEffects()[0].x, 96);
}

TEST_F(Blows, TheBodyContactPushesTowardTheOtherWithoutDamage) {
    Dummy& e = Enemy();
    Target hero(stage.get(), 300, 150, kCategoryHero, kHitPushed);  // straight above
    EXPECT_EQ(e.DeliverContactAttack(&hero), kHitPushed);
    ASSERT_EQ(hero.received.size(), 1u);
    const AttackInfo& a = hero.received[0];
    EXPECT_NEAR(a.angle, -kPi / 2, 1e-6);
    EXPECT_EQ(a.damage, 0);
    EXPECT_EQ(a.power, 130.0);
    for (int f = 0; f < 12; ++f) EXPECT_EQ(a.flags[f], f == kAttackBodyContact ? 1 : 0);
    e.Kill();
    EXPECT_EQ(e.DeliverContactAttack(&hero), kHitImmune);
    EXPECT_EQ(hero.received.size(), 1u);
}

}  // namespace
