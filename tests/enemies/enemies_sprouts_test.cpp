// The sprouts: water is the only thing that touches them, the wither that follows, their hurting
// contact, and the creeper's walk.
#include <numbers>

#include "enemies/Moyashi001.h"
#include "enemies/Moyashi002.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Sprouts : public GroundWorld {
  protected:
    template <class S>
    S* Sprout(double x) {
        S* s = Place<S>(x, kFloorTop - 12.0, 0);
        s->SetAreaObjectId(3);
        Table().SetSpawnFlag(3, true);
        return s;
    }
};

TEST_F(Sprouts, OnlyWaterWithersThemAndASecondSplashChangesNothing) {
    for (int creeper = 0; creeper < 2; ++creeper) {
        SCOPED_TRACE(creeper);
        std::unique_ptr<CMoyashiBase> s;
        if (creeper)
            s = std::make_unique<CMoyashi002>(stage.get(), 100, 200, 0);
        else
            s = std::make_unique<CMoyashi001>(stage.get(), 100, 200, 0);
        s->SetAreaObjectId(3);
        Table().SetSpawnFlag(3, true);
        for (const AttackInfo& a : EveryAttack()) {
            if (a.flags[kAttackWater]) continue;
            EXPECT_EQ(s->ReceiveAttack(a), kHitNoEffect);
        }
        EXPECT_FALSE(s->isWithering);
        EXPECT_FALSE(s->isBlown);
        EXPECT_TRUE(Table().CanSpawn(3));

        EXPECT_EQ(s->ReceiveAttack(Attack(0, kAttackWater)), kHitDefeated);
        EXPECT_TRUE(s->isWithering);
        EXPECT_FALSE(Table().CanSpawn(3));
        s->stateFrames = 5;
        EXPECT_EQ(s->ReceiveAttack(Attack(0, kAttackWater)), kHitNoEffect);
        EXPECT_EQ(s->stateFrames, 5);  // the wither is not restarted
    }
}

// Frames 1..11 of the wither leave the sprout; the twelfth (inclusive) leaves smoke at its foot
// and removes it. Meanwhile it neither touches nor hurts.
TEST_F(Sprouts, TheWitherTakesTwelveFramesAndEndsInSmokeAtTheFoot) {
    PlaceHero(400, kFloorTop - 10);
    auto* s = Sprout<CMoyashi001>(200);
    Frames(3);
    s->ReceiveAttack(Attack(0, kAttackWater));
    EXPECT_EQ(s->Collide(scene.hero.Get()), kHitImmune);
    Frames(11);
    EXPECT_TRUE(IsRegistered(s));
    EXPECT_EQ(EffectCount(9), 0);
    s->Draw();
    EXPECT_NEAR(s->sprite->scaleX, 1.0 / 12.0, 1e-6);
    const double foot = s->GetBottom();
    Frames(1);
    EXPECT_TRUE(s->IsDead());
    ASSERT_EQ(EffectCount(9), 1);
    EXPECT_EQ(playtest::MadeEffects()[0].x, 200);
    EXPECT_NEAR(playtest::MadeEffects()[0].y, foot, 3.0);  // this frame's fall is not yet undone
    Frames(1);
    EXPECT_FALSE(IsRegistered(s));
}

TEST_F(Sprouts, TheShrunkPictureNeverGoesBelowOneHundredthAndKeepsItsFootDown) {
    CMoyashi001 s(stage.get(), 100, 200, 0);
    s.ReceiveAttack(Attack(0, kAttackWater));
    s.stateFrames = 11.99999;
    s.UpdateCentre();
    s.Draw();
    EXPECT_FLOAT_EQ(s.sprite->scaleX, 0.01f);
    EXPECT_NEAR(s.imageY, s.centerY + 0.99 * 12.0 - 4.0, 1e-9);
}

// The contact throws up and away from the sprout with 20 and the sprout's burst; a spark only
// when it hurt.
TEST_F(Sprouts, TheContactThrowsUpAndAwayAndSparksOnlyWhenItHurt) {
    const struct {
        int answer;
        int sparks;
    } rows[] = {{kHitDefeated, 1}, {kHitHurt, 1}, {kHitNoEffect, 0}, {kHitGuarded, 0}, {kHitImmune, 0}};
    for (const auto& row : rows) {
        for (int creeper = 0; creeper < 2; ++creeper) {
            SCOPED_TRACE(row.answer * 10 + creeper);
            playtest::MadeEffects().clear();
            playtest::Target right(stage.get(), 120, 190, kCategoryDefault, row.answer);
            playtest::Target left(stage.get(), 60, 190, kCategoryDefault, row.answer);
            CMoyashi001 red(stage.get(), 100, 200, 0);
            CMoyashi002 blue(stage.get(), 100, 200, 0);
            CMoyashiBase& s = creeper ? static_cast<CMoyashiBase&>(blue) : red;
            s.UpdateCentre();
            EXPECT_EQ(s.Collide(&right), row.answer);
            EXPECT_EQ(s.Collide(&left), row.answer);
            const AttackInfo& r = right.received.at(0);
            EXPECT_EQ(r.damage, 20);
            EXPECT_EQ(r.power, 220.0);
            EXPECT_DOUBLE_EQ(r.angle, -0.25 * std::numbers::pi);
            EXPECT_DOUBLE_EQ(left.received.at(0).angle, -0.75 * std::numbers::pi);
            EXPECT_EQ(r.flags[kAttackRedBurst], creeper ? 0 : 1);
            EXPECT_EQ(r.flags[kAttackBlueBurst], creeper ? 1 : 0);
            EXPECT_EQ(EffectCount(creeper ? 6 : 5), 2 * row.sparks);
        }
    }
}

TEST_F(Sprouts, TheyTurnToTheHeroAndTheCreeperWalksSlowlyAfterHimUntilWatered) {
    auto* hero = PlaceHero(400, kFloorTop - 10);
    auto* still = Sprout<CMoyashi001>(200);
    auto* creeper = Sprout<CMoyashi002>(300);
    Frames(60);
    EXPECT_EQ(still->facing, 1);
    EXPECT_EQ(still->centerX, 200);
    EXPECT_EQ(creeper->facing, 1);
    EXPECT_GT(creeper->centerX, 320);
    EXPECT_LE(creeper->vx, 40.0);
    hero->x = still->centerX - 10;  // straight above counts as to the right
    hero->UpdateCentre();
    Frames(1);
    EXPECT_EQ(still->facing, 1);
    creeper->ReceiveAttack(Attack(0, kAttackWater));
    Frames(1);
    EXPECT_EQ(creeper->vx, 0.0);
    EXPECT_EQ(creeper->ax, 0.0);
}

}  // namespace
