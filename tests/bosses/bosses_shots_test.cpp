// The stick-man bosses' shots and throws: one delivery per target, the rock's single bounce,
// the floor fire's ledges and walls, the pillar chain, the bolt that only the map stops, the
// sniper's level flight and streak, the break shot's burst, the wave's swing, the wall-passing
// shot, batted stars and bombs, and the rock that the rock weather asks for by name.
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <typeinfo>

#include "bosses/BossShotKinds.h"
#include "bosses/BossShots.h"
#include "bosses/BossThrows.h"
#include "engine/Camera.h"
#include "gimmicks/Burst.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "tests/bosses/bosses_env.h"

using namespace bosstest;
using enemytest::kFloorTop;

namespace {

class BossShots : public RecordingBossWorld {
  protected:
    static AttackInfo Blow(double angle, int flag = -1) {
        AttackInfo a = Attack(10, flag);
        a.angle = angle;
        return a;
    }
    // Every shot class, fired right at 100 pixels per second from (x, y).
    static std::vector<std::function<std::unique_ptr<CShotBase>(CStage*, double, double)>> AllShots() {
        return {
            [](CStage* s, double x, double y) {
                return std::make_unique<CFallingRock>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) { return std::make_unique<CGrandFrame>(s, x, y, 100, false); },
            [](CStage* s, double x, double y) {
                return std::make_unique<CShockWave>(s, x, y, 0, 1, 64, false);
            },
            [](CStage* s, double x, double y) { return std::make_unique<CThunder>(s, x, y, false, 300); },
            [](CStage* s, double x, double y) {
                return std::make_unique<CSniperShot>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) {
                return std::make_unique<CBreakShot_Mother>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) {
                return std::make_unique<CBreakShot_Child>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) { return std::make_unique<CWaveShot>(s, x, y, 1, 0.0, false); },
            [](CStage* s, double x, double y) {
                return std::make_unique<CWallThroughNormalShot>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) {
                return std::make_unique<CNinjaStar>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) {
                return std::make_unique<CBigNinjaStar>(s, x, y, 100, 0, false);
            },
            [](CStage* s, double x, double y) { return std::make_unique<CPinkBomb>(s, x, y, 100, 0, false); },
        };
    }
};

TEST_F(BossShots, EveryShotHitsATargetOnceAndIsEnemySide) {
    for (auto& make : AllShots()) {
        std::unique_ptr<CShotBase> shot(make(stage.get(), 200, 200));
        const CShotBase& made = *shot;
        SCOPED_TRACE(typeid(made).name());
        EXPECT_TRUE(shot->category == 11 || shot->category == 14);
        playtest::Target t(stage.get(), 195, 195, kCategoryHero, kHitHurt);
        EXPECT_NE(shot->Collide(&t), kHitImmune);
        EXPECT_EQ(shot->Collide(&t), kHitImmune);
        EXPECT_EQ(t.received.size(), 1u);
    }
}

// Without an owner stage every shot is built, updated, drawn and hit without failing, makes
// nothing that outlives it, and leaves nothing in the registry.
TEST_F(BossShots, EveryShotIsBuiltUpdatedDrawnAndDestroyedWithoutAnOwner) {
    const int before = IBase::GetLiveCount();
    const int registered = CObjectRegistry::GetInstance()->Count();
    for (auto& make : AllShots()) {
        std::unique_ptr<CShotBase> shot(make(nullptr, 0, 0));
        const CShotBase& made = *shot;
        SCOPED_TRACE(typeid(made).name());
        shot->Update();
        shot->Draw();
        shot->DrawDebug();
        shot->ReceiveAttack(Attack(5));
        shot.reset();
        EXPECT_EQ(IBase::GetLiveCount(), before);
        EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), registered);
    }
}

