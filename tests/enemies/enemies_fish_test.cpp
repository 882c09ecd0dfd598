// The fish in play: the school and its members, the bites and the stomps, the snout, the drop.
#include <cmath>

#include "enemies/Fish001.h"
#include "enemies/Fish002.h"
#include "enemies/Fish003.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/flyers_env.h"

using namespace enemytest;

namespace {

class Fish : public FlyerWorld {
  protected:
    std::vector<CFish001*> Members(const IBase* school) {
        std::vector<CFish001*> out;
        for (const auto& c : school->GetChildren())
            if (auto* f = dynamic_cast<CFish001*>(c.get())) out.push_back(f);
        return out;
    }
};

TEST_F(Fish, TheSchoolTrailsItsLeaderAndItsMembersGoWithIt) {
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        auto* school = Place<CFish_Controller001>(200.0, 100.0, mode);
        Frames(1);
        const std::vector<CFish001*> fish = Members(school);
        ASSERT_EQ(fish.size(), 3u);
        std::vector<ObjectHandle> handles;
        for (int i = 0; i < 3; ++i) {
            // Started at the leader's x, then swam one frame toward the open water ahead.
            const double trail = (mode == 0 ? 50.0 : -50.0) * i;
            const double swim = (mode == 0 ? -1.0 : 1.0) * CFish001::kSwimSpeed / 60.0;
            EXPECT_NEAR(fish[i]->x, 200.0 + trail + swim, 1e-3);
            EXPECT_EQ(fish[i]->facing, mode);
            EXPECT_EQ(fish[i]->GetController(), school);
            handles.push_back(fish[i]->GetHandle());
        }
        school->Kill();
        Frames(1);
        for (const ObjectHandle& h : handles) EXPECT_EQ(h.Get(), nullptr);
    }
}

TEST_F(Fish, ASchoolFarOutOfViewLosesItsMembersThenGoesWithoutClearingItsFlag) {
    Table().SetSpawnFlag(9, true);
    auto* school = Place<CFish_Controller001>(1500.0, 100.0, 0);
    school->SetAreaObjectId(9);
    const ObjectHandle h = school->GetHandle();
    Frames(4);
    EXPECT_EQ(h.Get(), nullptr);
    EXPECT_TRUE(Table().CanSpawn(9));
}

TEST_F(Fish, OnlyTheThirdDefeatKeepsTheSchoolFromComingBack) {
    Table().SetSpawnFlag(9, true);
    auto* school = Place<CFish_Controller001>(200.0, 100.0, 1);
    school->SetAreaObjectId(9);
    Frames(1);
    std::vector<CFish001*> fish = Members(school);
    ASSERT_EQ(fish.size(), 3u);
    EXPECT_EQ(fish[0]->ReceiveAttack(Attack(0)), kHitDefeated);  // no damage still beats a fish
    EXPECT_EQ(fish[0]->ReceiveAttack(Attack(0)), kHitDefeated);  // the same fish twice counts once
    EXPECT_EQ(fish[1]->ReceiveAttack(Attack(10)), kHitDefeated);
    EXPECT_TRUE(Table().CanSpawn(9));
    EXPECT_EQ(fish[2]->ReceiveAttack(Attack(10)), kHitDefeated);
    EXPECT_FALSE(Table().CanSpawn(9));
}

TEST_F(Fish, TheSmallFishBitesWhenItCanAndDiesOnTheSpotWhenLandedOn) {
    Table().SetSpawnFlag(4, true);
    auto* fish = Place<CFish001>(300.0, 100.0, 0, 0.0);
    fish->SetAreaObjectId(4);
    playtest::Target* hero = PlaceHero(300.0, 80.0, kHitHurt);
    EXPECT_EQ(fish->Collide(hero), kHitHurt);
    ASSERT_EQ(hero->received.size(), 1u);
    EXPECT_EQ(hero->received[0].damage, 10);
    EXPECT_TRUE(hero->received[0].flags[kAttackSlash]);
    EXPECT_FALSE(fish->IsDead());

    hero->answer = kHitBounced;
    EXPECT_EQ(fish->Collide(hero), kHitBounced);
    EXPECT_TRUE(fish->IsDead());
    EXPECT_FALSE(fish->isBlown);  // gone at once, no flight
    EXPECT_FALSE(Table().CanSpawn(4));
    EXPECT_EQ(fish->Collide(hero), kHitImmune);
}

TEST_F(Fish, AKnockedFishTouchesNobody) {
    auto* fish = Place<CFish001>(300.0, 100.0, 1, 0.0);
    playtest::Target* hero = PlaceHero(300.0, 80.0, kHitHurt);
    fish->ReceiveAttack(Attack(1));
    EXPECT_EQ(fish->Collide(hero), kHitImmune);
    EXPECT_TRUE(hero->received.empty());
}

