// The stage settings window: the start point's text, the title through the on-screen keyboard,
// the pickers' answers, and that only "O K" hands the values on.
#include <memory>
#include <string>

#include "controls/KeyboardWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "stage/StageCatalogues.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

class StageConfig : public dialogtest::DialogTest {
  protected:
    // A stage whose start lies in its first area, a one-room area 15 rows high, at (3, 14): the
    // bottom row.
    CStageConfigWindow* OpenWindow() {
        return window = Open(
                   std::make_unique<CStageConfigWindow>(80, 20, 15, "はじめての草原", 0, 3, 14, 7, 1, 0));
    }
    CVirtualKeyBoard* Keyboard() { return dynamic_cast<CVirtualKeyBoard*>(window->GetModalForm()); }

    CStageConfigWindow* window = nullptr;
};

TEST_F(StageConfig, TheStartPointCountsAreasFromOneAndRowsFromTheBottom) {
    OpenWindow();
    EXPECT_EQ(window->GetStartPointText(), "エリア1 (3,0)");
    EXPECT_EQ(window->GetStartPointArea()->GetText(), "エリア1 (3,0)");
    EXPECT_EQ(window->GetMusicArea()->GetText(), "青空を行こうよ");
    EXPECT_EQ(window->GetBackGroundArea()->GetText(), "昼の草原");
    EXPECT_EQ(window->GetWeatherArea()->GetText(), "（なし）");
    // "変更" of the start point: closed, asking for a tile, everything kept.
    ClickButton(window->GetStartPointButton());
    EXPECT_EQ(window->GetResult(), kSettingsPickStartPoint);
    EXPECT_EQ(window->GetStageName(), "はじめての草原");
    EXPECT_EQ(window->GetStartY(), 14);
    // The close button cancels; "O K" untouched hands back what the window was opened with.
    OpenWindow();
    ClickClose(window);
    EXPECT_EQ(window->GetResult(), kSettingsCancelled);
    OpenWindow();
    ClickButton(window->GetOkButton());
    EXPECT_EQ(window->GetResult(), kSettingsOk);
    EXPECT_EQ(window->GetMusic(), 7);
    EXPECT_EQ(window->GetStageName(), "はじめての草原");
    EXPECT_EQ(log.Count("closed"), 3);
}

TEST_F(StageConfig, TheTitleIsTypedOnTheKeyboardAndKeptOnlyByOk) {
    OpenWindow();
    ClickButton(window->GetTitleButton());
    ASSERT_NE(Keyboard(), nullptr);
    EXPECT_EQ(Keyboard()->GetInputText(), "はじめての草原");
    // A cancelled keyboard changes nothing.
    ClickButton(Keyboard()->GetCancelButton());
    Frame(screen);
    EXPECT_EQ(window->GetTitleArea()->GetText(), "はじめての草原");

    ClickButton(window->GetTitleButton());
    Keyboard()->GetInputArea()->SetText("");
    for (const char* c : {"あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ", "さ", "し", "す"})
        Keyboard()->GetInputArea()->InsertChar(c);
    ClickButton(Keyboard()->GetOkButton());
    Frame(screen);
    // 12 characters at most.
    EXPECT_EQ(window->GetTitleArea()->GetText(), "あいうえおかきくけこさし");
    EXPECT_EQ(window->GetStageName(), "あいうえおかきくけこさし");
    EXPECT_EQ(log.Count("closed"), 0);

    // "ｷｬﾝｾﾙ": the caller applies nothing.
    port.sounds.clear();
    ClickButton(window->GetCancelButton());
    EXPECT_EQ(window->GetResult(), kSettingsCancelled);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
}

TEST_F(StageConfig, PickersOpenOverTheWindowAndTheirAnswerIsShown) {
    SetBought("Fish");
    OpenWindow();
    ClickButton(window->GetWeatherButton());
    auto* weather = dynamic_cast<CWeatherSelectWindow*>(window->GetModalForm());
    ASSERT_NE(weather, nullptr);
    EXPECT_EQ(weather->GetX(), 80 + 16);
    EXPECT_EQ(weather->GetY(), 20 + 32);
    ClickRow(weather->GetList(), 6);  // さんま祭り, bought
    ClickButton(weather->GetOkButton());
    Frame(screen);
    EXPECT_EQ(window->GetWeather(), kWeatherFish);
    EXPECT_EQ(window->GetWeatherArea()->GetText(), "さんま祭り");

    // A cancelled picker gives back what it was opened with.
    ClickButton(window->GetMusicButton());
    auto* music = dynamic_cast<CMusicSelectWindow*>(window->GetModalForm());
    ASSERT_NE(music, nullptr);
    ClickRow(music->GetList(), 3);
    ClickClose(music);
    Frame(screen);
    EXPECT_EQ(window->GetMusic(), 7);
    EXPECT_EQ(window->GetMusicArea()->GetText(), "青空を行こうよ");
}

}  // namespace