TEST_F(BossShots, ARockBouncesOnceOffTheFloorAndThenFallsThroughIt) {
    auto* rock = Place<CFallingRock>(200.0, 200.0, 0.0, 100.0, false);
    double fallSpeed = 0;
    for (int i = 0; i < 120 && !rock->ignoresMap; ++i) {
        fallSpeed = rock->vy;
        Frames(1);
    }
    ASSERT_TRUE(rock->ignoresMap);
    EXPECT_NEAR(rock->vy, -0.6 * (fallSpeed + 400.0 / 60.0), 1e-6);
    EXPECT_LE(std::fabs(rock->vx), 130.0);
    FramesUntil([&] { return rock->GetTop() > kFloorTop + 32.0; }, 240);
    EXPECT_GT(rock->GetTop(), kFloorTop + 32.0);
    EXPECT_FALSE(rock->IsDead());
    EXPECT_EQ(EffectsOfKind(27), 0);
}

TEST_F(BossShots, FloorFireSurvivesALedgeYoungGoesOutAtOneLaterAndBurstsOnWalls) {
    Fill(2, 6, 6, 6, 40);  // a platform from x = 64 to 224, its top at y = 192
    auto* young = Place<CGrandFrame>(180.0, 176.0, 150.0, false);
    Frames(20);
    EXPECT_FALSE(young->IsDead());
    EXPECT_GT(young->GetLeft(), 224.0);  // already past the edge
    FramesUntil([&] { return young->IsDead(); }, 20);
    EXPECT_TRUE(young->IsDead());

    auto* old = Place<CGrandFrame>(66.0, 176.0, 150.0, false);
    FramesUntil([&] { return old->IsDead(); }, 90);
    ASSERT_TRUE(old->IsDead());
    EXPECT_GT(old->age, 25.0);
    EXPECT_NEAR(old->GetRight(), 224.0, 4.0);
    EXPECT_EQ(EffectsOfKind(5), 0);

    Fill(12, 7, 12, 9, 40);  // a wall at x = 384 on the floor
    auto* walled = Place<CGrandFrame>(330.0, kFloorTop - 16.0, 150.0, false);
    FramesUntil([&] { return walled->IsDead(); }, 30);
    ASSERT_TRUE(walled->IsDead());
    EXPECT_LE(walled->age, 25.0);
    ASSERT_EQ(EffectsOfKind(5), 1);
    // At its top as it pressed into the floor in its last move.
    EXPECT_NEAR(playtest::MadeEffects()[0].y, std::trunc(walled->GetTop()), 4.0);
}

TEST_F(BossShots, APillarRisesFromItsBaseAndStartsCountMoreBesideIt) {
    EXPECT_DOUBLE_EQ(CShockWave::HeightAt(0, 64), 16.0);
    EXPECT_DOUBLE_EQ(CShockWave::HeightAt(10, 64), 64.0);
    EXPECT_NEAR(CShockWave::HeightAt(20, 64), 16.0, 1e-9);

    Place<CShockWave>(200.0, 300.0, 2, 1, 64, false);
    std::set<double> starts;
    for (int i = 0; i < 60; ++i) {
        Frames(1);
        for (CShockWave* w : All<CShockWave>()) {
            starts.insert(w->startX);
            EXPECT_NEAR(w->GetBottom(), 316.0, 1e-9);  // grows upward only
        }
    }
    EXPECT_EQ(starts, (std::set<double>{200.0, 215.0, 230.0}));
    EXPECT_TRUE(All<CShockWave>().empty());

    starts.clear();
    Place<CShockWave>(200.0, 300.0, 0, 0, 64, false);
    for (int i = 0; i < 30; ++i) {
        Frames(1);
        for (CShockWave* w : All<CShockWave>()) starts.insert(w->startX);
    }
    EXPECT_EQ(starts, (std::set<double>{200.0}));
}

TEST_F(BossShots, ABoltPassesThroughTheHeroAndEndsOnTheMapWithAShake) {
    playtest::Target* hero = PlaceHero(212, 200);
    auto* bolt = Place<CThunder>(200.0, 0.0, false, 320);
    const float shakeBefore = CCamera::GetInstance()->GetShake();
    FramesUntil([&] { return bolt->IsDead(); }, 60);
    ASSERT_TRUE(bolt->IsDead());
    EXPECT_EQ(hero->received.size(), 1u);
    ASSERT_EQ(EffectsOfKind(35), 1);
    EXPECT_GE(playtest::MadeEffects()[0].y, kFloorTop);  // its foot, one move into the floor
    EXPECT_LE(playtest::MadeEffects()[0].y, kFloorTop + 25.0);
    EXPECT_GT(CCamera::GetInstance()->GetShake(), shakeBefore);
}

