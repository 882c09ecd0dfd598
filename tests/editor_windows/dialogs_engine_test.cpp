// The dialogs on the engine: the listen button's music heard through the mixer, and every dialog
// drawn with the game's own pictures and fonts, written as PNG screenshots into the test's folder
// (and into $QUOR_SHOTS when set, to be looked at).
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/BackGroundSelectWindow.h"
#include "editor_windows/ChangeBatteryTimingWindow.h"
#include "editor_windows/ChangeDoorMovePointWindow.h"
#include "editor_windows/ChangeSwitchColorWindow.h"
#include "editor_windows/ChangeZoomRateWindow.h"
#include "editor_windows/CustomLiftConfigWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/NewAreaConfigWindow.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "engine/Music.h"
#include "engine/SpriteManager.h"
#include "engine/el/Mixer.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "platform/png.h"
#include "stage/StageCatalogues.h"
#include "tests/common/headless_test.h"

using namespace Controls;

namespace {

// The engine draws; the mouse is the test's.
class ScriptedMousePort : public IControlPort {
  public:
    MouseInput mouse;
    MouseInput Mouse() override { return mouse; }
    void PutImage(int x, int y, const std::string& group, const std::string& key, int l, int t, int r,
                  int b) override {
        EnginePort().PutImage(x, y, group, key, l, t, r, b);
    }
    void Text(const std::string& text, int l, int t, int r, int b, const TextLook& look) override {
        EnginePort().Text(text, l, t, r, b, look);
    }
    void Line(int x1, int y1, int x2, int y2, uint32_t color, int width) override {
        EnginePort().Line(x1, y1, x2, y2, color, width);
    }
    void Rect(int x1, int y1, int x2, int y2, uint32_t pen, uint32_t brush, int width) override {
        EnginePort().Rect(x1, y1, x2, y2, pen, brush, width);
    }
    void RectOutline(int x1, int y1, int x2, int y2, uint32_t color, int width) override {
        EnginePort().RectOutline(x1, y1, x2, y2, color, width);
    }
    int CaptureSurface(int l, int t, int r, int b) override {
        return EnginePort().CaptureSurface(l, t, r, b);
    }
    void PutSurface(int x, int y, int surface, int w, int h) override {
        EnginePort().PutSurface(x, y, surface, w, h);
    }
    void ReleaseSurface(int surface) override { EnginePort().ReleaseSurface(surface); }
    void PlaySound(int) override {}
};

class DialogsOnTheEngine : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        if (!testsupport::LinkBuiltPictures(GameFolder())) GTEST_SKIP() << "the game folder is not built";
        std::error_code ec;
        std::filesystem::create_directory_symlink(testsupport::BuiltGameFolder() / "music",
                                                  GameFolder() / "music", ec);
        std::filesystem::create_directories(GameFolder() / "network");
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat",
                                     "<clientInfo><config><musicVolume>80</musicVolume></config><boughtItems>"
                                     "Stage008,Boss001,GrassSpring,Fish</boughtItems></clientInfo>"));
        SetFrameTime(1.0f / 60.0f);
        SetPort(&port);
    }
    void TearDown() override {
        screen.SetModalForm(nullptr);
        SetPort(nullptr);
        CMusicPlayer::DeleteInstance();
        CClientInfo::DeleteInstance();
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    void Mouse(int x, int y, bool pressed, bool released) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftPressed = pressed, port.mouse.leftReleased = released;
        screen.Update();
    }
    void Click(GCBase* widget, int dx = 8, int dy = 8) {
        const int x = widget->GetAbsoluteX() + dx, y = widget->GetAbsoluteY() + dy;
        Mouse(x, y, true, false);
        Mouse(x, y, false, true);
        Mouse(x, y, false, false);
    }
    // The loudest sample of the next tenth of a second the mixer plays.
    static float Loudest() {
        std::vector<float> out(2 * 4410);
        el::OutputMixer().MixInto(out.data(), 4410);
        float loudest = 0;
        for (float s : out) loudest = std::max(loudest, std::fabs(s));
        return loudest;
    }
    // Draws the screen (the editor's grey under its dialog) twice, as the cached labels settle on
    // the second frame, and writes it.
    void Shot(const std::string& name) {
        for (int i = 0; i < 2; ++i) {
            elDraw::ClearScreen();
            elDraw::DrawRect(0, 0, 640, 480, 0x808080, 0x808080, 1);
            screen.Draw();
        }
        ASSERT_FALSE(elSystem::GetErrorFlag()) << name;
        const std::string file = "dialog_" + name + ".png";
        ASSERT_TRUE(plat::WritePng(elDraw::BackBuffer(), (GameFolder() / file).string()));
        if (const char* out = std::getenv("QUOR_SHOTS"))
            plat::WritePng(elDraw::BackBuffer(), (std::filesystem::path(out) / file).string());
    }

    ScriptedMousePort port;
    COriginalBaseForm screen;
};

