// The last boss's projectiles: what they hit, how often, and how they fly.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "bosses/DevilBar.h"
#include "bosses/LastBossShots.h"
#include "engine/Camera.h"
#include "gimmicks/Burst.h"
#include "play/ObjectRegistry.h"
#include "tests/bosses/last_boss_env.h"

namespace {

using lastbosstest::LastBossWorld;

// A parent that keeps the shots as its children, as the forms do.
class Holder : public playtest::Thing {
  public:
    explicit Holder(CStage* s) : Thing(s, 100, 100, 8, 8, kCategoryDefault) { removeWhenOffScreen = false; }
};

class LastBossShots : public LastBossWorld {
  protected:
    template <class T, class... A>
    T* Shoot(A... args) {
        if (!holder) {
            auto made = std::make_unique<Holder>(stage.get());
            holder = made.get();
            EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        }
        auto made = std::make_unique<T>(stage.get(), args...);
        T* shot = made.get();
        holder->AddChild(std::move(made));
        return shot;
    }
    Holder* holder = nullptr;
};

TEST_F(LastBossShots, TheStreamBallHurtsThroughOnceAndFliesOnThenDiesWhenStruck) {
    playtest::Target* hero = PlaceHero(500, 200);
    auto* ball = Shoot<CSmallDarkBall>(460.0, 200.0, 300.0, 0.0, false);
    EXPECT_EQ(ball->Collide(hero), kHitHurt);
    EXPECT_EQ(ball->Collide(hero), kHitImmune);
    EXPECT_EQ(hero->received.size(), 1u);
    EXPECT_FALSE(ball->IsDead());
    EXPECT_DOUBLE_EQ(hero->received[0].angle, -0.25 * std::numbers::pi);
    Frames(40);  // it speeds up along its flight, up to 650
    EXPECT_NEAR(ball->vx, 650.0, 1e-9);
    EXPECT_EQ(ball->ReceiveAttack(Blow(0)), kHitDefeated);
    EXPECT_TRUE(ball->IsDead());
}

TEST_F(LastBossShots, ABattedBigBallTurnsOnItsThrowerFasterAndIsWhatGetsThroughTheSecondForm) {
    PlaceHero(300, 300);
    auto made = std::make_unique<CDevilBar>(stage.get(), 600, 150, nullptr);
    CDevilBar* form = made.get();
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
    form->SetState(kDevilHover);  // hovering: open to blows
    auto* ball = Shoot<CBigDarkBall>(500.0, 200.0, -250.0, 0.0, false, form);
    const int enemySide = ball->category;
    EXPECT_EQ(ball->ReceiveAttack(Blow(0, kAttackRedBurst)), kHitImmune);
    EXPECT_EQ(ball->category, enemySide);

    AttackInfo bat = Blow(10);
    bat.angle = 0.0;  // straight back to the right
    EXPECT_EQ(ball->ReceiveAttack(bat), kHitHurt);
    EXPECT_NE(ball->category, enemySide);
    EXPECT_DOUBLE_EQ(ball->speed, 300.0);
    EXPECT_NEAR(ball->turnRate, 0.10, 1e-12);
    EXPECT_GT(ball->vx, 0.0);

    // A plain blow is guarded; the ball's own attack carries the flag that gets through.
    EXPECT_EQ(form->ReceiveAttack(Blow(10)), kHitGuarded);
    EXPECT_EQ(form->hitPoints, CDevilBar::kHitPoints);
    EXPECT_EQ(ball->Collide(form), kHitHurt);
    EXPECT_EQ(form->hitPoints, CDevilBar::kHitPoints - 10);
    EXPECT_TRUE(ball->IsDead());
}

TEST_F(LastBossShots, ABatStrokeWithTheQuarterTurnFlagSendsTheBallUp) {
    auto* ball = Shoot<CBigDarkBall>(500.0, 200.0, -250.0, 0.0, false, nullptr);
    AttackInfo bat = Blow(10, kAttackReflectable);
    bat.angle = 0.0;
    ball->ReceiveAttack(bat);
    EXPECT_NEAR(ball->vx, 0.0, 1e-9);
    EXPECT_NEAR(ball->vy, -300.0, 1e-9);
    // Batted again: faster still, up to 500.
    for (int i = 0; i < 6; ++i) ball->ReceiveAttack(bat);
    EXPECT_DOUBLE_EQ(ball->speed, 500.0);
    EXPECT_DOUBLE_EQ(ball->turnRate, 0.0);
}

TEST_F(LastBossShots, TheMoonCutterBrakesTurnsThenDashesEverStraighter) {
    PlaceHero(700, 300);
    auto* cutter = Shoot<CMoonCutter>(600.0, 200.0, 300.0, -100.0, false, true);
    EXPECT_NEAR(cutter->speed, std::sqrt(100000.0), 1e-9);
    Frames(20);
    EXPECT_NEAR(cutter->speed, 243.0, 3.0);
    Frames(39);
    EXPECT_DOUBLE_EQ(cutter->speed, 30.0);
    EXPECT_DOUBLE_EQ(cutter->turnRate, 1.5);
    Frames(50);
    EXPECT_DOUBLE_EQ(cutter->speed, 350.0);
    Frames(30);
    EXPECT_DOUBLE_EQ(cutter->speed, 450.0);
    EXPECT_DOUBLE_EQ(cutter->turnRate, 0.1);
}

TEST_F(LastBossShots, TheDarkThunderFallsStraightHurtsOnceAndStrikesTheGround) {
    playtest::Target* hero = PlaceHero(612, 310);
    auto* bolt = Shoot<CDarkThunder>(600.0, -1000.0, false, 316);
    EXPECT_EQ(bolt->ReceiveAttack(Blow(50)), kHitImmune);
    Frames(10);
    EXPECT_DOUBLE_EQ(bolt->vy, 1500.0);
    EXPECT_DOUBLE_EQ(bolt->vx, 0.0);
    EXPECT_EQ(bolt->Collide(hero), kHitHurt);
    EXPECT_EQ(bolt->Collide(hero), kHitImmune);
    EXPECT_FALSE(bolt->IsDead());
    const ObjectHandle handle(bolt);
    Frames(60);  // 1300 pixels at 25 a frame: it meets the floor at y = 320
    EXPECT_FALSE(handle);
}

TEST_F(LastBossShots, TheLightBeforeTheBombBurstsOnceAtSixtySevenFrames) {
    auto* light = Shoot<CLightBeforeBomb>(600.0, 200.0, 1);
    const ObjectHandle handle(light);
    EXPECT_EQ(light->ReceiveAttack(Blow(10)), kHitNoEffect);
    Frames(66);
    EXPECT_TRUE(handle);
    EXPECT_TRUE(All<CRedBurst>().empty());
    EXPECT_TRUE(light->warned);
    Frames(2);
    EXPECT_EQ(All<CRedBurst>().size(), 1u);
    Frames(5);
    EXPECT_FALSE(handle);
    EXPECT_LE(All<CRedBurst>().size(), 1u);
}

// The burst and the shake go to the registry and camera of the scene that plays the bomb's stage.
TEST_F(LastBossShots, TheBombsBurstAndShakeGoThroughItsScene) {
    auto* light = Shoot<CLightBeforeBomb>(600.0, 200.0, 1);
    Frames(66);
    ASSERT_FALSE(light->IsDead());
    boss.registryAsks = boss.cameraAsks = 0;
    const int bursts = static_cast<int>(All<CRedBurst>().size());
    for (int i = 0; i < 5 && !light->IsDead(); ++i) light->Update();
    ASSERT_TRUE(light->IsDead());
    EXPECT_EQ(boss.registryAsks, 1);
    EXPECT_EQ(boss.cameraAsks, 1);
    EXPECT_FLOAT_EQ(CCamera::GetInstance()->GetShake(), 20.0f);
    EXPECT_EQ(static_cast<int>(All<CRedBurst>().size()), bursts + 1);
}

TEST_F(LastBossShots, TheIceBallHomesOnTheHeroAndShattersOnHim) {
    playtest::Target* hero = PlaceHero(600, 100);
    auto* ball = Shoot<CPatriotIceBall>(600.0, 250.0, 110.0, 0.0, false);
    Frames(30);
    EXPECT_LT(ball->vy, 0.0);  // turned up toward him
    EXPECT_EQ(ball->Collide(hero), kHitHurt);
    EXPECT_TRUE(hero->received[0].flags[kAttackIce]);
    EXPECT_TRUE(ball->IsDead());
}

}  // namespace
