// The editor's windows drawn by the engine: every picture they cut exists, nothing raises the
// engine's error, and the balloon's text lies in a surface of its own. Each scene is written as a
// PNG into the test's folder (and into $QUOR_SHOTS when set, to be looked at).
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "controls/ControlPort.h"
#include "controls/NetWorkBusyWindow.h"
#include "editor_windows/AreaCopyWindows.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/EditorToolButtons.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/PopUpHelp.h"
#include "editor_windows/StageFileDialogs.h"
#include "editor_windows/ZoomControl.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/FrameTime.h"
#include "platform/png.h"
#include "tests/common/headless_test.h"

using namespace Controls;

namespace {

class EditorWindowShots : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        if (!testsupport::LinkBuiltPictures(GameFolder())) GTEST_SKIP() << "the game folder is not built";
        SetFrameTime(1.0f / 60.0f);
    }
    void TearDown() override {
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    // Draws the form over the editor's grey and writes the frame.
    void Shot(const std::string& name, const std::function<void()>& draw) {
        elDraw::ClearScreen();
        elDraw::DrawRect(0, 0, 640, 480, 0x808080, 0x808080, 1);
        draw();
        ASSERT_FALSE(elSystem::GetErrorFlag()) << name;
        const std::string file = "editor_windows_" + name + ".png";
        ASSERT_TRUE(plat::WritePng(elDraw::BackBuffer(), (GameFolder() / file).string()));
        if (const char* out = std::getenv("QUOR_SHOTS"))
            plat::WritePng(elDraw::BackBuffer(), (std::filesystem::path(out) / file).string());
    }
};

int UsedObjects() {
    int used = 0;
    for (int slot = elDraw::kFirstImageObject; slot < elDraw::kObjectCount; ++slot)
        if (elDraw::GetObjectSlot(slot)) ++used;
    return used;
}

TEST_F(EditorWindowShots, ToolBarTabsDialAndDialogs) {
    CEditerRootForm root(8, 48, 540, 448);
    int x = 8;
    root.AddControl(std::make_unique<CRenewStageButton>(x, 4));
    root.AddControl(std::make_unique<COpenStageButton>(x += 43, 4));
    root.AddControl(std::make_unique<CSaveStageButton>(x += 43, 4));
    root.AddControl(std::make_unique<CEditorDrawButton>(x += 47, 4))->TurnOn();
    root.AddControl(std::make_unique<CEditorRectangleButton>(x += 43, 4));
    root.AddControl(std::make_unique<CEditorFillButton>(x += 43, 4));
    root.AddControl(std::make_unique<CChangeEditModeButton>(x += 46, 4));
    root.AddControl(std::make_unique<CEditorUndoButton>(x += 46, 4));
    root.AddControl(std::make_unique<CEditorRedoButton>(x += 43, 4))->SetEnabled(false);
    root.AddControl(std::make_unique<CConfigButton>(x += 46, 4));
    root.AddControl(std::make_unique<CTestPlayButton>(x += 46, 4));
    root.AddControl(std::make_unique<CSendStageButton>(x += 43, 4));
    root.AddControl(std::make_unique<CInfomationButton>(x += 46, 4));
    root.AddControl(std::make_unique<CBigCloseButton>(592, 4));
    root.AddControl(std::make_unique<CEditorMapEraserButton>(566, 118));
    root.AddControl(std::make_unique<CEditorObjectEraserButton>(602, 118))->TurnOn();
    root.AddControl(std::make_unique<CZoomControl>(568, 48, 0.0));
    auto* tabs = root.AddControl(std::make_unique<CAreaSelectTabList>(10, 51));
    tabs->EnableTabsUpTo(3);
    tabs->SelectTab(1);
    root.AddControl(std::make_unique<CAreaButtonArea>(8, 368));
    root.Draw();  // loads the sheets
    const int before = UsedObjects();
    CPopUpHelp help("範囲描画モード", 203, 40);
    Shot("toolbar", [&] {
        root.Draw();
        help.Draw();
    });
    // The balloon's text is one surface of its own, filled with the balloon's inside.
    ASSERT_GT(help.GetTextSurface(), 0);
    EXPECT_EQ(UsedObjects(), before + 1);
    const plat::Surface* text = elDraw::GetObjectSurface(help.GetTextSurface());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->pixels[0] & 0xFFFFFFu, 0xFFFBE8u);

    root.SetModalForm(std::make_unique<CAreaCopyConfirmWindow>(114, 108, 4, 6));
    Shot("area_copy", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CAreaCopyAlertWindow>(114, 108, 10, 11));
    Shot("area_copy_alert", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<COpenStageKindSelectWindow>(140, 60));
    Shot("open_kind", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CSaveMethodSelectWindow>(160, 100));
    Shot("save_method", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CStageSavedWindow>(
        140, 120,
        "ステージを新規で保存しました！\n次に開くときは、「以前保存した\nステージ」を選んでください。",
        "はじめての草原", "20240102030405.stg"));
    Shot("stage_saved", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CErrorListWindow>(80, 100, "エラーがあるので保存できません！",
                                                         std::vector<std::string>{"ゴールがありません。"}));
    Shot("error_list", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CInfomationWindow>(120, 60, "1.0.0.0", "（未登録）", "（未登録）",
                                                          "（なし）", "（未確定）"));
    Shot("information", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CSendConfirmWindow>(120, 100, "はじめての草原", "", "くまさん", true));
    Shot("send_confirm", [&] { root.Draw(); });
    root.SetModalForm(std::make_unique<CNetWorkBusyWindow>("接続の準備をしています…"));
    Shot("network_busy", [&] { root.Draw(); });
}

// The scripted runs (the gallery, the pallet scenes) draw through the engine as the game does:
// the balloon's text gets its surface there too.
TEST_F(EditorWindowShots, ScriptedMousePortDrawsTextSurfacesThroughTheEngine) {
    ScriptedMousePort port;
    SetPort(&port);
    {
        CPopUpHelp help("範囲描画モード", 203, 40);
        help.Draw();
        EXPECT_GT(help.GetTextSurface(), 0);
    }
    SetPort(nullptr);
}

}  // namespace
