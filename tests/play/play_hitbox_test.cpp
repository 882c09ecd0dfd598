// Hitboxes: what each hit answers and shows, re-hits and lifetimes, aiming, clashes, and the
// orbiting barrier.
#include <cmath>
#include <memory>

#include "foundation/Geometry.h"
#include "tests/play/play_combat_env.h"

using namespace playtest;

namespace {

class Hitboxes : public CombatTest {
  protected:
    // A free-standing circle of radius 10 at (x, y) for direct Collide calls.
    std::unique_ptr<CCollisionDetectionCircle> Circle(IAttackable* by, double px, double py, AttackInfo a,
                                                      int aim = kAimKeep, int side = kSideHero) {
        auto h = std::make_unique<CCollisionDetectionCircle>(by, nullptr, stage.get(), px, py, 10.0, 30.0,
                                                             9999.0, side, aim, a);
        h->UpdateCentre();
        return h;
    }
};

// ---- Results and what a hit shows ----

TEST_F(Hitboxes, DamageDecidesBetweenHurtAndDefeat) {
    Fighter hero(stage.get(), 0, 0, "hero", &log);
    const int hp = 30;
    struct Case {
        int damage;
        int result;
    } cases[] = {{0, kHitHurt}, {hp - 1, kHitHurt}, {hp, kHitDefeated}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.damage);
        log.clear();
        Dummy enemy(stage.get(), 120, 90, hp);
        auto h = Circle(&hero, 100, 100, Attack(c.damage));
        EXPECT_EQ(h->Collide(&enemy), c.result);
        EXPECT_EQ(log, std::vector<std::string>{"hero.hit" + std::to_string(c.result)});
        EXPECT_EQ(enemy.hitPoints, hp - c.damage);
        EXPECT_TRUE(enemy.isBlown);
        EXPECT_EQ(enemy.isDefeated, c.result == kHitDefeated);
    }
}

