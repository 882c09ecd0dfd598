// The blue boss with a scripted generator: the choice of shot by distance and hit points, the
// one forced wave shot with its charge glow, the cap on machines, and the machines' burst.
#include <gtest/gtest.h>

#include <algorithm>

#include "bosses/BarManBlue.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class BlueBoss : public StickManWorld {
  protected:
    void SetUp() override {
        StickManWorld::SetUp();
        if (HasFatalFailure()) return;
        for (const char* name : {"CSniperShot", "CBreakShot_Mother", "CWaveShot", "CBlueMachine001",
                                 "CBlueMachine002", "CBlueMachine003", "CBlueMachine004"}) {
            std::string n = name;
            RegisterLiveObjectCreator(name, [this, n](CStage* o, double x, double y, const LiveObjectArgs&) {
                made.push_back(n);
                return std::unique_ptr<IBase>(
                    std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
            });
        }
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    // A blue boss about to choose, the hero dx to its right, with no machine due.
    CBarManBlue* Choosing(double dx, int hitPoints = 270) {
        CBarManBlue* b = FreeBossOnFloor<CBarManBlue>(
            400, 1, [](CBarManBlue* fresh) { fresh->SetBlueState(kBlueFalling); });
        b->x = 400;
        b->vx = b->ax = 0;
        b->UpdateCentre();
        b->hitPoints = hitPoints;
        b->machineTimer = 0;
        b->SetBlueState(kBlueChoose);
        b->blueStateTime = 31;
        PlaceBossHero(b->centerX + dx, b->centerY);
        return b;
    }
    int Count(const std::string& name) const {
        return static_cast<int>(std::count(made.begin(), made.end(), name));
    }

    std::vector<std::string> made;
};

TEST_F(BlueBoss, FarAwayItAimsAndTheShotKindFollowsTheHitPoints) {
    dice.draws = {0};
    CBarManBlue* b = Choosing(161);
    Frames(1);
    EXPECT_EQ(b->blueState, kBlueAim);
    EXPECT_EQ(b->shotKind, kBlueSniper);
    Frames(41);
    EXPECT_EQ(Count("CSniperShot"), 1);
    EXPECT_EQ(b->blueState, kBlueRecover);

    dice.draws = {0, 1};
    b = Choosing(300, 179);
    Frames(1);
    EXPECT_EQ(b->shotKind, kBlueBreak);

    dice.draws = {0};
    b = Choosing(160);  // not more than 160: a hop instead
    Frames(1);
    EXPECT_EQ(b->blueState, kBlueHopBack);
    dice.draws = {80};
    b = Choosing(120);  // the middle band
    Frames(1);
    EXPECT_EQ(b->blueState, kBlueHop);
}

TEST_F(BlueBoss, BelowNinetyOneWaveShotIsForcedWithItsGlowAndOnlyOnce) {
    dice.draws = {99};
    CBarManBlue* b = Choosing(40, 89);
    Frames(1);
    ASSERT_EQ(b->blueState, kBlueAim);
    EXPECT_EQ(b->shotKind, kBlueWave);
    EXPECT_TRUE(b->lowHpWaveUsed);
    Frames(42);
    ASSERT_NE(b->chargeEffect.Get(), nullptr);
    Frames(80);
    EXPECT_EQ(Count("CWaveShot"), 2);
    EXPECT_EQ(b->blueState, kBlueRecover);

    b->SetBlueState(kBlueChoose);
    b->blueStateTime = 31;
    b->machineTimer = 0;
    dice.draws = {99};
    Frames(1);
    EXPECT_NE(b->blueState, kBlueAim);
}

TEST_F(BlueBoss, LeavingTheGroundDuringTheAimDropsTheGlowAndFiresNothing) {
    dice.draws = {99};
    CBarManBlue* b = Choosing(40, 89);
    Frames(43);
    IBase* glow = b->chargeEffect.Get();
    ASSERT_NE(glow, nullptr);
    b->vy = -400;  // knocked up off the floor
    Frames(2);
    EXPECT_EQ(b->blueState, kBlueFalling);
    EXPECT_EQ(b->chargeEffect.Get(), nullptr);
    Frames(120);
    EXPECT_EQ(Count("CWaveShot"), 0);
}

TEST_F(BlueBoss, MachinesAreChildrenAndTheirNumberIsCapped) {
    CBarManBlue* b = Choosing(700);
    b->blueStateTime = 0;  // choosing waits 30 frames: only the machine check runs
    for (int i = 0; i < 20; ++i) {
        b->machineTimer = 9999;
        b->SetBlueState(kBlueChoose);
        Frames(1);
    }
    EXPECT_EQ(b->CountChildren(), 3);  // a machine is thrown while no more than two are out
    EXPECT_EQ(static_cast<int>(made.size()), 3);

    b->hitPoints = 89;
    b->lowHpWaveUsed = true;
    for (int i = 0; i < 20; ++i) {
        b->machineTimer = 9999;
        b->SetBlueState(kBlueChoose);
        Frames(1);
    }
    EXPECT_EQ(b->CountChildren(), 4);  // one more at low hit points

    // Beaten, the boss bursts every machine still out.
    b->SetState(kBarManFree);
    b->hitPoints = 1;
    EXPECT_EQ(b->ReceiveAttack(Attack(5)), kHitDefeated);
    for (const auto& c : b->GetChildren()) EXPECT_TRUE(c->IsDead());
    for (const auto& c : b->GetPendingChildren()) EXPECT_TRUE(c->IsDead());
}

}  // namespace
