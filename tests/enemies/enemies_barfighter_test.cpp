// The bar fighter: the leap's foot box that lives exactly through the leap, the chop of each
// variant, the charge that gives up, the fall on spawning, the stomp and the push in the air.
#include <cmath>

#include "enemies/Chop001.h"
#include "play/Hitboxes.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class BarFighter : public GroundWorld {
  protected:
    CChop001* OnFloor(double x, int variant, int facing = 1) {
        auto* c = Place<CChop001>(x, kFloorTop - 40.0 - 0.5, facing, variant);
        Frames(2);
        return c;
    }
    template <class T>
    static std::vector<T*> Boxes(IBase* c) {
        std::vector<T*> out;
        for (const auto& ch : c->GetChildren())
            if (auto* b = dynamic_cast<T*>(ch.get()); b && !b->IsDead()) out.push_back(b);
        return out;
    }
};

// Hop back, leap with the foot box, chop: the box goes the moment the chop starts, and the chop
// is a quarter circle of 15 (variant 0) or 8 (variant 1).
TEST_F(BarFighter, TheFootBoxLivesThroughTheLeapAndTheChopHitsByVariant) {
    for (int variant : {0, 1}) {
        SCOPED_TRACE(variant);
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        CChop001* c = OnFloor(300, variant);
        PlaceHero(c->centerX + 60, c->centerY);
        c->SetState(kChopHopBack);
        bool sawFoot = false;
        for (int i = 0; i < 120 && c->state != kChopChop; ++i) {
            Frames(1);
            if (c->state == kChopLeap) sawFoot = sawFoot || c->GetFootHitbox() != nullptr;
            if (c->state != kChopLeap) {
                EXPECT_EQ(c->GetFootHitbox(), nullptr) << i;
            }
        }
        ASSERT_EQ(c->state, kChopChop);
        EXPECT_TRUE(sawFoot);
        Frames(1);
        auto chops = Boxes<CCollisionDetectionSectorUpRight>(c);
        ASSERT_EQ(chops.size(), 1u);
        EXPECT_EQ(chops[0]->attack.damage, variant == 0 ? 15 : 8);
        EXPECT_EQ(chops[0]->radius, 88.0);
        EXPECT_EQ(chops[0]->attack.flags[kAttackReflectable], 1);
    }
}

TEST_F(BarFighter, SpawnedInTheAirItFallsAndLooksForTheHeroOnLanding) {
    CChop001* c = Place<CChop001>(300.0, 100.0, 1, 0);
    Frames(2);
    EXPECT_EQ(c->state, kChopFall);
    for (int i = 0; i < 120 && c->state == kChopFall; ++i) Frames(1);
    EXPECT_EQ(c->state, kChopStand);
}

TEST_F(BarFighter, AFarHeroAfterADashMakesTheSecondVariantWindUpAgain) {
    CChop001* c = OnFloor(300, 1);
    PlaceHero(c->centerX + 300, c->centerY);
    c->SetState(kChopDash);
    c->stateFrames = 15;
    Frames(1);
    EXPECT_EQ(c->state, kChopWindUp);
}

TEST_F(BarFighter, TheChargeGivesUpAfterTwoHundredFortyFrames) {
    Fill(0, 0, 3, 9, 40);
    CChop001* c = OnFloor(300, 1, 0);
    PlaceHero(40, 40);  // out of sight, behind rock
    c->facing = 0;
    c->SetState(kChopCharge);
    c->stateFrames = 240;
    Frames(1);
    EXPECT_EQ(c->state, kChopCharge);
    Frames(1);
    EXPECT_EQ(c->state, kChopStand);
}

TEST_F(BarFighter, AStompHoldsItTwentyFramesAndAPushInTheAirIsNeverFeeble) {
    CChop001* c = OnFloor(300, 0);
    playtest::Target stomper(stage.get(), c->centerX - 10, c->GetTop() - 20, kCategoryHero, kHitBounced);
    EXPECT_EQ(c->Collide(&stomper), kHitBounced);
    EXPECT_EQ(c->state, kChopStomped);
    c->stateFrames = 20;
    Frames(1);
    EXPECT_EQ(c->state, kChopStomped);

    CChop001 air(stage.get(), 300, 100, 1, 0);
    air.wasOnGround = false;
    air.UpdateCentre();
    playtest::Target above(stage.get(), air.centerX - 10 + 1, air.centerY - 60, kCategoryHero, kHitPushed);
    EXPECT_EQ(air.Collide(&above), kHitPushed);
    EXPECT_EQ(air.state, kChopRecoil);
    EXPECT_GE(std::fabs(air.vx), 100.0);
    EXPECT_EQ(air.vy, -100.0);
}

TEST_F(BarFighter, FortyDamageBeatsItAndAClashShieldsIt) {
    CChop001 c(stage.get(), 300, 200, 1, 0);
    c.OnAttackClash(kHitGuarded, Attack(15), Attack(10));
    c.AfterAttackClash();
    EXPECT_EQ(c.ReceiveAttack(Attack(50)), kHitNoEffect);
    EXPECT_EQ(c.state, kChopRecoil);
    CChop001 d(stage.get(), 300, 200, 1, 1);
    EXPECT_EQ(d.ReceiveAttack(Attack(39)), kHitHurt);
    EXPECT_EQ(d.ReceiveAttack(Attack(1)), kHitDefeated);
}

}  // namespace
