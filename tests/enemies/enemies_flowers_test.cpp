// The flowers: what each answers to each attack, the arc that comes down on the hero, the
// provocation by water, the rhythm of the throws and the push that cannot move a rooted one.
#include <string>
#include <vector>

#include "enemies/Flower001.h"
#include "enemies/Flower002.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Flowers : public GroundWorld {
  protected:
    void SetUp() override {
        GroundWorld::SetUp();
        RecordShots({"CBaseball", "CBomb001"});
    }
    template <class F>
    F* OnFloor(double x) {
        auto* f = Place<F>(x, kFloorTop - 28.0 - 0.5);
        f->SetAreaObjectId(12);
        Table().SetSpawnFlag(12, true);
        Frames(2);
        return f;
    }
};

// Flower 1: water provokes (2); flower 2: bursts do nothing (2); damage 0 knocks (1); any
// damage beats (0).
TEST_F(Flowers, EachFlowerShrugsOffItsOwnFlagAndFallsToAnyOtherHit) {
    for (int which = 0; which < 2; ++which) {
        for (const AttackInfo& a : EveryAttack()) {
            std::unique_ptr<CFlowerBase> f;
            if (which == 0)
                f = std::make_unique<CFlower001>(stage.get(), 100, 200);
            else
                f = std::make_unique<CFlower002>(stage.get(), 100, 200);
            const bool harmless = a.flags[which == 0 ? kAttackWater : kAttackRedBurst];
            const int r = f->ReceiveAttack(a);
            SCOPED_TRACE(which);
            if (harmless) {
                EXPECT_EQ(r, kHitNoEffect);
                EXPECT_EQ(f->hitPoints, 1);
                EXPECT_EQ(f->alertFrames, which == 0 ? 30.0 : 0.0);
            } else {
                EXPECT_EQ(r, a.damage > 0 ? kHitDefeated : kHitHurt);
            }
        }
    }
}

TEST_F(Flowers, TheArcComesDownOnTheHero) {
    CFlower002* f = OnFloor<CFlower002>(300);
    PlaceHero(f->centerX + 150, f->centerY);
    Frames(80);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].shot, "CBomb001");
    EXPECT_EQ(fired[0].vy, -460.0);
    EXPECT_GT(fired[0].vx, 0.0);
    EXPECT_LE(fired[0].vx, 180.0);
}

// In sight, flower 1 throws every 8 + 45 + 36 frames or so; water makes it wind up at once and
// again 15 frames after a throw.
TEST_F(Flowers, WaterMakesTheFirstFlowerThrowSoonerAndAgain) {
    CFlower001* f = OnFloor<CFlower001>(300);
    PlaceHero(f->centerX + 150, f->centerY);
    Frames(200);
    const size_t calm = fired.size();
    EXPECT_GE(calm, 2u);
    EXPECT_LE(calm, 3u);

    CObjectRegistry::GetInstance()->Clear();
    scene.hero = nullptr;
    fired.clear();
    CFlower001* g = OnFloor<CFlower001>(300);
    PlaceHero(g->centerX + 150, g->centerY);
    for (int i = 0; i < 200; ++i) {
        g->ReceiveAttack(Attack(0, kAttackWater));
        Frames(1);
    }
    EXPECT_GT(fired.size(), calm);
}

TEST_F(Flowers, ItNeverThrowsInTheAir) {
    Fill(0, 10, 59, 10, 0);
    Fill(0, 30, 59, 30, 40);
    CFlower001* f = Place<CFlower001>(300.0, 100.0);
    PlaceHero(450, 100);
    for (int i = 0; i < 30; ++i) {
        Frames(1);
        EXPECT_NE(f->state, kFlowerWindUp);
    }
    EXPECT_TRUE(fired.empty());
}

TEST_F(Flowers, ARootedFlowerKeepsItsPlaceWhenPushed) {
    CFlower001* f = OnFloor<CFlower001>(300);
    const double x0 = f->x;
    playtest::Target pusher(stage.get(), f->centerX + 5, f->centerY - 10, kCategoryHero, kHitPushed);
    EXPECT_EQ(f->Collide(&pusher), kHitPushed);
    EXPECT_EQ(f->state, kFlowerRecoiled);
    EXPECT_EQ(f->vx, 0.0);
    Frames(5);
    EXPECT_EQ(f->x, x0);
}

}  // namespace
