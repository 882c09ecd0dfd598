// The hero's attacks: what a push starts for each weapon on the ground, squatting, dashing and in
// the air; combo timings; the mallet's three hitboxes; the hose's pressure curve and its drops.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "play/HoseWater.h"
#include "tests/play/play_hero_env.h"

namespace playtest {
namespace {

class HeroAttacking : public HeroTest {
  protected:
    // The state one attack push starts in a situation.
    enum Situation { kStanding, kSquatting, kRunning, kHyperDashing, kAirborne, kAirborneDown, kAirDashing };
    int AttackIn(int weapon, Situation where) {
        Hero(weapon);
        switch (where) {
            case kStanding:
                Frame({kAttack});
                break;
            case kSquatting:
                Frame({kKeyDown});
                Frame({kKeyDown, kAttack});
                break;
            case kRunning:
            case kHyperDashing:
                hero->SetState(where == kRunning ? kHeroRun : kHeroHyperDash);
                hero->vx = hero->maxSpeedRight = where == kRunning ? 360.0 : 480.0;
                hero->ax = 0;
                Frame({kKeyRight, kAttack});
                break;
            case kAirborne:
            case kAirborneDown:
                Frame({kJump});
                Run(6, {kJump});
                if (where == kAirborne)
                    Frame({kJump, kAttack});
                else
                    Frame({kJump, kKeyDown, kAttack});
                break;
            case kAirDashing:
                hero->SetState(kHeroRun);
                hero->vx = 300.0;
                Frame({kKeyRight, kJump});
                Run(6, {kKeyRight, kJump});
                Frame({kKeyRight, kJump, kAttack});
                break;
        }
        const int s = hero->state;
        CObjectRegistry::GetInstance()->Clear();
        return s;
    }
};

TEST_F(HeroAttacking, EachWeaponPicksItsAttackOnTheGroundSquattingDashingAndInTheAir) {
    struct Case {
        int weapon;
        Situation where;
        int state;
    };
    const Case cases[] = {
        {kWeaponBroom, kStanding, kHeroBangDownGround},
        {kWeaponBroom, kSquatting, kHeroJabSquat},
        {kWeaponBroom, kRunning, kHeroJabDash},
        {kWeaponBroom, kHyperDashing, kHeroJabHyperDash},
        {kWeaponBroom, kAirborne, kHeroJabAir},
        {kWeaponBroom, kAirborneDown, kHeroDiveWindup},
        {kWeaponLongBar, kAirDashing, kHeroJabAirDash},
        {kWeaponMallet, kStanding, kHeroBangDownGround},
        {kWeaponMallet, kRunning, kHeroBangDownGround},
        {kWeaponMallet, kAirborne, kHeroBangDownAirWindup},
        {kWeaponMallet, kAirDashing, kHeroBangDownAirDashWindup},
        {kWeaponMallet, kAirborneDown, kHeroDiveWindup},
        {kWeaponPropeller, kStanding, kHeroPropellerSwingGround},
        {kWeaponPropeller, kSquatting, kHeroJabSquat},
        {kWeaponPropeller, kAirborne, kHeroPropellerSwingAir},
        {kWeaponPropeller, kAirDashing, kHeroPropellerSwingAirDash},
        {kWeaponHose, kStanding, kHeroStand},
        {kWeaponHose, kAirborne, kHeroStand},
        {kWeaponHose, kAirborneDown, kHeroDiveWindup},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AttackIn(c.weapon, c.where), c.state) << "weapon " << c.weapon << " situation " << c.where;
}

TEST_F(HeroAttacking, TheShortBarCombosFromSmashToJabToSwing) {
    Hero(kWeaponShortBar);
    Frame({kAttack});
    ASSERT_EQ(hero->state, kHeroBangDownGround);
    // Frame counts grow by the frame time x 60 in single precision, so a count passes 4 on the
    // fourth frame.
    Run(3);
    EXPECT_FALSE(Hitbox());
    Frame();
    ASSERT_TRUE(Hitbox());
    EXPECT_EQ(heroScene.attacksStarted, 1);
    Run(3);
    Frame({kAttack});                            // the buffer has been open since frame 8
    EXPECT_EQ(RunUntil(kHeroJabGround, 20), 6);  // the 15th frame of the smash
    Run(8);
    Frame({kAttack});
    EXPECT_EQ(RunUntil(kHeroSwingWindup, 20), 6);  // the 15th frame of the jab
    EXPECT_EQ(RunUntil(kHeroSwingAroundGround, 20), 7);
    ASSERT_TRUE(Hitbox());
    EXPECT_EQ(Hitbox()->shapeType, kShapeCircle);
    EXPECT_EQ(Hitbox()->radius, 96 / 2 + 6);
    // Two more pushes stretch the swing from 19 to 33 frames.
    Frame({kAttack});
    Frame();
    Frame({kAttack});
    EXPECT_EQ(RunUntil(kHeroStand, 60) + 3, 33);
    EXPECT_FALSE(Hitbox());  // leaving the attack removed it
}

TEST_F(HeroAttacking, PushesDuringTheLongBarsJabsDelayItsFinish) {
    for (int pushes : {1, 4}) {
        Hero(kWeaponLongBar);
        Frame({kAttack});
        Run(9);
        Frame({kAttack});
        ASSERT_GT(RunUntil(kHeroJabGround, 20), 0);
        Run(9);
        Frame({kAttack});
        ASSERT_GT(RunUntil(kHeroSeqJabGround, 20), 0);
        int frames = 0;
        for (int i = 0; i < pushes; ++i) {
            Frame({kAttack});
            Frame();
            frames += 2;
        }
        frames += RunUntil(kHeroFinishJabWindup, 80);
        EXPECT_EQ(frames, pushes == 1 ? 27 : 48) << pushes;
        CObjectRegistry::GetInstance()->Clear();
    }
}

TEST_F(HeroAttacking, TheMalletSmashStrikesThreeTimesEndingInAShockWave) {
    Hero(kWeaponMallet);
    Frame({kAttack});
    std::vector<std::pair<int, int>> boxes;  // frame, shape
    for (int f = 1; f <= 20; ++f) {
        const IBase* before = hero->currentHitbox.Get();
        Frame();
        const CCollisionDetectionBase* current = Hitbox();
        if (current && current != before) boxes.push_back({f, current->shapeType});
    }
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], std::make_pair(4, int(kShapeRect)));
    EXPECT_EQ(boxes[1], std::make_pair(8, int(kShapeQuarterUpRight)));
    EXPECT_EQ(boxes[2], std::make_pair(10, int(kShapeRect)));
    // The shock wave runs along the floor ahead of the hero.
    hero->SetState(kHeroBangDownGround);
    hero->stateFrames = 11;
    hero->hitPhaseReady[0] = hero->hitPhaseReady[1] = hero->hitPhaseReady[2] = false;
    EXPECT_EQ(hero->GetAttackName(), "WoodenMallet_ShockWave");
}

