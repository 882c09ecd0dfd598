// The play scene's drawing: the background layers each background lays out, the clear colour
// under a fade, and the run meter above the hero.
#include <array>
#include <cmath>
#include <numbers>

#include "engine/el/elDraw.h"
#include "play/Letterbox.h"
#include "tests/play/play_scene_env.h"

using namespace playtest;

namespace {
uint32_t At(int x, int y) { return elDraw::BackBuffer().pixels[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF; }
void Black() { elDraw::DrawRect(0, 0, 640, 480, 0, 0, 1); }
}  // namespace

TEST_F(SceneTest, BackgroundsLayTheirGridAndStopAtTheStoreSize) {
    CSpriteBatch* batch = CSpriteBatch::GetInstance();
    CStageScene::BuildBackground(0, 160, 15);
    EXPECT_EQ(batch->GetCount(), 0);
    // A wall background fills every cell: columns -3..47 and rows 0..9 of a 160 x 15 area.
    CStageScene::BuildBackground(6, 160, 15);
    EXPECT_EQ(batch->GetCount(), 51 * 10);
    const CSpriteBatch::Layer* first = batch->GetLayer(0);
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->x, -192.0f);
    EXPECT_FLOAT_EQ(first->factorX, 0.5f);
    // The outdoor sets lay clouds and a ground band, fewer than every cell.
    CStageScene::BuildBackground(1, 160, 15);
    EXPECT_GT(batch->GetCount(), 51 * 4);
    EXPECT_LT(batch->GetCount(), 51 * 10);
    CStageScene::BuildBackground(6, 2000, 2000);
    EXPECT_EQ(batch->GetCount(), CSpriteBatch::kSlotCount);
    CStageScene::BuildBackground(22, 160, 15);
    EXPECT_EQ(batch->GetCount(), 0);
}

TEST_F(SceneTest, AFullFadeReplacesTheSky) {
    EXPECT_EQ(CStageScene::GetBackgroundColor(1, 255, 0, 0, 0.0), 125u | 191u << 8 | 218u << 16);
    EXPECT_EQ(CStageScene::GetBackgroundColor(1, 255, 0, 0, 1.0), 255u);
    EXPECT_EQ(CStageScene::GetBackgroundColor(0, 200, 100, 50, 0.5), 100u | 50u << 8 | 25u << 16);
    Play(MakeStage(1, 2), kPlayTest, 0);
    scene->BeginScreenFade(255, 255, 255);
    Steps(30);
    EXPECT_NEAR(scene->GetFadeLevel(), 0.5, 0.02);
    scene->EndScreenFade();
    Steps(40);
    EXPECT_EQ(scene->GetClearColor(), 0u | 30u << 8 | 110u << 16);
}

TEST_F(SceneTest, RunMeterShowsAboveHalfAndFillsFromThere) {
    Black();
    DrawSystemFrame(100, 3, 0, 60.0, 120.0, 320, 300);
    EXPECT_EQ(At(300, 300), 0u);  // at half: nothing
    Black();
    DrawSystemFrame(100, 3, 0, 90.0, 120.0, 320, 300);
    const uint32_t filled = At(282, 299), frame = At(340, 299);
    EXPECT_NE(filled, 0u);
    EXPECT_NE(frame, 0u);
    EXPECT_NE(filled, frame);
    EXPECT_EQ(At(318, 299), filled);  // three quarters fill half the bar
    EXPECT_EQ(At(322, 299), frame);
}

TEST_F(SceneTest, LetterboxBarsGrowWithTheRatioAndStopAtHalfTheScreen) {
    Black();
    elDraw::DrawRect(0, 0, 640, 480, 0xFFFFFF, 0xFFFFFF, 1);
    DrawLetterbox(0.5);
    EXPECT_EQ(At(10, 119), 0u);
    EXPECT_NE(At(10, 121), 0u);
    EXPECT_EQ(At(10, 361), 0u);
    DrawLetterbox(3.0);
    EXPECT_EQ(At(10, 240), 0u);
}

TEST_F(SceneTest, StatusShowsAtMost99LivesAndKeysOnlyWhenHeld) {
    CSpriteManager* sprites = CSpriteManager::GetInstance();
    sprites->BeginLoadGroup("System");
    while (sprites->GetLoadPercent() < 100) sprites->LoadNextImage("System");
    const auto frame = [](int lives, int keys) {
        Black();
        DrawSystemFrame(50, lives, keys, 0.0, 120.0, -100, -100);
        return elDraw::BackBuffer().pixels;
    };
    EXPECT_TRUE(frame(150, 0) == frame(99, 0));
    EXPECT_FALSE(frame(99, 0) == frame(98, 0));
    EXPECT_FALSE(frame(99, 1) == frame(99, 0));
    EXPECT_TRUE(frame(99, 120) == frame(99, 99));
    EXPECT_TRUE(frame(-3, 0) == frame(0, 0));
}

TEST_F(SceneTest, DoorHintLastsOneFrameAfterTheTouch) {
    Play(MakeStage(), kPlayTest, 0);
    scene->ShowDoorHint();
    EXPECT_TRUE(scene->GetDoorHint());
    Step();
    EXPECT_FALSE(scene->GetDoorHint());
}

// The intro's title fades: nothing before frame 20, in over 20 frames, whole from 40 to 150, out
// over the next 20. Its underline (over the black of the letterbox) shows the strength.
TEST_F(SceneTest, TheIntroTitleFadesInAndOut) {
    Play(MakeStage(), kPlayNormal, 0);
    const auto underline = [&] {
        Black();
        scene->DrawOverlay();
        return At(60, 179);
    };
    const auto colour = [](double t) {
        const auto shade = [&](double phase) { return static_cast<int>(std::sin(t * 0.05 + phase) * -32.0); };
        return std::array<int, 3>{111 - shade(0), 205 - shade(2 * std::numbers::pi / 3),
                                  178 - shade(4 * std::numbers::pi / 3)};
    };
    const auto strength = [&](uint32_t pixel, double t) {
        // Red, green and blue of the pixel over those of the title's colour at t.
        const std::array<int, 3> c = colour(t);
        return (static_cast<double>(pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF)) /
               (c[0] + c[1] + c[2]);
    };
    struct Check {
        int frame;
        double alpha;
    };
    for (const Check& c : {Check{10, 0.0},
                           {25, 0.25},
                           {30, 0.5},
                           {45, 1.0},
                           {140, 1.0},
                           {155, 0.75},
                           {165, 0.25},
                           {175, 0.0}}) {
        while (scene->GetStateTime() < c.frame && scene->GetState() == kSceneIntro) Step();
        ASSERT_EQ(scene->GetState(), kSceneIntro);
        EXPECT_NEAR(strength(underline(), scene->GetStateTime()), c.alpha, 0.02) << "frame " << c.frame;
    }
}
