// The air gear's orbit on the area clock, its turn and start angles and its cut; the devil house's
// 300-frame cycle, where its kid comes out and which way it walks, and the 16-pixel rule.
#include <cmath>

#include "engine/Camera.h"
#include "foundation/Geometry.h"
#include "gimmicks/GearAndHouse.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

class GearAndHouse : public HazardWorld {};

TEST_F(GearAndHouse, AGearCirclesItsPointOnTheAreaClock) {
    auto* ccw = Add<CAirGear>(300.0, 400.0, 0, kPi / 2);  // AirGear001, timing B
    auto* cw = Add<CAirGear>(300.0, 400.0, 1, 2 * kPi);   // AirGear002, timing C
    Frames(1);
    EXPECT_NEAR(ccw->x, 300.0, 1e-9);
    EXPECT_NEAR(ccw->y, 320.0, 1e-9);  // above its point
    EXPECT_NEAR(cw->x, 380.0, 1e-9);   // right of it
    EXPECT_NEAR(cw->y, 400.0, 1e-9);
    Frames(30);  // play paused: the clock stands, so does the gear
    EXPECT_NEAR(ccw->y, 320.0, 1e-9);

    clock.clock = 60.0;
    Frames(1);
    // One second later: 1.3 radians on, counter-clockwise on the screen (toward the left).
    const double a = -1.3 - kPi / 2;
    EXPECT_NEAR(ccw->x, 300.0 + 80.0 * std::cos(a), 1e-9);
    EXPECT_NEAR(ccw->y, 400.0 + 80.0 * std::sin(a), 1e-9);
    EXPECT_LT(ccw->x, 300.0);
    EXPECT_GT(cw->y, 400.0);  // clockwise from the right: downward
    EXPECT_NEAR(std::hypot(cw->x - 300.0, cw->y - 400.0), 80.0, 1e-9);
}

TEST_F(GearAndHouse, AGearCutsWhatTouchesItAndShrugsOffWeapons) {
    auto* gear = Add<CAirGear>(300.0, 400.0, 0, 0.0);
    Frames(1);  // at (380, 400)
    auto* left = Add<Target>(340.0, 390.0, kCategoryHero, kHitHurt);
    EXPECT_EQ(gear->Collide(left), kHitHurt);
    ASSERT_EQ(left->received.size(), 1u);
    EXPECT_EQ(left->received[0].damage, 10);
    EXPECT_EQ(left->received[0].power, 300.0);
    EXPECT_NEAR(left->received[0].angle, -0.75 * kPi, 1e-12);  // up and away to the left
    EXPECT_TRUE(left->received[0].flags[kAttackSlash]);
    ASSERT_EQ(Made().size(), 1u);
    EXPECT_EQ(Made()[0].kind, 3);
    EXPECT_EQ(gear->ReceiveAttack(Blow(999, {kAttackPowerHit, kAttackRedBurst})), kHitNoEffect);
    EXPECT_FALSE(gear->IsDead());
    // A hero it beats gets the cut too: sparing a beaten hero is the hitboxes' rule.
    auto* beaten = Add<Target>(420.0, 390.0, kCategoryHero, kHitDefeated);
    EXPECT_EQ(gear->Collide(beaten), kHitDefeated);
    ASSERT_EQ(Made().size(), 2u);
    EXPECT_EQ(Made()[1].kind, 3);
}

class DevilHouse : public HazardWorld {
  protected:
    // The screen's edges in world pixels.
    double ScreenRight() const {
        const CCamera* cam = CCamera::GetInstance();
        return std::max(cam->ScreenToWorldX(0, 0), cam->ScreenToWorldX(640, 480));
    }
    double ScreenTop() const {
        const CCamera* cam = CCamera::GetInstance();
        return std::min(cam->ScreenToWorldY(0, 0), cam->ScreenToWorldY(640, 480));
    }
};

TEST_F(DevilHouse, EveryThreeHundredFramesAKidComesOutTowardTheHero) {
    auto* house = Add<CDevilHouse>(300.0, 400.0);
    PlaceHero(200.0, 420.0);  // to the left
    std::vector<int> states;
    for (int i = 0; i < 900; ++i) {
        Frames(1);
        states.push_back(house->state);
    }
    // Closed for 240 frames, opening 30, closing 30.
    const auto firstOpen = std::find(states.begin(), states.end(), 1) - states.begin();
    EXPECT_EQ(firstOpen, 240);
    EXPECT_EQ(std::count(states.begin(), states.begin() + 300, 1), 30);
    EXPECT_EQ(std::count(states.begin(), states.begin() + 300, 2), 30);
    EXPECT_EQ(states[firstOpen + 300], 1);
    const auto kids = MadeAs("CKid002");
    ASSERT_EQ(kids.size(), 3u);
    EXPECT_EQ(kids[0]->args, (LiveObjectArgs{0}));
    EXPECT_EQ(kids[0]->startX, 300.0 + 32.0 + 2.0 - 10.0);
    EXPECT_EQ(kids[0]->startY, 400.0 + 42.0);
    EXPECT_EQ(house->facing, 0);
}

TEST_F(DevilHouse, AHeroLevelWithTheHouseMakesTheKidWalkRight) {
    auto* house = Add<CDevilHouse>(300.0, 400.0);
    PlaceHero(332.0, 300.0);  // straight above the middle: distance 0 across
    Frames(275);
    const auto kids = MadeAs("CKid002");
    ASSERT_EQ(kids.size(), 1u);
    EXPECT_EQ(kids[0]->args, (LiveObjectArgs{1}));
    EXPECT_EQ(kids[0]->startX, 300.0 + 32.0 - 2.0 - 10.0);
    EXPECT_EQ(house->facing, 1);
}

TEST_F(DevilHouse, AHouseSeventeenPixelsOffTheScreenWaitsClosedAndOpensAtSixteen) {
    auto* house = Add<CDevilHouse>(ScreenRight() + 17.0, ScreenTop() + 100.0);
    Frames(600);
    EXPECT_EQ(house->state, CDevilHouse::kClosed);
    EXPECT_GT(house->stateTime, 590.0);
    house->x -= 1.0;
    Frames(1);
    EXPECT_EQ(house->state, CDevilHouse::kOpening);
}

TEST_F(DevilHouse, WithoutTheKidsClassTheHouseKeepsItsCycle) {
    ClearLiveObjectCreators();
    auto* house = Add<CDevilHouse>(300.0, 400.0);
    std::vector<int> states;
    for (int i = 0; i < 610; ++i) {
        Frames(1);
        if (states.empty() || states.back() != house->state) states.push_back(house->state);
    }
    EXPECT_EQ(states, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));  // two whole cycles
}

}  // namespace

namespace {

TEST_F(DevilHouse, ACrowdedRegistryKeepsTheDoorShut) {
    auto* house = Add<CDevilHouse>(300.0, 400.0);
    for (int i = 0; i < 255; ++i) Spawn(10.0 * (i % 50), 100.0 + 10.0 * (i / 50), 4, 4, kCategoryDefault);
    Frames(300);  // 257 objects with the house and the camera's view: more than 255
    EXPECT_EQ(house->state, CDevilHouse::kClosed);
    EXPECT_FALSE(house->CanSpawn());
}

}  // namespace
