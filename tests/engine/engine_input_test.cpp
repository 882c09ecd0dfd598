// The input manager over the engine's buffered events, and the mouse cursor with its drawing.
#include "engine_test_env.h"

using namespace enginetest;

namespace {

class Input : public EngineTest {
  protected:
    CInputManager* in() { return CInputManager::GetInstance(); }
    // One frame: the engine polls, the manager updates.
    void Frame() {
        now += 16;
        elSystem::PollInput();
        in()->Update();
    }
};

TEST_F(Input, PushAndReleaseInOneFrameGiveBothFlags) {
    Headless().KeyDown(plat::kKeyZ);
    now += 5;
    Headless().KeyUp(plat::kKeyZ);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyZ));
    EXPECT_TRUE(in()->IsReleased(kKeyZ));
    EXPECT_FALSE(in()->IsHeld(kKeyZ));
    Frame();
    EXPECT_FALSE(in()->IsPushed(kKeyZ));
    EXPECT_FALSE(in()->IsReleased(kKeyZ));

    Headless().KeyDown(plat::kKeyLeft);
    Headless().KeyUp(plat::kKeyLeft);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyLeft));
    EXPECT_TRUE(in()->IsReleased(kKeyLeft));
}

TEST_F(Input, HeldKeyStaysHeldOnFramesWithoutEventsAndCountsFrames) {
    Headless().KeyDown(plat::kKeyRight);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyRight));
    EXPECT_DOUBLE_EQ(in()->GetHeldTime(kKeyRight), 0.0);
    for (int i = 0; i < 30; ++i) Frame();
    EXPECT_TRUE(in()->IsHeld(kKeyRight));
    EXPECT_FALSE(in()->IsPushed(kKeyRight));
    EXPECT_NEAR(in()->GetHeldTime(kKeyRight), 30.0, 1e-3);
    EXPECT_DOUBLE_EQ(in()->GetIdleTime(kKeyRight), 0.0);
    Headless().KeyUp(plat::kKeyRight);
    Frame();
    EXPECT_TRUE(in()->IsReleased(kKeyRight));
    EXPECT_DOUBLE_EQ(in()->GetHeldTime(kKeyRight), 0.0);
    Frame();
    Frame();
    EXPECT_NEAR(in()->GetIdleTime(kKeyRight), 2.0, 1e-3);
}

TEST_F(Input, TimeSincePushRestartsAfterAPush) {
    Headless().KeyDown(plat::kKeySpace);
    Frame();
    Frame();
    EXPECT_NEAR(in()->GetTimeSincePush(kKeySpace), 1.0, 1e-3);
    Frame();
    EXPECT_NEAR(in()->GetTimeSincePush(kKeySpace), 2.0, 1e-3);
}

TEST_F(Input, MouseAndPushedOnlyFlags) {
    Headless().MouseMoveTo(123, 456);
    Headless().MouseButton(0, true);
    Headless().KeyDown(plat::kKeyA);
    Headless().KeyDown(plat::kKeyNumpad7);
    Headless().KeyDown(plat::kKeyF2);
    Headless().KeyDown(plat::kKeyLShift);
    Frame();
    EXPECT_EQ(in()->GetMouseX(), 123);
    EXPECT_EQ(in()->GetMouseY(), 456);
    EXPECT_TRUE(in()->IsMouseLeftPushed());
    EXPECT_TRUE(in()->IsLetterPushed('A'));
    EXPECT_FALSE(in()->IsLetterPushed('B'));
    EXPECT_TRUE(in()->IsDigitPushed(7));
    EXPECT_TRUE(in()->IsFunctionKeyPushed(2));
    EXPECT_TRUE(in()->IsShiftDown());
    Frame();
    EXPECT_FALSE(in()->IsLetterPushed('A'));
    EXPECT_TRUE(in()->IsMouseLeftHeld());
    EXPECT_TRUE(in()->WasMouseLeftHeld() || in()->IsMouseLeftHeld());
    EXPECT_TRUE(in()->IsShiftDown());  // while held
    Headless().KeyUp(plat::kKeyLShift);
    Frame();
    EXPECT_FALSE(in()->IsShiftDown());
}

