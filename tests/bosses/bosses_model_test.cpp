// The stick-man model, seen through the red boss: registration, entrance and intro, what hits
// and bodies do to it, the jump away, the wall jump and the defeat that the scene always hears of.
#include <gtest/gtest.h>
#include <memory>

#include "bosses/BarManRed.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

// A colour that stands still in its free state and is open to everything there.
class StillBoss : public CBarManBase {
  public:
    StillBoss(CStage* ownerStage, double px, double py, int facingIn, int creator)
        : CBarManBase(ownerStage, px, py, facingIn, kBarManGreen, creator) {}
    std::vector<int> ended;

  protected:
    void UpdateAttack() override {
        ShowPose(1, 0, 0);
        BrakeStop();
    }
    void OnStateEnd(int s) override { ended.push_back(s); }
    void RestartAttack(bool) override {}
    bool IsAttackImmune() override { return false; }
    bool IsContactHarmless() override { return false; }
    bool IsClashProof() override { return false; }
    int GetBarEffectKind() override { return 0; }
    double GetBarEffectTime() override { return 0; }
};

class BarManModel : public StickManWorld {
  protected:
    StillBoss* Boss(double x = 300, int facing = 0) {
        StillBoss* b = FreeBossOnFloor<StillBoss>(x, facing);
        b->guardChance = 20;
        return b;
    }
    static AttackInfo Hit(int damage, double power = 300.0, double angle = 0.0, int flag = -1) {
        AttackInfo a = Attack(damage, flag);
        a.power = power;
        a.angle = angle;
        return a;
    }
};

TEST_F(BarManModel, MoreThanAHundredDamageSinceTheLastJumpIsRefusedWithAJumpAway) {
    PlaceBossHero(500, kFloorTop - 10);
    StillBoss* boss = Boss();
    ASSERT_TRUE(boss->wasOnGround);
    EXPECT_EQ(boss->ReceiveAttack(Hit(101)), kHitImmune);
    EXPECT_EQ(boss->bossState, kBarManJump);
    EXPECT_EQ(boss->hitPoints, 250);
    EXPECT_EQ(boss->damageSinceJump, 0);
    EXPECT_EQ(boss->facing, 1);  // turned to the hero before jumping back from him

    StillBoss* other = Boss(600);
    EXPECT_EQ(other->ReceiveAttack(Hit(100)), kHitHurt);
    EXPECT_EQ(other->hitPoints, 150);
    EXPECT_TRUE(other->isBlown);
    EXPECT_EQ(other->damageSinceJump, 100);
    other->SetState(kBarManFree);
    EXPECT_EQ(other->ReceiveAttack(Hit(1)), kHitImmune);  // 101 in all
    EXPECT_EQ(other->hitPoints, 150);
}

TEST_F(BarManModel, WaterHalvesTheDamageAndRaisesTheGuardChanceByHalf) {
    PlaceBossHero(500, kFloorTop - 10);
    StillBoss* dry = Boss();
    dice.draws = {29};
    EXPECT_EQ(dry->ReceiveAttack(Hit(7)), kHitHurt);  // 29 is no guard at 20 percent
    EXPECT_EQ(dry->hitPoints, 243);

    StillBoss* wet = Boss(600);
    dice.draws = {29};
    EXPECT_EQ(wet->ReceiveAttack(Hit(7, 300, 0, kAttackWater)), kHitGuarded);  // 30 percent
    dice.draws = {30};
    wet->SetState(kBarManFree);
    EXPECT_EQ(wet->ReceiveAttack(Hit(7, 300, 0, kAttackWater)), kHitHurt);
    EXPECT_EQ(wet->hitPoints, 247);  // 7 / 2 truncated
}

TEST_F(BarManModel, AGuardThrowsTheBossBackAndWhileRecoilingEveryAttackIsGuarded) {
    PlaceBossHero(500, kFloorTop - 10);
    StillBoss* boss = Boss();
    dice.draws = {0};
    EXPECT_EQ(boss->ReceiveAttack(Hit(5, 100.0, 0.0)), kHitGuarded);
    EXPECT_EQ(boss->bossState, kBarManRecoil);
    EXPECT_DOUBLE_EQ(boss->vx, 70.0);
    EXPECT_DOUBLE_EQ(boss->ax, -210.0);
    dice.draws = {99};  // no chance, but a recoiling boss guards anyway
    EXPECT_EQ(boss->ReceiveAttack(Hit(5, 50.0, 0.0)), kHitGuarded);
    EXPECT_DOUBLE_EQ(boss->vx, 35.0);
    EXPECT_DOUBLE_EQ(boss->ax, -200.0);  // pushed out to 200
    EXPECT_EQ(boss->hitPoints, 250);
}

TEST_F(BarManModel, IntroDefeatAndJumpsAnswerEveryAttackAndBodyWithSix) {
    auto* hero = PlaceBossHero(500, kFloorTop - 10);
    StillBoss* boss = Boss();
    for (int s : {kBarManIntro, kBarManDefeat, kBarManJump, kBarManWallJump}) {
        boss->SetState(s);
        EXPECT_EQ(boss->ReceiveAttack(Hit(50)), kHitImmune) << s;
        EXPECT_EQ(boss->Collide(hero), kHitImmune) << s;
    }
    EXPECT_EQ(boss->hitPoints, 250);
    EXPECT_TRUE(hero->received.empty());
}

