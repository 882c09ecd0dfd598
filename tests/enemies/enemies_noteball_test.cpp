// The note ball: its bounces with and without a note, the attacks that launch it but never hurt
// it, the bodies it is pushed off, and that no door waits for it.
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

#include "enemies/EnemyKinds.h"
#include "enemies/OtoBall001.h"
#include "play/HeroVitals.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

// A hero (it has the hero's vitals) of 20 x 20 centred at (cx, cy), answering a body contact as
// a test says.
class AnsweringHero : public playtest::Target, public IHeroVitals {
  public:
    AnsweringHero(CStage* s, double cx, double cy, int answerIn)
        : Target(s, cx - 10, cy - 10, kCategoryHero, answerIn) {}
    HeroWeaponRecord GetWeapon() const override { return {0, 100}; }
    void SetHealth(int) override {}
};

class NoteBall : public GroundWorld {
  protected:
    // A ball just above the floor, falling at vy; the frame that lands it is run.
    COtoBall001* LandAt(double vy) {
        auto* b = Place<COtoBall001>(300.0, kFloorTop - 20.0 - 0.5, 1);
        b->vx = 0;
        b->ay = 0;
        Frames(1);  // settle on the floor
        b->vy = vy;
        b->wobbleFrames = 0;
        b->colour = 7;  // no colour a note gives
        Frames(1);
        return b;
    }
};

TEST_F(NoteBall, AHardBounceGivesBackMostOfTheSpeedAndPlaysANote) {
    COtoBall001* b = LandAt(300.0);
    EXPECT_DOUBLE_EQ(b->vy, -294.0);
    EXPECT_GE(b->colour, 0);
    EXPECT_LE(b->colour, 4);
    EXPECT_GT(b->wobbleFrames, 40.0);
}

TEST_F(NoteBall, ASoftBounceIsSilentAndKeepsTheColour) {
    COtoBall001* b = LandAt(70.0);
    EXPECT_DOUBLE_EQ(b->vy, -68.6);
    EXPECT_EQ(b->colour, 7);
    EXPECT_EQ(b->wobbleFrames, 0.0);
}

// Launched at 450 along the attack, a batted ball a quarter turn up; always answered 1.
TEST_F(NoteBall, EveryAttackLaunchesItAndNoneHurtsIt) {
    const struct {
        double angle;
        bool batted;
        double vx, vy;
    } rows[] = {{0.0, false, 450.0, 0.0},
                {0.0, true, 0.0, -450.0},
                {std::numbers::pi, true, 0.0, -450.0},
                {std::numbers::pi / 2, false, 0.0, 450.0}};
    for (const auto& row : rows) {
        COtoBall001 b(stage.get(), 100, 100, 0);
        AttackInfo a = Attack(999, row.batted ? kAttackReflectable : -1);
        a.angle = row.angle;
        EXPECT_EQ(b.ReceiveAttack(a), kHitHurt);
        EXPECT_NEAR(b.vx, row.vx, 1e-9);
        EXPECT_NEAR(b.vy, row.vy, 1e-9);
        EXPECT_FALSE(b.isBlown);
        EXPECT_FALSE(b.isDefeated);
    }
}

TEST_F(NoteBall, OtherBodiesPushItAwayAndTheHeroBouncesOrPushes) {
    COtoBall001 b(stage.get(), 100, 100, 0);
    b.UpdateCentre();
    playtest::Target block(stage.get(), b.centerX - 60, b.centerY - 10, kCategoryBlock, kHitHurt);
    EXPECT_EQ(b.Collide(&block), kHitNoEffect);
    EXPECT_TRUE(block.received.empty());
    EXPECT_NEAR(b.vx, 200.0, 1e-9);  // away from the block on its left
    EXPECT_NEAR(b.vy, 0.0, 1e-9);

    // Sharing the hero's category does not make an object the hero: it only pushes the ball.
    playtest::Target lookalike(stage.get(), b.centerX - 60, b.centerY - 10, kCategoryHero, kHitBounced);
    b.vx = 0.0;
    EXPECT_EQ(b.Collide(&lookalike), kHitNoEffect);
    EXPECT_TRUE(lookalike.received.empty());
    EXPECT_NEAR(b.vx, 200.0, 1e-9);

    AnsweringHero stomper(stage.get(), b.centerX, b.centerY - 30, kHitBounced);
    b.vy = -50.0;
    EXPECT_EQ(b.Collide(&stomper), kHitBounced);
    EXPECT_EQ(b.vy, 300.0);
    ASSERT_EQ(stomper.received.size(), 1u);
    EXPECT_EQ(stomper.received[0].flags[kAttackBodyContact], 1);

    AnsweringHero pusher(stage.get(), b.centerX + 50, b.centerY, kHitPushed);
    EXPECT_EQ(b.Collide(&pusher), kHitPushed);
    EXPECT_NEAR(b.vx, -200.0, 1e-9);
}

TEST_F(NoteBall, NoDoorWaitsForTheBall) {
    RegisterEnemyKinds();
    std::unique_ptr<IBase> made(CreateLiveObject("COtoBall001", stage.get(), 100, 100, {true}));
    ASSERT_NE(dynamic_cast<COtoBall001*>(made.get()), nullptr);
    EXPECT_EQ(made->vx, 80.0);
    EXPECT_EQ(made->category, kCategoryMusicBall);
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
    EXPECT_EQ(CObjectRegistry::GetInstance()->CountEnemies(), 0);
}

}  // namespace
