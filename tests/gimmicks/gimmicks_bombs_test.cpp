// The iron ball and the bombs: the chain's anchor, the ball's drop, rest and return, its blow
// while falling and after, the switch bomb's fuse and pictures, bombs setting each other off,
// and the floating bomb's 80-pixel trigger, its cut and the stage with no hero; the camera and the
// registry they act on are their scene's.
#include <cmath>
#include <vector>

#include "foundation/Geometry.h"
#include "gimmicks/Burst.h"
#include "gimmicks/IronBallAndBombs.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

class Bombs : public HazardWorld {
  protected:
    void SetUp() override {
        HazardWorld::SetUp();
        if (HasFatalFailure()) return;
        Fill(0, 20, 59, 20, 40);  // a rock floor whose top is y = 640
    }
    Target* Victim(double cx, double cy, int cat = kCategoryEnemy) {
        return Add<Target>(cx - 10, cy - 10, cat, kHitHurt);
    }
};

// A scene that counts how often its objects ask it for the camera and the registry.
struct WatchingScene : ClockScene {
    int cameraAsks = 0, registryAsks = 0;
    CCamera& GetCamera() override {
        ++cameraAsks;
        return ClockScene::GetCamera();
    }
    CObjectRegistry& GetRegistry() override {
        ++registryAsks;
        return ClockScene::GetRegistry();
    }
};

TEST_F(Bombs, TheBallsThudShakesTheScenesCameraAndABurstJoinsTheScenesRegistry) {
    WatchingScene watching;
    stage->scene = &watching;  // the fixture's tear-down puts its own scene back
    auto* ball = Add<CIronBall>(320.0, 500.0);
    auto* bomb = Add<CFloatingBomb>(500.0, 400.0);  // on the screen, far from the hero
    watching.hero = PlaceHero(410.0, 600.0);        // below and beside the ball: it drops and misses
    CCamera::GetInstance()->Update();
    const float calm = CCamera::GetInstance()->GetShake();
    // Objects ask for the camera every frame (to know how far off the screen they are); the
    // landing frame asks once more, for the thud's shake.
    std::vector<int> asksPerFrame;
    for (int i = 0; i < 120 && ball->state != CIronBall::kResting; ++i) {
        const int asked = watching.cameraAsks;
        Frames(1);
        asksPerFrame.push_back(watching.cameraAsks - asked);
    }
    ASSERT_EQ(ball->state, CIronBall::kResting);
    ASSERT_GE(asksPerFrame.size(), 2u);
    EXPECT_EQ(asksPerFrame.back(), asksPerFrame[asksPerFrame.size() - 2] + 1);
    EXPECT_GT(CCamera::GetInstance()->GetShake(), calm);
    EXPECT_EQ(watching.registryAsks, 0);

    bomb->Explode();
    EXPECT_EQ(watching.registryAsks, 1);
    Frames(1);
    EXPECT_EQ(All<CRedBurst>().size(), 1u);
}

TEST_F(Bombs, TheChainHangsBelowTheFirstSolidTileAboveOrTwelveTilesUp) {
    EXPECT_EQ(Add<CIronBall>(100.0, 600.0)->anchorY, 600.0 - 72 - 12 * 32);  // open sky
    EXPECT_EQ(Add<CIronBall>(140.0, 300.0)->anchorY, 8.0);                   // the top of the area
    Fill(5, 5, 5, 5, 40);  // a ceiling tile at y 160..192 above column 5
    const auto* hung = Add<CIronBall>(176.0, 600.0);
    EXPECT_EQ(hung->anchorY, 208.0);
    EXPECT_EQ(hung->anchorX, 176.0);
}

TEST_F(Bombs, TheIronBallDropsOnTheHeroBelowRestsAndIsHauledHome) {
    auto* ball = Add<CIronBall>(320.0, 300.0);
    playtest::Thing* hero = PlaceHero(320.0 + 120.0, 600.0);  // too far aside
    Frames(5);
    EXPECT_EQ(ball->state, CIronBall::kWaiting);
    hero->x = 320.0 + 95.0 - 10.0;
    hero->UpdateCentre();
    Frames(1);
    EXPECT_EQ(ball->state, CIronBall::kFalling);
    std::vector<int> states;
    for (int i = 0; i < 120 && ball->state != CIronBall::kResting; ++i) Frames(1);
    ASSERT_EQ(ball->state, CIronBall::kResting);
    EXPECT_NEAR(ball->GetBottom(), 640.0, 1.0);
    EXPECT_NEAR(ball->vy, 240.0, 1e-3);  // pressed onto the ground
    hero->x = 2000.0;                    // gone, so the ball does not drop again at home
    hero->UpdateCentre();
    Frames(41);
    EXPECT_EQ(ball->state, CIronBall::kReturning);
    for (int i = 0; i < 600 && ball->state != CIronBall::kWaiting; ++i) Frames(1);
    EXPECT_EQ(ball->state, CIronBall::kWaiting);
    EXPECT_EQ(ball->x, 320.0);
    EXPECT_EQ(ball->y, 300.0);
}