TEST_F(DialogsOnTheEngine, TheListenButtonIsHeardThroughTheMixer) {
    CMusicPlayer* player = CMusicPlayer::GetInstance();
    auto* window = screen.OpenModal(std::make_unique<CMusicSelectWindow>(100, 60, 7));
    screen.Update();
    EXPECT_LT(Loudest(), 1e-4f);
    Click(window->GetPlayButton(), 20, 20);
    EXPECT_EQ(player->GetCurrentMusic(), 7);
    EXPECT_GT(Loudest(), 0.01f);
    // Off: the piece fades out and nothing follows.
    Click(window->GetPlayButton(), 20, 20);
    for (int frame = 0; frame < 120; ++frame) player->Update();
    EXPECT_EQ(player->GetCurrentMusic(), 0);
    Loudest();
    EXPECT_LT(Loudest(), 1e-4f);
}

TEST_F(DialogsOnTheEngine, EveryDialogDrawn) {
    auto* classes = screen.OpenModal(std::make_unique<CAreaClassSelectWindow>(60, 80, 4));
    screen.Update();
    Mouse(classes->GetClassButton(6)->GetAbsoluteX() + 40, classes->GetClassButton(6)->GetAbsoluteY() + 30,
          false, false);
    Shot("area_class");
    Click(classes->GetClassButton(8), 40, 30);
    Shot("area_class_refused");

    auto* settings = screen.OpenModal(
        std::make_unique<CStageConfigWindow>(80, 20, 15, "はじめての草原", 0, 3, 14, 9, 15, kWeatherFish));
    Shot("stage_config");
    Click(settings->GetTitleButton(), 30, 14);
    Shot("stage_config_keyboard");
    screen.OpenModal(
        std::make_unique<CConfirmWindow>("新しいエリアを作成します。\nよろしいですか？", 114, 168));
    Shot("new_area_confirm");
    screen.OpenModal(std::make_unique<CNewAreaConfigWindow>(140, 60, 7, 1, 0));
    Shot("new_area_config");

    auto* music = screen.OpenModal(std::make_unique<CMusicSelectWindow>(96, 52, 7));
    Click(music->GetList(), 30, 2 * 20 + 8);
    Shot("music");
    auto* backGround = screen.OpenModal(std::make_unique<CBackGroundSelectWindow>(96, 52, 1));
    Click(backGround->GetList(), 30, 4 * 20 + 8);
    Shot("background");
    auto* weather = screen.OpenModal(std::make_unique<CWeatherSelectWindow>(96, 52, 0));
    Click(weather->GetList(), 30, 5 * 20 + 8);
    Shot("weather");

    screen.OpenModal(std::make_unique<CChangeDoorMovePointWindow>(160, 160, 0, 15, 5, 14, 2, 90, 7, 3));
    Shot("door");
    screen.OpenModal(std::make_unique<CChangeDoorMovePointWindow>(160, 160, 1, 15, 12, 3, -1, 0, 0, 0));
    Shot("door_nowhere");
    screen.OpenModal(std::make_unique<CChangeBatteryTimingWindow>(160, 160, 0, 4, 5));
    Shot("battery");
    screen.OpenModal(std::make_unique<CChangeSwitchColorWindow>(160, 160, 0, 4, 5));
    Shot("switch");
    screen.OpenModal(std::make_unique<CChangeZoomRateWindow>(160, 120, 0, 4, 5));
    Shot("zoom");
    auto* lift = screen.OpenModal(std::make_unique<CCustomLiftConfigWindow>(100, 40, 0, 4, 5, "CCEBBIJAxK"));
    Click(lift->GetCommandList(), 30, 3 * 20 + 8);
    Shot("lift_route");
    lift =
        screen.OpenModal(std::make_unique<CCustomLiftConfigWindow>(100, 40, 0, 4, 5, std::string(128, 'A')));
    Click(lift->GetStopButton(), 50, 20);
    Shot("lift_route_full");
}

}  // namespace
