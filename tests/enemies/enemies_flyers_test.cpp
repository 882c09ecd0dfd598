// The bat and the floating turret in play: when the hero wakes them, the bite, the hover band,
// the bursts, and what their hits answer.
#include <cmath>
#include <numbers>

#include "enemies/Bat001.h"
#include "enemies/Sphere001.h"
#include "foundation/Geometry.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/flyers_env.h"

using namespace enemytest;

namespace {

class Flyers : public FlyerWorld {};

TEST_F(Flyers, TheBatWakesOnlyWhenTheHeroIsNearerThan320OnBothAxes) {
    for (int variant : {0, 1}) {
        for (double off : {320.0, 319.9}) {
            for (bool sideways : {true, false}) {
                SCOPED_TRACE(std::to_string(variant) + " " + std::to_string(off) + (sideways ? " x" : " y"));
                CObjectRegistry::GetInstance()->Clear();
                auto* bat = Place<CBat001>(400.0, 400.0, variant);
                PlaceHero(sideways ? 400.0 - off : 400.0, sideways ? 400.0 : 400.0 - off);
                Frames(2);
                const int awake = variant == 0 ? CBat001::kCreep : CBat001::kWindUp;
                EXPECT_EQ(bat->state, off < 320.0 ? awake : CBat001::kHang);
            }
        }
    }
}

TEST_F(Flyers, ABatWithoutAHeroHangsOn) {
    auto* bat = Place<CBat001>(100.0, 100.0, 1);
    Frames(30);
    EXPECT_EQ(bat->state, CBat001::kHang);
}

TEST_F(Flyers, TheBiteLastsExactlyFromTheDashToTheBrakeAndIsNeverTouchedOnceGone) {
    auto* bat = Place<CBat001>(100.0, 100.0, 0);
    PlaceHero(130.0, 100.0);
    bat->SetState(CBat001::kDash);
    Frames(1);
    ASSERT_NE(bat->GetBite(), nullptr);
    const ObjectHandle bite = bat->GetBite()->GetHandle();
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(bite));
    for (int i = 0; i < 40 && bat->state != CBat001::kBrake; ++i) {
        EXPECT_NE(bat->GetBite(), nullptr) << bat->state;
        Frames(1);
    }
    EXPECT_EQ(bat->state, CBat001::kBrake);
    EXPECT_EQ(bat->GetBite(), nullptr);
    Frames(1);
    EXPECT_EQ(bite.Get(), nullptr);
    bat->SetState(CBat001::kHang);  // removing a bite that is gone touches nothing
    EXPECT_EQ(bat->ReceiveAttack(Attack(0)), kHitHurt);
}

TEST_F(Flyers, AnAttackWithoutDamageKnocksTheBatAndAnyDamageBeatsIt) {
    Table().SetSpawnFlag(3, true);
    auto* bat = Place<CBat001>(100.0, 100.0, 0);
    bat->SetAreaObjectId(3);
    EXPECT_EQ(bat->ReceiveAttack(Attack(0)), kHitHurt);
    EXPECT_TRUE(bat->isBlown);
    EXPECT_TRUE(Table().CanSpawn(3));
    bat->AfterAttackClash();  // its bite clashed: the body takes nothing this pass
    EXPECT_EQ(bat->ReceiveAttack(Attack(5)), kHitNoEffect);
    bat->clashGuard = false;
    EXPECT_EQ(bat->ReceiveAttack(Attack(1)), kHitDefeated);
    EXPECT_FALSE(Table().CanSpawn(3));
}

TEST_F(Flyers, TheHeadingTurnsTowardTheHeroWithoutOvershooting) {
    auto* bat = Place<CBat001>(100.0, 100.0, 1);
    PlaceHero(300.0, 100.0);         // straight right: angle 0
    bat->SetState(CBat001::kBrake);  // braking from rest: it stays put while it turns
    bat->heading = 0.5;
    double last = 0.5;
    for (int i = 0; i < 40; ++i) {
        Frames(1);
        const double target = bat->targetAngle;
        EXPECT_GE(GetAngleDiff(target, bat->heading) * GetAngleDiff(target, last), 0.0);
        last = bat->heading;
    }
    EXPECT_DOUBLE_EQ(bat->heading, bat->targetAngle);
}

TEST_F(Flyers, AChasingBatCloseToTheHeroKeepsChasingPastFourSeconds) {
    auto* bat = Place<CBat001>(200.0, 100.0, 1);
    playtest::Target* hero = PlaceHero(200.0, 100.0);
    bat->SetState(CBat001::kChase);
    for (int i = 0; i < 300; ++i) {
        // The hero keeps to the bat's side.
        hero->x = bat->centerX + 30.0 - 10.0;
        hero->y = bat->centerY - 10.0;
        hero->UpdateCentre();
        Frames(1);
    }
    EXPECT_EQ(bat->state, CBat001::kChase);
}

