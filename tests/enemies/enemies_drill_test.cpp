// The drill: its endless drill box that changes sides as it turns, its hit points, and its
// going when left far off screen without being marked beaten.
#include <numbers>

#include "enemies/Drill001.h"
#include "play/Hitboxes.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Drill : public GroundWorld {
  protected:
    CDrill001* OnFloor(double x, int facing) {
        auto* d = Place<CDrill001>(x, kFloorTop - 28.0 - 0.5, facing);
        d->SetAreaObjectId(10);
        Table().SetSpawnFlag(10, true);
        return d;
    }
    static int LiveBoxes(const IBase* d) {
        int n = 0;
        for (const auto& c : d->GetChildren()) n += !c->IsDead();
        return n;
    }
};

// The box sits ahead of the drill; the frame it turns at a wall the box is on the other side.
TEST_F(Drill, ItsDrillBoxChangesSidesInTheFrameItTurns) {
    Fill(12, 0, 12, 9, 40);  // a wall from x 384
    CDrill001* d = OnFloor(300, 1);
    Frames(2);
    auto* box = static_cast<CCollisionDetectionRectangle*>(d->GetDrillHitbox());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->attack.damage, 1);
    EXPECT_EQ(box->rehitInterval, 3.0);
    EXPECT_EQ(box->lifetime, CCollisionDetectionBase::kNeverExpires);
    for (int i = 0; i < 300 && d->facing == 1; ++i) {
        Frames(1);
        if (d->facing == 1) {
            EXPECT_GE(d->GetDrillHitbox()->x, d->x) << i;
        }
    }
    ASSERT_EQ(d->facing, 0);
    auto* turned = static_cast<CCollisionDetectionRectangle*>(d->GetDrillHitbox());
    EXPECT_NE(turned, box);
    EXPECT_DOUBLE_EQ(turned->attack.angle, std::numbers::pi);
    Frames(1);
    EXPECT_LT(d->GetDrillHitbox()->x, d->x);
    EXPECT_EQ(LiveBoxes(d), 1);
    Frames(400);  // endless
    EXPECT_EQ(LiveBoxes(d), 1);
}

TEST_F(Drill, ThirtyDamageBeatsItAndAClashShieldsIt) {
    CDrill001 d(stage.get(), 100, 200, 1);
    EXPECT_EQ(d.ReceiveAttack(Attack(29)), kHitHurt);
    d.OnAttackClash(kHitGuarded, Attack(1), Attack(5));
    d.AfterAttackClash();
    EXPECT_EQ(d.state, kDrillRecoil);
    EXPECT_EQ(d.ReceiveAttack(Attack(5)), kHitNoEffect);
    CDrill001 e(stage.get(), 100, 200, 1);
    EXPECT_EQ(e.ReceiveAttack(Attack(30)), kHitDefeated);
}

TEST_F(Drill, LeftFarOffScreenItGoesButItsTileMayBringItBack) {
    CDrill001* d = OnFloor(1500, 1);
    Frames(1);
    EXPECT_TRUE(d->IsDead());
    EXPECT_TRUE(Table().CanSpawn(10));
}

}  // namespace
