// The green boss with a scripted generator: the big dive that is retried until one lands, the
// shock waves and the rocks of the stamp, and the dives' body blow.
#include <gtest/gtest.h>

#include <cmath>

#include "bosses/BarManGreen.h"
#include "engine/Camera.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

struct Made {
    std::string name;
    double x, y;
    LiveObjectArgs args;
};

class GreenBoss : public StickManWorld {
  protected:
    void SetUp() override {
        StickManWorld::SetUp();
        if (HasFatalFailure()) return;
        for (const char* name : {"CShockWave", "CFallingRock"}) {
            std::string n = name;
            RegisterLiveObjectCreator(
                name, [this, n](CStage* o, double x, double y, const LiveObjectArgs& a) {
                    made.push_back({n, x, y, a});
                    return std::unique_ptr<IBase>(
                        std::make_unique<playtest::Thing>(o, x, y, 8, 8, kCategoryDefault));
                });
        }
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    CBarManGreen* Green(double dx) {
        CBarManGreen* b = FreeBossOnFloor<CBarManGreen>(
            400, 1, [](CBarManGreen* fresh) { fresh->SetGreenState(kGreenFall); });
        b->vx = b->ax = 0;
        PlaceBossHero(b->centerX + dx, b->centerY);
        return b;
    }

    std::vector<Made> made;
};

TEST_F(GreenBoss, TheBigDiveIsChosenAgainUntilOneLandsAfterSevenFrames) {
    CBarManGreen* b = Green(600);
    b->hitPoints = 80;
    b->SetGreenState(kGreenChoose);
    Frames(1);
    EXPECT_EQ(b->greenState, kGreenBigCrouch);

    // A dive cut short on the ground: straight back to choosing, which picks the big dive again.
    b->SetGreenState(kGreenBigDive);
    Frames(1);
    EXPECT_FALSE(b->bigDiveDone);
    Frames(1);
    EXPECT_EQ(b->greenState, kGreenBigCrouch);
    EXPECT_TRUE(made.empty());

    b->SetGreenState(kGreenBigDive);
    auto* hero = dynamic_cast<playtest::Target*>(bossScene.hero.Get());
    EXPECT_EQ(b->Collide(hero), kHitImmune);  // no body damage while diving
    b->greenStateTime = 7;
    Frames(1);
    EXPECT_TRUE(b->bigDiveDone);
    EXPECT_EQ(b->greenState, kGreenBigLanding);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].name, "CShockWave");
    EXPECT_EQ(LiveArg<int>(made[0].args, 0, 0), 15);
    EXPECT_EQ(LiveArg<int>(made[0].args, 1, -1), 1);  // toward the facing, right
    EXPECT_EQ(LiveArg<int>(made[0].args, 2, 0), 220);
    EXPECT_EQ(b->attackBox.Get(), nullptr);  // the dive's blow went with the dive

    b->SetGreenState(kGreenChoose);
    dice.draws = {99, 99};
    Frames(1);
    EXPECT_EQ(b->greenState, kGreenShortHop);
}

TEST_F(GreenBoss, AStampDropsThreeRocksFromLeftMiddleAndRightAboveTheScreen) {
    CBarManGreen* b = Green(600);
    dice.fallback = -100000;  // the lowest of every range
    b->SetGreenState(kGreenStamp);
    ASSERT_EQ(made.size(), 3u);
    CCamera* camera = CCamera::GetInstance();
    const int left = static_cast<int>(std::trunc(camera->ScreenToWorldX(0, 0)));
    EXPECT_DOUBLE_EQ(made[0].x, left + 80);
    EXPECT_DOUBLE_EQ(made[1].x, left + 240);
    EXPECT_DOUBLE_EQ(made[2].x, left + 400);
    for (const Made& m : made) {
        EXPECT_EQ(m.name, "CFallingRock");
        EXPECT_DOUBLE_EQ(m.y, camera->ScreenToWorldY(0, 0) - 24);
        EXPECT_DOUBLE_EQ(LiveArg<double>(m.args, 1, 0), 30);
    }
}

TEST_F(GreenBoss, TheDiveCarriesABodyBlowThatAnyOtherStateTakesAway) {
    CBarManGreen* b = Green(600);
    b->SetGreenState(kGreenDive);
    IBase* box = b->attackBox.Get();
    ASSERT_NE(box, nullptr);
    EXPECT_GT(box->x, b->x);  // ahead, to the right
    b->SetState(kBarManRecoil);
    EXPECT_TRUE(box->IsDead());
    EXPECT_EQ(b->attackBox.Get(), nullptr);
}

TEST_F(GreenBoss, TheWalkForwardEndsAfterSixtyFramesEvenWithTheHeroFar) {
    CBarManGreen* b = Green(2000);
    b->SetGreenState(kGreenWalk);
    dice.fallback = 99;
    for (int i = 0; i < 62 && b->greenState == kGreenWalk; ++i) Frames(1);
    EXPECT_NE(b->greenState, kGreenWalk);
    EXPECT_NE(b->greenState, kGreenWallHop);
}

}  // namespace
