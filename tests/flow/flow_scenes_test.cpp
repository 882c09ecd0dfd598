// The loading and title scenes: the progress dots, the emblem's turn and the title's timing.
#include <cmath>

#include "../engine/engine_test_env.h"
#include "flow/LoadingScene.h"
#include "flow/TitleScene.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectPreloader.h"

using namespace enginetest;

namespace {

class Scenes : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        // No live kinds: the loading scene's object step builds only what a test registers (a run
        // of the whole game earlier in this program leaves the game's creators behind).
        ClearLiveObjectCreators();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        WriteRaw("system/a.bmp", MakeBmp(256, 256, [](int, int) { return 0x808080u; }));
        std::string index;
        for (const char* g : {"System", "Map", "BackGround", "Char", "Object", "Effect", "Editer"})
            index += std::string(g) + ".Img001,system\\a.bmp,0,0\n";
        index += "System.System001,system\\a.bmp,0,0\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
    }
    void Input() {
        now += 16;
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
    }
};

TEST_F(Scenes, LoadingShowsOneDotPerStepAndTurnsThemOneByOne) {
    CLoading loading(CSceneDirector::ImageGroups(), true, nullptr);
    EXPECT_EQ(loading.GetStepCount(), 8);  // seven groups and the object step
    EXPECT_EQ(loading.DotX(0), 232);       // eight dots 24 pixels apart around x = 316
    EXPECT_EQ(loading.DotX(7), 400);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(loading.DotColor(i), 0xFF0000u);  // blue
    loading.Update();
    EXPECT_EQ(loading.DotColor(0), 0xFF00FFu);  // magenta
    EXPECT_EQ(loading.DotColor(1), 0xFF0000u);
    int frames = 1;
    while (!loading.IsClosed() && frames < 200) {
        loading.Update();
        ++frames;
    }
    EXPECT_TRUE(loading.IsClosed());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(loading.DotColor(i), 0xFF00FFu);
    EXPECT_EQ(CSoundEffects::GetInstance()->GetLoadCount(), 92);
    // The overlay draws without failing.
    loading.Draw();
    loading.DrawOverlay();
}

TEST_F(Scenes, EmblemTurnsAHalfTurnInAbout39Frames) {
    CLoading loading({}, false, nullptr);
    const double halfPi = 3.141592653589793 / 2;
    int wraps = 0, frames = 0, firstWrap = 0;
    double last = loading.GetAngle();
    EXPECT_DOUBLE_EQ(last, -0.08);
    for (frames = 1; frames <= 80; ++frames) {
        loading.Update();
        if (loading.GetAngle() < last) {
            ++wraps;
            if (!firstWrap) firstWrap = frames;
            EXPECT_DOUBLE_EQ(loading.GetAngle(), -halfPi);
        }
        last = loading.GetAngle();
    }
    EXPECT_EQ(firstWrap, 21);  // from -0.08 past pi/2
    EXPECT_GE(wraps, 2);
}

TEST_F(Scenes, TitleIgnoresKeysBefore90FramesAndOnlyZOrClickStarts) {
    CTitleScene title(nullptr);
    title.Start();
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), 1);
    EXPECT_EQ(title.GetClearColor(), 0x006AA5CDu);
    for (int i = 0; i < 80; ++i) {
        Input();
        title.Update();
    }
    Headless().KeyDown(plat::kKeyZ);
    Input();
    title.Update();
    EXPECT_FALSE(title.IsStarted());
    EXPECT_FALSE(title.IsPromptVisible());
    Headless().KeyUp(plat::kKeyZ);
    for (int i = 0; i < 20; ++i) {
        Input();
        title.Update();
    }
    EXPECT_TRUE(title.IsPromptVisible());  // frame 102: (102 - 90) mod 40 < 25
    Headless().KeyDown(plat::kKeyX);
    Headless().KeyDown(plat::kKeySpace);
    Input();
    title.Update();
    EXPECT_FALSE(title.IsStarted());
    Headless().MouseMoveTo(100, 100);
    Headless().MouseButton(0, true);
    Input();
    title.Update();
    EXPECT_TRUE(title.IsStarted());
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), 0);
    EXPECT_FALSE(title.IsPromptVisible());
    // The title closes a second after the start.
    int frames = 0;
    while (!title.IsClosed() && frames < 100) {
        Input();
        title.Update();
        ++frames;
    }
    EXPECT_EQ(frames, 60);
}

TEST_F(Scenes, TitleLogoUnrollsThenRises) {
    CTitleScene title(nullptr);
    auto at = [&](int frame) {
        while (title.GetTimer() < frame - 1e-6) title.Update();
    };
    at(20);
    EXPECT_NEAR(title.LogoWidth(), 0, 1e-2);
    at(30);
    EXPECT_NEAR(title.LogoWidth(), 256, 1e-2);
    EXPECT_NEAR(title.LogoY(), 204, 1e-9);
    at(50);
    EXPECT_NEAR(title.LogoWidth(), 512, 1e-9);
    EXPECT_NEAR(title.LogoY(), 196, 1e-3);
    at(60);
    EXPECT_NEAR(title.LogoY(), 188, 1e-3);
    // Prompt: visible 25 frames of every 40 from frame 90.
    at(116);
    EXPECT_FALSE(title.IsPromptVisible());
    at(131);
    EXPECT_TRUE(title.IsPromptVisible());
}

}  // namespace
