// The editor drawn by the engine with the mouse moved through the engine's own input: a stage
// with ground, objects and a start point shown in each tool, with the object menu, a pallet and
// the balloon open, zoomed out to its margins. Every frame must leave the engine without an error;
// each scene is written as a PNG into the test's folder (and into $QUOR_SHOTS when set).
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "editor/EditorScreen.h"
#include "editor_windows/ZoomControl.h"
#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/Mouse.h"
#include "engine/SpriteManager.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/VersionNumber.h"
#include "platform/png.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/headless_test.h"

namespace {

class EditorScreenShots : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        if (!testsupport::LinkBuiltPictures(GameFolder())) GTEST_SKIP() << "the game folder is not built";
        ASSERT_TRUE(testsupport::CopyBuiltEditorTables(GameFolder()));
        Game().MakeDir("network");
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat",
                                     "<clientInfo><network><createrId></createrId><createrName></createrName>"
                                     "</network><boughtItems></boughtItems></clientInfo>"));
        SetFrameTime(1.0f / 60.0f);
        CCreatorLevelTable::GetInstance()->Init();
        screen = std::make_unique<CEditorScreen>(nullptr, nullptr, EditorMode::kPlayer);
    }
    void TearDown() override {
        screen.reset();
        CSpriteManager::DeleteInstance();
        CClientInfo::DeleteInstance();
        CMouse::DeleteInstance();
        CInputManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    // One frame of the game's loop around the editor.
    void Frame() {
        now += 16;
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
        CCreatorLevelTable::GetInstance()->AdvanceTicks();
        screen->Update();
        ASSERT_FALSE(elSystem::GetErrorFlag());
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    void MoveTo(int x, int y) {
        Headless().MouseMoveTo(x, y);
        Frame();
    }
    void Click(int x, int y, int button = 0) {
        Headless().MouseMoveTo(x, y);
        Headless().MouseButton(button, true);
        Frame();
        Headless().MouseButton(button, false);
        Frame();
    }
    int TileX(int tx, int ty) const {
        return int(CCamera::GetInstance()->WorldToScreenX(tx * 32.0f + 16, ty * 32.0f + 16));
    }
    int TileY(int tx, int ty) const {
        return int(CCamera::GetInstance()->WorldToScreenY(tx * 32.0f + 16, ty * 32.0f + 16));
    }

    // Both passes of the frame as the editor scene draws them, without the mouse cursor.
    void Render() {
        elDraw::ClearScreen();
        el4D::BeginScene();
        el4D::SetClearColor(0.35f, 0.55f, 0.8f);
        el4D::Clear();
        screen->Draw();
        el4D::EndScene();
        screen->DrawOverlay();
    }
    static uint32_t At(int x, int y) { return elDraw::BackBuffer().Row(y)[x] & 0xFFFFFFu; }
    // Pixels of the rectangle (right and bottom excluded) that are `colour`, or that are not.
    static int Count(int l, int t, int r, int b, uint32_t colour, bool equal = true) {
        int n = 0;
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x) n += (At(x, y) == colour) == equal;
        return n;
    }
    static int Ticks() { return int(CCreatorLevelTable::GetInstance()->GetTicks()); }
    void FramesUntil(const std::function<bool(int)>& ticksFit) {
        for (int i = 0; i < 200 && !ticksFit(Ticks()); ++i) Frame();
        ASSERT_TRUE(ticksFit(Ticks()));
    }

    void Shot(const std::string& name) {
        Render();
        CMouse::GetInstance()->DrawCursor();
        ASSERT_FALSE(elSystem::GetErrorFlag()) << name;
        const std::string file = "editor_" + name + ".png";
        ASSERT_TRUE(plat::WritePng(elDraw::BackBuffer(), (GameFolder() / file).string()));
        if (const char* out = std::getenv("QUOR_SHOTS"))
            plat::WritePng(elDraw::BackBuffer(), (std::filesystem::path(out) / file).string());
    }

    // A short area with a ground band, a hill, a few objects and the start point.
    void InstallSampleStage() {
        auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->SetName("はじめての草原");
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(AreaClass_Short),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "草原", 0, 1, 0, 0));
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(AreaClass_OneRoom),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "小部屋", 0, 1, 0, 1));
        stage->maxAbsoluteAreaNum = 1;
        stage->startX = 3;
        stage->startY = 11;
        stage->SetCurrentArea(0);
        screen->GetEditor().SetStage(std::move(stage));
        screen->GetEditor().SetScrollPosition(10, 8);
        Frame();
    }

    // Clicks the middle of a named control of the editor.
    void ClickControl(const std::string& name) {
        auto* button = screen->GetControlAs<Controls::COriginalBaseButton>(name);
        ASSERT_NE(button, nullptr) << name;
        Click(button->GetAbsoluteX() + button->GetWidth() / 2,
              button->GetAbsoluteY() + button->GetHeight() / 2);
        Frames(2);
    }

    std::unique_ptr<CEditorScreen> screen;
};

