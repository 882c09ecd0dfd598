// Effects: the factory of kinds, how long each lives, what each shows as its life runs out, and
// how rings, splinters and the charge sparks move on a fixed frame time.
#include <cmath>
#include <memory>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "gimmicks/EffectClasses.h"
#include "gimmicks/ParticleEffects.h"
#include "tests/gimmicks/gimmicks_world_env.h"

using namespace gimmicktest;

namespace {

class Effects : public GimmickWorld {};

// The whole lifetime of each kind 1..40, in ticks.
const int kLifetimes[41] = {0,  3,  8,  8,  30, 16, 16, 10, 30, 40, 40, 40, 25, 12,
                            30, 30, 40, 10, 10, 10, 10, 40, 30, 40, 40, 20, 20, 30,
                            90, 10, 20, 9,  9,  9,  9,  3,  80, 3,  20, 20, 30};

// ---- The factory ----

TEST_F(Effects, OnlyKindsOneToFortyAreMadeAndTheFullRegistryRefusesThem) {
    auto* r = CObjectRegistry::GetInstance();
    for (int kind : {0, -1, 41}) CreateEffect(kind, 100, 100, stage.get());
    EXPECT_EQ(r->Count(), 0);
    CreateEffect(40, 100.7, -20.7, stage.get());
    ASSERT_EQ(All<CEffect_BreakBlock003>().size(), 1u);
    const IEffect* e = All<CEffect_BreakBlock003>()[0];
    EXPECT_EQ(e->x, 100);  // whole pixels, toward zero
    EXPECT_EQ(e->y, -20);
    EXPECT_EQ(e->owner, stage.get());
    r->Clear();
    for (int i = 0; i < CObjectRegistry::kMaxObjects; ++i) Spawn(0, 0, 1, 1, 29);
    CreateEffect(1, 0, 0, stage.get());
    EXPECT_EQ(r->Count(), CObjectRegistry::kMaxObjects);
    EXPECT_TRUE(All<IEffect>().empty());
}

// Every kind is an effect, drawn over ordinary objects, and lives exactly its lifetime wherever it
// is made, off the screen and in the wind included; still kinds never move.
TEST_F(Effects, EachKindLivesItsLifetimeAboveOrdinaryObjects) {
    for (int kind = 1; kind <= 40; ++kind) CreateEffect(kind, 5000 + kind, 9000, stage.get());
    Spawn(100, 100, 10, 10, 29);
    auto effects = All<IEffect>();
    ASSERT_EQ(effects.size(), 40u);
    int deathFrame[41] = {};
    for (int frame = 1; frame <= 91; ++frame) {
        Frames(1, 90.0);
        for (int kind = 1; kind <= 40; ++kind)
            if (!deathFrame[kind] && effects[kind - 1]->IsDead()) deathFrame[kind] = frame;
        if (frame == 1) {
            // Sorted by draw priority at the frame's start: the ordinary object comes first.
            auto* reg = CObjectRegistry::GetInstance();
            reg->BeginWalk();
            EXPECT_EQ(reg->NextInWalk()->category, kCategoryDefault);
            for (IEffect* e : effects) {
                EXPECT_EQ(e->category, kCategoryEffect);
                EXPECT_EQ(e->drawPriority, 70);
                EXPECT_EQ(e->depth, -0.004);
            }
            EXPECT_EQ(effects[0]->x, 5001);  // a still spark ignores the wind
            EXPECT_EQ(effects[0]->centerX, 5001);
        }
    }
    for (int kind = 1; kind <= 40; ++kind) EXPECT_EQ(deathFrame[kind], kLifetimes[kind]) << "kind " << kind;
}

// ---- What a picture effect shows ----

TEST_F(Effects, PicturesChangeAtStrictThresholdsAndWholeTicks) {
    CEffect_Brunt brunt(stage.get(), 0, 0);
    brunt.Update();
    EXPECT_EQ(brunt.GetShownFrame(), 0);
    brunt.Update();
    EXPECT_EQ(brunt.GetShownFrame(), 1);  // life 1.0 is not above 1
    EXPECT_FALSE(brunt.IsDead());
    brunt.Update();
    EXPECT_TRUE(brunt.IsDead());

    CEffect_PowerBrunt power(stage.get(), 0, 0);
    power.lifetime = 5.0;
    EXPECT_EQ(power.GetShownFrame(), 0);
    power.lifetime = 4.9;  // truncated 4
    EXPECT_EQ(power.GetShownFrame(), 1);
    power.lifetime = 1.99;
    EXPECT_EQ(power.GetShownFrame(), 2);

    CEffect_BurstRed blast(stage.get(), 0, 0);
    const double lives[] = {13.5, 13.0, 7.0, 3.0, 2.0};
    const int frames[] = {0, 1, 2, 3, 3};
    for (int i = 0; i < 5; ++i) {
        blast.lifetime = lives[i];
        EXPECT_EQ(blast.GetShownFrame(), frames[i]) << lives[i];
    }
    blast.Draw();
    EXPECT_EQ(blast.GetFrameSprite(3)->alpha, 0.5f);  // the last two ticks at half alpha

    CEffect_GetKey key(stage.get(), 0, 0);  // blinks: two ticks on, two off
    const double keyLives[] = {40, 39.5, 38, 37, 36};
    const int keyShown[] = {0, -1, -1, 0, 0};
    for (int i = 0; i < 5; ++i) {
        key.lifetime = keyLives[i];
        EXPECT_EQ(key.GetShownFrame(), keyShown[i]) << keyLives[i];
    }

    CEffect_FrameSword001 trail(stage.get(), 0, 0);  // plays its strip from full to dying down
    CEffect_FrameSword003 rising(stage.get(), 0, 0);
    trail.Draw();
    EXPECT_FLOAT_EQ(trail.GetFrameSprite(0)->angleZ, static_cast<float>(M_PI / 4));
    EXPECT_NE(trail.GetFrameSprite(0)->model, rising.GetFrameSprite(0)->model);
    EXPECT_EQ(trail.GetFrameSprite(0)->model, rising.GetFrameSprite(2)->model);
}

TEST_F(Effects, SmokeThinsAndTheDarkBurstGrowsAsTheyFade) {
    CEffect_Smoke smoke(stage.get(), 0, 0);
    smoke.lifetime = 20.5;
    smoke.Draw();
    EXPECT_EQ(smoke.GetShownFrame(), 0);
    smoke.lifetime = 20.0;
    smoke.Draw();
    EXPECT_EQ(smoke.GetShownFrame(), 1);
    EXPECT_FLOAT_EQ(smoke.GetFrameSprite(1)->alpha, 1.0f);
    smoke.lifetime = 0.0;
    smoke.Draw();
    EXPECT_FLOAT_EQ(smoke.GetFrameSprite(1)->alpha, 0.5f);

    CEffect_DarkMagicBrakeUp002 dark(stage.get(), 0, 0);
    dark.lifetime = 10.0;
    dark.Draw();
    EXPECT_FLOAT_EQ(dark.GetFrameSprite(0)->alpha, 0.5f);
    EXPECT_FLOAT_EQ(dark.GetFrameSprite(0)->scaleX, 1.5f);
    EXPECT_FLOAT_EQ(dark.GetFrameSprite(0)->scaleY, 1.5f);

    CEffect_ThunderBrunt thunder(stage.get(), 300, 200);  // the bolt hangs above the point
    thunder.Draw();
    EXPECT_EQ(thunder.imageY, 176);
    thunder.lifetime = 1.0;
    thunder.Draw();
    EXPECT_EQ(thunder.imageY, 200);
}

// ---- Motion on a fixed frame time ----

TEST_F(Effects, RingWidensSlowerEachFrameAndFadesAtTheEnd) {
    SetFrameTime(0.1f);
    CEffect_EnemyDeath001 ring(stage.get(), 100, 100);
    ring.Update();
    EXPECT_NEAR(ring.ringSpeed, 167.0, 1e-5);
    EXPECT_NEAR(ring.ringRadius, 36.7, 1e-5);
    EXPECT_NEAR(ring.lifetime, 24.0, 1e-5);
    for (int i = 0; i < 10; ++i) ring.Update();
    EXPECT_EQ(ring.ringSpeed, 0.0);  // never turns back
    SetFrameTime(1.0f / 60.0f);

    CEffect_GetFlag flag(stage.get(), 0, 0);
    for (int i = 0; i < 20; ++i) flag.Update();  // a third of a second: half a turn
    EXPECT_NEAR(flag.turningAngle, M_PI, 1e-5);
}

TEST_F(Effects, FlyingEffectsFollowTheirSpeedAndGravity) {
    CreateEffect(16, 200, 300, stage.get());  // rises at 200 px/s against 200 px/s^2
    IEffect* up = All<IEffect>()[0];
    Frames(30);
    // Half a second: the speed has lost 100; the way up, each frame's new speed for 1/60 s, is
    // (30 x 200 - 200/60 x 465) / 60 = 74.17 pixels.
    EXPECT_NEAR(up->vy, -100.0, 1e-3);
    EXPECT_NEAR(up->y, 225.833, 1e-3);
    EXPECT_NEAR(up->centerY, up->y, 1e-9);
    EXPECT_EQ(up->x, 200);
}

TEST_F(Effects, SplintersFlyOutToTheirSideAndFallUnderGravity) {
    CEffect_BreakBlock001 wood(stage.get(), 500, 400);
    CEffect_BreakRock001 rock(stage.get(), 500, 400);
    for (const CBreakEffect* e : {static_cast<CBreakEffect*>(&wood), static_cast<CBreakEffect*>(&rock)}) {
        const bool isRock = e == &rock;
        const double reach = isRock ? 12 : 30;
        for (int i = 0; i < CBreakEffect::kPieces; ++i) {
            const auto& p = e->GetPiece(i);
            const bool left = p.vx < 0;
            EXPECT_EQ(p.spin < 0, left);  // a side turns one way
            EXPECT_LE(std::fabs(p.x - 500), reach);
            EXPECT_TRUE(left ? p.x <= 500 : p.x >= 500);
            EXPECT_GE(std::fabs(p.vx), isRock ? 10 : 40);
            EXPECT_LE(std::fabs(p.vx), isRock ? 100 : 180);
            EXPECT_LE(p.vy, 20);
            EXPECT_GE(p.vy, isRock ? -140 : -220);
            EXPECT_LE(std::fabs(p.tilt), 5.0);
        }
    }
    CBreakEffect::Piece start[CBreakEffect::kPieces];
    for (int i = 0; i < CBreakEffect::kPieces; ++i) start[i] = wood.GetPiece(i);
    const int n = 27;
    for (int f = 0; f < n; ++f) wood.Update();
    const double dt = GetFrameTime();
    for (int i = 0; i < CBreakEffect::kPieces; ++i) {
        const auto& p = wood.GetPiece(i);
        // Each frame moves with the speed of before its gravity.
        EXPECT_NEAR(p.vy, start[i].vy + n * dt * 500.0, 1e-9);
        EXPECT_NEAR(p.y, start[i].y + dt * (n * start[i].vy + dt * 500.0 * n * (n - 1) / 2), 1e-7);
        EXPECT_NEAR(p.x, start[i].x + n * dt * start[i].vx, 1e-7);
        EXPECT_NEAR(p.tilt, start[i].tilt + n * dt * start[i].spin, 1e-7);
    }
}

TEST_F(Effects, ChargeSparksRunInAndShowOnlyInsideTheRing) {
    CEffect_WaveShotCharge charge(stage.get(), 100, 100);
    charge.Update();  // age 1: spark 1 at 45 px, spark 2 still at 57
    EXPECT_TRUE(charge.IsParticleVisible(1));
    EXPECT_FALSE(charge.IsParticleVisible(2));
    EXPECT_NEAR(charge.GetParticleOffsetX(1), 45 * std::cos(charge.GetParticleAngle(1)), 1e-5);
    EXPECT_NEAR(charge.GetParticleOffsetY(1), 45 * std::sin(charge.GetParticleAngle(1)), 1e-5);
    charge.age = 15.0;
    charge.Update();  // age 16: spark 1 at the centre, spark 2 at 12 px
    EXPECT_FALSE(charge.IsParticleVisible(1));
    EXPECT_TRUE(charge.IsParticleVisible(2));
    EXPECT_NEAR(std::hypot(charge.GetParticleOffsetX(2), charge.GetParticleOffsetY(2)), 12.0, 1e-5);
    // A hidden spark keeps the offset it was last seen at.
    EXPECT_NEAR(std::hypot(charge.GetParticleOffsetX(1), charge.GetParticleOffsetY(1)), 45.0, 1e-5);
    charge.age = 69.0;
    charge.Update();
    for (int k = 1; k <= CEffect_WaveShotCharge::kParticles; ++k)
        EXPECT_FALSE(charge.IsParticleVisible(k)) << k;
}

// ---- A followed target ----

TEST_F(Effects, AnEffectOnAVanishedTargetEndsAtOnce) {
    playtest::Thing* boss = Spawn(300, 300, 20, 20, kCategoryEnemy);
    auto charge = std::make_unique<CEffect_WaveShotCharge>(stage.get(), 310, 290);
    charge->FollowTarget(boss);
    IEffect* tied = charge.get();
    CObjectRegistry::GetInstance()->Add(std::move(charge));
    boss->step = [](playtest::Thing& t) { t.vx = 600; };
    Frames(6);
    EXPECT_NEAR(tied->x - boss->x, 10, 1e-9);  // carried along
    EXPECT_NEAR(tied->centerX - boss->x, 10, 1e-9);
    boss->Kill();
    Frames(3);
    EXPECT_TRUE(All<IEffect>().empty());

    // A target deleted outright is seen as gone, whatever takes its place.
    auto target = std::make_unique<playtest::Thing>(stage.get(), 0, 0, 10, 10, kCategoryEnemy);
    CEffect_Smoke smoke(stage.get(), 0, 0);
    smoke.FollowTarget(target.get());
    target.reset();
    playtest::Thing newcomer(stage.get(), 0, 0, 10, 10, kCategoryEnemy);
    smoke.Update();
    EXPECT_TRUE(smoke.IsDead());
    EXPECT_FALSE(smoke.HasTarget());
}

}  // namespace
