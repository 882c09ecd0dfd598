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
#include "engine/InputManager.h"
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
    }
    void TearDown() override {
        screen.SetModalForm(nullptr);
        CMusicPlayer::DeleteInstance();
        CInputManager::DeleteInstance();
        CClientInfo::DeleteInstance();
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    // Highlights row `row` of a list as a click does.
    static void Highlight(CExclusiveTextPanel* list, int row) { list->GetList()->GetButton(row)->TurnOn(); }
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

    COriginalBaseForm screen;
};

TEST_F(DialogsOnTheEngine, TheListenButtonIsHeardThroughTheMixer) {
    CMusicPlayer* player = CMusicPlayer::GetInstance();
    auto* window = screen.OpenModal(std::make_unique<CMusicSelectWindow>(100, 60, 7));
    screen.Update();
    EXPECT_LT(Loudest(), 1e-4f);
    window->GetPlayButton()->TurnOn();  // as a click does: Push
    EXPECT_EQ(player->GetCurrentMusic(), 7);
    EXPECT_GT(Loudest(), 0.01f);
    // Off: the piece fades out and nothing follows.
    window->GetPlayButton()->TurnOff();  // Pull
    for (int frame = 0; frame < 120; ++frame) player->Update();
    EXPECT_EQ(player->GetCurrentMusic(), 0);
    Loudest();
    EXPECT_LT(Loudest(), 1e-4f);
}

TEST_F(DialogsOnTheEngine, EveryDialogDrawn) {
    auto* classes = screen.OpenModal(std::make_unique<CAreaClassSelectWindow>(60, 80, 4));
    classes->OnFocused(classes->GetClassButton(6));  // the longest word on a class
    Shot("area_class");
    classes->GetClassButton(8)->PerformPush();
    Shot("area_class_refused");

    auto* settings = screen.OpenModal(
        std::make_unique<CStageConfigWindow>(80, 20, 15, "はじめての草原", 0, 3, 14, 9, 15, kWeatherFish));
    Shot("stage_config");
    settings->GetTitleButton()->PerformPush();
    Shot("stage_config_keyboard");
    screen.OpenModal(
        std::make_unique<CConfirmWindow>("新しいエリアを作成します。\nよろしいですか？", 114, 168));
    Shot("new_area_confirm");
    screen.OpenModal(std::make_unique<CNewAreaConfigWindow>(140, 60, 7, 1, 0));
    Shot("new_area_config");

    auto* music = screen.OpenModal(std::make_unique<CMusicSelectWindow>(96, 52, 7));
    Highlight(music->GetList(), 2);
    music->GetPlayButton()->TurnOn();
    screen.Update();
    Shot("music");
    auto* backGround = screen.OpenModal(std::make_unique<CBackGroundSelectWindow>(96, 52, 1));
    Highlight(backGround->GetList(), 4);
    screen.Update();
    Shot("background");
    auto* weather = screen.OpenModal(std::make_unique<CWeatherSelectWindow>(96, 52, 0));
    Highlight(weather->GetList(), 5);
    screen.Update();
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
    Highlight(lift->GetCommandList(), 3);
    Shot("lift_route");
    lift =
        screen.OpenModal(std::make_unique<CCustomLiftConfigWindow>(100, 40, 0, 4, 5, std::string(128, 'A')));
    lift->GetStopButton()->PerformPush();
    Shot("lift_route_full");
}

}  // namespace