TEST_F(Hitboxes, EachFlagShowsItsEffectAtTheContactPoint) {
    Fighter hero(stage.get(), 0, 0, "hero", &log);
    struct Case {
        int flag;  // -1: none
        int kind;
        size_t count;
    } cases[] = {{-1, 1, 1},
                 {kAttackPowerHit, 2, 1},
                 {kAttackSlash, 3, 1},
                 {kAttackRedBurst, 5, 1},
                 {kAttackBlueBurst, 6, 1},
                 {kAttackIce, 12, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        MadeEffects().clear();
        AttackInfo a = Attack(1);
        if (c.flag >= 0) a.flags[c.flag] = 1;
        // Also set, but outranked: slash under power hit, power hit under the bursts and ice.
        if (c.flag == kAttackPowerHit || c.flag == kAttackRedBurst || c.flag == kAttackIce)
            a.flags[kAttackSlash] = 1;
        Target enemy(stage.get(), 120, 90, kCategoryEnemy, kHitHurt);  // centre (130, 100)
        auto h = Circle(&hero, 100, 100, a);
        h->Collide(&enemy);
        ASSERT_EQ(MadeEffects().size(), c.count);
        // The contact point divides the centres' line by the radii: 10 against the box's 14.14.
        const double px = 100 + 30 * 10 / (10 + 0.5 * std::sqrt(800.0));
        for (const MadeEffect& e : MadeEffects()) {
            EXPECT_EQ(e.kind, c.kind);
            EXPECT_NEAR(e.x, std::trunc(px), 2.0);
            EXPECT_NEAR(e.y, 100, 2.0);
        }
    }
}

TEST_F(Hitboxes, OnlyAnswersThatLandShowAndTheHerosDefeatShowsNothing) {
    Fighter enemyAttacker(stage.get(), 0, 0, "enemy", &log);
    struct Case {
        int category, answer;
        size_t effects;
        int kind;
    } cases[] = {{kCategoryHero, kHitDefeated, 0, 0},  {kCategoryEnemy, kHitDefeated, 1, 1},
                 {kCategoryHero, kHitHurt, 1, 1},      {kCategoryEnemy, kHitGuarded, 1, 7},
                 {kCategoryEnemy, kHitNoEffect, 0, 0}, {kCategoryEnemy, kHitImmune, 0, 0},
                 {kCategoryHero, kHitPushed, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.category << " answers " << c.answer);
        MadeEffects().clear();
        log.clear();
        Target t(stage.get(), 105, 90, c.category, c.answer);
        auto h = Circle(&enemyAttacker, 100, 100, Attack(5), kAimKeep, kSideEnemy);
        EXPECT_EQ(h->Collide(&t), c.answer);
        ASSERT_EQ(MadeEffects().size(), c.effects);
        if (c.effects) {
            EXPECT_EQ(MadeEffects()[0].kind, c.kind);
        }
        // The attacker hears of every answer, also those that show nothing.
        EXPECT_EQ(log, std::vector<std::string>{"enemy.hit" + std::to_string(c.answer)});
    }
}

// ---- Aiming ----

TEST_F(Hitboxes, AimModesTurnTheAngleTowardEachTarget) {
    Fighter hero(stage.get(), 0, 0, "hero", &log);
    struct Case {
        int mode;
        double tx, ty;  // target's centre relative to the hitbox
        double angle;
    } cases[] = {{kAimKeep, 40, 0, 1.0},
                 {kAimAtTarget, 0, 40, kPi / 2},
                 {kAimAtTargetPlusEighth, 40, 0, kPi / 4},
                 {kAimAtTargetPlusEighth, 0, -40, -kPi / 4},
                 {kAimAtTargetMinusEighth, -40, 0, kPi - kPi / 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.tx << "," << c.ty);
        Target t(stage.get(), 100 + c.tx - 10, 100 + c.ty - 10, kCategoryEnemy, kHitHurt);
        auto h = Circle(&hero, 100, 100, Attack(1, 300, 1.0), c.mode);
        h->Collide(&t);
        ASSERT_EQ(t.received.size(), 1u);
        EXPECT_NEAR(t.received[0].angle, c.angle, 1e-6);
        // The aimed angle stays with the hitbox for its next target.
        EXPECT_NEAR(h->GetAttackInfo().angle, c.angle, 1e-6);
    }
}

// ---- Re-hits and lifetimes, run by the registry ----

class HitboxFrames : public Hitboxes {
  protected:
    void SetUp() override {
        Hitboxes::SetUp();
        Relations({{kCategoryHeroAttack, kCategoryEnemy, 2}, {kCategoryHeroAttack, kCategoryEnemyAttack, 2}});
    }
    Fighter* Attacker(double px, double py, const char* name) {
        Fighter* f = testsupport::Register(std::make_unique<Fighter>(stage.get(), px, py, name, &log));
        EXPECT_NE(f, nullptr);
        return f;
    }
    Target* Victim(double px, double py) {
        Target* t = testsupport::Register(
            std::make_unique<Target>(stage.get(), px, py, kCategoryEnemy, kHitNoEffect));
        EXPECT_NE(t, nullptr);
        return t;
    }
};

TEST_F(HitboxFrames, ATargetStandingInsideIsHitOncePerInterval) {
    Fighter* hero = Attacker(100, 100, "hero");
    Target* standing = Victim(110, 100);
    hero->AddChild(std::make_unique<CCollisionDetectionCircle>(hero, hero, stage.get(), 10, 10, 20.0, -1.0,
                                                               9.5, kSideHero, kAimKeep, Attack(1)));
    std::vector<int> hitFrames;
    for (int frame = 1; frame <= 45; ++frame) {
        const size_t before = standing->received.size();
        Frames(1);
        if (standing->received.size() > before) hitFrames.push_back(frame);
    }
    // The timer starts with the hitbox and clears the list each time it passes the interval.
    EXPECT_EQ(hitFrames, (std::vector<int>{1, 10, 20, 30, 40}));
}

// At an interval of 10, a target that stays inside is hit every 10 frames. The timer must pass
// the interval: with frames of 0.9375 (1/64 s, exact in binary) and an interval of 9.375, the
// timer only equals it after 10 frames and the next hit waits for the 11th.
TEST_F(HitboxFrames, ARehitComesWhenTheTimerPassesTheIntervalNotWhenItEqualsIt) {
    const auto hitFrames = [&](double interval, int frames) {
        CObjectRegistry::GetInstance()->Clear();
        Fighter* hero = Attacker(100, 100, "hero");
        Target* standing = Victim(110, 100);
        hero->AddChild(std::make_unique<CCollisionDetectionCircle>(
            hero, hero, stage.get(), 10, 10, 20.0, -1.0, interval, kSideHero, kAimKeep, Attack(1)));
        std::vector<int> hits;
        for (int frame = 1; frame <= frames; ++frame) {
            const size_t before = standing->received.size();
            Frames(1);
            if (standing->received.size() > before) hits.push_back(frame);
        }
        return hits;
    };
    EXPECT_EQ(hitFrames(10.0, 45), (std::vector<int>{1, 10, 20, 30, 40}));
    SetFrame(1.0f / 64.0f);
    EXPECT_EQ(hitFrames(9.375, 45), (std::vector<int>{1, 11, 22, 33, 44}));
    SetFrame(1.0f / 60.0f);
}

TEST_F(HitboxFrames, AVeryLongIntervalHitsOnce) {
    Fighter* hero = Attacker(100, 100, "hero");
    Target* standing = Victim(110, 100);
    hero->AddChild(std::make_unique<CCollisionDetectionCircle>(hero, hero, stage.get(), 10, 10, 20.0, -1.0,
                                                               1e9, kSideHero, kAimKeep, Attack(1)));
    Frames(300);
    EXPECT_EQ(standing->received.size(), 1u);
}

TEST_F(HitboxFrames, LifetimeZeroEndsAtTheFirstUpdateAndMinusOneNever) {
    Fighter* hero = Attacker(100, 100, "hero");
    Target* t = Victim(300, 300);  // out of reach: the hitboxes only age
    auto briefOwned = std::make_unique<CCollisionDetectionCircle>(hero, hero, stage.get(), 0, 0, 5.0, 0.0,
                                                                  10.0, kSideHero, kAimKeep, Attack(1));
    auto lastingOwned = std::make_unique<CCollisionDetectionCircle>(hero, hero, stage.get(), 0, 0, 5.0, -1.0,
                                                                    10.0, kSideHero, kAimKeep, Attack(1));
    CCollisionDetectionCircle* brief = briefOwned.get();
    CCollisionDetectionCircle* lasting = lastingOwned.get();
    const ObjectHandle briefHandle(brief), lastingHandle(lasting);
    hero->AddChild(std::move(briefOwned));
    hero->AddChild(std::move(lastingOwned));
    Frames(1);
    EXPECT_TRUE(brief->IsDead());
    Frames(1000);
    EXPECT_FALSE(briefHandle);
    ASSERT_TRUE(lastingHandle);
    EXPECT_FALSE(lasting->IsDead());
    EXPECT_TRUE(t->received.empty());
}

TEST_F(HitboxFrames, ClashingAttacksTellBothAttackersInOrderAndRingHalfway) {
    Fighter* hero = Attacker(100, 100, "hero");
    Fighter* enemy = Attacker(200, 100, "enemy");
    hero->AddChild(std::make_unique<CCollisionDetectionCircle>(hero, nullptr, stage.get(), 150, 100, 10.0,
                                                               -1.0, 9999.0, kSideHero, kAimKeep, Attack(3)));
    enemy->AddChild(std::make_unique<CCollisionDetectionCircle>(
        enemy, nullptr, stage.get(), 160, 100, 10.0, -1.0, 9999.0, kSideEnemy, kAimKeep, Attack(7)));
    Frames(1);
    // Only the hero's attack strikes (the table links 16 to 17 alone): the struck side hears
    // first, then the striker gets the clash with both records, then its own after-clash.
    EXPECT_EQ(log, (std::vector<std::string>{"enemy.after", "hero.clash3", "hero.after"}));
    EXPECT_EQ(hero->theirDamage, 7);
    ASSERT_EQ(MadeEffects().size(), 1u);
    EXPECT_EQ(MadeEffects()[0].kind, 7);
    EXPECT_NEAR(MadeEffects()[0].x, 155, 2.0);
    EXPECT_NEAR(MadeEffects()[0].y, 100, 2.0);
}

TEST_F(HitboxFrames, AHitboxWhoseAttackerIsGoneStopsWithoutTellingIt) {
    Fighter* hero = Attacker(100, 100, "hero");
    Target* t = Victim(150, 100);
    // Registered on its own, so it outlives its attacker.
    auto* h = testsupport::Register(std::make_unique<CCollisionDetectionCircle>(
        hero, nullptr, stage.get(), 155, 105, 10.0, -1.0, 0.5, kSideHero, kAimKeep, Attack(1)));
    ASSERT_NE(h, nullptr);
    const ObjectHandle handle(h);
    Frames(2);
    EXPECT_EQ(t->received.size(), 2u);
    hero->Kill();
    Frames(1);  // the attacker is deleted; the hitbox notices and strikes no more
    EXPECT_EQ(t->received.size(), 2u);
    EXPECT_EQ(h->Collide(t), kHitImmune);
    Frames(1);
    EXPECT_FALSE(handle);
    EXPECT_EQ(log, (std::vector<std::string>{"hero.hit2", "hero.hit2"}));
}

// ---- The barrier ----

TEST_F(Hitboxes, TheBarrierWidensItsOrbitUpTo96) {
    Fighter boss(stage.get(), 300, 300, "boss", &log);  // centre (310, 310)
    CNunoOtokoBarrier barrier(&boss, &boss, stage.get(), 0, 0, 12.0, 600.0, 10.0, kSideEnemy, kAimKeep,
                              Attack(10), 0.7, true);
    EXPECT_EQ(barrier.startAngle, 0.0);  // whole radians
    auto distance = [&] { return std::hypot(barrier.x - 310, barrier.y - 310); };
    // The barrier reaches in each frame the point that it aimed at in the previous one: at age 41
    // the radius of age 40, 88 pixels (16 + 1.8 a frame).
    while (barrier.age < 40.5) barrier.Update();
    EXPECT_NEAR(barrier.age, 41.0, 1e-3);
    EXPECT_NEAR(distance(), 88.0, 0.01);
    while (barrier.age < 60) barrier.Update();
    EXPECT_NEAR(distance(), 96.0, 1e-3);
    // The trail remembers the last positions, newest first.
    const double last = barrier.x;
    barrier.Update();
    EXPECT_EQ(barrier.trailX[1], last);
    EXPECT_EQ(barrier.trailX[0], barrier.x);
}

TEST_F(Hitboxes, TheBarrierStandsStillOnAFrameOfNoTime) {
    Fighter boss(stage.get(), 300, 300, "boss", &log);
    CNunoOtokoBarrier barrier(&boss, &boss, stage.get(), 0, 0, 12.0, 600.0, 10.0, kSideEnemy, kAimKeep,
                              Attack(10), 0.0, false);
    SetFrameTime(0.0f);
    barrier.Update();
    EXPECT_EQ(barrier.vx, 0.0);
    EXPECT_EQ(barrier.vy, 0.0);
    EXPECT_EQ(barrier.x, 300);
    SetFrameTime(1.0f / 60.0f);
    barrier.Update();
    barrier.Update();
    // On the orbit, not flung past it by a speed made for no time.
    EXPECT_NEAR(std::hypot(barrier.x - 310, barrier.y - 310),
                CNunoOtokoBarrier::OrbitRadius(barrier.age - 1.0), 1e-3);
}

TEST_F(Hitboxes, TheBarrierEndsWithItsParent) {
    auto boss = std::make_unique<Fighter>(stage.get(), 300, 300, "boss", &log);
    CNunoOtokoBarrier barrier(boss.get(), boss.get(), stage.get(), 0, 0, 12.0, 600.0, 10.0, kSideEnemy,
                              kAimKeep, Attack(10), 0.0, true);
    barrier.Update();
    boss.reset();
    barrier.Update();
    EXPECT_TRUE(barrier.IsDead());
}

}  // namespace
