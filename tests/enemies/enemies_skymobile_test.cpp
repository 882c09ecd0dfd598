// The flying machine in play: its entrance, its hit zone, its three weapons, its fall, and
// leaving the view.
#include <cmath>
#include <numbers>

#include "enemies/SkyMobile001.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/flyers_env.h"

using namespace enemytest;

namespace {

struct MadeEffect {
    int kind;
    double x, y;
};
std::vector<MadeEffect> g_effects;
void RecordEffect(int kind, double x, double y, CStage*) { g_effects.push_back({kind, x, y}); }

class SkyMobile : public FlyerWorld {
  protected:
    void SetUp() override {
        FlyerWorld::SetUp();
        g_effects.clear();
        SetEffectFactory(&RecordEffect);
    }
    // A machine cruising in state 0 at (x, y).
    CSkyMobile001* Cruising(double px, double py, int facing) {
        auto* m = Place<CSkyMobile001>(px, py, facing);
        m->SetState(CSkyMobile001::kHover);
        m->vx = m->vy = m->ax = m->ay = 0.0;
        return m;
    }
};

TEST_F(SkyMobile, AMachineFacingRightFirstBacksAwayLeftAndClimbsStillFacingRight) {
    auto* m = Place<CSkyMobile001>(100.0, 100.0, 1);
    Frames(2);
    EXPECT_EQ(m->facing, 1);
    EXPECT_EQ(m->state, CSkyMobile001::kDashLeftStart);
    EXPECT_LT(m->vx, 0.0);
    EXPECT_LT(m->vy, 0.0);
    ASSERT_NE(m->GetChild(), nullptr);
    EXPECT_DOUBLE_EQ(m->GetChild()->x, m->x + 24.0);  // the zone sits near its back
    EXPECT_DOUBLE_EQ(m->GetChild()->y, m->y - 20.0);
}

TEST_F(SkyMobile, AHitOnTheZoneCostsWhatAHitOnTheBodyCostsAndNeverKnocksIt) {
    auto* m = Place<CSkyMobile001>(100.0, 100.0, 0);
    Frames(1);
    ASSERT_NE(m->GetChild(), nullptr);
    EXPECT_EQ(m->GetChild()->ReceiveAttack(Attack(10)), kHitHurt);
    EXPECT_EQ(m->ReceiveAttack(Attack(10)), kHitHurt);
    EXPECT_EQ(m->hitPoints, 60);
    EXPECT_FALSE(m->isBlown);
    EXPECT_DOUBLE_EQ(m->flashFrames, 24.0);
}

TEST_F(SkyMobile, BeatenItDropsItsZoneFallsBurningAndFadesOutTouchingNothing) {
    Table().SetSpawnFlag(7, true);
    auto* m = Place<CSkyMobile001>(100.0, 100.0, 0);
    m->SetAreaObjectId(7);
    Frames(1);
    CSkyMobileChild001* zone = m->GetChild();
    ASSERT_NE(zone, nullptr);
    const ObjectHandle zoneHandle = zone->GetHandle();
    playtest::Target* hero = PlaceHero(150.0, 200.0, kHitHurt);

    EXPECT_EQ(zone->ReceiveAttack(Attack(80)), kHitDefeated);
    EXPECT_EQ(m->state, CSkyMobile001::kFalling);
    EXPECT_EQ(m->GetChild(), nullptr);
    EXPECT_FALSE(Table().CanSpawn(7));
    ASSERT_FALSE(g_effects.empty());
    EXPECT_EQ(g_effects[0].kind, 28);
    EXPECT_DOUBLE_EQ(g_effects[0].x, 100.0 + 72.0);  // it faced left
    EXPECT_EQ(m->ReceiveAttack(Attack(10)), kHitImmune);
    EXPECT_EQ(m->Collide(hero), kHitImmune);
    EXPECT_TRUE(hero->received.empty());

    const ObjectHandle machine = m->GetHandle();
    Frames(1);
    EXPECT_EQ(zoneHandle.Get(), nullptr);
    int bursts = 0;
    for (int i = 0; i < 160 && machine.Get(); ++i) {
        const size_t before = g_effects.size();
        Frames(1);
        for (size_t k = before; k < g_effects.size(); ++k) bursts += g_effects[k].kind == 5;
    }
    EXPECT_EQ(machine.Get(), nullptr);
    EXPECT_GE(bursts, 9);  // one every 15 frames of its 150
}

TEST_F(SkyMobile, TheShotBurstFansFromSteeplyDownToSlightlyUp) {
    for (int facing : {0, 1}) {
        SCOPED_TRACE(facing);
        fired().clear();
        CObjectRegistry::GetInstance()->Clear();
        auto* m = Cruising(100.0, 100.0, facing);
        SeedRandom(2);
        m->SetState(CSkyMobile001::kShotBurst);
        for (int i = 0; i < 110; ++i) Frames(1);
        ASSERT_EQ(FiredCount(EnemyShotKind::kNormalShot), 8);
        for (int k = 0; k < 8; ++k) EXPECT_NEAR(fired()[k].launch.x, facing == 1 ? m->x + 104.0 : m->x, 1.0);
        // At 250 a second: the first steeply down (72 degrees), the fourth at 37, the last just up.
        const double side = facing == 1 ? 1.0 : -1.0;
        const struct {
            int k;
            double vx, vy;
        } rows[] = {{0, 77.254, 237.764}, {3, 199.921, 150.105}, {7, 246.277, -42.982}};
        for (const auto& r : rows) {
            EXPECT_NEAR(fired()[r.k].launch.vx, side * r.vx, 1e-3) << r.k;
            EXPECT_NEAR(fired()[r.k].launch.vy, r.vy, 1e-3) << r.k;
        }
    }
}

TEST_F(SkyMobile, TheMissilesDropInARowOfFourThenItCruisesAgain) {
    auto* m = Cruising(100.0, 100.0, 1);
    m->SetState(CSkyMobile001::kMissiles);
    for (int i = 0; i < 122; ++i) Frames(1);
    ASSERT_EQ(FiredCount(EnemyShotKind::kMissilry), 4);
    for (const FiredShot& s : fired()) {
        EXPECT_EQ(s.launch.direction, 1);
        EXPECT_GE(s.launch.vy, 10.0);
        EXPECT_LE(s.launch.vy, 20.0);
        EXPECT_LE(std::fabs(s.launch.vx), 4.0);
    }
    EXPECT_EQ(m->state, CSkyMobile001::kHover);
}

TEST_F(SkyMobile, TheHomingMissileLeavesUpAndBackAndPutsTheNextDecisionOff) {
    // Hero 200 to the right at the same height: far enough to attack, too near to dash.
    bool launched = false;
    for (uint32_t seed = 1; seed < 60 && !launched; ++seed) {
        CObjectRegistry::GetInstance()->Clear();
        fired().clear();
        auto* m = Cruising(50.0, 100.0, 1);
        PlaceHero(m->centerX + 200.0, m->centerY);
        m->decisionFrames = 40.0;
        SeedRandom(seed * 2654435761u);  // spread: nearby seeds start alike
        Frames(1);
        if (FiredCount(EnemyShotKind::kPatriot) == 1) {
            launched = true;
            EXPECT_EQ(m->state, CSkyMobile001::kHover);
            EXPECT_NEAR(m->decisionFrames, -80.0, 1e-9);
            const EnemyShotLaunch& p = fired()[0].launch;
            EXPECT_LT(p.vx, 0.0);  // backwards for a machine facing right
            EXPECT_LT(p.vy, 0.0);
        }
    }
    EXPECT_TRUE(launched);
}

TEST_F(SkyMobile, AHeroTooCloseIsBackedAwayFromAtEveryDecision) {
    auto* m = Cruising(100.0, 100.0, 1);
    playtest::Target* hero = PlaceHero(m->centerX + 60.0, m->centerY + 80.0);  // 100 away, to the right
    for (int round = 0; round < 5; ++round) {
        m->SetState(CSkyMobile001::kHover);
        m->vx = m->vy = m->ax = m->ay = 0.0;
        hero->x = m->centerX + 60.0 - 10.0;
        hero->y = m->centerY + 80.0 - 10.0;
        hero->UpdateCentre();
        m->decisionFrames = 40.0;
        Frames(1);
        EXPECT_EQ(m->state, CSkyMobile001::kDashLeftStart);
        EXPECT_DOUBLE_EQ(m->ax, -280.0);
        EXPECT_EQ(m->facing, 0);
    }
}

TEST_F(SkyMobile, FarOutOfViewItVanishesWithoutADefeat) {
    Table().SetSpawnFlag(7, true);
    auto* m = Cruising(1200.0, 100.0, 0);
    m->SetAreaObjectId(7);
    const ObjectHandle h = m->GetHandle();
    Frames(2);
    EXPECT_EQ(h.Get(), nullptr);
    EXPECT_TRUE(Table().CanSpawn(7));
    EXPECT_TRUE(g_effects.empty());
}

}  // namespace
