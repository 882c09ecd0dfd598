// Weather particles: how long each lives, the speed limits they fly under, their random looks,
// and that the frame's wind leaves them alone.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/SpriteManager.h"
#include "gimmicks/Weather.h"
#include "tests/gimmicks/gimmicks_play_env.h"

namespace gimmicktest {
namespace {

using Weather = PlayWorld;

TEST_F(Weather, EachParticleDiesInTheUpdateItsAgePassesItsDuration) {
    struct Row {
        const char* cls;
        int duration;
    };
    for (const Row& row : {Row{"CWeatherRain", 80}, Row{"CWeatherLeaf", 100}, Row{"CWeatherSnow", 600},
                           Row{"CWeatherSakura", 600}, Row{"CWeatherMaple", 600}}) {
        SCOPED_TRACE(row.cls);
        CObjectRegistry::GetInstance()->Clear();
        auto* p = Make<CWeatherBase>(row.cls, 480, 300, {0.0, 0.0});
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->duration, row.duration);
        int frames = 0;
        while (!p->IsDead() && frames < 1000) {
            Frames(1);
            ++frames;
        }
        EXPECT_NEAR(frames, row.duration + 1, 1);
        Frames(1);
        EXPECT_TRUE(All<CWeatherBase>().empty());
    }
}

TEST_F(Weather, AnAgeEqualToTheDurationIsNotYetDeath) {
    auto* rain = Make<CWeatherRain>("CWeatherRain", 480, 300, {0.0, 0.0});
    SetFrame(0.0f);  // the update adds no age
    rain->age = 80.0;
    rain->Update();
    EXPECT_FALSE(rain->IsDead());
    rain->age = 80.001;
    rain->Update();
    EXPECT_TRUE(rain->IsDead());
    SetFrame(1.0f / 60.0f);
}

TEST_F(Weather, ParticlesFlyUnderTheirOwnSpeedLimitsAndIgnoreTheWind) {
    auto* leaf = Make<CWeatherLeaf>("CWeatherLeaf", 200, 300, {1200.0, 0.0});
    auto* rain = Make<CWeatherRain>("CWeatherRain", 480, 100, {0.0, 1500.0});
    Frames(1, 90.0);
    EXPECT_EQ(leaf->vx, 1000.0);  // capped from the first step
    EXPECT_EQ(rain->vy, 1500.0);  // under the rain's own 2000
    EXPECT_EQ(rain->vx, 0.0);     // the wind does not push it
    Frames(3, -90.0);
    EXPECT_EQ(rain->vx, 0.0);
    EXPECT_EQ(rain->vy, 1500.0);
}

TEST_F(Weather, ParticlesPassThroughTheMap) {
    Fill(0, 0, 59, 39, 40);
    auto* rain = Make<CWeatherRain>("CWeatherRain", 480, 100, {0.0, 600.0});
    Frames(10);
    EXPECT_NEAR(rain->y, 200, 0.01);
}

TEST_F(Weather, SnowflakesAreSmallAndLeavesFlipToNothingSideways) {
    for (int i = 0; i < 30; ++i) {
        auto* flake = Make<CWeatherSnow>("CWeatherSnow", 480, 300, {0.0, 0.0});
        ASSERT_NE(flake->sprite, nullptr);
        EXPECT_GE(flake->sprite->scaleX, 0.65f);
        EXPECT_LE(flake->sprite->scaleX, 0.80f);
        EXPECT_EQ(flake->sprite->scaleX, flake->sprite->scaleY);
    }
    auto* leaf = Make<CWeatherLeaf>("CWeatherLeaf", 480, 300, {0.0, 0.0});
    leaf->tumble.flipPhase = 0.0;
    leaf->tumble.spin = 0.5;
    leaf->Draw();
    EXPECT_EQ(leaf->sprite->scaleX, 0.0f);
    EXPECT_FLOAT_EQ(leaf->sprite->angleZ, 0.5f);
    EXPECT_FLOAT_EQ(leaf->sprite->alpha, 0.7f);
}

TEST_F(Weather, ARaindropLiesAlongItsFlight) {
    auto* rain = Make<CWeatherRain>("CWeatherRain", 480, 300, {0.0, 1000.0});
    rain->Draw();
    EXPECT_NEAR(rain->sprite->angleZ, 0.0, 1e-6);  // straight down: upright
    rain->vx = 1000.0;
    rain->vy = 0.0;
    rain->Draw();
    EXPECT_NEAR(std::fabs(rain->sprite->angleZ), M_PI / 2, 1e-5);
    EXPECT_FLOAT_EQ(rain->sprite->alpha, 0.5f);
}

}  // namespace
}  // namespace gimmicktest
