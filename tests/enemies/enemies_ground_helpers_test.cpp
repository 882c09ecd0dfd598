// The pieces the ground enemies share: the kept child that never dangles, the launch angle of
// a batted body, the landing speed of an aimed arc and the stomp wobble.
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

#include "enemies/GroundHelpers.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class GroundHelpers : public GroundWorld {};

// Set replaces, Clear forgets; a child already gone, a null child or a second Clear do nothing.
TEST_F(GroundHelpers, AKeptChildIsForgottenWhenItGoesAndClearingTwiceIsHarmless) {
    auto* holder = Spawn(100, 100, 20, 20, kCategoryDefault);
    CKeptChild kept;
    kept.Clear(holder);  // nothing kept yet
    auto madeFirst = std::make_unique<playtest::Thing>(stage.get(), 0, 0, 4, 4, kCategoryDefault);
    playtest::Thing* first = madeFirst.get();
    kept.Set(holder, std::move(madeFirst));
    EXPECT_EQ(kept.Get(), first);
    auto madeSecond = std::make_unique<playtest::Thing>(stage.get(), 0, 0, 4, 4, kCategoryDefault);
    playtest::Thing* second = madeSecond.get();
    kept.Set(holder, std::move(madeSecond));
    EXPECT_TRUE(first->IsDead());
    EXPECT_EQ(kept.Get(), second);
    Frames(2);
    ASSERT_EQ(holder->GetChildren().size(), 1u);

    second->Kill();  // gone by itself
    Frames(2);
    EXPECT_EQ(kept.Get(), nullptr);
    kept.Clear(holder);
    kept.Clear(holder);
    kept.Set(holder, nullptr);
    EXPECT_EQ(kept.Get(), nullptr);
    EXPECT_TRUE(holder->GetChildren().empty());
}

TEST_F(GroundHelpers, ABattedBodyGoesOffAQuarterTurnUpward) {
    const struct {
        double angle;
        bool batted;
        double expected;
    } rows[] = {{0.0, false, 0.0},
                {0.0, true, -std::numbers::pi / 2},
                {std::numbers::pi, true, 1.5 * std::numbers::pi},
                {0.3, true, 0.3 - std::numbers::pi / 2}};
    for (const auto& row : rows) {
        AttackInfo a = Attack(0, row.batted ? kAttackReflectable : -1);
        a.angle = row.angle;
        const double got = LaunchAngle(a);
        EXPECT_NEAR(std::cos(got), std::cos(row.expected), 1e-12);
        EXPECT_NEAR(std::sin(got), std::sin(row.expected), 1e-12);
    }
}

TEST_F(GroundHelpers, AnAimedArcComesDownOnItsTargetWithinItsSpeedLimit) {
    const double t = 2 * 400.0 / 450.0;  // up and back down to the same height
    EXPECT_NEAR(CalcLandingSpeedX(0, 0, 100, 0, -400.0, 450.0, 200.0), 100.0 / t, 1e-9);
    EXPECT_EQ(CalcLandingSpeedX(0, 0, 1000, 0, -400.0, 450.0, 200.0), 200.0);
    EXPECT_EQ(CalcLandingSpeedX(0, 0, -1000, 0, -400.0, 450.0, 200.0), -200.0);
    EXPECT_TRUE(std::isfinite(CalcLandingSpeedX(0, 0, 50, 0, 0.0, 0.0, 500.0)));  // no gravity, no climb
}

TEST_F(GroundHelpers, TheStompWobbleSettlesAtThirtyFrames) {
    EXPECT_EQ(StompWobble(0.0), 1.0);
    EXPECT_NE(StompWobble(4.0), 1.0);
    EXPECT_EQ(StompWobble(30.0), 1.0);
    EXPECT_EQ(StompWobble(100.0), 1.0);
}

}  // namespace