TEST_F(Input, TheKeysAreFixedWhateverTheKeyConfiguration) {
    // The configuration swaps attack and jump in the hero, not here: Z is always key 4.
    Headless().KeyDown(plat::kKeyX);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyX));
    EXPECT_FALSE(in()->IsPushed(kKeyZ));
    try {
        EXPECT_EQ(CClientInfo::GetInstance()->GetKeyConfigMode(), 1);
    } catch (const CQuorException& e) {
        ADD_FAILURE() << e.GetCode() << " " << e.GetMessage();
    }
}

class JoystickInput : public Input {
  protected:
    int Joysticks() override { return 1; }
    void SetUp() override {
        Input::SetUp();
        if (HasFatalFailure()) return;
        SeedRandom(1);
        ASSERT_EQ(elSystem::GetJoystickCount(), 1);
    }
    // Raw values whose scaled position (with the dead zone) is the given one.
    void AxisX(int scaled) { Headless().JoystickAxis(0, 0, Raw(scaled)); }
    void AxisY(int scaled) { Headless().JoystickAxis(0, 4, Raw(scaled)); }
    static int Raw(int scaled) {
        for (int r = -32768; r <= 32767; ++r)
            if (plat::ScaleJoystickAxis(r, true) == scaled) return r;
        ADD_FAILURE() << "no raw value for " << scaled;
        return 0;
    }
};

TEST_F(JoystickInput, AxisBeyond500PushesHoldsAndReleases) {
    AxisX(-501);
    Frame();
    EXPECT_EQ(in()->GetJoystickX(), -501);
    EXPECT_TRUE(in()->IsPushed(kKeyLeft));
    Frame();
    EXPECT_FALSE(in()->IsPushed(kKeyLeft));
    EXPECT_TRUE(in()->IsHeld(kKeyLeft));
    AxisX(0);
    Frame();
    EXPECT_TRUE(in()->IsReleased(kKeyLeft));
    EXPECT_FALSE(in()->IsHeld(kKeyLeft));
}

TEST_F(JoystickInput, ExactlyPlusOrMinus500CountsAsCentred) {
    AxisY(500);
    Frame();
    EXPECT_FALSE(in()->IsPushed(kKeyDown));
    EXPECT_FALSE(in()->IsHeld(kKeyDown));
    AxisY(-500);
    Frame();
    EXPECT_FALSE(in()->IsPushed(kKeyUp));
    AxisY(501);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyDown));
}

TEST_F(JoystickInput, ZAndFirstButtonTogetherAreOneKey) {
    Headless().KeyDown(plat::kKeyZ);
    Frame();
    Frame();
    Frame();
    ASSERT_TRUE(in()->IsHeld(kKeyZ));
    const double held = in()->GetHeldTime(kKeyZ);
    EXPECT_GT(held, 0.0);
    // Pushing the button while Z is held: pushed and held together, the held time kept.
    Headless().JoystickButton(0, 0, true);
    Frame();
    EXPECT_TRUE(in()->IsPushed(kKeyZ));
    EXPECT_TRUE(in()->IsHeld(kKeyZ));
    EXPECT_GT(in()->GetHeldTime(kKeyZ), held);
    // Letting Z go while the button is held gives released and held, and the key stays held.
    Headless().KeyUp(plat::kKeyZ);
    Frame();
    EXPECT_TRUE(in()->IsReleased(kKeyZ));
    EXPECT_TRUE(in()->IsHeld(kKeyZ));
}

class Cursor : public EngineTest {};

TEST_F(Cursor, ResetAndCarriedImageKeepMarkers) {
    CMouse* m = CMouse::GetInstance();
    m->SetCursorKind(7);
    m->ShowBadge2(true);
    m->SetCarriedImage("Char", "Quor001_R", 0, 0, 32, 32);
    m->ClearCarriedImage();
    EXPECT_TRUE(m->IsBadge2Shown());
    EXPECT_EQ(m->GetCursorKind(), 7);
    m->Reset();
    EXPECT_EQ(m->GetCursorKind(), 0);
    EXPECT_FALSE(m->IsBadge2Shown());
    EXPECT_TRUE(CMouse::IsOnScreen(0, 0));
    EXPECT_TRUE(CMouse::IsOnScreen(639, 479));
    EXPECT_FALSE(CMouse::IsOnScreen(640, 10));
    EXPECT_FALSE(CMouse::IsOnScreen(10, -1));
}

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

}  // namespace
