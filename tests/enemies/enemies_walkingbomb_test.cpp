// The walking bomb: the reach window that lights it, the fuse that always runs out (420 frames
// for the longest), the blows that only knock it back and the fire that sets it off.
#include "enemies/Caterpillar001.h"
#include "gimmicks/Burst.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class WalkingBomb : public GroundWorld {
  protected:
    CCaterpillar001* OnFloor(double x, int fuseSeconds = 7) {
        auto* b = Place<CCaterpillar001>(x, kFloorTop - 30.0 - 0.5, 1, fuseSeconds);
        b->SetAreaObjectId(6);
        Table().SetSpawnFlag(6, true);
        return b;
    }
};

// Centre against centre, the bomb's at (312, 305): ahead within 256, from 128 above to 40
// below, in sight.
TEST_F(WalkingBomb, OnlyAHeroAheadWithinReachAndInSightLightsIt) {
    const struct {
        double dx, dy;
        bool wall;
        bool lights;
    } rows[] = {{100, 0, false, true},    {256, 0, false, true},     {257, 0, false, false},
                {100, -128, false, true}, {100, -129, false, false}, {100, 40, false, true},
                {100, 41, false, false},  {100, 0, true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dx * 1000 + row.dy);
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        Fill(11, 0, 11, 9, row.wall ? 40 : 0);
        Fill(10, 10, 14, 10, row.dy > 0 ? 0 : 40);  // a pit, so that a hero below is in sight
        CCaterpillar001* b = OnFloor(300);
        Frames(3);
        ASSERT_EQ(b->state, kBombWait);
        PlaceHero(b->centerX + row.dx, b->centerY + row.dy);
        b->facing = 1;
        EXPECT_EQ(b->IsHeroInReach(), row.lights);
    }
}

TEST_F(WalkingBomb, AHeroBehindItTurnsItRoundButAHeroFarAwayLightsNothing) {
    CCaterpillar001* b = OnFloor(300);
    PlaceHero(b->centerX - 600, kFloorTop - 10);
    Frames(100);
    EXPECT_EQ(b->state, kBombWait);
    EXPECT_EQ(b->facing, 0);
    EXPECT_EQ(b->fuse, 420.0);
}

// Lit at frame 1, the seven-second fuse runs out 420 frames later whatever blows it takes on
// the way; it shows 7 at first and flashes in the last second.
TEST_F(WalkingBomb, TheLongestFuseBurnsFourHundredTwentyFramesWhateverHappens) {
    CCaterpillar001* b = OnFloor(300);
    PlaceHero(b->centerX + 100, b->centerY);
    scene.hero->removeWhenOffScreen = false;
    Frames(1);
    ASSERT_EQ(b->state, kBombChase);
    EXPECT_EQ(b->ChooseFrame(), 7);
    Frames(100);
    EXPECT_EQ(b->ReceiveAttack(Attack(50)), kHitGuarded);
    Frames(300);
    EXPECT_EQ(b->ChooseFrame() == 8 || b->ChooseFrame() == 1, true);
    Frames(18);
    EXPECT_FALSE(b->IsDead());
    EXPECT_TRUE(Table().CanSpawn(6));
    Frames(1);
    EXPECT_TRUE(b->IsDead());
    EXPECT_FALSE(Table().CanSpawn(6));
    ASSERT_EQ(All<CRedBurst>().size(), 1u);
    EXPECT_EQ(All<CRedBurst>()[0]->radius, 56.0);
}

// Every attack but fire knocks it back (3) at 0.8 of its power, 300 at least, and lights it;
// fire sets it off (0) on the spot.
TEST_F(WalkingBomb, BlowsKnockItBackAndLightItFireSetsItOff) {
    for (const AttackInfo& a : EveryAttack()) {
        CObjectRegistry::GetInstance()->Clear();
        CCaterpillar001* b = OnFloor(300);
        Frames(3);
        const bool fire = a.flags[kAttackRedBurst];
        SCOPED_TRACE(fire);
        EXPECT_EQ(b->ReceiveAttack(a), fire ? kHitDefeated : kHitGuarded);
        if (fire) {
            EXPECT_TRUE(b->IsDead());
            EXPECT_EQ(All<CRedBurst>().size(), 1u);
            EXPECT_EQ(b->ReceiveAttack(a), kHitDefeated);
            EXPECT_EQ(All<CRedBurst>().size(), 1u);  // a dead bomb does not go off twice
            continue;
        }
        EXPECT_EQ(b->state, kBombKnocked);
        EXPECT_EQ(b->vx, 0.8 * 300.0);
        EXPECT_EQ(b->ax, -4 * 0.8 * 300.0);
        EXPECT_FALSE(b->isBlown);
        Frames(17);
        EXPECT_EQ(b->state, kBombChase);
        EXPECT_LT(b->fuse, 420.0);
    }
}

}  // namespace