TEST_F(HeroAttacking, AJabHitboxStandsAheadOfTheHeroAndHitsAnEnemyThere) {
    Hero(kWeaponBroom);
    auto* enemy =
        testsupport::Register(std::make_unique<Dummy>(stage.get(), hero->x + 50.0, kFloorY - 20.0, 100));
    Frame({kAttack});
    Run(9);
    Frame({kAttack});
    ASSERT_GT(RunUntil(kHeroJabGround, 20), 0);
    Run(5);
    const CCollisionDetectionBase* box = Hitbox();
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->x - hero->x, 28.0, 1.0);
    EXPECT_EQ(box->width, 80 - 20);
    Run(3);
    ASSERT_FALSE(enemy->received.empty());
    EXPECT_EQ(enemy->received.back().damage, CAttackParameterTable::Get("JabGround_Broom", 1).attack.damage);
}

TEST_F(HeroAttacking, TheHoseRampsUpHoldsAndDiesAwayThenWaitsForAHurtOrAnotherWeapon) {
    Hero(kWeaponHose);
    Frame({kAttack});
    ASSERT_TRUE(hero->spraying);
    auto pressureAt = [&](int frames) {
        Run(frames - static_cast<int>(hero->sprayFrames + 0.5));
        return hero->pressure;
    };
    EXPECT_NEAR(pressureAt(15), 175.0, 10.5);
    EXPECT_NEAR(pressureAt(30), 350.0, 10.5);
    EXPECT_GT(CObjectRegistry::GetInstance()->Count(), 1);  // drops in flight
    EXPECT_NEAR(pressureAt(120), 350.0, 10.5);
    EXPECT_NEAR(pressureAt(180), 175.0, 10.5);
    Run(30);
    Run(200);
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 1);  // every drop has landed; none made
    // A spent hose stays spent, push as one may.
    for (int i = 0; i < 3; ++i) {
        Frame({kAttack});
        Run(10);
    }
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 1);
    // Getting hurt clears it; the next push sprays.
    hero->ReceiveAttack(Attack(5));
    Frame();
    EXPECT_FALSE(hero->spraying);
    for (int i = 0; i < 120 && IsHeroHurtState(hero->state); ++i) Frame();
    Frame({kAttack});
    Run(10);
    EXPECT_TRUE(hero->spraying);
    EXPECT_GT(CObjectRegistry::GetInstance()->Count(), 1);
}