TEST_F(Bombs, WithNoGroundTheBallHangsAtTheChainsEndAfter320Pixels) {
    Fill(0, 20, 59, 20, 0);  // no floor
    auto* ball = Add<CIronBall>(320.0, 100.0);
    Frames(1);
    ball->SetState(CIronBall::kFalling);
    for (int i = 0; i < 120 && ball->state == CIronBall::kFalling; ++i) Frames(1);
    ASSERT_EQ(ball->state, CIronBall::kResting);
    EXPECT_GE(ball->y - 100.0, 320.0);
    EXPECT_EQ(ball->vy, 0.0);
    EXPECT_EQ(ball->ay, 0.0);
}

TEST_F(Bombs, TheBallHitsHarderWhileFallingAndEachVictimOncePerTenFrames) {
    auto* ball = Add<CIronBall>(320.0, 400.0);
    Target* right = Victim(400.0, 400.0);
    Target* left = Victim(250.0, 400.0);
    ball->SetState(CIronBall::kFalling);
    EXPECT_EQ(ball->Collide(right), kHitHurt);
    EXPECT_EQ(ball->Collide(right), kHitImmune);
    left->answer = kHitGuarded;
    EXPECT_EQ(ball->Collide(left), kHitGuarded);
    ASSERT_EQ(right->received.size(), 1u);
    const AttackInfo& a = right->received[0];
    EXPECT_EQ(a.damage, 30);
    EXPECT_EQ(a.power, 1000.0);
    EXPECT_NEAR(a.angle, -0.05 * kPi, 1e-12);
    EXPECT_TRUE(a.flags[kAttackPowerHit]);
    EXPECT_NEAR(left->received[0].angle, -0.95 * kPi, 1e-12);
    ASSERT_EQ(Made().size(), 2u);
    EXPECT_EQ(Made()[0].kind, 2);  // the power spark
    EXPECT_EQ(Made()[1].kind, 7);  // the guard ring
    EXPECT_EQ(ball->ReceiveAttack(Blow(99, {kAttackPowerHit})), kHitImmune);

    Frames(11);
    ball->SetState(CIronBall::kWaiting);
    EXPECT_EQ(ball->Collide(right), kHitHurt);  // the hit list was cleared
    EXPECT_EQ(right->received.back().damage, 15);
    EXPECT_EQ(right->received.back().power, 700.0);
}

TEST_F(Bombs, ASwitchBombLitByARiderBlinksAndExplodesThreeSecondsLater) {
    Relations({{kCategoryHero, kCategoryBlock, 1}, {kCategoryOtherAttack, kCategoryBlock, 2}});
    auto* bomb = Add<CSwitchBomb>(32.0 * 9 - 8, 32.0 * 19 + 2);  // 48 x 30 on the floor
    EXPECT_EQ(bomb->GetImageIndex(), 0);
    Frames(3);
    EXPECT_FALSE(bomb->lit);
    playtest::Thing* rider = Spawn(bomb->centerX - 10, bomb->GetTop() - 44, 20, 40, kCategoryHero);
    rider->ay = 600.0;
    for (int i = 0; i < 30 && !bomb->lit; ++i) Frames(1);
    ASSERT_TRUE(bomb->lit);
    rider->x = 2000.0;  // stepping off changes nothing
    std::vector<int> images;
    while (!bomb->IsDead()) {
        images.push_back(bomb->GetImageIndex());
        Frames(1);
        ASSERT_LT(images.size(), 200u);
    }
    // About 180 frames: 60 of each fuse picture, then the blink.
    EXPECT_NEAR(static_cast<double>(images.size()), 180.0, 2.0);
    EXPECT_EQ(images[5], 1);
    EXPECT_EQ(images[90], 2);
    EXPECT_EQ(images[150] + images[152], 3 + 4);
    const auto bursts = All<CRedBurst>();
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_EQ(bursts[0]->radius, 40.0);
    EXPECT_DOUBLE_EQ(bursts[0]->centerX, bomb->centerX);
}

