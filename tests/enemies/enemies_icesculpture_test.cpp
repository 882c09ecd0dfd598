// The ice sculpture: what shatters it (and that it shatters once), its bounces, its fall, the
// brake that comes earlier for a hero running at it, and its stream of puffs.
#include "enemies/IceSculpture001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class IceSculpture : public GroundWorld {
  protected:
    CIceSculpture001* OnFloor(double x, int facing = 1) {
        auto* s = Place<CIceSculpture001>(x, kFloorTop - 50.0 - 0.5, facing);
        s->SetAreaObjectId(9);
        Table().SetSpawnFlag(9, true);
        return s;
    }
};

TEST_F(IceSculpture, IceAndWaterLeaveItAnyOtherBlowShattersItEvenAtNoDamage) {
    for (const AttackInfo& a : EveryAttack()) {
        playtest::MadeEffects().clear();
        Table().SetSpawnFlag(9, true);
        CIceSculpture001 s(stage.get(), 100, 200, 0);
        s.SetAreaObjectId(9);
        const bool cold = a.flags[kAttackIce] || a.flags[kAttackWater];
        EXPECT_EQ(s.ReceiveAttack(a), cold ? kHitNoEffect : kHitDefeated);
        EXPECT_EQ(s.IsDead(), !cold);
        EXPECT_EQ(Table().CanSpawn(9), cold);
        EXPECT_EQ(EffectCount(13), cold ? 0 : 1);
        EXPECT_FALSE(s.isBlown);
    }
}

// A stomp and a blow in the same pass: one break, one effect.
TEST_F(IceSculpture, ShatteredTwiceInOnePassItBreaksOnce) {
    CIceSculpture001 s(stage.get(), 100, 200, 0);
    s.SetAreaObjectId(9);
    Table().SetSpawnFlag(9, true);
    s.UpdateCentre();
    playtest::Target hero(stage.get(), s.centerX - 10, s.GetTop() - 20, kCategoryHero, kHitBounced);
    EXPECT_EQ(s.Collide(&hero), kHitBounced);
    EXPECT_TRUE(s.IsDead());
    Table().SetSpawnFlag(9, true);  // a second write would clear it again
    EXPECT_EQ(s.ReceiveAttack(Attack(10)), kHitImmune);
    s.Kill();
    EXPECT_EQ(EffectCount(13), 1);
    EXPECT_TRUE(Table().CanSpawn(9));
}

TEST_F(IceSculpture, ItBouncesOffWallsAtFullSpeed) {
    Fill(12, 0, 12, 9, 40);  // a wall from x 384
    CIceSculpture001* s = OnFloor(340, 1);
    Frames(3);
    s->vx = 150.0;
    s->ax = 0.0;
    s->EnterState(kIceBackOff);  // no approach to push it on
    for (int i = 0; i < 30 && s->vx > 0; ++i) Frames(1);
    EXPECT_NEAR(s->vx, -150.0, 1e-6);
    EXPECT_FALSE(s->IsDead());
}

TEST_F(IceSculpture, AFallFasterThanSixHundredShattersItWithoutAnyBlow) {
    for (double fall : {550.0, 700.0}) {
        SCOPED_TRACE(fall);
        CObjectRegistry::GetInstance()->Clear();
        CIceSculpture001* s = OnFloor(300);
        s->y -= 40;
        s->vy = fall;
        s->ay = 0;
        const ObjectHandle handle = s;  // a shattered sculpture is deleted by the registry
        Frames(10);
        EXPECT_EQ(!handle || handle->IsDead(), fall > 600.0);
        EXPECT_EQ(Table().CanSpawn(9), fall <= 600.0);
    }
}

TEST_F(IceSculpture, ItBrakesEarlierForAHeroRunningAtIt) {
    CIceSculpture001 s(stage.get(), 100, 200, 1);
    s.vx = 160.0;
    auto* hero = PlaceHero(400, 200);
    hero->vx = 100.0;  // running away: no lead
    const double away = s.BrakeReach();
    EXPECT_DOUBLE_EQ(away, 40.0 + 80.0);  // 160 stops in 40 at 320 per second squared
    hero->vx = -100.0;
    EXPECT_DOUBLE_EQ(s.BrakeReach(), away + 100.0 * (0.5 + 1.2));
}

// Twenty puffs at most, each from its front edge, drifting ahead and down.
TEST_F(IceSculpture, ItBlowsAtMostTwentyPuffs) {
    RecordShots({"CSnowStorm001"});
    CIceSculpture001* s = OnFloor(300, 1);
    Frames(2);
    s->SetState(kIceBlow);
    s->facing = 1;
    Frames(3);
    EXPECT_TRUE(fired.empty());  // the first comes once the puff clock passes 4
    Frames(125);
    EXPECT_EQ(fired.size(), 20u);
    for (const FiredShot& shot : fired) {
        const double v = shot.vx;
        EXPECT_GE(v, 90.0);
        EXPECT_LE(v, 150.0);
    }
    EXPECT_EQ(s->state, kIceBackOff);
}

}  // namespace
