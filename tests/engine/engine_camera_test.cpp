// The camera: easing toward the target, arrival slow-down, bounds, zoom, shake and transforms.
#include <cmath>

#include "engine_test_env.h"

using namespace enginetest;

namespace {

class Camera : public EngineTest {
  protected:
    CCamera* cam() { return CCamera::GetInstance(); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) cam()->Update();
    }
};

TEST_F(Camera, SetTargetWithoutSpeedJumpsAndTruncatesTowardZero) {
    cam()->SetTarget(10.9f, -20.7f, 0);
    EXPECT_FLOAT_EQ(cam()->GetX(), 10);
    EXPECT_FLOAT_EQ(cam()->GetY(), -20);
    cam()->SetTarget(55.5f, 3.2f, -1);
    EXPECT_FLOAT_EQ(cam()->GetX(), 55);
    EXPECT_FLOAT_EQ(cam()->GetVelocityX(), 0);
}

TEST_F(Camera, ArrivalCapsTheSpeedTowardTheTarget) {
    cam()->SetTarget(0, 0, -1);
    cam()->SetTarget(100, 0, 1000);
    cam()->SetVelocity(400, 0);
    SetFrame(0.001f);
    cam()->Update();
    EXPECT_NEAR(cam()->GetVelocityX(), 10 + 100 * 400.0 / 120.0, 0.5);
}

TEST_F(Camera, MovesToTheTargetAndStopsThere) {
    cam()->SetTarget(0, 0, -1);
    cam()->SetTarget(300, 0, 800);
    for (int i = 0; i < 600 && cam()->GetX() != 300; ++i) cam()->Update();
    EXPECT_FLOAT_EQ(cam()->GetX(), 300);
    EXPECT_FLOAT_EQ(cam()->GetVelocityX(), 0);
    const float x = cam()->GetX();
    Frames(10);
    EXPECT_FLOAT_EQ(cam()->GetX(), x);
}

TEST_F(Camera, BoundsKeepTheScreenCornerOnTheWorldCorner) {
    cam()->SetBounds(0, 0, 1000, 800);
    cam()->SetTarget(0, 0, -1);
    cam()->Update();
    EXPECT_FLOAT_EQ(cam()->GetX(), 320);
    EXPECT_FLOAT_EQ(cam()->GetY(), 240);
    EXPECT_NEAR(cam()->ScreenToWorldX(0, 0), 0, 1e-3);
    EXPECT_NEAR(cam()->ScreenToWorldY(0, 0), 0, 1e-3);
    // The far side.
    cam()->SetTarget(5000, 5000, -1);
    cam()->Update();
    EXPECT_LE(cam()->ScreenToWorldX(639, 0), 1000.0f);
    EXPECT_LE(cam()->ScreenToWorldY(0, 479), 800.0f);
    EXPECT_GE(cam()->ScreenToWorldX(639, 0), 998.0f);
}

TEST_F(Camera, ZoomedOutTheXTestStaysA640PixelWindow) {
    cam()->SetZoomRate(cam()->GetBaseScale() * 2.0f, -1);  // scale 0.5
    ASSERT_NEAR(cam()->GetScale(), 0.5, 1e-6);
    cam()->SetBounds(0, 0, 1000, 800);
    cam()->SetTarget(0, 0, -1);
    cam()->Update();
    EXPECT_NEAR(cam()->GetX(), 320, 1.0);
    cam()->SetTarget(5000, 5000, -1);
    cam()->Update();
    EXPECT_NEAR(cam()->GetX(), 680, 3.0);
    // The view's bottom edge does not pass 800.
    EXPECT_LE(cam()->ScreenToWorldY(0, 479), 800.5f);
    EXPECT_NEAR(cam()->GetY() + 480, 800, 3.0);
}

TEST_F(Camera, ResetZoomRateGivesScaleOneAtOnce) {
    cam()->SetZoomRate(-3.0f, -1);
    EXPECT_NE(cam()->GetScale(), 1.0f);
    cam()->ResetZoomRate(-1.0f);
    EXPECT_FLOAT_EQ(cam()->GetScale(), 1.0f);
    EXPECT_NEAR(CCamera::DefaultZoomRate(), -1.6237976, 1e-6);
}

TEST_F(Camera, ZoomEasesToItsTargetAndStops) {
    const float target = cam()->GetBaseScale() * 1.5f;
    cam()->SetZoomRate(target, 4.0f);
    int frames = 0;
    while (cam()->GetZoomRate() != target && frames < 600) {
        cam()->Update();
        ++frames;
    }
    EXPECT_FLOAT_EQ(cam()->GetZoomRate(), target);
    EXPECT_GT(frames, 1);
    EXPECT_NEAR(cam()->GetScale(), 1 / 1.5, 1e-5);
}

TEST_F(Camera, ShakeTremblesByUpToFourPixelsAndSettlesAfterTwentyFrames) {
    cam()->Shake();
    int maxOffset = 0;
    for (int i = 0; i < 20; ++i) {
        cam()->Update();
        maxOffset =
            std::max({maxOffset, std::abs(cam()->GetShakeOffsetX()), std::abs(cam()->GetShakeOffsetY())});
    }
    EXPECT_LE(maxOffset, 4);
    EXPECT_GT(maxOffset, 0);
    EXPECT_FLOAT_EQ(cam()->GetShake(), 0);
    cam()->Update();
    EXPECT_EQ(cam()->GetShakeOffsetX(), 0);
    EXPECT_EQ(cam()->GetShakeOffsetY(), 0);
}

TEST_F(Camera, TransformsAboutTheScreenCentre) {
    cam()->SetTarget(1000, 500, -1);
    EXPECT_NEAR(cam()->WorldToScreenX(1100, 500), 420, 1e-3);
    EXPECT_NEAR(cam()->WorldToScreenY(1000, 450), 190, 1e-3);
    EXPECT_NEAR(cam()->ScreenToWorldX(420, 240), 1100, 1e-3);
    cam()->SetZoomRate(cam()->GetBaseScale() / 2.0f, -1);  // scale 2
    EXPECT_NEAR(cam()->WorldToScreenX(1100, 500), 520, 1e-2);
    EXPECT_NEAR(cam()->ScreenToWorldY(320, 340), 550, 1e-2);
    // A quarter turn: world right becomes screen down, and back again.
    cam()->SetZoomRate(cam()->GetBaseScale(), -1);
    cam()->SetRotation(static_cast<float>(3.141592653589793 / 2));
    const float sx = cam()->WorldToScreenX(1100, 500), sy = cam()->WorldToScreenY(1100, 500);
    EXPECT_NEAR(sx, 320, 1e-2);
    EXPECT_NEAR(sy, 140, 1e-2);
    EXPECT_NEAR(cam()->ScreenToWorldX(sx, sy), 1100, 1e-2);
    EXPECT_NEAR(cam()->ScreenToWorldY(sx, sy), 500, 1e-2);
}

}  // namespace