TEST_F(Bombs, ARedBurstSetsBombsOffOneAfterAnotherAndWeaponsDoNothing) {
    Relations({{kCategoryOtherAttack, kCategoryBlock, 2}, {kCategoryOtherAttack, kCategoryEnemy, 2}});
    auto* first = Add<CSwitchBomb>(100.0, 500.0);
    auto* second = Add<CSwitchBomb>(150.0, 500.0);  // 26 pixels from the first one's middle
    auto* mine = Add<CFloatingBomb>(225.0, 515.0);  // in the second one's blast only
    auto* apart = Add<CSwitchBomb>(500.0, 500.0);
    EXPECT_EQ(first->ReceiveAttack(Blow(50, {kAttackPowerHit})), kHitNoEffect);
    EXPECT_EQ(mine->ReceiveAttack(Blow(50, {kAttackSlash})), kHitNoEffect);
    EXPECT_FALSE(first->lit);
    EXPECT_EQ(first->ReceiveAttack(CRedBurst::RedBurstAttack()), kHitDefeated);
    EXPECT_TRUE(first->IsDead());
    EXPECT_EQ(first->ReceiveAttack(CRedBurst::RedBurstAttack()), kHitImmune);
    EXPECT_EQ(All<CRedBurst>().size(), 1u);  // exploded once
    Frames(30);
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Contains(second));
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Contains(mine));
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(apart));
}

TEST_F(Bombs, AFloatingBombLightsWithinEightyPixelsOfTheHeroAndExplodesASecondLater) {
    auto* bomb = Add<CFloatingBomb>(300.0, 400.0);
    playtest::Thing* hero = PlaceHero(380.0, 400.0);  // exactly 80 pixels away
    Frames(10);
    EXPECT_FALSE(bomb->lit);
    hero->x -= 0.5;
    hero->UpdateCentre();
    Frames(1);
    ASSERT_TRUE(bomb->lit);
    hero->x = 2000.0;  // it cannot be put out
    int frames = 1;
    std::vector<int> images;
    while (!bomb->IsDead() && frames < 100) {
        images.push_back(bomb->GetImageIndex());
        Frames(1);
        ++frames;
    }
    EXPECT_NEAR(frames, 60, 2);
    EXPECT_NE(std::find(images.begin(), images.end(), 1), images.end());  // it blinks
    const auto bursts = All<CRedBurst>();
    ASSERT_EQ(bursts.size(), 1u);
    EXPECT_EQ(bursts[0]->radius, 48.0);
    EXPECT_DOUBLE_EQ(bursts[0]->centerY, 400.0);
}

TEST_F(Bombs, AFloatingBombWithNoHeroOnTheStageStaysUnlit) {
    auto* bomb = Add<CFloatingBomb>(300.0, 400.0);
    Frames(120);
    EXPECT_FALSE(bomb->lit);
    EXPECT_FALSE(bomb->IsDead());
}

TEST_F(Bombs, AFloatingBombCutsWhateverTouchesItEveryTime) {
    auto* bomb = Add<CFloatingBomb>(300.0, 400.0);
    Target* right = Victim(320.0, 400.0);
    Target* left = Victim(280.0, 400.0);
    EXPECT_EQ(bomb->Collide(right), kHitHurt);
    EXPECT_EQ(bomb->Collide(right), kHitHurt);  // no hit list
    left->answer = kHitGuarded;
    EXPECT_EQ(bomb->Collide(left), kHitGuarded);
    ASSERT_EQ(right->received.size(), 2u);
    EXPECT_EQ(right->received[0].damage, 10);
    EXPECT_EQ(right->received[0].power, 200.0);
    EXPECT_NEAR(right->received[0].angle, -0.25 * kPi, 1e-12);
    EXPECT_TRUE(right->received[0].flags[kAttackSlash]);
    EXPECT_NEAR(left->received[0].angle, -0.75 * kPi, 1e-12);
    ASSERT_EQ(Made().size(), 2u);  // none for the guarded touch
    EXPECT_EQ(Made()[0].kind, 3);
    bomb->Explode();
    EXPECT_EQ(bomb->Collide(right), kHitImmune);
}

}  // namespace

namespace {

TEST_F(Bombs, ABallStuckOnItsWayUpWaitsWhereItIs) {
    auto* ball = Add<CIronBall>(320.0, 300.0);
    playtest::Thing* hero = PlaceHero(320.0, 600.0);
    for (int i = 0; i < 120 && ball->state != CIronBall::kResting; ++i) Frames(1);
    ASSERT_EQ(ball->state, CIronBall::kResting);
    hero->x = 2000.0;
    hero->UpdateCentre();
    Fill(5, 12, 14, 12, 40);  // a ceiling between the ball and its home
    for (int i = 0; i < 800 && ball->state != CIronBall::kWaiting; ++i) Frames(1);
    ASSERT_EQ(ball->state, CIronBall::kWaiting);
    EXPECT_GE(ball->GetTop(), 416.0 - 1.0);  // under the ceiling
    EXPECT_EQ(ball->homeX, ball->x);
    EXPECT_EQ(ball->homeY, ball->y);
    const double y = ball->y;
    Frames(60);
    EXPECT_EQ(ball->state, CIronBall::kWaiting);
    EXPECT_EQ(ball->y, y);
}

}  // namespace