TEST_F(BarManModel, TheHitToExactlyZeroDefeatsAndTheSceneHearsOfItEvenFarOffScreen) {
    PlaceBossHero(500, kFloorTop - 10);
    auto made = std::make_unique<CBarManRed>(stage.get(), 300, kFloorTop - 38.5, 0, 1);
    CBarManRed* boss = made.get();
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
    EXPECT_FALSE(boss->removeWhenOffScreen);
    boss->SetAreaObjectId(9);
    Table().SetSpawnFlag(9, true);
    boss->dice = std::ref(dice);
    Frames(2);
    boss->SetState(kBarManFree);
    boss->hitPoints = 10;
    EXPECT_EQ(boss->ReceiveAttack(Hit(10)), kHitDefeated);
    EXPECT_EQ(boss->bossState, kBarManDefeat);
    EXPECT_EQ(boss->category, kCategoryFlyer);
    EXPECT_TRUE(boss->ignoresMap);
    EXPECT_LT(boss->vx, 0);  // away from the hero on its right
    EXPECT_FALSE(Table().CanSpawn(9));
    EXPECT_EQ(bossScene.musicStopped, 1);
    EXPECT_EQ(bossScene.heroTimerReset, 1);

    boss->x = 100000;  // carried far off by the flight
    const ObjectHandle handle = boss->GetHandle();
    Frames(110);
    EXPECT_EQ(bossScene.defeated, 0);
    Frames(2);
    EXPECT_EQ(bossScene.defeated, 1);
    Frames(1);
    EXPECT_EQ(handle.Get(), nullptr);
}

TEST_F(BarManModel, TheFirstUpdateRegistersAndTheEntranceEndsAfter180FramesInTheFreeState) {
    PlaceBossHero(500, kFloorTop - 10);
    auto* boss = Place<CBarManRed>(300.0, kFloorTop - 38.5, 0, 1);
    Frames(1);
    EXPECT_EQ(bossScene.registered, 1);
    Frames(1);
    EXPECT_EQ(bossScene.registered, 1);
    boss->bossStateTime = 0;
    for (int i = 1; i < 180; ++i) {
        ASSERT_FALSE(boss->EntranceStep()) << i;
        EXPECT_TRUE(boss->inEntrance);
        boss->Draw();  // every stage of the title picture, shaking in, breaking up, flying off
    }
    EXPECT_TRUE(boss->EntranceStep());
    EXPECT_FALSE(boss->inEntrance);
    EXPECT_EQ(boss->bossState, kBarManFree);
    EXPECT_EQ(boss->redState, kRedRun);  // the red boss opens by running at the hero
    EXPECT_EQ(boss->facing, 1);
}

TEST_F(BarManModel, WithoutAnEntranceTheIntroLasts121Frames) {
    PlaceBossHero(500, kFloorTop - 10);
    auto* boss = Place<CBarManRed>(300.0, kFloorTop - 38.5, 0, 1);
    Frames(120);
    EXPECT_EQ(boss->bossState, kBarManIntro);
    EXPECT_FALSE(boss->inEntrance);
    Frames(2);
    EXPECT_EQ(boss->bossState, kBarManFree);
}

TEST_F(BarManModel, BodiesThatBounceOrPushAndClashesThrowTheBossBack) {
    auto* hero = PlaceBossHero(500, kFloorTop - 10);
    StillBoss* boss = Boss(480, 1);
    hero->answer = kHitBounced;
    EXPECT_EQ(boss->Collide(hero), kHitBounced);
    EXPECT_EQ(boss->bossState, kBarManPushed);
    EXPECT_DOUBLE_EQ(boss->vx, -250.0);

    boss->SetState(kBarManFree);
    hero->answer = kHitPushed;
    EXPECT_EQ(boss->Collide(hero), kHitPushed);
    EXPECT_EQ(boss->bossState, kBarManRecoil);
    EXPECT_DOUBLE_EQ(boss->vx, -200.0);  // away from the hero, along the ground
    EXPECT_DOUBLE_EQ(boss->ax, 900.0);
    ASSERT_FALSE(hero->received.empty());
    EXPECT_EQ(hero->received.back().damage, 0);
    EXPECT_TRUE(hero->received.back().flags[kAttackBodyContact]);

    boss->SetState(kBarManFree);
    boss->AfterAttackClash();
    EXPECT_EQ(boss->bossState, kBarManRecoil);
    EXPECT_DOUBLE_EQ(boss->vx, -200.0);
    EXPECT_DOUBLE_EQ(boss->ax, 700.0);
}

TEST_F(BarManModel, AJumpAwayThatMeetsAWallTurnsIntoTheWallJump) {
    PlaceBossHero(700, kFloorTop - 10);
    Fill(8, 0, 8, 9, 40);  // a wall whose right side is at x = 288
    StillBoss* boss = Boss(300, 1);
    boss->StartJump();
    bool wallJumped = false;
    for (int i = 0; i < 40 && !wallJumped; ++i) {
        Frames(1);
        wallJumped = boss->bossState == kBarManWallJump;
    }
    EXPECT_TRUE(wallJumped);
    EXPECT_GT(boss->vx, 0);
    EXPECT_TRUE(boss->afterimageVisible);
}

}  // namespace
