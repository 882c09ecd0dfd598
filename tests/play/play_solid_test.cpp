// The solid pass on one pair, with worked numbers: the side found by replaying the frame, the
// push out of the other object and its limit of 300 pixels a second, partly solid objects moving
// apart, and two solid objects meeting side to side.
#include <gtest/gtest.h>

#include "play/SolidSeparation.h"
#include "tests/play/play_world_env.h"

using namespace playtest;

namespace {

class Solid : public WorldTest {
  protected:
    // A box of 20 x 20 that was at (px, py) and is now at (x, y).
    static void Moved(Thing& t, double px, double py, double x, double y) {
        t.prevX = px;
        t.prevY = py;
        t.x = x;
        t.y = y;
        t.UpdateCentre();
    }
};

TEST_F(Solid, TheReplayFindsTheSideThePairMetOn) {
    // a (20 x 20) falls from y 0 to 20 onto b standing at y 30: a was above.
    EXPECT_EQ(FindContactSide(0, 0, 20, 0, 20, 20, 0, 0, 20, 30, 30, 20, false), kContactAbove);
    // a rises from 60 to 40 into b's bottom at 50: a was below.
    EXPECT_EQ(FindContactSide(0, 0, 20, 60, 40, 20, 0, 0, 20, 30, 30, 20, false), kContactBelow);
    // a moves right from 0 to 15 into b at x 30: a was on the left; b moving left into a: the same.
    EXPECT_EQ(FindContactSide(0, 15, 20, 0, 0, 20, 30, 30, 20, 0, 0, 20, false), kContactLeft);
    EXPECT_EQ(FindContactSide(0, 0, 20, 0, 0, 20, 40, 18, 20, 0, 0, 20, false), kContactLeft);
    // Boxes that never overlap on the way have no side.
    EXPECT_EQ(FindContactSide(0, 5, 20, 0, 0, 20, 30, 30, 20, 0, 0, 20, false), kContactNone);
}

// A landing that sank 60 pixels in one frame is put back by 5 pixels (300 x 1/60) a frame, not
// all at once; one that sank 2 is put back whole, its top truncated.
TEST_F(Solid, ACorrectionMovesAtMost300PixelsASecond) {
    Thing a(stage.get(), 0, 0, 20, 20, 29), b(stage.get(), 0, 30, 40, 20, 29);
    Moved(a, 0, 0, 0, 60);
    Moved(b, 0, 30, 0, 30);
    PushApart(&a, &b, kYieldA);
    EXPECT_NEAR(a.y, 5.0, 1e-5);  // the previous top + 5, toward the place it belongs (10)
    EXPECT_TRUE(a.touchBottom);
    EXPECT_EQ(b.y, 30.0);

    Thing c(stage.get(), 0, 0, 20, 20, 29);
    Moved(c, 0, 9.5, 0, 11.5);
    PushApart(&c, &b, kYieldA);
    EXPECT_DOUBLE_EQ(c.y, 10.0);  // trunc(30 - 20)
}

// Two partly solid objects that move apart along their contact do not touch; with one of them
// solid all round they are pushed apart all the same.
TEST_F(Solid, PartlySolidObjectsMovingApartMakeNoContact) {
    Thing a(stage.get(), 0, 0, 20, 20, 29), b(stage.get(), 0, 25, 20, 20, 29);
    a.solidLeft = false;
    b.solidLeft = false;
    Moved(a, 0, 8, 0, 6);  // rising: its bottom from 28 to 26, into b's top at 25
    Moved(b, 0, 25, 0, 25);
    ASSERT_TRUE(a.IsPartlySolidPair(&b));
    PushApart(&a, &b, kYieldA);
    EXPECT_DOUBLE_EQ(a.y, 6.0);
    EXPECT_FALSE(a.touchBottom || a.touchTop || a.touchLeft || a.touchRight);
    EXPECT_FALSE(b.touchBottom || b.touchTop || b.touchLeft || b.touchRight);

    b.solidLeft = true;  // b solid all round: the pair is no longer partly solid
    PushApart(&a, &b, kYieldA);
    EXPECT_DOUBLE_EQ(a.y, 5.0);
    EXPECT_TRUE(a.touchBottom);
    EXPECT_TRUE(b.touchTop);
}

// Solid both ways and met side to side, both yield in proportion to how far each came: a moved 4,
// b 3, so they meet 4/7 of the way across the gap of 5 the previous frame left, at 28.857; the
// speeds into the contact stop.
TEST_F(Solid, TwoSolidObjectsMeetingSideToSideShareTheWay) {
    Relations({{5, 6, 1}, {6, 5, 1}});
    Thing a(stage.get(), 0, 0, 20, 20, 5), b(stage.get(), 0, 0, 20, 20, 6);
    Moved(a, 6, 0, 10, 0);
    Moved(b, 31, 0, 28, 0);
    a.vx = 240;
    b.vx = -180;
    ResolveSolidContact(&a, &b);
    EXPECT_NEAR(b.x, 26 + 4.0 / 7.0 * 5, 1e-9);
    EXPECT_NEAR(a.x, b.x - 20, 1e-9);
    EXPECT_TRUE(a.touchRight);
    EXPECT_TRUE(b.touchLeft);
    EXPECT_EQ(a.vx, 0.0);
    EXPECT_EQ(b.vx, 0.0);
}

}  // namespace
