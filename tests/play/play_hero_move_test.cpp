// The hero on its feet and in the air: walking and running, the hyper dash, jumps, short hops,
// the hover, the area's edges.
#include <gtest/gtest.h>

#include "engine/Camera.h"
#include "tests/play/play_hero_env.h"

namespace playtest {
namespace {

class HeroMoving : public HeroTest {};

TEST_F(HeroMoving, OnePushWalksAndADoubleTapWithin30FramesRuns) {
    Hero();
    Frame({kKeyRight});
    EXPECT_EQ(hero->state, kHeroWalk);
    Run(10);
    EXPECT_EQ(hero->state, kHeroStand);
    Frame({kKeyRight});  // 11 frames after the first push
    EXPECT_EQ(hero->state, kHeroRun);
    Run(20, {kKeyRight});
    EXPECT_GT(hero->vx, 180.0);  // a walk never passes 180

    Run(60);
    Frame({kKeyLeft});
    Run(31);
    Frame({kKeyLeft});  // 32 frames after: too slow for a run
    EXPECT_EQ(hero->state, kHeroWalk);
    EXPECT_EQ(hero->facing, 0);
}

TEST_F(HeroMoving, AFullRunMeterTurnsTheRunIntoAHyperDash) {
    Hero(kWeaponBroom, 100.0);
    Frame({kKeyRight});
    Run(5);
    Frame({kKeyRight});
    ASSERT_EQ(hero->state, kHeroRun);
    const int frames = RunUntil(kHeroHyperDash, 200, {kKeyRight});
    // 60 a second fills 120 in two seconds of running.
    EXPECT_GE(frames, 115);
    EXPECT_LE(frames, 125);
    EXPECT_EQ(heroScene.zoomChannel, 0);
    EXPECT_FLOAT_EQ(heroScene.zoomRate, CCamera::GetInstance()->GetBaseScale() * 1.15f);
    Run(30, {kKeyRight});
    EXPECT_GT(hero->vx, 360.0);
    EXPECT_LE(hero->vx, 480.0);
    // Letting go brakes into the dash's stop.
    Frame();
    EXPECT_EQ(hero->state, kHeroHyperDashStop);
    EXPECT_EQ(heroScene.zoomRate, 0.0f);
}

TEST_F(HeroMoving, ARunningJumpRisesFasterAndHigherThanOneFromRest) {
    Hero();
    const double fromRest = [&] {
        Frame({kJump});
        EXPECT_DOUBLE_EQ(hero->vy, -500.0);
        return PeakHeight(120, {kJump});
    }();
    Run(20);
    // Up to running speed (360), then jump.
    Frame({kKeyRight});
    Run(3);
    Frame({kKeyRight});
    Run(60, {kKeyRight});
    ASSERT_EQ(hero->state, kHeroRun);
    ASSERT_NEAR(hero->vx, 360.0, 1e-9);
    Frame({kKeyRight, kJump});
    EXPECT_NEAR(hero->vy, -(500.0 + 0.7 * 180.0), 1e-9);
    const double fromRun = PeakHeight(120, {kKeyRight, kJump});
    EXPECT_GT(fromRest, 100.0);
    EXPECT_GT(fromRun, fromRest + 40.0);
}

TEST_F(HeroMoving, LettingGoOfJumpWhileRisingCutsTheJumpShort) {
    Hero();
    Frame({kJump});
    const double full = PeakHeight(120, {kJump});
    Run(20);
    Frame({kJump});
    Run(4, {kJump});
    Frame();
    EXPECT_DOUBLE_EQ(hero->ay, 2500.0);
    const double hop = PeakHeight(120);
    EXPECT_LT(hop, full * 0.6);
}

TEST_F(HeroMoving, ThePropellerClimbsFor300FramesOfHoverThenFalls) {
    Hero(kWeaponPropeller);
    Frame({kJump});
    Run(5, {kJump});
    Frame();
    Frame({kJump});  // the double jump
    ASSERT_FALSE(hero->airJumpReady);
    ASSERT_GT(RunUntil(kHeroHoverStill, 120, {kJump}), 0);
    const double startY = hero->y;
    int hovering = 0;
    while (hovering < 400 && (hero->state == kHeroHoverStill || hero->state == kHeroHoverMove)) {
        Frame({kJump});
        ++hovering;
    }
    EXPECT_NEAR(hovering, 300, 2);
    EXPECT_LT(hero->y, startY - 100.0);  // it climbed
    EXPECT_EQ(hero->state, kHeroStand);
    // Spent: holding jump no longer hovers, the hero falls to the floor.
    Run(200, {kJump});
    EXPECT_TRUE(hero->onGround || hero->wasOnGround);
    EXPECT_NEAR(hero->GetBottom(), kFloorY, 1.0);
}

TEST_F(HeroMoving, TheHeroStaysInsideTheAreaAndNeverDespawns) {
    Hero(kWeaponBroom, 40.0);
    Run(60, {kKeyLeft});
    EXPECT_DOUBLE_EQ(hero->x, 0.0);
    EXPECT_EQ(hero->vx, 0.0);
    // Far above the screen and the map: still there.
    hero->y = -2000.0;
    Run(3);
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(hero));
    EXPECT_EQ(heroScene.fellOut, 0);
    // Below the map's last row plus one the scene hears of the fall.
    hero->y = (40 + 1) * 32.0 + 1.0;
    Frame();
    EXPECT_GE(heroScene.fellOut, 1);
}

TEST_F(HeroMoving, AWeaponChangeStandsTheHeroUpUnlessItRunsOrStopsADash) {
    Hero();
    Frame({kJump});
    hero->SetWeapon(kWeaponMallet);
    EXPECT_EQ(hero->state, kHeroStand);
    EXPECT_EQ(hero->GetWeapon().weaponKind, kWeaponMallet);
    EXPECT_EQ(hero->GetWeapon().health, 100);
    for (int kept : {kHeroRun, kHeroRunStop, kHeroHyperDashStop}) {
        hero->SetState(kept);
        hero->SetWeapon(kWeaponHose);
        EXPECT_EQ(hero->state, kept);
    }
    hero->SetState(kHeroJabGround);
    hero->SetWeapon(kWeaponBroom);
    EXPECT_EQ(hero->state, kHeroStand);
}

}  // namespace
}  // namespace playtest
