// The hero hurt: staggers that add up, the floor on damage taken in the air, relaunches while
// down, stomps, clashes, damaging chips, the invincible time after getting up, and the defeat.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/Geometry.h"
#include "stage/StageChips.h"
#include "tests/play/play_hero_env.h"

namespace playtest {
namespace {

class HeroHurt : public HeroTest {
  protected:
    static AttackInfo Push(double angle) {
        AttackInfo a = Attack(0, 300.0, angle);
        a.flags[kAttackBodyPush] = 1;
        return a;
    }
    static AttackInfo Stomp() {
        AttackInfo a = Attack(5, 200.0, -kPi / 2);
        a.flags[kAttackFlag11] = 1;
        return a;
    }
};

TEST_F(HeroHurt, LightHitsOnTheGroundStaggerUntilTheirSumReachesTenThenBlowTheHeroAway) {
    Hero();
    EXPECT_EQ(hero->ReceiveAttack(Attack(5, 200.0, kPi)), kHitHurt);
    EXPECT_EQ(hero->state, kHeroStagger);
    EXPECT_EQ(hero->facing, 1);  // turned toward the blow's source
    Frame();
    EXPECT_EQ(hero->ReceiveAttack(Attack(5, 200.0, kPi)), kHitHurt);
    EXPECT_EQ(hero->state, kHeroBlown);
    EXPECT_EQ(hero->health, 90);
    // Burning and freezing hits pick their own states.
    Run(200);
    AttackInfo fire = Attack(3);
    fire.flags[kAttackRedBurst] = 1;
    hero->invincibleFrames = 0;
    hero->ReceiveAttack(fire);
    EXPECT_EQ(hero->state, kHeroStaggerBurning);
}

TEST_F(HeroHurt, AHitTakenInTheAirCountsAtLeastTenDamage) {
    Hero();
    Frame({kJump});
    Run(5, {kJump});
    ASSERT_FALSE(hero->onGround);
    EXPECT_EQ(hero->ReceiveAttack(Attack(3)), kHitHurt);
    EXPECT_EQ(hero->health, 90);
    EXPECT_EQ(hero->state, kHeroBlown);
}

TEST_F(HeroHurt, AKnockedDownHeroIsRelaunchedAtMostFiveTimesThenPushedBack) {
    Hero();
    hero->ReceiveAttack(Attack(15, 200.0, -kPi / 2));
    for (int relaunch = 1; relaunch <= 5; ++relaunch) {
        ASSERT_GT(RunUntil(kHeroDown, 200), 0) << relaunch;
        EXPECT_EQ(hero->ReceiveAttack(Push(-kPi / 2)), kHitPushed);
        EXPECT_EQ(hero->state, kHeroBlown);
        EXPECT_EQ(hero->relaunchCount, relaunch);
    }
    ASSERT_GT(RunUntil(kHeroDown, 200), 0);
    EXPECT_EQ(hero->ReceiveAttack(Push(-kPi / 2)), kHitPushed);
    EXPECT_EQ(hero->state, kHeroPushedBack);
    // While blown the push moves the hero and changes nothing else.
    hero->SetState(kHeroBlown);
    EXPECT_EQ(hero->ReceiveAttack(Push(0.0)), kHitPushed);
    EXPECT_EQ(hero->state, kHeroBlown);
}

TEST_F(HeroHurt, AStompWithinEightFramesOfLeavingTheGroundDoesNothing) {
    Hero();
    Frame({kJump});
    Run(3, {kJump});
    ASSERT_LT(hero->airFrames, 8.0);
    EXPECT_EQ(hero->ReceiveAttack(Stomp()), kHitNoEffect);
    EXPECT_EQ(hero->health, 100);
    Run(8, {kJump});
    const double vx = hero->vx;
    EXPECT_EQ(hero->ReceiveAttack(Stomp()), kHitBounced);
    EXPECT_EQ(hero->state, kHeroStompBounce);
    EXPECT_EQ(hero->health, 100);
    EXPECT_DOUBLE_EQ(hero->bounceSpeedX, vx);
    // After its hang the bounce throws the hero up, higher with the jump key down.
    Run(6, {kJump});
    EXPECT_NEAR(hero->vy, -340.0 * 1.5, 30.0);
}

TEST_F(HeroHurt, GuardedClashesAndHitsDuringARecoilAddUpToAStagger) {
    Hero();
    AttackInfo theirs = Attack(8);
    hero->OnAttackClash(kHitGuarded, Attack(1), theirs);
    EXPECT_EQ(hero->state, kHeroRecoil);
    EXPECT_EQ(hero->staggerDamage, 8);
    EXPECT_EQ(hero->ReceiveAttack(Attack(8, 300.0, 0.0)), kHitNoEffect);  // a hit in recoil only adds
    EXPECT_EQ(hero->state, kHeroRecoil);
    EXPECT_EQ(hero->health, 100);
    hero->OnAttackClash(kHitGuarded, Attack(1), theirs);
    EXPECT_EQ(hero->state, kHeroStagger);
    EXPECT_EQ(hero->staggerDamage, 0);
    // Any other clash result leaves the hero alone.
    Run(30);
    hero->OnAttackClash(kHitHurt, Attack(1), theirs);
    EXPECT_EQ(hero->state, kHeroStand);
}

TEST_F(HeroHurt, DamagingChipsHurtFromBelowAndTheWorstOneBeatsTheHero) {
    Hero(kWeaponBroom, 400.0);
    Fill(12, kFloorRow, 13, kFloorRow, 56);  // under the hero's feet
    Run(2);
    EXPECT_EQ(hero->health, 80);
    EXPECT_EQ(hero->state, kHeroBlown);
    EXPECT_LT(hero->vx, 0.0);  // thrown up and back (facing right, still)

    Run(200);
    Fill(12, kFloorRow, 13, kFloorRow, 40);
    hero->invincibleFrames = 0;
    Fill(14, kFloorRow - 2, 14, kFloorRow - 1, 57);  // a wall of the worst chip ahead
    Run(40, {kKeyRight});
    EXPECT_TRUE(hero->dead);
    EXPECT_EQ(hero->health, 0);
    EXPECT_EQ(heroScene.beaten, 1);
}

TEST_F(HeroHurt, GettingUpGivesEightyFramesOfInvincibility) {
    Hero();
    hero->ReceiveAttack(Attack(15, 200.0, -kPi / 2));
    ASSERT_GT(RunUntil(kHeroStand, 300), 0);
    // Set to 80 and counted down in the same frame.
    EXPECT_NEAR(hero->invincibleFrames, 79.0, 1e-6);
    Run(78);
    EXPECT_EQ(hero->ReceiveAttack(Attack(5)), kHitImmune);
    Run(1);
    EXPECT_EQ(hero->invincibleFrames, 0.0);
    EXPECT_EQ(hero->ReceiveAttack(Attack(5)), kHitHurt);
}

TEST_F(HeroHurt, ABeatenHeroFliesOffBouncingOnTheScreenEdges) {
    Hero();
    EXPECT_EQ(hero->ReceiveAttack(Attack(200, 300.0, -kPi / 4)), kHitDefeated);
    EXPECT_TRUE(hero->dead);
    EXPECT_EQ(hero->health, 0);
    EXPECT_EQ(hero->deathDirection, 2);  // up and to the right
    EXPECT_EQ(hero->ReceiveAttack(Attack(5)), kHitImmune);
    const double x0 = hero->x, y0 = hero->y;
    hero->Update();  // the registry's update leaves it to the scene
    EXPECT_EQ(hero->x, x0);
    for (int i = 0; i < 10; ++i) hero->UpdateDefeated();
    // 1200 pixels a second on both axes, whichever way the screen's edges turned it.
    EXPECT_NEAR(std::abs(hero->x - x0), 200.0, 1e-3);
    EXPECT_NEAR(std::abs(hero->y - y0), 200.0, 1e-3);
    EXPECT_NEAR(hero->deathTimer, 10.0, 1e-6);
}

}  // namespace
}  // namespace playtest