TEST_F(EditorScreenShots, TheEditorInEachTool) {
    Shot("no_stage");
    InstallSampleStage();
    CEditor& editor = screen->GetEditor();
    // Ground along the bottom with the rectangle, a hill with the pencil.
    editor.SetTool(EditorTool_Rectangle);
    Click(TileX(0, 12), TileY(0, 12));
    Click(TileX(19, 14), TileY(19, 14));
    editor.SetTool(EditorTool_Pencil);
    Headless().MouseMoveTo(TileX(8, 11), TileY(8, 11));
    Headless().MouseButton(0, true);
    Frame();
    for (int x = 9; x <= 12; ++x) MoveTo(TileX(x, 11), TileY(x, 11));
    MoveTo(TileX(11, 10), TileY(11, 10));
    Headless().MouseButton(0, false);
    Frame();
    MoveTo(TileX(6, 9), TileY(6, 9));
    Shot("pencil");
    // A rectangle being chosen.
    editor.SetTool(EditorTool_Rectangle);
    Click(TileX(14, 6), TileY(14, 6));
    MoveTo(TileX(17, 9), TileY(17, 9));
    Shot("rectangle");
    Click(TileX(17, 9), TileY(17, 9), 1);
    editor.SetTool(EditorTool_Fill);
    MoveTo(TileX(5, 5), TileY(5, 5));
    Shot("fill");
    // Objects: a kid, a door and the goal; the menu of the door.
    editor.SetTool(EditorTool_ObjectPlace);
    for (auto [key, x] : {std::pair{"Kid001", 7}, {"Door001", 13}, {"Goal", 17}}) {
        editor.SetCurrentObjectKey(key);
        Click(TileX(x, 11), TileY(x, 11));
    }
    MoveTo(TileX(7, 11), TileY(7, 11));
    Frames(10);
    Shot("objects_balloon");
    Click(TileX(13, 11), TileY(13, 11), 1);
    Shot("object_menu");
    Click(620, 20);  // closes the menu
    Frames(2);
    editor.SetTool(EditorTool_ObjectEraser);
    Frame();
    MoveTo(TileX(7, 11), TileY(7, 11));
    Shot("object_eraser");
    // Picking the start point: the hint blinks in the middle.
    editor.SetTool(EditorTool_PickStart);
    Frame();
    while (int(CCreatorLevelTable::GetInstance()->GetTicks()) % 60 >= 30) Frame();
    Shot("pick_start");
    editor.SetTool(EditorTool_Pencil);
    Frame();
    // A pallet over the editor, and the balloon of a tool button.
    MoveTo(595, 180);
    Click(595, 180);
    Frames(2);
    Shot("pallet");
    Click(620, 300, 1);
    Frames(2);
    MoveTo(203, 24);
    Frames(12);
    Shot("button_balloon");
    // Zoomed out as far as the dial goes, on the one-room area: the grey margins show.
    editor.SwitchToArea(1);
    screen->GetControlAs<Controls::CZoomControl>("ZoomControl")->angle =
        Controls::CZoomControl::kLargestAngle;
    Frames(2);
    editor.SetTool(EditorTool_Fill);
    Click(TileX(10, 10), TileY(10, 10));
    editor.SetCurrentChip(0);
    editor.SetTool(EditorTool_Rectangle);
    Click(TileX(3, 3), TileY(3, 3));
    Click(TileX(16, 10), TileY(16, 10));
    MoveTo(TileX(9, 6), TileY(9, 6));
    Shot("zoomed_out");
}

// The settings and the new area's questions opened from the editor's own buttons, with the mouse.
TEST_F(EditorScreenShots, TheSettingsWindowsOverTheEditor) {
    InstallSampleStage();
    ClickControl("ConfigButton");
    auto* settings = dynamic_cast<Controls::CCloseableBeigeForm*>(screen->GetOpenWindow());
    ASSERT_NE(settings, nullptr);
    Shot("stage_settings");
    settings->GetCloseButton()->Push();
    Frames(2);
    ClickControl("AreaAddButton");
    ASSERT_NE(screen->GetOpenWindow(), nullptr);
    auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(screen->GetOpenWindow()->GetModalForm());
    ASSERT_NE(confirm, nullptr);
    confirm->GetYesButton()->Push();
    Frames(2);
    MoveTo(200, 260);
    Shot("new_area_class");
}

