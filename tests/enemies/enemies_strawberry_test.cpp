// The strawberry: its hop-hop-leap cycle with the circle that lives exactly through the leap,
// its hit points, the clash that shields it for a frame, the stomp and the ledge.
#include "enemies/Ichigo001.h"
#include "play/Hitboxes.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Strawberry : public GroundWorld {
  protected:
    CIchigo001* OnFloor(double x, int facing = 1) {
        auto* b = Place<CIchigo001>(x, kFloorTop - 28.0 - 0.5, facing);
        b->SetAreaObjectId(4);
        Table().SetSpawnFlag(4, true);
        return b;
    }
    static int Circles(const IBase* b) {
        int n = 0;
        for (const auto& c : b->GetChildren())
            if (dynamic_cast<CCollisionDetectionCircle*>(c.get()) && !c->IsDead()) ++n;
        return n;
    }
};

// Wait, two hops and the leap, which alone carries one circle of 15, aimed at its target; the
// landing brake and the wait again drop it.
TEST_F(Strawberry, TheLeapAloneCarriesTheAttackCircle) {
    PlaceHero(500, kFloorTop - 10);
    CIchigo001* b = OnFloor(300, 0);
    std::vector<int> seen;
    int firstHopFacing = -1;
    for (int i = 0; i < 400; ++i) {
        Frames(1);
        if (seen.empty() || seen.back() != b->state) seen.push_back(b->state);
        if (b->state == kBerryHop1 && firstHopFacing < 0) firstHopFacing = b->facing;
        EXPECT_EQ(b->GetAttackShape() != nullptr, b->state == kBerryLeap) << "frame " << i;
        EXPECT_LE(Circles(b), 1);
        if (b->state == kBerryLeap && b->GetAttackShape()) {
            auto* c = static_cast<CCollisionDetectionCircle*>(b->GetAttackShape());
            EXPECT_EQ(c->attack.damage, 15);
            EXPECT_EQ(c->aimMode, kAimAtTarget);
            EXPECT_EQ(c->radius, 20.0);
        }
    }
    const std::vector<int> cycle{kBerryWait, kBerryHop1, kBerryHop2, kBerryLeap, kBerryLand, kBerryWait};
    ASSERT_GE(seen.size(), cycle.size());
    EXPECT_TRUE(std::equal(cycle.begin(), cycle.end(), seen.begin()));
    EXPECT_EQ(firstHopFacing, 1);  // it turned to the hero while waiting
}

TEST_F(Strawberry, TwoHitsOfThirteenOrOneOfTwentyFiveBeatIt) {
    for (int damage : {13, 25}) {
        SCOPED_TRACE(damage);
        Table().SetSpawnFlag(4, true);
        CIchigo001 b(stage.get(), 100, 200, 0);
        b.SetAreaObjectId(4);
        int r = b.ReceiveAttack(Attack(damage));
        if (damage == 13) {
            EXPECT_EQ(r, kHitHurt);
            EXPECT_TRUE(Table().CanSpawn(4));
            r = b.ReceiveAttack(Attack(damage));
        }
        EXPECT_EQ(r, kHitDefeated);
        EXPECT_TRUE(b.isDefeated);
        EXPECT_FALSE(Table().CanSpawn(4));
    }
}

TEST_F(Strawberry, AClashEndsTheLeapAndShieldsTheBodyForThatFrame) {
    CIchigo001 b(stage.get(), 100, 200, 1);
    b.SetState(kBerryLeap);
    b.OnAttackClash(kHitGuarded, Attack(15), Attack(10));  // theirs points right
    b.AfterAttackClash();
    EXPECT_EQ(b.state, kBerryRecoil);
    EXPECT_EQ(b.GetAttackShape(), nullptr);
    EXPECT_EQ(b.vx, 200.0);
    EXPECT_EQ(b.ax, -900.0);
    EXPECT_EQ(b.ReceiveAttack(Attack(50)), kHitNoEffect);
    EXPECT_EQ(b.hitPoints, 25);
}

// A stomp squashes it for 35 frames, wobbling only the first 30; in the leap a stomp changes
// nothing and only the body contact is delivered.
TEST_F(Strawberry, AStompSquashesItOutsideTheLeapOnly) {
    CIchigo001* b = OnFloor(300);
    Frames(2);
    playtest::Target hero(stage.get(), 290, 260, kCategoryHero, kHitBounced);
    b->SetState(kBerryLeap);
    EXPECT_EQ(b->Collide(&hero), kHitBounced);
    EXPECT_EQ(b->state, kBerryLeap);
    EXPECT_EQ(hero.received.at(0).damage, 0);
    EXPECT_EQ(hero.received.at(0).flags[kAttackBodyContact], 1);

    b->SetState(kBerryWait);
    EXPECT_EQ(b->Collide(&hero), kHitBounced);
    EXPECT_EQ(b->state, kBerryStomped);
    double scale = 0;
    b->stateFrames = 29.5;
    b->ChooseCell(&scale);
    EXPECT_NE(scale, 1.0);
    b->stateFrames = 30.0;
    b->ChooseCell(&scale);
    EXPECT_EQ(scale, 1.0);
    b->stateFrames = 0;
    Frames(35);
    EXPECT_EQ(b->state, kBerryStomped);
    Frames(1);
    EXPECT_EQ(b->state, kBerryWait);
}

TEST_F(Strawberry, PushedOffALedgeWhileWaitingItFallsAndWaitsAgainOnLanding) {
    Fill(0, 10, 59, 10, 0);
    Fill(0, 14, 59, 14, 40);  // the floor is now 128 lower
    CIchigo001* b = Place<CIchigo001>(300.0, kFloorTop - 28.0 - 0.5, 0);
    bool fell = false;
    for (int i = 0; i < 60; ++i) {
        Frames(1);
        fell = fell || b->state == kBerryFall;
        if (fell && b->state != kBerryFall) break;
    }
    EXPECT_TRUE(fell);
    EXPECT_EQ(b->state, kBerryWait);
    EXPECT_GT(b->y, kFloorTop + 64);
}

}  // namespace
