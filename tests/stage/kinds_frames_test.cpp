// The extent frames drawn in the editor: lift outlines and courses, block outlines, the reach of
// the iron ball, the air gears and the switch bomb, the tornadoes' range marks.
#include "engine/el/elDraw.h"
#include "kinds_env.h"
#include "platform/headless.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Enemies.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "tests/common/headless_test.h"

namespace {

using kindstest::KindsTest;
using kindstest::StrokeNear;
using Shape = ExtentStroke::Shape;

constexpr int kTileX = 10, kTileY = 5;
// Screen position of X(a) = (tile x + a) x 32 and Y(b) = (tile y + b) x 32 under the reset camera.
int SX(double a) { return kindstest::ScreenXOf((kTileX + a) * 32); }
int SY(double b) { return kindstest::ScreenYOf((kTileY + b) * 32); }

template <class Kind>
std::vector<ExtentStroke> StrokesOf(CStageAreaObject* object) {
    auto* kind = dynamic_cast<Kind*>(object);
    EXPECT_NE(kind, nullptr);
    return kind ? kind->GetExtentStrokes() : std::vector<ExtentStroke>{};
}

TEST_F(KindsTest, FourTileLiftsWithCourses) {
    // Horizontal round trip: outline, course from X(-4) to X(5) at Y(0.25), end marks.
    std::vector<ExtentStroke> h =
        StrokesOf<CStageAreaObject_HorizontalLift001>(Place("HorizontalLift001", kTileX, kTileY));
    ASSERT_EQ(h.size(), 4u);
    EXPECT_TRUE(StrokeNear(h[0], Shape::RectOutline, SX(-1.5), SY(0), SX(2.5), SY(0.5), kFrameGreen));
    EXPECT_TRUE(StrokeNear(h[1], Shape::Line, SX(-4), SY(0.25), SX(5), SY(0.25), kFrameWhite));
    EXPECT_TRUE(StrokeNear(h[2], Shape::Line, SX(-4), SY(0), SX(-4), SY(0.5), kFrameWhite));
    EXPECT_TRUE(StrokeNear(h[3], Shape::Line, SX(5), SY(0), SX(5), SY(0.5), kFrameWhite));

    table->Clear();
    std::vector<ExtentStroke> v =
        StrokesOf<CStageAreaObject_VerticalLift002>(Place("VerticalLift002", kTileX, kTileY));
    ASSERT_EQ(v.size(), 4u);
    EXPECT_TRUE(StrokeNear(v[0], Shape::RectOutline, SX(-1.5), SY(0), SX(2.5), SY(0.5), kFrameGreen));
    EXPECT_TRUE(StrokeNear(v[1], Shape::Line, SX(0.5), SY(-2.5), SX(0.5), SY(3), kFrameWhite));
    EXPECT_TRUE(StrokeNear(v[2], Shape::Line, SX(-1.5), SY(-2.5), SX(2.5), SY(-2.5), kFrameWhite));
    EXPECT_TRUE(StrokeNear(v[3], Shape::Line, SX(-1.5), SY(3), SX(2.5), SY(3), kFrameWhite));
}

TEST_F(KindsTest, TravellingLiftsShowHowFarTheyGo) {
    std::vector<ExtentStroke> r =
        StrokesOf<CStageAreaObject_RightMoveLift001>(Place("RightMoveLift001", kTileX, kTileY));
    ASSERT_EQ(r.size(), 3u);
    EXPECT_TRUE(StrokeNear(r[0], Shape::RectOutline, SX(-1), SY(0), SX(2), SY(0.75), kFrameGreen));
    EXPECT_TRUE(StrokeNear(r[1], Shape::Line, SX(2), SY(0.375), SX(14), SY(0.375), kFrameWhite));
    EXPECT_TRUE(StrokeNear(r[2], Shape::Line, SX(14), SY(0), SX(14), SY(0.75), kFrameWhite));

    table->Clear();
    std::vector<ExtentStroke> l =
        StrokesOf<CStageAreaObject_LeftMoveLift001>(Place("LeftMoveLift001", kTileX, kTileY));
    ASSERT_EQ(l.size(), 3u);
    EXPECT_TRUE(StrokeNear(l[1], Shape::Line, SX(-13), SY(0.375), SX(-1), SY(0.375), kFrameWhite));
    EXPECT_TRUE(StrokeNear(l[2], Shape::Line, SX(-13), SY(0), SX(-13), SY(0.75), kFrameWhite));

    table->Clear();
    std::vector<ExtentStroke> u =
        StrokesOf<CStageAreaObject_RisingLift001>(Place("RisingLift001", kTileX, kTileY));
    ASSERT_EQ(u.size(), 3u);
    EXPECT_TRUE(StrokeNear(u[0], Shape::RectOutline, SX(-1), SY(0), SX(2), SY(0.75), kFrameGreen));
    EXPECT_TRUE(StrokeNear(u[1], Shape::Line, SX(0.5), SY(-10.5), SX(0.5), SY(0), kFrameWhite));
    EXPECT_TRUE(StrokeNear(u[2], Shape::Line, SX(-1), SY(-10.5), SX(2), SY(-10.5), kFrameWhite));
}

TEST_F(KindsTest, PlatformOnlyLiftOutlines) {
    struct Case {
        const char* key;
        double left, right;
    } cases[] = {{"FallingLift001", -1.5, 2.5},
                 {"CustomLift001", -1.5, 2.5},
                 {"CloudLift001", -1, 2},
                 {"WideLift001", -3, 4},
                 {"WideLift004", -3, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        table->Clear();
        CStageAreaObject* lift = Place(c.key, kTileX, kTileY);
        std::vector<ExtentStroke> strokes;
        if (auto* custom = dynamic_cast<CStageAreaObject_CustomLift001*>(lift)) {
            strokes = custom->GetExtentStrokes();
        } else if (auto* falling = dynamic_cast<CStageAreaObject_FallingLift001*>(lift)) {
            strokes = falling->GetExtentStrokes();
        } else if (auto* cloud = dynamic_cast<CStageAreaObject_CloudLift001*>(lift)) {
            strokes = cloud->GetExtentStrokes();
        } else if (auto* w1 = dynamic_cast<CStageAreaObject_WideLift001*>(lift)) {
            strokes = w1->GetExtentStrokes();
        } else if (auto* w4 = dynamic_cast<CStageAreaObject_WideLift004*>(lift)) {
            strokes = w4->GetExtentStrokes();
        }
        ASSERT_EQ(strokes.size(), 1u);
        EXPECT_TRUE(
            StrokeNear(strokes[0], Shape::RectOutline, SX(c.left), SY(0), SX(c.right), SY(0.5), kFrameGreen));
    }
}

TEST_F(KindsTest, BlockOutlines) {
    std::vector<ExtentStroke> wood =
        StrokesOf<CStageAreaObject_WoodBlock002>(Place("WoodBlock002", kTileX, kTileY));
    ASSERT_EQ(wood.size(), 1u);
    EXPECT_TRUE(StrokeNear(wood[0], Shape::RectOutline, SX(0), SY(-1), SX(2), SY(1), kFrameGreen));
    std::vector<ExtentStroke> stone =
        StrokesOf<CStageAreaObject_StoneBlock004>(Place("StoneBlock004", kTileX + 3, kTileY));
    ASSERT_EQ(stone.size(), 1u);
    EXPECT_TRUE(StrokeNear(stone[0], Shape::RectOutline, SX(3), SY(-1.5), SX(5), SY(1), kFrameGreen));
    std::vector<ExtentStroke> low =
        StrokesOf<CStageAreaObject_StoneBlock002>(Place("StoneBlock002", kTileX + 6, kTileY));
    EXPECT_TRUE(StrokeNear(low[0], Shape::RectOutline, SX(6), SY(-1), SX(8), SY(1), kFrameGreen));
}

TEST_F(KindsTest, HazardReach) {
    std::vector<ExtentStroke> ball =
        StrokesOf<CStageAreaObject_IronBall001>(Place("IronBall001", kTileX, kTileY));
    ASSERT_EQ(ball.size(), 1u);
    EXPECT_TRUE(StrokeNear(ball[0], Shape::Circle, SX(0.5), SY(0.5), 48, 0, kFrameRed));
    std::vector<ExtentStroke> gear =
        StrokesOf<CStageAreaObject_AirGear002>(Place("AirGear002", kTileX, kTileY + 1));
    ASSERT_EQ(gear.size(), 2u);
    EXPECT_TRUE(StrokeNear(gear[0], Shape::Circle, SX(0.5), SY(1.5), 96, 0, kFrameRed));
    EXPECT_TRUE(StrokeNear(gear[1], Shape::Circle, SX(0.5), SY(1.5), 64, 0, kFrameRed));
    std::vector<ExtentStroke> bomb =
        StrokesOf<CStageAreaObject_SwitchBomb001>(Place("SwitchBomb001", kTileX, kTileY + 2));
    ASSERT_EQ(bomb.size(), 1u);
    EXPECT_TRUE(StrokeNear(bomb[0], Shape::RectOutline, SX(-0.25), SY(2), SX(1.25), SY(2.95), kFrameGreen));
}

TEST_F(KindsTest, TornadoRangeMarks) {
    std::vector<ExtentStroke> h = StrokesOf<CStageAreaObject_Enemy>(Place("Tornado001", kTileX, kTileY));
    ASSERT_EQ(h.size(), 3u);
    EXPECT_TRUE(StrokeNear(h[0], Shape::Line, SX(-2.5), SY(0.5), SX(3.5), SY(0.5), kFrameWhite));
    EXPECT_TRUE(StrokeNear(h[1], Shape::Line, SX(-2.5), SY(0), SX(-2.5), SY(1), kFrameWhite));
    EXPECT_TRUE(StrokeNear(h[2], Shape::Line, SX(3.5), SY(0), SX(3.5), SY(1), kFrameWhite));
    table->Clear();
    std::vector<ExtentStroke> v = StrokesOf<CStageAreaObject_Enemy>(Place("Tornado002", kTileX, kTileY));
    ASSERT_EQ(v.size(), 3u);
    EXPECT_TRUE(StrokeNear(v[0], Shape::Line, SX(0.5), SY(-2.5), SX(0.5), SY(3.5), kFrameWhite));
    EXPECT_TRUE(StrokeNear(v[1], Shape::Line, SX(0), SY(-2.5), SX(1), SY(-2.5), kFrameWhite));
    EXPECT_TRUE(StrokeNear(v[2], Shape::Line, SX(0), SY(3.5), SX(1), SY(3.5), kFrameWhite));
}

TEST_F(KindsTest, FramesFollowTheCamera) {
    // The camera centred on world (1000, 500): world x shows at 320 + x - 1000.
    CCamera::GetInstance()->SetTarget(1000, 500, 0);
    std::vector<ExtentStroke> wood = StrokesOf<CStageAreaObject_WoodBlock001>(Place("WoodBlock001", 40, 20));
    ASSERT_EQ(wood.size(), 1u);
    EXPECT_TRUE(StrokeNear(wood[0], Shape::RectOutline, 320 + 1280 - 1000, 240 + 608 - 500, 320 + 1344 - 1000,
                           240 + 672 - 500, kFrameGreen));
    CCamera::GetInstance()->Reset();
}

// The frames reach the screen in their colours.
class KindsDrawTest : public kindstest::KindsTestOn<testsupport::HeadlessTest> {
  protected:
    void SetUp() override {
        KindsTestOn::SetUp();
        if (HasFatalFailure()) return;
        elDraw::ClearScreen();
    }
    uint32_t Pixel(int x, int y) { return elDraw::BackBuffer().Row(y)[x] & 0xFFFFFF; }
};

TEST_F(KindsDrawTest, OutlinesAndCoursesAreDrawnInGreenAndWhite) {
    // A rising lift on tile (0, 0): outline from (288, 240) to (384, 264), course up from (336, 240)
    // to (336, -96).
    CStageAreaObject* lift = Place("RisingLift001", 0, 0);
    lift->DrawExtentFrame();
    EXPECT_EQ(Pixel(300, 240), 0x00FF00u);  // outline top edge
    EXPECT_EQ(Pixel(336, 100), 0xFFFFFFu);  // course
    EXPECT_EQ(Pixel(300, 100), 0x000000u);
    CStageAreaObject* ball = Place("IronBall001", -3, -3);  // centre (-80, -80) + (320, 240)
    ball->DrawExtentFrame();
    EXPECT_EQ(Pixel(240 - 48, 160), 0xFF0000u);  // red circle, left-most point
}

}  // namespace