// The map as drawn, read back by its pixels: a one-room area zoomed out, a ground chip at (17, 12),
// the start at (2, 2), the mouse over (15, 3).
TEST_F(EditorScreenShots, TheMapDrawsItsChipsMarginsStartRingFrameHintAndBanner) {
    Render();  // a frame without a stage first, as the game draws before a stage is installed
    auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
    stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(AreaClass_OneRoom),
                                                   std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                   "部屋", 0, 1, 0, 0));
    stage->startX = 2;
    stage->startY = 2;
    stage->SetCurrentArea(0);
    const std::string stageXml = stage->WriteXml();
    screen->GetEditor().SetStage(std::move(stage));
    screen->GetEditor().SetScrollPosition(10, 7);
    screen->GetControlAs<Controls::CZoomControl>("ZoomControl")->angle =
        Controls::CZoomControl::kLargestAngle;
    Frames(2);
    Click(TileX(17, 12), TileY(17, 12));  // the pencil puts ground there
    MoveTo(TileX(15, 3), TileY(15, 3));
    // The ring at its full size and colour: tick 8 of every 50.
    FramesUntil([](int t) { return t % 50 == 8; });
    Render();
    const uint32_t sky = At(TileX(8, 9), TileY(8, 9));  // an empty tile: the clear colour
    const uint32_t grey = 0x808080u, ring = 0xB3C8FFu, white = 0xFFFFFFu, black = 0x000000u;

    // The chip (3-D pass) covers its tile.
    EXPECT_NE(At(TileX(17, 12), TileY(17, 12)), sky);
    // Grey margins beyond the map's left and top edges, inside the view; the map's own edge tiles
    // are not grey.
    const int mapLeft = int(CCamera::GetInstance()->WorldToScreenX(0.0f, 0.0f));
    ASSERT_GT(mapLeft, CEditorScreen::kViewLeft + 40) << "zoomed out, the map is narrower than the view";
    EXPECT_EQ(At(TileX(0, 7) - 40, TileY(0, 7)), grey);
    EXPECT_EQ(At(TileX(0, 7), TileY(0, 7)), sky);
    EXPECT_EQ(At(TileX(9, 0), TileY(9, 0) - 40), grey);
    // The start ring: light blue pixels round the start tile, none at its centre.
    const int sx = TileX(2, 2), sy = TileY(2, 2);
    EXPECT_GT(Count(sx - 24, sy - 24, sx + 24, sy + 24, ring), 20);
    EXPECT_EQ(At(sx, sy), sky);
    // The frame under the mouse: white, black, white across its left edge.
    const int edge = (TileX(14, 3) + TileX(15, 3)) / 2, mid = TileY(15, 3);
    const int left = int(CCamera::GetInstance()->WorldToScreenX(15 * 32.0f, 3 * 32.0f));
    EXPECT_LE(std::abs(left - edge), 1);
    EXPECT_EQ(At(left - 1, mid), white);
    EXPECT_EQ(At(left, mid), black);
    EXPECT_EQ(At(left + 1, mid), white);
    // The ring is gone in the last ten ticks of every 50.
    FramesUntil([](int t) { return t % 50 == 45; });
    Render();
    EXPECT_EQ(Count(sx - 24, sy - 24, sx + 24, sy + 24, ring), 0);

    // The picking hint blinks in the middle of the view: 160 x 16 at (205, 240).
    screen->GetEditor().SetTool(EditorTool_PickStart);
    FramesUntil([](int t) { return t % 60 < 30; });
    Render();
    EXPECT_GT(Count(205, 240, 365, 256, sky, false), 400);
    FramesUntil([](int t) { return t % 60 >= 30; });
    Render();
    EXPECT_EQ(Count(205, 240, 365, 256, sky, false), 0);
    screen->GetEditor().SetTool(EditorTool_Pencil);
    Frame();

    // The banner of the single edit mode, at (20, 440), only in that mode.
    Render();
    const std::vector<uint32_t> before(elDraw::BackBuffer().pixels);
    screen = std::make_unique<CEditorScreen>(nullptr, nullptr, EditorMode::kSingle);
    ASSERT_TRUE(screen->GetEditor().InstallNewStage(stageXml));
    screen->GetEditor().SetScrollPosition(10, 7);
    screen->GetControlAs<Controls::CZoomControl>("ZoomControl")->angle =
        Controls::CZoomControl::kLargestAngle;
    Frames(2);
    Render();
    int changed = 0;
    for (int y = 440; y < 456; ++y)
        for (int x = 20; x < 300; ++x) changed += At(x, y) != (before[size_t(y) * 640 + x] & 0xFFFFFFu);
    EXPECT_GT(changed, 100);
}

}  // namespace
