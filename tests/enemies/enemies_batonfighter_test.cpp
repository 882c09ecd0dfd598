// The heavy baton fighter: the slow-down after each hit, its answers, the hit that wakes it, the
// choice of the low swing, the hard body contact, and its defeat.
#include <cmath>
#include <numbers>

#include "enemies/TonFar001.h"
#include "play/Hitboxes.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class BatonFighter : public GroundWorld {
  protected:
    CTonFar001* OnFloor(double x, int facing = 1) {
        auto* t = Place<CTonFar001>(x, kFloorTop - 64.0 - 0.5, facing);
        t->SetAreaObjectId(11);
        Table().SetSpawnFlag(11, true);
        Frames(2);
        return t;
    }
    static AttackInfo Hit(int damage, double delay) {
        AttackInfo a = Attack(damage);
        a.delay = delay;
        return a;
    }
};

// Damage 10 with delay 8 slows it for 10 frames: its clocks and its walk run at a third; a
// second hit restarts the slow time from its own delay.
TEST_F(BatonFighter, EachHitSlowsItToAThirdForTheDelayAndTwoFrames) {
    CTonFar001* t = OnFloor(300);
    t->SetState(kBatonWalk);
    Frames(5);
    const double walkSpeed = std::fabs(t->vx);
    EXPECT_EQ(t->ReceiveAttack(Hit(10, 8)), kHitHurt);
    EXPECT_EQ(t->slowFrames, 10.0);
    const double clock = t->stateFrames, x0 = t->x, v0 = t->vx;
    Frames(3);
    EXPECT_NEAR(t->stateFrames - clock, 1.0, 1e-4);  // three frames at a third
    EXPECT_NEAR(std::fabs(t->vx - v0), 3 * 300.0 / 60.0 * 0.33, 1e-3);
    EXPECT_LT(std::fabs(t->x - x0), 3 * (walkSpeed + 15.0) / 60.0 * 0.34);
    EXPECT_EQ(t->ReceiveAttack(Hit(10, 1)), kHitHurt);
    EXPECT_EQ(t->slowFrames, 3.0);
    Frames(3);
    EXPECT_EQ(t->slowFrames, 0.0);
    const double c1 = t->stateFrames;
    Frames(1);
    EXPECT_NEAR(t->stateFrames - c1, 1.0, 1e-4);  // full speed again
}

// The slow-down is the fighter's own: a conveyor under it carries it at full speed meanwhile.
TEST_F(BatonFighter, ASlowedFighterRidesAConveyorAtFullSpeed) {
    Fill(0, 10, 59, 10, 227);  // a conveyor to the right at 100 pixels a second
    CTonFar001* t = OnFloor(300);
    EXPECT_EQ(t->ReceiveAttack(Hit(1, 30)), kHitHurt);
    ASSERT_GT(t->slowFrames, 6.0);
    const double x0 = t->x;
    for (int i = 0; i < 6; ++i) {
        t->vx = t->ax = 0.0;  // standing still on the belt
        Frames(1);
    }
    EXPECT_NEAR(t->x - x0, 6 * 100.0 / 60.0, 1e-6);
}

// A hit never moves it: 1 while hit points last, 0 for the last, 6 after that.
TEST_F(BatonFighter, HitsNeverMoveItAndTheLastBeatsIt) {
    CTonFar001 t(stage.get(), 300, 200, 1);
    t.SetAreaObjectId(11);
    Table().SetSpawnFlag(11, true);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(t.ReceiveAttack(Attack(11)), kHitHurt);
        EXPECT_EQ(t.vx, 0.0);
        EXPECT_FALSE(t.isBlown);
    }
    EXPECT_TRUE(Table().CanSpawn(11));
    AttackInfo last = Attack(1);
    last.angle = std::numbers::pi;  // from the right, toward the left
    EXPECT_EQ(t.ReceiveAttack(last), kHitDefeated);
    EXPECT_EQ(t.state, kBatonDefeated);
    EXPECT_EQ(t.vx, -240.0);
    EXPECT_EQ(t.facing, 1);  // looking back at the attacker
    EXPECT_FALSE(Table().CanSpawn(11));
    EXPECT_EQ(t.ReceiveAttack(Attack(50)), kHitImmune);
    t.SetState(kBatonDown);
    EXPECT_EQ(t.ReceiveAttack(Attack(50)), kHitImmune);
}

TEST_F(BatonFighter, AnyHitWakesItEvenWithTheHeroOutOfSight) {
    CTonFar001 t(stage.get(), 300, 200, 1);
    EXPECT_EQ(t.ReceiveAttack(Attack(1)), kHitHurt);
    EXPECT_EQ(t.state, kBatonNotice);
}

// In reach, it swings high unless the hero's centre is more than 20 below its own.
TEST_F(BatonFighter, ItCrouchesToSwingLowOnlyAtAHeroMoreThanTwentyBelow) {
    for (double below : {20.0, 21.0}) {
        SCOPED_TRACE(below);
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        CTonFar001* t = OnFloor(300);
        PlaceHero(t->centerX + 60, t->centerY + below);
        t->SetState(kBatonWalk);
        t->stateFrames = 31;
        Frames(1);
        const bool low = below > 20.0;
        ASSERT_EQ(t->state, low ? kBatonCrouch : kBatonWindUp);
        EXPECT_EQ(t->height, low ? 56.0 : 64.0);
        EXPECT_NEAR(t->GetBottom(), kFloorTop, 1.0);
        t->stateFrames = 51;
        Frames(1);
        EXPECT_EQ(t->state, low ? kBatonLowSwing : kBatonHighSwing);
        EXPECT_EQ(t->GetPendingChildCount() + t->GetChildren().size(), 1u);
    }
}

TEST_F(BatonFighter, ItsBodyThrowsTheOtherHardAndWobblesWhateverTheAnswer) {
    for (int answer : {kHitPushed, kHitNoEffect, kHitImmune}) {
        CTonFar001 t(stage.get(), 300, 200, 1);
        t.UpdateCentre();
        playtest::Target other(stage.get(), t.centerX + 20, t.centerY - 10, kCategoryHero, answer);
        EXPECT_EQ(t.Collide(&other), answer);
        EXPECT_EQ(other.received.at(0).damage, 0);
        EXPECT_EQ(other.received.at(0).power, 700.0);
        EXPECT_EQ(other.received.at(0).flags[kAttackBodyPush], 1);
        EXPECT_EQ(t.wobbleFrames, 30.0);
    }
}

TEST_F(BatonFighter, BeatenItLiesDownAndThenBursts) {
    CTonFar001* t = OnFloor(300);
    EXPECT_EQ(t->ReceiveAttack(Attack(100)), kHitDefeated);
    for (int i = 0; i < 120 && t->state == kBatonDefeated; ++i) Frames(1);
    ASSERT_EQ(t->state, kBatonDown);
    Frames(30);
    EXPECT_FALSE(t->IsDead());
    t->stateFrames = 72.0;  // on the threshold, so that float frame times cannot shift it
    Frames(1);
    EXPECT_FALSE(t->IsDead());
    Frames(1);
    EXPECT_TRUE(t->IsDead());
    EXPECT_EQ(EffectCount(4), 1);
}

}  // namespace
