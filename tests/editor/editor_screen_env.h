#pragma once
// The editor screen's test world: the model's test folder with the built game's item tables, the
// widgets' recording port for a scripted mouse, scripted keys, an owner scene that records its
// requests, and helpers that aim the mouse at map tiles through the camera.
#include <memory>
#include <string>

#include "controls/Buttons.h"
#include "controls/ControlPort.h"
#include "editor/EditorOwner.h"
#include "editor/EditorScreen.h"
#include "editor_env.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/StandInWindow.h"
#include "engine/Camera.h"
#include "engine/Mouse.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/FrameTime.h"
#include "stage/StageChips.h"
#include "tests/controls/control_test.h"
#include "tests/editor_windows/dialog_answers.h"

namespace editortest {

class RecordingOwner : public IEditorOwner {
  public:
    void RequestClose() override { ++closes; }
    void RequestTestPlay() override { ++testPlays; }
    int closes = 0, testPlays = 0;
};

class EditorScreenTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(testsupport::CopyBuiltEditorTables(game->Path())) << "the tables are made by the build";
        Controls::SetPort(&port);
        SetFrameTime(1.0f / 60.0f);
        CCreatorLevelTable::GetInstance()->Init();
        screen = std::make_unique<CEditorScreen>(nullptr, &owner, EditorMode::kPlayer);
        screen->SetKeySource([this] { return keys; });
    }
    void TearDown() override {
        screen.reset();
        Controls::SetPort(nullptr);
        CMouse::DeleteInstance();
        EditorTest::TearDown();
    }

    CEditor& Editor() { return screen->GetEditor(); }
    CStage& Stage() { return *screen->GetStage(); }
    // Installs a stage of empty areas and runs a frame, so the camera looks at it.
    // A one-room area is shown whole.
    void Install(std::vector<int> classes, int sx = 1, int sy = 1) {
        const bool oneRoom = !classes.empty() && classes[0] == AreaClass_OneRoom;
        Editor().SetStage(MakeStage(std::move(classes), sx, sy));
        if (oneRoom) Editor().SetScrollPosition(10, 7);
        Frame();
    }

    // One frame with the mouse as it is now; the keys and the edges of the buttons last one frame.
    void Frame() {
        screen->Update();
        keys = EditorKeys();
        port.mouse.leftPressed = port.mouse.leftReleased = false;
        port.mouse.rightPressed = port.mouse.rightReleased = false;
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }

    // The screen point of a tile's centre as the camera shows it now.
    int TileScreenX(int tx, int ty) const {
        return int(CCamera::GetInstance()->WorldToScreenX(tx * 32.0f + 16.0f, ty * 32.0f + 16.0f));
    }
    int TileScreenY(int tx, int ty) const {
        return int(CCamera::GetInstance()->WorldToScreenY(tx * 32.0f + 16.0f, ty * 32.0f + 16.0f));
    }
    void MoveTo(int x, int y, bool held = false) {
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftHeld = held;
    }
    void MoveToTile(int tx, int ty, bool held = false) {
        MoveTo(TileScreenX(tx, ty), TileScreenY(tx, ty), held);
    }
    // A left press at the point, one frame.
    void PressAt(int x, int y) {
        MoveTo(x, y);
        port.mouse.leftPressed = true;
        Frame();
        port.mouse.leftHeld = true;
    }
    void PressTile(int tx, int ty) { PressAt(TileScreenX(tx, ty), TileScreenY(tx, ty)); }
    void DragToTile(int tx, int ty) {
        MoveToTile(tx, ty, true);
        Frame();
    }
    void Release() {
        port.mouse.leftHeld = false;
        port.mouse.leftReleased = true;
        Frame();
    }
    void ClickTile(int tx, int ty) {
        PressTile(tx, ty);
        Release();
    }
    void RightClickAt(int x, int y) {
        MoveTo(x, y);
        port.mouse.rightPressed = true;
        Frame();
    }
    void RightClickTile(int tx, int ty) { RightClickAt(TileScreenX(tx, ty), TileScreenY(tx, ty)); }
    // A full click on a named control (press and release at its middle, then one more frame).
    void ClickControl(const std::string& name) {
        auto* button = screen->GetControlAs<Controls::COriginalBaseButton>(name);
        ASSERT_NE(button, nullptr) << name;
        ClickAt(button->GetAbsoluteX() + button->GetWidth() / 2,
                button->GetAbsoluteY() + button->GetHeight() / 2);
    }
    void ClickAt(int x, int y) {
        PressAt(x, y);
        Release();
        Frame();
    }
    // The window in front (a frame or two after a window closed, the next one).
    Controls::GCForm* OpenWindow() { return screen->GetOpenWindow(); }
    template <class W>
    W* Window() {
        return dynamic_cast<W*>(screen->GetOpenWindow());
    }
    // Pushes a button of the window in front and lets the screen carry the answer out.
    void Push(Controls::GCButton* button) {
        ASSERT_NE(button, nullptr);
        button->Push();
        Frames(2);
    }
    // Answers the question window in front and lets the screen carry it out.
    void Answer(int index) {
        auto* w = Window<Controls::CStandInWindow>();
        ASSERT_NE(w, nullptr);
        w->Answer(index);
        Frames(2);
    }
    // The dialog in front: the open window, or the dialog a command sequence shows in it.
    Controls::GCForm* Dialog() { return dialoganswers::FrontOf(screen->GetOpenWindow()); }
    // Answers the dialog in front as dialoganswers::PushAnswer does and lets the sequence and the
    // screen go on.
    void Reply(const std::string& answer) {
        for (int i = 0; i < dialoganswers::AnswerCount(answer); ++i) {
            Controls::GCForm* w = Dialog();
            ASSERT_NE(w, nullptr) << answer;
            dialoganswers::PushAnswer(w, answer);
            Frames(2);
        }
    }
    bool Enabled(const std::string& name) {
        auto* button = screen->GetControlAs<Controls::COriginalBaseButton>(name);
        return button && button->IsEnabled();
    }
    bool On(const std::string& name) {
        auto* button = screen->GetControlAs<Controls::COriginalBaseButton>(name);
        return button && button->IsDown();
    }
    int Chip(int x, int y) { return Stage().GetCurrentArea()->GetChip(x, y); }
    CStageAreaObject* ObjectAt(int x, int y) { return Stage().GetCurrentAreaObjects()->GetAt(x, y); }
    int ObjectCount() { return Stage().GetCurrentAreaObjects()->GetCount(); }

    controltest::RecordingPort port;
    RecordingOwner owner;
    EditorKeys keys;
    std::unique_ptr<CEditorScreen> screen;
};

}  // namespace editortest
