// Second-pass checks of the engine: a volume change during a fade, the cursor's drawing, and the
// sprite pool when the 3-D layer has no model left.
#include "engine/el/el4D.h"
#include "engine_test_env.h"

using namespace enginetest;

namespace {

class MusicFade : public EngineTest {
  protected:
    CMusicPlayer* player() { return CMusicPlayer::GetInstance(); }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) player()->Update();
    }
};

TEST_F(MusicFade, AVolumeLoweredDuringAFadeInIsTheVolumeTheFadeEndsAt) {
    SetMusicVolume(50);
    PlayMusic(2, 999999, 1.0f, true, false);
    Frames(5);
    SetMusicVolume(30);
    EXPECT_NEAR(player()->GetLevel(), 0.3, 1e-6);  // the level jumps to the new volume ...
    Frames(60);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.3, 1e-6);  // ... and the piece stays there, not at the old 0.5
}

TEST_F(MusicFade, AVolumeChangedDuringAFadeOutIsTheTargetOfTheFadeInAfterIt) {
    SetMusicVolume(100);
    PlayMusic(2);
    PlayMusic(4, 999999, 1.0f, true, true);
    Frames(5);
    SetMusicVolume(40);
    Frames(120);
    EXPECT_EQ(player()->GetCurrentMusic(), 4);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.4, 1e-6);
}

TEST_F(MusicFade, AVolumeRaisedDuringAFadeInKeepsTheRequestsFactor) {
    SetMusicVolume(40);
    PlayMusic(3, 999999, 0.5f, true, false);
    Frames(3);
    SetMusicVolume(80);
    Frames(60);
    EXPECT_FALSE(player()->IsFadingIn());
    EXPECT_NEAR(music.volume, 0.4, 1e-6);  // 0.8 x 0.5
}

// ---- The cursor ----

class CursorDrawing : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        // "Mouse001": every cell in its own colour, so that a drawn pixel tells which cell it came
        // from (the colour is 0x00RRGGBB = cell column x 16 + cell row, the arrows' row 0).
        WriteRaw("system/mouse.bmp",
                 MakeBmp(256, 96, [](int x, int y) { return 0x100000u + uint32_t(x) * 256 + y; }));
        WriteRaw("img/item.bmp", MakeBmp(64, 64, [](int, int) { return 0x0000FFu; }));
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat",
                                     "System.Mouse001,system\\mouse.bmp,0,0\n"
                                     "Editer.Item,img\\item.bmp,0,0\n"));
        CSpriteManager::GetInstance();
    }
    // The colour (0x00RRGGBB) of the back buffer at (x, y).
    static uint32_t At(int x, int y) { return elDraw::BackBuffer().pixels[size_t(y) * 640 + x] & 0xFFFFFF; }
    static void MouseAt(int x, int y) {
        struct Source : IInputEventSource {
            int x, y, step = 0;
            bool NextEvent(bool) override { return step++ < 2; }
            void GetState(int code, uint32_t& state, float& age) override {
                age = 0;
                if (code == InputCode::kMouseX && step == 1) state = uint32_t(x);
                if (code == InputCode::kMouseY && step == 2) state = uint32_t(y);
            }
        } source;
        source.x = x;
        source.y = y;
        CInputManager::SetEventSource(&source);
        CInputManager::GetInstance()->Update();
        CInputManager::SetEventSource(nullptr);
    }
    static bool Blank() {
        for (uint32_t p : elDraw::BackBuffer().pixels)
            if ((p & 0xFFFFFF) != 0) return false;
        return true;
    }
};

TEST_F(CursorDrawing, KindTenDrawsNoArrowButTheCarriedImageAndTheMarkers) {
    MouseAt(100, 100);
    CMouse* m = CMouse::GetInstance();
    m->SetCursorKind(10);
    m->SetCarriedImage("Editer", "Item", 0, 0, 32, 16);
    m->ShowBadge1(true);
    elDraw::ClearScreen();
    m->DrawCursor();
    // No arrow: the arrow's cell would start at (100, 100).
    EXPECT_EQ(At(100, 100), 0u);
    // The frame cell (0, 32)-(64, 80) at (120, 108): its pixel (0, 32) at (120, 108).
    EXPECT_EQ(At(120, 108), 0x100000u + 0 * 256 + 32);
    // The carried picture centred in the frame: at (100 + 54 - 16, 100 + 33 - 8).
    EXPECT_EQ(At(138, 125), 0x0000FFu);
    EXPECT_EQ(At(169, 140), 0x0000FFu);
    // Marker A: cell (64, 32)-(80, 56) at (116, 112).
    EXPECT_EQ(At(116, 112), 0x100000u + 64 * 256 + 32);

    elDraw::ClearScreen();
    m->SetCursorKind(9);
    m->ClearCarriedImage();
    m->ShowBadge1(false);
    m->DrawCursor();
    // Kind 9: cell (160, 32)-(192, 64) at (x - 3, y - 16).
    EXPECT_EQ(At(97, 84), 0x100000u + 160 * 256 + 32);
}

TEST_F(CursorDrawing, NothingOfTheCursorIsDrawnOffTheScreen) {
    CMouse* m = CMouse::GetInstance();
    m->SetCarriedImage("Editer", "Item", 0, 0, 32, 16);
    m->ShowBadge2(true);
    for (auto [x, y] : {std::pair{640, 10}, {-1, 10}, {10, 480}, {10, -1}}) {
        MouseAt(x, y);
        elDraw::ClearScreen();
        m->DrawCursor();
        EXPECT_TRUE(Blank()) << x << "," << y;
    }
    MouseAt(639, 479);
    elDraw::ClearScreen();
    m->DrawCursor();
    EXPECT_EQ(At(639, 479), 0x100000u + 0 * 256 + 0);  // kind 0's cell starts at the mouse
}

// ---- The sprite pool without 3-D models ----

TEST_F(EngineTest, ASpriteWithoutAModelLeavesNoTextureBehind) {
    WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
    WriteRaw("img/pic.bmp", MakeBmp(64, 64, [](int, int) { return 0xFF0000u; }));
    ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", "T.Pic,img\\pic.bmp,0,0\n"));
    CSpriteManager* sm = CSpriteManager::GetInstance();
    FindImage("T", "Pic");
    // Every model of the 3-D layer taken.
    while (el4D::Primitive::Square(1, 1, 0.125f, 0.125f, 1.0f, 0.0f) > 0) {}
    auto usedObjects = [] {
        int n = 0;
        for (int i = 0; i < elDraw::kObjectCount; ++i)
            if (const elDraw::ElObjectSlot* s = elDraw::GetObjectSlot(i); s && s->surface) ++n;
        return n;
    };
    const int before = usedObjects();
    for (int i = 0; i < 3; ++i) {
        CSprite* s = sm->CreateSprite("T", "Pic", 2, 0, 0, 32, 32);
        EXPECT_EQ(s->model, 0);
        s->ApplyTransform();
        s->Draw();
        delete s;
    }
    EXPECT_EQ(usedObjects(), before);
    for (int i = 1; i < el4D::kModelCount; ++i) el4D::ResetModel(i);
}

}  // namespace
