// The thrower: the reach in which it throws (224 ahead, 192 above), what it throws and from
// where, its jump before a high or far throw, and its hit points.
#include "enemies/Nageru001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Thrower : public GroundWorld {
  protected:
    void SetUp() override {
        GroundWorld::SetUp();
        RecordShots({"CVolleyball", "CRollingRock"});
    }
    CNageru001* OnFloor(double x, int kind) {
        auto* t = Place<CNageru001>(x, kFloorTop - 36.0 - 0.5, 1, kind);
        Frames(2);
        return t;
    }
};

// Facing right, the hero's centre 224 ahead is in reach and 225 is not; 192 above is, 193 not.
TEST_F(Thrower, ItThrowsAtTwoHundredTwentyFourButNotAtTwoHundredTwentyFive) {
    const struct {
        double dx, dy;
        bool throws;
    } rows[] = {{0, 0, true},    {224, 0, true},    {225, 0, false},
                {-10, 0, false}, {100, -192, true}, {100, -193, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dx * 1000 + row.dy);
        CNageru001 t(stage.get(), 300, 200, 1, 0);
        t.UpdateCentre();
        playtest::Target hero(stage.get(), t.centerX + row.dx - 10, t.centerY + row.dy - 10, kCategoryHero,
                              kHitHurt);
        scene.hero = &hero;
        EXPECT_EQ(t.IsHeroInThrowRange(), row.throws);
        scene.hero = nullptr;
    }
}

// The volleyball thrower waits 45 frames, winds up 25 and throws from above its head; the rock
// thrower waits 65 and throws slower.
TEST_F(Thrower, EachKindThrowsItsOwnShotAfterItsOwnWait) {
    for (int kind : {0, 1}) {
        SCOPED_TRACE(kind);
        CObjectRegistry::GetInstance()->Clear();
        fired.clear();
        CNageru001* t = OnFloor(300, kind);
        PlaceHero(t->centerX + 100, t->centerY);
        // The clocks are set on the threshold, so that a frame time that is not exactly 1/60
        // cannot move the step by a frame.
        t->stateFrames = kind == 0 ? 45.0 : 65.0;
        Frames(1);
        EXPECT_EQ(t->state, kThrowWait);
        Frames(1);
        EXPECT_EQ(t->state, kThrowWindUp);
        t->stateFrames = 25.0;
        Frames(1);
        EXPECT_TRUE(fired.empty());
        Frames(1);
        ASSERT_EQ(fired.size(), 1u);
        const FiredShot& s = fired[0];
        EXPECT_EQ(s.shot, kind == 0 ? "CVolleyball" : "CRollingRock");
        EXPECT_EQ(s.vx, kind == 0 ? 200.0 : 140.0);
        EXPECT_EQ(s.vy, -250.0);
        EXPECT_FALSE(s.heroSide);
        EXPECT_NEAR(s.x, t->centerX + 14, 1.0);
        EXPECT_EQ(t->state, kThrowDone);
        EXPECT_FALSE(t->onGround && t->vy < 0);  // a near hero at its height: no jump
    }
}

TEST_F(Thrower, ItJumpsBeforeAFarOrHighThrowOnlyFromTheGround) {
    const struct {
        double dx, dy;
        bool jumps;
    } rows[] = {{144, 0, false}, {145, 0, true}, {50, -120, false}, {50, -140, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dx * 1000 + row.dy);
        CObjectRegistry::GetInstance()->Clear();
        CNageru001* t = OnFloor(300, 0);
        PlaceHero(t->centerX + row.dx, t->centerY + row.dy);
        Frames(44);
        EXPECT_EQ(t->state, kThrowWindUp);
        EXPECT_EQ(t->vy < 0, row.jumps);
    }
}

TEST_F(Thrower, TenDamageBeatsItAtOnce) {
    CNageru001 t(stage.get(), 300, 200, 1, 1);
    EXPECT_EQ(t.ReceiveAttack(Attack(9)), kHitHurt);
    CNageru001 u(stage.get(), 300, 200, 1, 1);
    EXPECT_EQ(u.ReceiveAttack(Attack(10)), kHitDefeated);
    EXPECT_TRUE(u.isDefeated);
}

TEST_F(Thrower, WithoutAShotClassNothingIsThrownAndItCarriesOn) {
    ClearLiveObjectCreators();
    CNageru001* t = OnFloor(300, 0);
    PlaceHero(t->centerX + 100, t->centerY);
    Frames(80);
    EXPECT_EQ(t->state, kThrowDone);
    EXPECT_EQ(All<playtest::Thing>().size(), 1u);  // the hero alone
}

}  // namespace
