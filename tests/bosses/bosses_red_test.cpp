// The red boss's decisions with a scripted generator, the states that cannot be interrupted, the
// fire it throws and how the placed record builds it.
#include <gtest/gtest.h>
#include <memory>

#include "bosses/BarManRed.h"
#include "bosses/StickManKinds.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class RedBoss : public StickManWorld {
  protected:
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    CBarManRed* Red(double x, int facing) {
        return FreeBossOnFloor<CBarManRed>(x, facing, [](CBarManRed* b) { b->SetRedState(kRedAirborne); });
    }
    // A red boss at rest on the floor deciding its next move with the hero dx ahead on the right
    // (or left for negative dx) and dy below, centre to centre.
    CBarManRed* Deciding(double dx, double dy = 0) {
        CBarManRed* b = Red(400, 1);
        b->SetRedState(kRedDecide);
        b->vx = b->ax = 0;
        b->x = 400;  // whole pixels, so that the distances are exact
        b->UpdateCentre();
        PlaceBossHero(b->centerX + dx, b->centerY + dy);
        return b;
    }
    int DecideWith(std::initializer_list<int> draws, double dx, double dy = 0, int hitPoints = 300) {
        CBarManRed* b = Deciding(dx, dy);
        b->hitPoints = hitPoints;
        dice.draws = draws;
        Frames(1);
        return b->redState;
    }
};

TEST_F(RedBoss, LowHitPointsForceTheChargeOnceWhateverTheDistance) {
    for (double dx : {40.0, 200.0, 600.0, -600.0}) EXPECT_EQ(DecideWith({0}, dx, 0, 100), kRedBrace) << dx;
    EXPECT_EQ(DecideWith({0}, 40.0, -100.0, 100), kRedBrace);  // even with the hero above
    CBarManRed* b = Deciding(600);
    b->hitPoints = 100;
    b->lowHpDashUsed = true;
    dice.draws = {0, 99};  // after it, only by chance
    Frames(1);
    EXPECT_EQ(b->redState, kRedFire);
}

TEST_F(RedBoss, DistanceBandsSplitAt144And288) {
    EXPECT_EQ(DecideWith({0}, 143.0), kRedBackOff);
    EXPECT_EQ(DecideWith({0}, 144.0), kRedUpperStrike);
    EXPECT_EQ(DecideWith({74}, 287.0), kRedRun);
    EXPECT_EQ(DecideWith({0}, 288.0), kRedFire);
    EXPECT_EQ(DecideWith({59}, -400.0), kRedReadyDash);
    EXPECT_EQ(DecideWith({0}, 100.0, -100.0), kRedCrouch);  // hero above, close
    EXPECT_EQ(DecideWith({80}, 100.0), kRedBackHop);
}

TEST_F(RedBoss, DiveAndChargeCannotBeInterruptedAndStrikesDoNoBodyDamage) {
    auto* hero = PlaceBossHero(500, kFloorTop - 10);
    CBarManRed* boss = Red(300, 1);
    for (int s : {kRedDive, kRedCharge, kRedChargeStop, kRedLunge}) {
        boss->SetRedState(s);
        EXPECT_EQ(boss->ReceiveAttack(Attack(20)), kHitImmune) << s;
    }
    for (int s : {kRedSwing, kRedDashSwing, kRedWhirl, kRedDive, kRedDiveLanding, kRedCharge, kRedLunge}) {
        boss->SetRedState(s);
        EXPECT_EQ(boss->Collide(hero), kHitImmune) << s;
    }
    EXPECT_TRUE(hero->received.empty());
    boss->SetRedState(kRedUpperStrike);
    dice.draws = {99};
    EXPECT_EQ(boss->ReceiveAttack(Attack(20)), kHitHurt);
}

TEST_F(RedBoss, TheFireIsThrownOnceAlongTheFloorPerFireState) {
    std::vector<double> speeds;
    RegisterLiveObjectCreator("CGrandFrame", [&](CStage* o, double x, double y, const LiveObjectArgs& args) {
        speeds.push_back(LiveArg<double>(args, 0, 0.0));
        return std::unique_ptr<IBase>(std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
    });
    PlaceBossHero(100, kFloorTop - 10);
    CBarManRed* boss = Red(400, 0);
    dice.fallback = 0;  // a fire state that ends decides again
    boss->SetRedState(kRedFire);
    Frames(20);
    EXPECT_TRUE(speeds.empty());
    Frames(56);
    ASSERT_EQ(speeds.size(), 1u);
    EXPECT_DOUBLE_EQ(speeds[0], -170.0);
    EXPECT_NE(boss->redState, kRedFire);
}

TEST_F(RedBoss, TheSwingIsAChildHitboxThatHurtsAheadAndTheBossRecoversByJumpingWhenClose) {
    PlaceBossHero(460, kFloorTop - 10);
    CBarManRed* boss = Red(400, 1);
    boss->SetRedState(kRedReadySwing);
    Frames(29);
    ASSERT_EQ(boss->redState, kRedSwing);
    Frames(1);
    ASSERT_EQ(boss->GetChildren().size(), 1u);
    IBase* box = boss->GetChildren()[0].get();
    EXPECT_GE(box->x, boss->x);  // ahead, to the right
    Frames(62);
    EXPECT_EQ(boss->bossState, kBarManJump);  // the hero stayed within 128
}

TEST_F(RedBoss, ThePlacedRecordBuildsTheBossWithItsFacing) {
    RegisterStickManBossKinds();
    const std::unique_ptr<IBase> made(CreateLiveObject("CBarManRed", stage.get(), 64, 96, {true, 1}));
    auto* red = dynamic_cast<CBarManRed*>(made.get());
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->facing, 1);
    EXPECT_EQ(red->hitPoints, 300);
    EXPECT_EQ(red->colour, kBarManRed);
}

}  // namespace