TEST_F(BossShots, TheSniperLineFliesLevelAndItsStreakNeverReachesBehindTheMuzzle) {
    CSniperShot right(stage.get(), 100, 200, 600, 300, false);
    right.Update();
    int head, tail, y;
    right.GetStreak(&head, &tail, &y);
    EXPECT_EQ(y, 200);
    EXPECT_EQ(head, 126);
    EXPECT_EQ(tail, 100);  // clamped to the muzzle
    for (int i = 0; i < 9; ++i) right.Update();
    right.GetStreak(&head, &tail, &y);
    EXPECT_EQ(y, 200);
    EXPECT_EQ(head, 216);
    EXPECT_EQ(tail, 216 - 81);

    CSniperShot left(stage.get(), 500, 200, -600, 0, false);
    left.Update();
    left.GetStreak(&head, &tail, &y);
    EXPECT_NEAR(head, 490, 1);
    EXPECT_EQ(tail, 516);  // clamped to the muzzle's far edge
}

TEST_F(BossShots, ABreakShotTurnsAfterTwoThirdsOfASecondIntoFiveEnemyChildren) {
    auto* mother = Place<CBreakShot_Mother>(200.0, 200.0, 300.0, 0.0, true);
    const int frames = FramesUntil([&] { return mother->IsDead(); }, 80);
    EXPECT_GE(frames, 40);
    EXPECT_LE(frames, 42);
    const auto children = All<CBreakShot_Child>();
    ASSERT_EQ(children.size(), 5u);
    std::set<double> slants;
    for (CBreakShot_Child* c : children) {
        EXPECT_EQ(c->vx, 500.0);  // on along the mother's first flight
        EXPECT_EQ(c->category, 14);
        slants.insert(c->vy);
    }
    EXPECT_EQ(slants, (std::set<double>{-360.0, -180.0, 0.0, 180.0, 360.0}));

    CBreakShot_Child child(stage.get(), 0, 0, 500, 360, false);
    for (int i = 0; i < 25; ++i) child.Update();
    EXPECT_EQ(child.vy, 0.0);
    EXPECT_EQ(child.ay, 0.0);
    EXPECT_GT(child.y, 30.0);
}

TEST_F(BossShots, TheWaveSwingsAtMost96PixelsAndSpeedsAway) {
    CWaveShot wave(stage.get(), 1000, 500, 1, 0.0, false);
    double early = 0, late = 0;
    for (int frame = 1; frame <= 150; ++frame) {
        wave.Update();
        const double swing = std::fabs(wave.y - 500.0);
        if (frame <= 10) {
            EXPECT_LE(swing, 13.0 + 1e-6) << frame;  // at most 1.3 a frame at first
        }
        (wave.age <= 60.0 ? early : late) = std::max(wave.age <= 60.0 ? early : late, swing);
        // Ahead by 60 pixels after 20 frames, 540 after 60, 3375 after 150: it speeds away.
        if (frame == 20) {
            EXPECT_NEAR(wave.x, 1060.0, 0.01);
        } else if (frame == 60) {
            EXPECT_NEAR(wave.x, 1540.0, 0.01);
        }
    }
    EXPECT_LT(early, 78.0 + 1e-9);
    EXPECT_GT(late, 95.0);
    EXPECT_LE(late, 96.0 + 1e-9);
    EXPECT_NEAR(wave.x, 4375.0, 0.1);
    CWaveShot back(stage.get(), 1000, 500, 0, 0.0, false);
    for (int i = 0; i < 10; ++i) back.Update();
    EXPECT_LT(back.x, 1000.0);
}

