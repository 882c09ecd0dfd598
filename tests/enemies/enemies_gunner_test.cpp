// The gunner: its line of fire, the bursts of each variant (shots, spacing, muzzle), and the
// hero lost between bursts.
#include <string>
#include <vector>

#include "enemies/Gun001.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Gunner : public GroundWorld {
  protected:
    void SetUp() override {
        GroundWorld::SetUp();
        RecordShots({"CGunWater", "CMachineGunShot"});
    }
    CGun001* OnFloor(double x, int variant) {
        auto* g = Place<CGun001>(x, kFloorTop - 40.0 - 0.5, 1, variant);
        Frames(2);
        return g;
    }
};

TEST_F(Gunner, ItFiresOnlyAtAHeroInItsLineOfFire) {
    const struct {
        double dx, dy;
        bool fires;
    } rows[] = {{288, 0, true},  {289, 0, false},  {-20, 0, false},
                {100, 64, true}, {100, 65, false}, {100, -65, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dx * 1000 + row.dy);
        CGun001 g(stage.get(), 300, 200, 1, 0);
        g.UpdateCentre();
        playtest::Target hero(stage.get(), g.centerX + row.dx - 10, g.centerY + row.dy - 10, kCategoryHero,
                              kHitHurt);
        scene.hero = &hero;
        EXPECT_EQ(g.IsHeroInLineOfFire(), row.fires);
        scene.hero = nullptr;
    }
}

// Variant 0: three water shots 16 frames apart beside the muzzle; variant 1: eight bullets about
// 4 apart, each with its flash. The gunner never moves.
TEST_F(Gunner, EachVariantFiresItsOwnBurst) {
    for (int variant : {0, 1}) {
        SCOPED_TRACE(variant);
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        fired.clear();
        playtest::MadeEffects().clear();
        CGun001* g = OnFloor(300, variant);
        const double x0 = g->x;
        PlaceHero(g->centerX + 150, g->centerY);
        Frames(1);
        ASSERT_EQ(g->state, kGunRaise);
        Frames(variant == 0 ? 40 : 50);
        ASSERT_EQ(g->state, kGunFire);
        Frames(40);
        ASSERT_EQ(fired.size(), variant == 0 ? 3u : 8u);
        for (const FiredShot& s : fired) {
            EXPECT_EQ(s.shot, variant == 0 ? "CGunWater" : "CMachineGunShot");
            EXPECT_EQ(s.vx, variant == 0 ? 150.0 : 400.0);
            EXPECT_NEAR(s.x, x0 + 20 + 32, 0.5);
        }
        EXPECT_EQ(EffectCount(1), variant == 0 ? 0 : 8);
        EXPECT_EQ(g->x, x0);
    }
}

// Variant 0 sounds its splash with every shot; variant 1 its gun once at the start of a burst.
TEST_F(Gunner, TheWaterGunSoundsEachShotTheMachineGunEachBurst) {
    CSoundEffects* se = LoadBuiltSoundEffects();
    for (int variant : {0, 1}) {
        SCOPED_TRACE(variant);
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        fired.clear();
        se->StopAll();
        CGun001* g = OnFloor(300, variant);
        PlaceHero(g->centerX + 150, g->centerY);
        const int sound = variant == 0 ? SoundId::kWater1 : SoundId::kGun1;
        int sounded = 0;
        for (int i = 0; i < 120 && fired.size() < (variant == 0 ? 3u : 8u); ++i) {
            const size_t before = fired.size();
            Frames(1);
            if (fired.size() == before) continue;
            if (se->IsPlaying(sound)) ++sounded;
            se->StopAll();  // so that the next shot shows whether it sounds again
        }
        ASSERT_EQ(fired.size(), variant == 0 ? 3u : 8u);
        EXPECT_EQ(sounded, variant == 0 ? 3 : 1);
    }
}

TEST_F(Gunner, ALostHeroEndsTheFiringAndAFoundOneStartsANewBurst) {
    CGun001* g = OnFloor(300, 0);
    auto* hero = PlaceHero(g->centerX + 150, g->centerY);
    Frames(45);
    ASSERT_EQ(g->state, kGunFire);
    g->stateFrames = 126;
    Frames(1);
    EXPECT_EQ(g->state, kGunFire);  // still there: a new burst
    EXPECT_EQ(g->shotCount, 0);
    hero->x = g->centerX - 200;  // behind it now
    hero->UpdateCentre();
    g->stateFrames = 126;
    Frames(1);
    EXPECT_EQ(g->state, kGunLower);
}

TEST_F(Gunner, TenDamageBeatsIt) {
    CGun001 g(stage.get(), 300, 200, 1, 1);
    EXPECT_EQ(g.ReceiveAttack(Attack(10)), kHitDefeated);
}

}  // namespace
