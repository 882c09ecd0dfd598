// The pink boss with a scripted generator: the wait before choosing, the high jump that opens
// the fight, the storm and the weather it gives back however it ends, and the bomb fan.
#include <gtest/gtest.h>

#include "bosses/BarManPink.h"
#include "engine/Camera.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class PinkBoss : public StickManWorld {
  protected:
    void SetUp() override {
        StickManWorld::SetUp();
        if (HasFatalFailure()) return;
        for (const char* name : {"CNinjaStar", "CBigNinjaStar", "CPinkBomb"}) {
            std::string n = name;
            RegisterLiveObjectCreator(
                name, [this, n](CStage* o, double x, double y, const LiveObjectArgs& a) {
                    made.emplace_back(n, LiveArg<double>(a, 0, 0.0));
                    return std::unique_ptr<IBase>(
                        std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
                });
        }
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    CBarManPink* Pink(double x, double dx) {
        CBarManPink* b =
            FreeBossOnFloor<CBarManPink>(x, 1, [](CBarManPink* fresh) { fresh->SetPinkState(kPinkFall); });
        b->vx = b->ax = 0;
        PlaceBossHero(b->centerX + dx, b->centerY);
        return b;
    }
    // Frames until the boss leaves its choosing state.
    int FramesToChoose(CBarManPink* b) {
        b->SetPinkState(kPinkChoose);
        int n = 0;
        while (b->pinkState == kPinkChoose && n < 100) {
            Frames(1);
            ++n;
        }
        return n;
    }

    std::vector<std::pair<std::string, double>> made;  // class, first argument
};

TEST_F(PinkBoss, ChoosingWaitsNineteenFramesAtFullStrengthAndEightWhenLow) {
    CBarManPink* b = Pink(300, 400);
    EXPECT_EQ(FramesToChoose(b), 19);
    EXPECT_EQ(b->pinkState, kPinkCrouchHigh);  // the fight opens with the high jump
    b->hitPoints = 90;
    b->stormDone = true;
    EXPECT_EQ(FramesToChoose(b), 8);
}

// After the opening high jump, the thirteenth choice since the boss last hovered is the high jump
// again, whatever the dice say; the twelfth is not.
TEST_F(PinkBoss, TheThirteenthChoiceIsAlwaysTheHighJump) {
    CBarManPink* b = Pink(300, 400);
    b->highJumpDone = true;
    dice.fallback = 0;  // every roll would pick the big star from afar
    b->choiceCount = 11;
    FramesToChoose(b);  // the twelfth
    EXPECT_EQ(b->pinkState, kPinkCrouchBigStar);
    b->SetPinkState(kPinkFall);
    b->choiceCount = 12;
    FramesToChoose(b);  // the thirteenth
    EXPECT_EQ(b->choiceCount, 13);
    EXPECT_EQ(b->pinkState, kPinkCrouchHigh);
    b->SetPinkState(kPinkHover);
    EXPECT_EQ(b->choiceCount, 0);  // hovering starts the count again
}

TEST_F(PinkBoss, AHitDuringTheStormGivesTheWeatherBack) {
    bossScene.weather = 1;  // rain
    CBarManPink* b = Pink(300, 400);
    b->hitPoints = 90;
    b->SetPinkState(kPinkChoose);
    for (int i = 0; i < 70 && b->pinkState != kPinkStorm; ++i) Frames(1);
    ASSERT_EQ(b->pinkState, kPinkStorm);
    EXPECT_TRUE(b->stormDone);
    EXPECT_EQ(bossScene.weather, 3);  // wind toward the facing, right
    EXPECT_NE(b->windBox.Get(), nullptr);
    Frames(40);
    EXPECT_GE(made.size(), 2u);  // stars stream across the screen
    EXPECT_DOUBLE_EQ(made[0].second, 330.0);

    b->AfterAttackClash();  // the storm does not recoil
    EXPECT_EQ(b->bossState, kBarManFree);
    dice.draws = {99};  // no guard
    EXPECT_EQ(b->ReceiveAttack(Attack(5)), kHitHurt);
    EXPECT_EQ(bossScene.weather, 1);
    EXPECT_EQ(b->windBox.Get(), nullptr);
}

TEST_F(PinkBoss, TheStormEndingByItselfGivesTheWeatherBackToo) {
    bossScene.weather = 2;
    CBarManPink* b = Pink(300, 400);
    b->stormDone = true;
    b->SetPinkState(kPinkStorm);
    EXPECT_EQ(bossScene.weather, 3);
    Frames(212);
    EXPECT_EQ(b->pinkState, kPinkStormRecover);
    EXPECT_EQ(bossScene.weather, 2);
}

TEST_F(PinkBoss, TheBombFanLeansTowardTheMiddleOfTheScreen) {
    CCamera* camera = CCamera::GetInstance();
    CBarManPink* b = Pink(300, 400);
    const double nearLeft = camera->ScreenToWorldX(40, 240);
    b->x = nearLeft;
    b->UpdateCentre();
    Frames(1);
    made.clear();
    b->SetPinkState(kPinkBombFan);
    ASSERT_EQ(made.size(), 3u);
    EXPECT_DOUBLE_EQ(made[0].second, 0.0);
    EXPECT_DOUBLE_EQ(made[1].second, 120.0);
    EXPECT_DOUBLE_EQ(made[2].second, 240.0);
}

}  // namespace