TEST_F(BossShots, TheMachinesShotComesOutOfAWallUnchanged) {
    Fill(10, 0, 11, 9, 40);  // a wall from x = 320 to 384
    auto* shot = Place<CWallThroughNormalShot>(300.0, 100.0, 150.0, 0.0, false);
    Frames(60);
    EXPECT_FALSE(shot->IsDead());
    EXPECT_NEAR(shot->x, 450.0, 1.0);
    EXPECT_EQ(shot->vx, 150.0);
    EXPECT_EQ(EffectsOfKind(29), 0);
}

TEST_F(BossShots, AStarStruckTwiceChangesSideTwiceAndKeepsTheSecondBlow) {
    CNinjaStar star(stage.get(), 200, 200, -100, 0, false);
    EXPECT_EQ(star.category, 14);
    EXPECT_EQ(star.ReceiveAttack(Blow(0.0)), kHitHurt);
    EXPECT_EQ(star.category, 13);
    EXPECT_NEAR(star.vx, 400.0, 1e-9);
    EXPECT_EQ(star.ReceiveAttack(Blow(0.0, kAttackReflectable)), kHitHurt);  // a level blow turned up
    EXPECT_EQ(star.category, 14);
    EXPECT_NEAR(star.vx, 0.0, 1e-9);
    EXPECT_NEAR(star.vy, -400.0, 1e-9);
    EXPECT_FALSE(star.IsDead());
}

TEST_F(BossShots, TheBigStarCutsTheHeroOnceAndShrugsOffBlows) {
    playtest::Target* hero = PlaceHero(250, 200);
    auto* star = Place<CBigNinjaStar>(200.0, 200.0, 100.0, 0.0, false);
    Frames(60);  // overlapping the hero for many of them
    EXPECT_EQ(hero->received.size(), 1u);
    EXPECT_EQ(EffectsOfKind(3), 1);
    EXPECT_EQ(star->ReceiveAttack(Attack(50, kAttackReflectsShots)), kHitGuarded);
    EXPECT_FALSE(star->IsDead());
    EXPECT_EQ(star->vx, 100.0);
    EXPECT_LT(star->vy, -250.0);  // rising ever faster
}

TEST_F(BossShots, APinkBombBurstsOnFireAndLandingButNotAtItsLifetimesEnd) {
    auto* batted = Place<CPinkBomb>(200.0, 250.0, 0.0, 0.0, false);
    EXPECT_EQ(batted->ReceiveAttack(Blow(0.0)), kHitHurt);
    EXPECT_EQ(batted->category, 10);
    EXPECT_NEAR(batted->vx, 600.0, 1e-9);
    FramesUntil([&] { return batted->IsDead(); }, 120);
    EXPECT_TRUE(batted->IsDead());
    EXPECT_EQ(All<CRedBurst>().size(), 1u);

    CPinkBomb fired(stage.get(), 200, 100, 0, 0, false);
    EXPECT_EQ(fired.ReceiveAttack(Blow(0.0, kAttackRedBurst)), kHitDefeated);
    EXPECT_TRUE(fired.IsDead());
    fired.Explode();
    EXPECT_EQ(All<CRedBurst>().size(), 2u);

    CPinkBomb old(stage.get(), 200, 100, 0, 0, false);
    old.age = 900;
    old.Update();
    EXPECT_TRUE(old.IsDead());
    EXPECT_EQ(All<CRedBurst>().size(), 2u);
}

TEST_F(BossShots, TheRockWeatherGetsAnEnemyRockByName) {
    RegisterBossShotKinds();
    std::unique_ptr<IBase> made = CreateLiveObject("CFallingRock", stage.get(), 10, 20, {30.0, 40});
    RegisterLiveObjectCreator("CFallingRock", {});
    auto* rock = dynamic_cast<CFallingRock*>(made.get());
    ASSERT_NE(rock, nullptr);
    EXPECT_EQ(rock->vx, 30.0);
    EXPECT_EQ(rock->vy, 40.0);
    EXPECT_EQ(rock->category, 11);
}

}  // namespace
