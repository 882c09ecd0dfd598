// One object on its own: shape edges, the motion step, children, and keeping out of the map.
#include <cmath>

#include "play/MapCollision.h"
#include "tests/play/play_world_env.h"

using namespace playtest;

namespace {

class Objects : public WorldTest {};

const double kDt = static_cast<double>(1.0f / 60.0f);  // the fixture's frame time, as the engine keeps it

// ---- Shapes ----

TEST_F(Objects, EdgesFollowTheShape) {
    Thing t(stage.get(), 100, 50, 20, 10, 29);
    t.radius = 8;
    t.shapeType = kShapePoint;
    EXPECT_EQ(t.GetLeft(), t.GetRight());
    EXPECT_EQ(t.GetTop(), t.GetBottom());
    EXPECT_EQ(t.GetWidth(), 1.0);
    EXPECT_EQ(t.GetRadius(), 1.0);
    t.shapeType = kShapeQuarterUpLeft;
    EXPECT_EQ(t.GetLeft(), 92);
    EXPECT_EQ(t.GetRight(), 100);
    EXPECT_EQ(t.GetBottom(), 50);
    t.SetTop(10);
    EXPECT_EQ(t.y, 18);
    t.shapeType = kShapeQuarterUpRight;
    EXPECT_EQ(t.GetLeft(), 100);
    EXPECT_EQ(t.GetRight(), 108);
    t.SetLeft(0);  // only the up-left quarter and the circle keep x at the centre
    EXPECT_EQ(t.x, 0);
    t.shapeType = kShapeCircle;
    t.SetBottom(30);
    EXPECT_EQ(t.y, 22);
    t.shapeType = kShapeRect;
    EXPECT_DOUBLE_EQ(t.GetRadius(), 0.5 * std::sqrt(500.0));
    t.SetBottom(30);
    EXPECT_EQ(t.GetTop(), 20);
}

// Only a rectangle is placed by its corner: a shapeless object (type 5) centres on (x, y) like
// the round shapes and the point.
TEST_F(Objects, CentreIsTheMiddleOfARectangleAndThePositionOfEveryOtherShape) {
    Thing t(stage.get(), 100, 50, 20, 10, 29);
    t.UpdateCentre();
    EXPECT_EQ(t.centerX, 110);
    EXPECT_EQ(t.centerY, 55);
    for (int shape : {kShapePoint, kShapeCircle, kShapeQuarterUpLeft, kShapeQuarterUpRight, kShapeNone}) {
        t.shapeType = shape;
        t.UpdateCentre();
        EXPECT_EQ(t.centerX, 100) << shape;
        EXPECT_EQ(t.centerY, 50) << shape;
    }
}

TEST_F(Objects, OverlapsCountTouchingAndRespectQuarters) {
    Thing a(stage.get(), 0, 0, 10, 10, 29), b(stage.get(), 10, 10, 5, 5, 29);
    EXPECT_TRUE(TestShapeOverlap(&a, &b));  // corners touch
    b.x = 10.5;
    EXPECT_FALSE(TestShapeOverlap(&a, &b));
    // A quarter opening up-left at (50, 50) r 20 reaches a point up-left of it, not down-right.
    Thing q(stage.get(), 50, 50, 0, 0, 29), p(stage.get(), 40, 40, 0, 0, 29);
    q.shapeType = kShapeQuarterUpLeft;
    q.radius = 20;
    p.shapeType = kShapePoint;
    EXPECT_TRUE(TestShapeOverlap(&q, &p));
    EXPECT_TRUE(TestShapeOverlap(&p, &q));
    p.x = p.y = 60;
    EXPECT_FALSE(TestShapeOverlap(&q, &p));
    q.shapeType = kShapeNone;
    p.x = p.y = 50;
    EXPECT_FALSE(TestShapeOverlap(&q, &p));
}

// ---- Motion ----

TEST_F(Objects, SpeedBoundsHoldOnEachSide) {
    Thing t(stage.get(), 0, 0, 10, 10, 29);
    t.ignoresMap = true;
    t.vx = 1200;
    t.Move();
    EXPECT_EQ(t.vx, 1000);
    t.vx = -1200;
    t.maxSpeedLeft = 300;
    t.Move();
    EXPECT_EQ(t.vx, -300);
    t.vy = 1000;
    t.Move();
    EXPECT_EQ(t.vy, 1000);
}

TEST_F(Objects, IceScalesOnlyTheAcceleration) {
    Fill(0, 10, 39, 10, 44);   // solid ice
    Fill(20, 10, 39, 10, 40);  // rock from column 20
    Thing t(stage.get(), 100, 320 - 20, 10, 20, 29);
    t.usesGroundFriction = true;
    t.ax = 400;
    t.Move();
    EXPECT_NEAR(t.vx, 100 * kDt, 1e-9);
    EXPECT_TRUE(t.onSlipperyGround);
    // Middle over rock decides, left foot over ice does not.
    t.x = 640 - 4;
    t.vx = 0;
    t.Move();
    EXPECT_NEAR(t.vx, 400 * kDt, 1e-9);
    EXPECT_FALSE(t.onSlipperyGround);
    // With no acceleration the speed is kept on ice.
    t.x = 100;
    t.ax = 0;
    t.vx = 50;
    t.Move();
    EXPECT_EQ(t.vx, 50);
}

TEST_F(Objects, ConveyorCarriesGroundedObjectsButNotRiders) {
    Fill(0, 10, 39, 10, 227);  // +100 px/s
    Thing t(stage.get(), 100, 300, 10, 20, 29), lift(stage.get(), 0, 0, 10, 10, 8);
    t.Move();
    EXPECT_NEAR(t.x, 100 + 100 * kDt, 1e-9);
    t.conveyorFactor = 0.5;
    t.x = 100;
    t.Move();
    EXPECT_NEAR(t.x, 100 + 50 * kDt, 1e-9);
    CObjectRegistry::GetInstance();
    t.riddenObject = &lift;
    t.x = 100;
    t.Move();
    EXPECT_EQ(t.x, 100);
}

TEST_F(Objects, AttachedChildFollowsItsParentPlusItsOwnMotion) {
    Thing parent(stage.get(), 200, 100, 10, 10, 29);
    Thing child(stage.get(), 5, -3, &parent);
    child.attachedToParent = true;
    child.vx = 60;
    EXPECT_EQ(child.x, 205);
    Fill(0, 0, 39, 19, 227);  // a conveyor everywhere moves no attached child
    parent.x = 300;
    child.Move();
    EXPECT_NEAR(child.x, 306, 1e-6);
    EXPECT_NEAR(child.parentOffsetX, 6, 1e-6);
}

TEST_F(Objects, ChildrenJoinAtHousekeepingAndDieWithTheirParent) {
    bool childGone = false, riderGone = false;
    Thing* parent = Spawn(0, 0, 10, 10, 29);
    Thing* rider = Spawn(0, -20, 10, 10, 29);
    rider->destroyed = &riderGone;
    auto childOwned = std::make_unique<Thing>(stage.get(), 0, 0, 4, 4, 29);
    Thing* child = childOwned.get();
    child->destroyed = &childGone;
    EXPECT_FALSE(parent->AddChild(std::unique_ptr<IBase>()));
    EXPECT_TRUE(parent->AddChild(std::move(childOwned)));
    EXPECT_FALSE(CObjectRegistry::Contains(child->GetHandle()));  // pending
    Frames(1);
    EXPECT_EQ(child->updates, 1);  // adopted before the update list was made
    EXPECT_TRUE(CObjectRegistry::Contains(child->GetHandle()));
    parent->RemoveChild(child);
    EXPECT_EQ(parent->GetChildren().size(), 1u);  // still there until the housekeeping
    parent->riders.push_back(rider);
    parent->Kill();
    Frames(1);
    EXPECT_TRUE(childGone);
    EXPECT_FALSE(riderGone);
    rider->destroyed = nullptr;  // it lives on past this test's locals, until the teardown
}

TEST_F(Objects, HandlesOutliveTheirObjectWithoutAliasingANewOne) {
    auto a = std::make_unique<Thing>(stage.get(), 0, 0, 1, 1, 29);
    ObjectHandle h = a.get();
    EXPECT_EQ(h.Get(), a.get());
    a.reset();
    EXPECT_EQ(h.Get(), nullptr);
    Thing b(stage.get(), 0, 0, 1, 1, 29);  // may well reuse the slot and the address
    EXPECT_EQ(h.Get(), nullptr);
    EXPECT_EQ(ObjectHandle(&b).Get(), &b);
}

TEST_F(Objects, DrawOrderComparatorsReadOneFlag) {
    Thing a(stage.get(), 0, 0, 10, 10, 29), b(stage.get(), 0, 50, 10, 10, 29);
    EXPECT_FALSE(IBase::DrawsBefore(&a, &b));
    EXPECT_FALSE(IBase::DrawsBefore(&b, &a));
    a.sortByBottom = 1;
    EXPECT_TRUE(IBase::DrawsBefore(&a, &b));
    EXPECT_TRUE(IBase::DrawsAfter(&b, &a));   // a's flag: bottoms
    EXPECT_FALSE(IBase::DrawsAfter(&a, &b));  // b's flag: equal priorities
}

// ---- Map ----

TEST_F(Objects, LandingIsCappedToFourPixelsPerFrameAndEndsRiding) {
    Fill(0, 10, 39, 10, 40);
    Thing t(stage.get(), 100, 305, 10, 20, 29);  // 5 px into the floor
    t.prevX = 100;
    t.prevY = 290;
    t.vy = 900;
    t.ResolveMapCollision();
    EXPECT_NEAR(t.GetBottom(), 320, 0.5);
    EXPECT_TRUE(t.touchBottom && t.mapBottom);
    EXPECT_NEAR(t.vy, 4 * 60.0, 1e-3);
    t.stopOnTouchBottom = false;
    t.vy = 900;
    t.ResolveMapCollision();
    EXPECT_EQ(t.vy, 900);
}

TEST_F(Objects, EscapeFromACornerGoesBackAndAway) {
    Fill(3, 3, 3, 3, 40);                        // the tile 96..127 x 96..127
    Thing t(stage.get(), 120, 120, 20, 20, 29);  // top-left corner inside the chip
    t.prevX = 110;
    t.prevY = 110;
    t.vx = 50;
    t.EscapeFromSolid();
    EXPECT_NEAR(t.x, 110 + 70 * kDt, 1e-9);
    EXPECT_NEAR(t.y, 110 + 70 * kDt, 1e-9);
    // Inside rock on both top corners: straight down.
    Fill(4, 3, 4, 3, 40);
    t.x = 110;
    t.y = 110;
    t.EscapeFromSolid();
    EXPECT_NEAR(t.y, 110 + 100 * kDt, 1e-9);
    EXPECT_NEAR(t.x, 110, 1e-9);
}

TEST_F(Objects, OneWayPlatformsHoldFromAboveAndMakeNoLedge) {
    Fill(2, 10, 4, 10, 24);  // one-way platform, columns 2..4 (64..159)
    Thing t(stage.get(), 140, 299, 18, 20, 29);
    EXPECT_FALSE(t.IsAtLedge(1));  // 159 is still platform
    t.x = 141;
    EXPECT_TRUE(t.IsAtLedge(1));
    EXPECT_FALSE(t.IsAtLedge(0));
    EXPECT_FALSE(t.IsAtLedge(2));
    Thing lift(stage.get(), 100, 319, 58, 10, 8);
    t.x = 140;
    t.riddenObject = &lift;
    EXPECT_FALSE(t.IsAtLedge(1));  // 159 is the lift's right edge too
    t.x = 140.5;
    EXPECT_TRUE(t.IsAtLedge(1));
    EXPECT_TRUE(IsPassableAtPixel(*stage->GetArea(0), 70, 321));
    EXPECT_FALSE(IsPassableAtPixelFrom(*stage->GetArea(0), 70, 321, 3));
}

TEST_F(Objects, HeroQueriesGoThroughTheScene) {
    Thing self(stage.get(), 0, 0, 10, 10, 29), hero(stage.get(), 100, 0, 10, 10, 0);
    self.UpdateCentre();
    hero.UpdateCentre();
    EXPECT_EQ(self.GetDistanceXToHero(), 0.0);
    scene.hero = &hero;
    EXPECT_EQ(self.GetDistanceXToHero(), 100.0);
    EXPECT_TRUE(self.IsHeroInSight());
    Fill(2, 0, 2, 0, 40);
    EXPECT_FALSE(self.IsHeroInSight());
    scene.hero = nullptr;
}

}  // namespace
