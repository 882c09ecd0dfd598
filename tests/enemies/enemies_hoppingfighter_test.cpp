// The hopping fighter: the reach of each variant's attack, the hop away of the thrower, the
// bar swing's lunge and box, the turn after a jump that got nowhere, and the clash guard.
#include <numbers>
#include <string>

#include "enemies/Megane001.h"
#include "play/Hitboxes.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class HoppingFighter : public GroundWorld {
  protected:
    CMegane001* OnFloor(double x, int variant, int facing = 1) {
        auto* m = Place<CMegane001>(x, kFloorTop - 36.0 - 0.5, facing, variant);
        Frames(3);
        return m;
    }
};

// On the ground, variant 0 reaches 80 ahead at about its height, variant 1 between 64 and 160.
TEST_F(HoppingFighter, EachVariantAttacksOnlyWithinItsOwnReach) {
    const struct {
        int variant;
        double dx, dy;
        bool inRange;
    } rows[] = {{0, 79, 0, true},   {0, 80, 0, false},    {0, 40, 31, true},  {0, 40, 32, false},
                {0, -40, 0, false}, {1, 64, 0, false},    {1, 65, 0, true},   {1, 159, 0, true},
                {1, 160, 0, false}, {1, 100, -159, true}, {1, 100, 95, true}, {1, 100, 96, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.variant) + " " + std::to_string(row.dx) + " " +
                     std::to_string(row.dy));
        CObjectRegistry::GetInstance()->Clear();
        scene.hero = nullptr;
        Fill(0, 10, 59, 10, row.dy > 0 ? 0 : 40);
        Fill(0, 14, 59, 14, 40);
        CMegane001 m(stage.get(), 300, kFloorTop - 36.0, 1, row.variant);
        m.onGround = true;
        m.UpdateCentre();
        PlaceHero(m.centerX + row.dx, m.centerY + row.dy);
        EXPECT_EQ(m.IsHeroInAttackRange(), row.inRange);
    }
}

TEST_F(HoppingFighter, TheThrowerHopsAwayFromAHeroWithinSixtyFour) {
    CMegane001* m = OnFloor(300, 1);
    PlaceHero(m->centerX + 40, m->centerY);
    Frames(1);
    EXPECT_EQ(m->state, kHopAway);
    EXPECT_EQ(m->vx, -200.0);
    EXPECT_EQ(m->facing, 1);  // still looking at him
}

// Winding up on the ground, the bar fighter lunges forward at 200 with a swing box of 15.
TEST_F(HoppingFighter, TheBarSwingLungesWithItsBox) {
    CMegane001* m = OnFloor(300, 0);
    PlaceHero(m->centerX + 50, m->centerY);
    Frames(1);
    ASSERT_EQ(m->state, kHopWindUp);
    m->stateFrames = 35.0;  // on the threshold
    Frames(1);
    EXPECT_EQ(m->state, kHopWindUp);
    Frames(1);
    ASSERT_EQ(m->state, kHopRecover);
    EXPECT_GT(m->vx, 150.0);
    auto* box = static_cast<CCollisionDetectionRectangle*>(m->GetSwingHitbox());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->attack.damage, 15);
    EXPECT_EQ(box->lifetime, 6.0);
    EXPECT_DOUBLE_EQ(box->attack.angle, -0.25 * std::numbers::pi);
}

TEST_F(HoppingFighter, AJumpThatGotNowhereTurnsItRound) {
    Fill(11, 0, 11, 9, 40);  // a wall from x 352
    Fill(0, 0, 59, 6, 40);   // and a low ceiling: the jump lands where it began
    CMegane001* m = OnFloor(330, 0, 1);
    bool turned = false;
    for (int i = 0; i < 120 && !turned; ++i) {
        Frames(1);
        turned = m->facing == 0;
    }
    EXPECT_TRUE(turned);
}

TEST_F(HoppingFighter, AfterAClashItTakesNoBlowForTheRestOfThePass) {
    CMegane001 m(stage.get(), 300, 200, 1, 0);
    m.OnAttackClash(kHitGuarded, Attack(15), Attack(10));
    m.AfterAttackClash();
    EXPECT_EQ(m.state, kHopRecoil);
    EXPECT_EQ(m.ReceiveAttack(Attack(50)), kHitNoEffect);
    EXPECT_EQ(m.hitPoints, 30);
    CMegane001 n(stage.get(), 300, 200, 1, 1);
    EXPECT_EQ(n.ReceiveAttack(Attack(30)), kHitDefeated);
}

TEST_F(HoppingFighter, ItJumpsTheHerosSwingOnlyWhileWalkingOnTheGround) {
    CMegane001* m = OnFloor(300, 0);
    m->OnHeroAttackStarted();
    EXPECT_EQ(m->vy, -320.0);
    m->vy = 0;
    m->SetState(kHopRecoil);
    m->OnHeroAttackStarted();
    EXPECT_EQ(m->vy, 0.0);
}

}  // namespace