TEST_F(Flyers, ASwingInFrontMakesTheCreepingBatHopBack) {
    auto* bat = Place<CBat001>(200.0, 100.0, 0);
    playtest::Target* hero = PlaceHero(300.0, 100.0);
    hero->vx = -50.0;  // moving, so looking, left: at the bat
    bat->SetState(CBat001::kCreep);
    bat->vx = 20.0;
    bat->OnHeroAttackStarted();
    EXPECT_EQ(bat->state, CBat001::kDodge);
    EXPECT_DOUBLE_EQ(bat->vx, -8.0);

    bat->SetState(CBat001::kCreep);
    hero->vx = 50.0;  // looking away
    bat->OnHeroAttackStarted();
    EXPECT_EQ(bat->state, CBat001::kCreep);
}

// ---- The turret ----

TEST_F(Flyers, TheTurretDriftsThroughItsBandAndFiresNothingWithoutAHero) {
    auto* sphere = Place<CSphere001>(300.0, 150.0, 0);
    double low = 1e9, high = -1e9;
    for (int i = 0; i < 900; ++i) {
        Frames(1);
        low = std::min(low, sphere->y);
        high = std::max(high, sphere->y);
    }
    // Its band reaches 12 pixels either way; it turns once past the edge, and at 40 per second it
    // needs 16 pixels to turn round: it sways between 121 and 179 at the most.
    EXPECT_LT(low, 138.0);
    EXPECT_GT(high, 162.0);
    EXPECT_GT(low, 121.0);
    EXPECT_LT(high, 179.0);
    EXPECT_TRUE(fired().empty());
}

TEST_F(Flyers, TheTurretTurnsDownAtTheCeilingKeepingItsSpeed) {
    Fill(5, 2, 15, 2, 40);  // a ceiling whose underside is at y = 96
    auto* sphere = Place<CSphere001>(300.0, 96.0 + 12.0 + 4.0, 0);
    bool turned = false;
    for (int i = 0; i < 120 && !turned; ++i) {
        const double before = sphere->vy;
        Frames(1);
        if (before < 0 && sphere->vy > 0) {
            turned = true;
            EXPECT_NEAR(sphere->vy, -before, 1.0);  // and one frame of its drift
        }
        EXPECT_GE(sphere->GetTop(), 96.0 - 1e-6);
    }
    EXPECT_TRUE(turned);
}

TEST_F(Flyers, AFreshTurretHoversThenAimsAMinuteOfFramesBeforeItsFirstShot) {
    auto* sphere = Place<CSphere001>(300.0, 150.0, 0);
    PlaceHero(100.0, 150.0);
    int aimAt = -1, firstShot = -1;
    for (int i = 1; i <= 400 && firstShot < 0; ++i) {
        Frames(1);
        if (aimAt < 0 && sphere->state == CSphere001::kAim) aimAt = i;
        if (!fired().empty()) firstShot = i;
    }
    EXPECT_GE(aimAt, 60);
    EXPECT_LE(aimAt, 262);
    EXPECT_EQ(firstShot - aimAt, 61);
}

TEST_F(Flyers, EachTurretFiresTenBeamsARound) {
    {
        auto* sphere = Place<CSphere001>(300.0, 150.0, 0);
        PlaceHero(100.0, 150.0);
        for (int i = 0; i < 430; ++i) Frames(1);
        EXPECT_EQ(FiredCount(EnemyShotKind::kNormalBeam), 10);
        // Pairs either side of the aim, fired from the rim.
        const double a0 = std::atan2(fired()[0].launch.vy, fired()[0].launch.vx);
        const double a1 = std::atan2(fired()[1].launch.vy, fired()[1].launch.vx);
        EXPECT_NEAR(std::fabs(GetAngleDiff(a0, a1)), 0.6, 1e-5);
        EXPECT_NEAR(std::hypot(fired()[0].launch.vx, fired()[0].launch.vy), 240.0, 1e-9);
        sphere->Kill();
    }
    Frames(1);
    fired().clear();
    Place<CSphere001>(300.0, 150.0, 1);
    for (int i = 0; i < 460; ++i) Frames(1);
    ASSERT_EQ(FiredCount(EnemyShotKind::kIceBeam), 10);
    auto angle = [](const FiredShot& s) { return std::atan2(s.launch.vy, s.launch.vx); };
    for (int i = 1; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(angle(fired()[i]), angle(fired()[0]));
        EXPECT_DOUBLE_EQ(angle(fired()[5 + i]), angle(fired()[5]));
    }
    EXPECT_NE(angle(fired()[0]), angle(fired()[5]));  // each burst draws its own error
}

TEST_F(Flyers, TheTurretIsKnockedByAHarmlessHitAndBeatenByItsOnePoint) {
    auto* sphere = Place<CSphere001>(300.0, 150.0, 1);
    EXPECT_EQ(sphere->ReceiveAttack(Attack(0)), kHitHurt);
    EXPECT_FALSE(sphere->isDefeated);
    EXPECT_EQ(sphere->ReceiveAttack(Attack(1)), kHitDefeated);
}

}  // namespace
