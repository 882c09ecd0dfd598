// The spiny creature: what each attack does in each form, the box it changes between forms, its
// spines that hit a body once a window, the hard landing on its back and the end it meets there.
#include "enemies/Needle001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Needle : public GroundWorld {
  protected:
    CNeedle001* OnFloor(double x, int facing = 1) {
        auto* n = Place<CNeedle001>(x, kFloorTop - 28.0 - 0.5, facing);
        n->SetAreaObjectId(8);
        Table().SetSpawnFlag(8, true);
        return n;
    }
};

// Water runs off in every form; a power hit or anything on its back destroys it; any other blow
// curls it into a ball.
TEST_F(Needle, WaterRunsOffPowerOrItsBackDestroysAnythingElseCurlsIt) {
    int destroyed = 0;
    for (int form : {kNeedleWalk, kNeedleBall, kNeedleHop, kNeedleBack}) {
        for (const AttackInfo& a : EveryAttack()) {
            Table().SetSpawnFlag(8, true);
            CNeedle001 n(stage.get(), 100, 200, 1);
            n.SetAreaObjectId(8);
            n.SetState(form);
            const int r = n.ReceiveAttack(a);
            SCOPED_TRACE(form);
            if (a.flags[kAttackWater]) {
                EXPECT_EQ(r, kHitNoEffect);
                EXPECT_EQ(n.state, form);
            } else if (form == kNeedleBack || a.flags[kAttackPowerHit]) {
                EXPECT_EQ(r, kHitDefeated);
                ++destroyed;
                EXPECT_TRUE(n.IsDead());
                EXPECT_FALSE(Table().CanSpawn(8));
                EXPECT_EQ(n.ReceiveAttack(a), kHitImmune);  // gone once
            } else {
                EXPECT_EQ(r, kHitHurt);
                EXPECT_EQ(n.state, kNeedleBall);
                EXPECT_FALSE(n.isBlown);
                EXPECT_TRUE(Table().CanSpawn(8));
            }
        }
    }
    EXPECT_EQ(destroyed, 14 + 3);  // on its back all but water; otherwise the power hit
    EXPECT_EQ(EffectCount(4), destroyed);
}

// The walls are tested one by one: walking right with walls on both sides it walks on (only a
// wall on the left turns a walk to the left); a ball squeezed between two bounces off both.
TEST_F(Needle, EachWallIsTestedOnItsOwn) {
    CNeedle001* n = OnFloor(300, 1);
    Frames(2);
    ASSERT_EQ(n->state, kNeedleWalk);
    n->onGround = true;
    n->touchLeft = n->touchRight = true;
    n->Act();
    EXPECT_EQ(n->facing, 1);

    n->SetState(kNeedleBall);
    n->vx = -100.0;
    n->ax = 0.0;
    n->touchLeft = n->touchRight = true;
    n->Act();
    EXPECT_NEAR(n->vx, -100.0 * -0.7 * -0.7, 1e-9);  // off the left wall, then off the right one
}

// Walking and on its back 48 x 28, as a ball 36 x 36; the bottom stays; narrowing keeps the
// middle; widening grows the way it faces (facing left: the right edge stays).
TEST_F(Needle, ItsBoxChangesBetweenFormsKeepingItsBottom) {
    for (int facing : {0, 1}) {
        CNeedle001 n(stage.get(), 100, 200, facing);
        const double bottom = n.GetBottom(), middle = n.centerX;
        n.SetState(kNeedleBall);
        EXPECT_EQ(n.width, 36.0);
        EXPECT_EQ(n.height, 36.0);
        EXPECT_EQ(n.GetBottom(), bottom);
        EXPECT_EQ(n.centerX, middle);
        EXPECT_EQ(n.category, kCategoryMusicBall);
        n.SetState(kNeedleBack);
        EXPECT_EQ(n.width, 48.0);
        EXPECT_EQ(n.height, 28.0);
        EXPECT_EQ(n.GetBottom(), bottom);
        if (facing == 0)
            EXPECT_EQ(n.GetRight(), middle + 18.0);
        else
            EXPECT_EQ(n.GetLeft(), middle - 18.0);
        EXPECT_EQ(n.category, kCategoryEnemy);
    }
}

TEST_F(Needle, ItsSpinesHitABodyOnceAWindowAndItBouncesOffAVictim) {
    CNeedle001 n(stage.get(), 100, 200, 1);
    n.UpdateCentre();
    playtest::Target victim(stage.get(), n.GetRight(), n.centerY - 10, kCategoryHero, kHitHurt);
    EXPECT_EQ(n.Collide(&victim), kHitHurt);
    EXPECT_EQ(victim.received.at(0).damage, 10);
    EXPECT_EQ(victim.received.at(0).flags[kAttackSlash], 1);
    EXPECT_EQ(n.state, kNeedleBall);
    EXPECT_LT(n.vx, 0.0);  // back off the victim on its right
    EXPECT_EQ(EffectCount(3), 1);
    EXPECT_EQ(n.Collide(&victim), kHitImmune);
    EXPECT_EQ(victim.received.size(), 1u);
}

TEST_F(Needle, ItTurnsAtALedgeAndCurlsWhenPushedOff) {
    Fill(0, 10, 59, 10, 0);
    Fill(5, 10, 14, 10, 40);  // a shelf from x 160 to 480
    CNeedle001* n = OnFloor(400, 1);
    bool turned = false;
    for (int i = 0; i < 200; ++i) {
        Frames(1);
        turned = turned || n->facing == 0;
        ASSERT_EQ(n->state, kNeedleWalk) << i;
    }
    EXPECT_TRUE(turned);
    n->x = 490;  // over the edge
    Frames(3);
    EXPECT_EQ(n->state, kNeedleBall);
}

// Falling faster than 360 onto the floor, not having stood the frame before, it lands on its
// back; then a touch destroys it and the toucher only gets the harmless push.
TEST_F(Needle, AHardLandingLeavesItOnItsBackWhereATouchEndsIt) {
    for (double fall : {300.0, 450.0}) {
        SCOPED_TRACE(fall);
        CObjectRegistry::GetInstance()->Clear();
        CNeedle001* n = Place<CNeedle001>(300.0, kFloorTop - 36.0 - 60.0, 1);
        n->SetState(kNeedleBall);
        n->ay = 0;
        n->vy = fall;
        n->maxSpeedDown = 1000;
        Frames(20);
        EXPECT_EQ(n->state, fall > 360.0 ? kNeedleBack : kNeedleBall);
    }
    CNeedle001 n(stage.get(), 100, 200, 1);
    n.SetAreaObjectId(8);
    Table().SetSpawnFlag(8, true);
    n.SetState(kNeedleBack);
    n.UpdateCentre();
    playtest::Target hero(stage.get(), n.GetRight(), n.centerY - 10, kCategoryHero, kHitPushed);
    EXPECT_EQ(n.Collide(&hero), kHitPushed);
    EXPECT_EQ(hero.received.at(0).damage, 0);
    EXPECT_EQ(hero.received.at(0).flags[kAttackBodyContact], 1);
    EXPECT_TRUE(n.IsDead());
    EXPECT_FALSE(Table().CanSpawn(8));
    EXPECT_EQ(n.Collide(&hero), kHitImmune);
}

}  // namespace