TEST_F(Fish, TheSmallFishBobsTwentyPixelsAboutItsLineEveryTwoSeconds) {
    auto* fish = Place<CFish001>(300.0, 100.0, 1, 0.0);
    double low = 1e9, high = -1e9;
    for (int i = 0; i < 120; ++i) {
        Frames(1);
        low = std::min(low, fish->y);
        high = std::max(high, fish->y);
    }
    EXPECT_NEAR(low, 80.0, 0.1);
    EXPECT_NEAR(high, 120.0, 0.1);
    EXPECT_NEAR(fish->x, 300.0 + 120 * CFish001::kSwimSpeed / 60.0, 1e-3);
}

TEST_F(Fish, TheLongFishBouncesOffItsVictimAndSurgesAgainLater) {
    auto* fish = Place<CFish002>(300.0, 100.0, 0);
    Frames(1);
    ASSERT_NE(fish->GetSnout(), nullptr);
    fish->OnAttackHit(kHitHurt, AttackInfo());
    EXPECT_EQ(fish->state, CFish002::kRecoil);
    EXPECT_DOUBLE_EQ(fish->vx, 200.0);
    for (int i = 0; i < 60 && fish->state == CFish002::kRecoil; ++i) Frames(1);
    EXPECT_EQ(fish->state, CFish002::kSurge);
    EXPECT_DOUBLE_EQ(fish->vx, -120.0);

    fish->OnAttackHit(kHitNoEffect, AttackInfo());
    EXPECT_EQ(fish->state, CFish002::kSurge);
}

TEST_F(Fish, TheLongFishSlowsToAGlideAndSurgesAgain) {
    auto* fish = Place<CFish002>(20.0, 100.0, 1);
    int glides = 0, surges = 0, last = fish->state;
    for (int i = 0; i < 130; ++i) {
        Frames(1);
        EXPECT_LE(std::fabs(fish->vx), 120.0 + 1e-9);
        EXPECT_GT(fish->vx, 0.0);
        if (fish->state != last) (fish->state == CFish002::kGlide ? glides : surges) += 1;
        last = fish->state;
    }
    EXPECT_EQ(glides, 1);  // 120 down to 80 takes 80 frames, the glide 40 more
    EXPECT_EQ(surges, 1);
    EXPECT_FALSE(fish->IsDead());
}

TEST_F(Fish, ABeatenLongFishLosesItsSnoutAndTheSnoutIsNeverTouchedAgain) {
    auto* fish = Place<CFish002>(300.0, 100.0, 0);
    Frames(1);
    const ObjectHandle snout = fish->GetSnout()->GetHandle();
    EXPECT_EQ(fish->ReceiveAttack(Attack(0)), kHitDefeated);
    EXPECT_EQ(fish->GetSnout(), nullptr);
    EXPECT_EQ(fish->ReceiveAttack(Attack(5)), kHitDefeated);  // a second hit finds no snout to remove
    Frames(1);
    EXPECT_EQ(snout.Get(), nullptr);
}

TEST_F(Fish, TheDroppingFishThrowsOnceAtAHeroAheadAndBelow) {
    auto* fish = Place<CFish003>(300.0, 100.0, 0);
    PlaceHero(280.0, 260.0);
    for (int i = 0; i < 120; ++i) Frames(1);
    ASSERT_EQ(FiredCount(EnemyShotKind::kBaseball), 1);
    const FiredShot& ball = fired()[0];
    EXPECT_LT(ball.launch.vx, 0.0);
    EXPECT_EQ(fish->state, CFish003::kThrown);
}

TEST_F(Fish, TheDroppingFishNeverThrowsAtAHeroAboveOrBehind) {
    auto* fish = Place<CFish003>(300.0, 200.0, 0);
    playtest::Target* hero = PlaceHero(280.0, 150.0);  // above
    EXPECT_FALSE(fish->IsHeroInThrowRange());
    hero->x = 330.0;  // behind a fish swimming left, and below
    hero->y = 260.0;
    hero->UpdateCentre();
    EXPECT_FALSE(fish->IsHeroInThrowRange());
    hero->x = fish->centerX - 10.0 - 2.0;  // just ahead, below
    hero->UpdateCentre();
    EXPECT_TRUE(fish->IsHeroInThrowRange());
}

TEST_F(Fish, ADroppingFishBumpedDuringItsWindUpCanStillThrowOnce) {
    auto* fish = Place<CFish003>(300.0, 100.0, 0);
    playtest::Target* hero = PlaceHero(290.0, 300.0, kHitPushed);
    fish->SetState(CFish003::kWindUp);
    EXPECT_EQ(fish->Collide(hero), kHitPushed);
    EXPECT_EQ(fish->state, CFish003::kRecoil);
    for (int i = 0; i < 200; ++i) Frames(1);
    EXPECT_EQ(FiredCount(EnemyShotKind::kBaseball), 1);
}

}  // namespace
