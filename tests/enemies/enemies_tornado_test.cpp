// The whirlwind: its sway through walls along either axis, its facing, its cutting throw, and
// that no door waits for it.
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

#include "enemies/EnemyKinds.h"
#include "enemies/Tornado001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Tornado : public GroundWorld {};

TEST_F(Tornado, ItSwaysEightyEitherWayAlongItsAxisEvenInsideAWall) {
    Fill(0, 0, 59, 9, 40);  // solid rock all round both
    auto* across = Place<CTornado001>(320.0, 160.0, 0, 0);
    auto* upDown = Place<CTornado001>(640.0, 160.0, 0, 1);
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (int i = 0; i < 300; ++i) {  // a full swing is about 290 frames
        Frames(1);
        EXPECT_EQ(across->y, 160.0);
        EXPECT_EQ(upDown->x, 640.0);
        minX = std::min(minX, across->x);
        maxX = std::max(maxX, across->x);
        minY = std::min(minY, upDown->y);
        maxY = std::max(maxY, upDown->y);
    }
    EXPECT_NEAR(maxX, 400.0, 0.05);
    EXPECT_NEAR(minX, 240.0, 0.05);
    EXPECT_NEAR(maxY, 240.0, 0.05);
    EXPECT_NEAR(minY, 80.0, 0.05);
    EXPECT_FALSE(across->IsDead());
}

TEST_F(Tornado, ItFacesTheHeroAndRightWhenHeIsStraightAbove) {
    auto* t = Place<CTornado001>(320.0, 160.0, 0, 1);  // sways up and down: x stays
    auto* hero = PlaceHero(100, 100);
    Frames(1);
    EXPECT_EQ(t->facing, 0);
    hero->x = t->centerX - 10;
    hero->UpdateCentre();
    Frames(1);
    EXPECT_EQ(t->facing, 1);
}

TEST_F(Tornado, ItCutsAndThrowsUpAwayAndSparksOnlyWhenItHurt) {
    for (int answer : {kHitDefeated, kHitHurt, kHitNoEffect, kHitGuarded, kHitImmune}) {
        SCOPED_TRACE(answer);
        playtest::MadeEffects().clear();
        CTornado001 t(stage.get(), 100, 100, 0, 0);
        t.UpdateCentre();
        playtest::Target level(stage.get(), t.centerX - 10, 90, kCategoryDefault, answer);
        EXPECT_EQ(t.Collide(&level), answer);
        const AttackInfo& a = level.received.at(0);
        EXPECT_EQ(a.damage, 10);
        EXPECT_EQ(a.power, 400.0);
        EXPECT_DOUBLE_EQ(a.angle, -0.75 * std::numbers::pi);  // level counts as the left
        EXPECT_EQ(a.flags[kAttackSlash], 1);
        EXPECT_EQ(EffectCount(3), answer <= kHitHurt ? 1 : 0);
    }
    // A hero it beats gets the cut too: sparing a beaten hero is the hitboxes' rule, not its own.
    playtest::MadeEffects().clear();
    CTornado001 t(stage.get(), 100, 100, 0, 0);
    t.UpdateCentre();
    playtest::Target beaten(stage.get(), t.centerX + 10, 90, kCategoryHero, kHitDefeated);
    EXPECT_EQ(t.Collide(&beaten), kHitDefeated);
    EXPECT_EQ(EffectCount(3), 1);
}

TEST_F(Tornado, NothingHurtsItAndTheDoorsDoNotCountIt) {
    RegisterEnemyKinds();
    CTornado001 t(stage.get(), 100, 100, 0, 0);
    for (const AttackInfo& a : EveryAttack()) EXPECT_EQ(t.ReceiveAttack(a), kHitNoEffect);
    EXPECT_FALSE(t.isBlown);
    std::unique_ptr<IBase> made(CreateLiveObject("CTornado001", stage.get(), 100, 100, {true, 1}));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(static_cast<CTornado001*>(made.get())->swayAxis, 1);
    EXPECT_EQ(static_cast<CTornado001*>(made.get())->facing, 1);
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
    EXPECT_EQ(CObjectRegistry::GetInstance()->CountEnemies(), 0);
}

}  // namespace
