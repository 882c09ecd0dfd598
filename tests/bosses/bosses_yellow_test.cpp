// The yellow boss with a scripted generator: the opening dash sequence and its zoom, what the
// dashes shrug off, the lightning, the storm at low hit points and the chains of slams.
#include <gtest/gtest.h>
#include <memory>

#include "bosses/BarManYellow.h"
#include "bosses/StickManKinds.h"
#include "engine/Camera.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class YellowBoss : public StickManWorld {
  protected:
    void SetUp() override {
        StickManWorld::SetUp();
        if (HasFatalFailure()) return;
        RegisterLiveObjectCreator("CThunder", [this](CStage* o, double x, double y, const LiveObjectArgs&) {
            bolts.push_back(x);
            return std::unique_ptr<IBase>(std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
        });
        RegisterLiveObjectCreator("CShockWave", [this](CStage* o, double x, double y, const LiveObjectArgs&) {
            ++pillars;
            return std::unique_ptr<IBase>(std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
        });
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    CBarManYellow* Yellow(double x, int facing) {
        return FreeBossOnFloor<CBarManYellow>(x, facing,
                                              [](CBarManYellow* b) { b->SetYellowState(kYellowAirborne); });
    }

    std::vector<double> bolts;
    int pillars = 0;
};

TEST_F(YellowBoss, TheFirstDecisionZoomsInAndStartsTheDashSequence) {
    PlaceBossHero(500, kFloorTop - 10);
    CBarManYellow* boss = Yellow(300, 1);
    boss->SetYellowState(kYellowDecide);
    dice.draws = {0};
    Frames(1);
    EXPECT_EQ(boss->yellowState, kYellowDashCall);
    EXPECT_TRUE(boss->openingDone);
    EXPECT_TRUE(bossScene.zoomActive[1]);
    EXPECT_FLOAT_EQ(bossScene.zoomRate[1], CCamera::GetInstance()->GetBaseScale() * 1.15f);
    Frames(52);
    ASSERT_EQ(boss->yellowState, kYellowDash1);
    EXPECT_NE(boss->stateHitbox.Get(), nullptr);

    // The dashes shrug off attacks and clashes and do no body damage.
    EXPECT_EQ(boss->ReceiveAttack(Attack(30)), kHitImmune);
    boss->AfterAttackClash();
    EXPECT_EQ(boss->bossState, kBarManFree);
    EXPECT_EQ(boss->hitPoints, 225);
    EXPECT_TRUE(bossScene.zoomActive[1]);

    // Leaving a dash takes its box away and forgets it.
    IBase* box = boss->stateHitbox.Get();
    boss->SetYellowState(kYellowPause1);
    EXPECT_TRUE(box->IsDead());
    EXPECT_EQ(boss->stateHitbox.Get(), nullptr);
    EXPECT_GE(boss->yellowStateTime, -15.0);
    EXPECT_LE(boss->yellowStateTime, 15.0);

    // The landing at the end releases the zoom and starts the count toward the next sequence.
    boss->SetYellowState(kYellowLanding);
    EXPECT_FALSE(bossScene.zoomActive[1]);
    EXPECT_EQ(boss->decideCount, 0);
}

TEST_F(YellowBoss, AfterSixteenDecisionsWithoutItTheSequenceIsForcedAgain) {
    PlaceBossHero(500, kFloorTop - 10);
    CBarManYellow* boss = Yellow(300, 1);
    boss->openingDone = true;
    boss->decideCount = 15;
    boss->SetYellowState(kYellowDecide);  // the sixteenth
    Frames(1);
    EXPECT_EQ(boss->yellowState, kYellowDashCall);
}

TEST_F(YellowBoss, LightningFallsFirstJustLeftOfTheHeroThenAroundHim) {
    PlaceBossHero(500, kFloorTop - 10);
    CBarManYellow* boss = Yellow(300, 1);
    boss->SetYellowState(kYellowLightning);
    dice.fallback = 0;  // the lowest place of each range
    Frames(60);
    ASSERT_EQ(bolts.size(), 3u);
    EXPECT_DOUBLE_EQ(bolts[0], 500 - 12);
    EXPECT_DOUBLE_EQ(bolts[1], 500 - 128);
    EXPECT_DOUBLE_EQ(bolts[2], 500 + 40);
    Frames(62);
    EXPECT_EQ(bolts.size(), 3u);
    EXPECT_NE(boss->yellowState, kYellowLightning);
}

TEST_F(YellowBoss, LowHitPointsForceOneStormOfAtMostEightBolts) {
    PlaceBossHero(500, kFloorTop - 10);
    CBarManYellow* boss = Yellow(300, 1);
    boss->openingDone = true;
    boss->hitPoints = 85;
    boss->SetYellowState(kYellowDecide);
    Frames(1);
    ASSERT_EQ(boss->yellowState, kYellowStorm);
    EXPECT_TRUE(boss->lowHpStormDone);
    Frames(41);
    EXPECT_EQ(bolts.size(), 1u);
    Frames(25);
    EXPECT_EQ(bolts.size(), 2u);
    Frames(200);
    EXPECT_EQ(bolts.size(), 8u);
    for (double x : bolts) {
        EXPECT_GE(x, 500 - 96);
        EXPECT_LE(x, 500 + 72);
    }
    EXPECT_NE(boss->yellowState, kYellowStorm);
}

TEST_F(YellowBoss, AChainFromTheCrouchSlamsThreeToFiveTimesAndABackHopJumpsOnce) {
    PlaceBossHero(500, kFloorTop - 10);
    CBarManYellow* boss = Yellow(300, 1);
    boss->SetYellowState(kYellowCrouch);
    dice.draws = {3};
    for (int i = 0; i < 600 && boss->yellowState != kYellowDecide && boss->bossState == kBarManFree; ++i)
        Frames(1);
    EXPECT_EQ(pillars, 3 * 2);

    pillars = 0;
    boss->SetState(kBarManFree);
    boss->SetYellowState(kYellowBackHop);
    dice.draws = {80};  // no rush: one jump at the hero
    for (int i = 0; i < 600 && boss->yellowState != kYellowDecide && boss->bossState == kBarManFree; ++i)
        Frames(1);
    EXPECT_EQ(pillars, 2);
}

TEST_F(YellowBoss, ThePlacedRecordBuildsIt) {
    ClearLiveObjectCreators();
    RegisterStickManBossKinds();
    const std::unique_ptr<IBase> made(CreateLiveObject("CBarManYellow", stage.get(), 64, 96, {false, 1}));
    auto* yellow = dynamic_cast<CBarManYellow*>(made.get());
    ASSERT_NE(yellow, nullptr);
    EXPECT_EQ(yellow->facing, 0);
    EXPECT_EQ(yellow->hitPoints, 225);
}

}  // namespace