// The hero reaches the world through its scene: the drops go to the scene's registry, here one
// of the test's own, and none to the process's.
TEST_F(HeroAttacking, TheHoseSpraysIntoTheRegistryOfTheHerosScene) {
    Hero(kWeaponHose);
    CObjectRegistry own;
    heroScene.registry = &own;
    Frame({kAttack});
    Run(10);
    EXPECT_GT(own.Count(), 0);
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 1);  // the hero alone
    heroScene.registry = nullptr;
}

// Hovering (the spinning frames), the spray follows the angle the frame passes, the spin, for
// either facing: it no longer shoots left whatever the hero does.
TEST_F(HeroAttacking, AHoveringHoseAimsAlongTheFramesAngle) {
    Hero(kWeaponHose);
    for (int facing : {0, 1}) {
        hero->facing = facing;
        hero->SetImage(1, 4, 2, 0.0, 0.0);  // a spinning frame
        EXPECT_NEAR(std::cos(hero->aimAngle), 1.0, 1e-9) << facing;
        hero->SetImage(1, 4, 2, 0.0, 0.5 * std::numbers::pi);
        EXPECT_NEAR(std::sin(hero->aimAngle), 1.0, 1e-9) << facing;
        hero->SetImage(1, 5, 2, 0.0, 0.0);  // the other spinning frame
        EXPECT_NEAR(std::cos(hero->aimAngle), 1.0, 1e-9) << facing;
    }
    // A frame that draws the weapon still aims along it: (2, 5, 2) holds it at a quarter turn.
    hero->facing = 0;
    hero->SetImage(2, 5, 2, 0.0, 0.0);
    EXPECT_NEAR(hero->aimAngle, -0.25 * std::numbers::pi - std::numbers::pi, 1e-9);
}

TEST_F(HeroAttacking, AWaterDropCarriesAKnockBackByItsSpeedAndSplashesOnTheFloor) {
    EXPECT_EQ(CHoseWater::AttackSpeedFor(9.9), 5.0);
    EXPECT_EQ(CHoseWater::AttackSpeedFor(10.0), 100.0);
    EXPECT_EQ(CHoseWater::AttackSpeedFor(-100.0), 100.0);
    EXPECT_EQ(CHoseWater::AttackSpeedFor(301.0), 250.0);
    auto* drop = testsupport::Register(
        std::make_unique<CHoseWater>(stage.get(), 400.0, kFloorY - 40.0, 0.0, 0.0, true));
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(drop->category, 10);
    EXPECT_EQ(drop->attack.angle, 0.0);
    EXPECT_TRUE(drop->attack.flags[kAttackWater]);
    for (int i = 0; i < 60 && MadeEffects().empty(); ++i) Frame();
    ASSERT_EQ(MadeEffects().size(), 1u);
    EXPECT_EQ(MadeEffects()[0].kind, 18);           // the floor splash
    EXPECT_NEAR(MadeEffects()[0].y, kFloorY, 4.0);  // at the edge after the frame's move
}

}  // namespace
}  // namespace playtest
