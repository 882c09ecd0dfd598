// The music, background and weather pickers: the rows each set of shop purchases offers, what
// "O K", "ｷｬﾝｾﾙ" and the close button give back, the background preview following the row, and
// the listen button.
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/BackGroundSelectWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "stage/StageCatalogues.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

class Pickers : public dialogtest::DialogTest {};

const char* kEveryMusic =
    "Stage008,Boss001,Boss002,Opening,TopMenu,SelectStage,Editor,Download,Evaluation,Ending";

TEST_F(Pickers, ShopValuesAreOfferedOnceBought) {
    SetBought("");
    EXPECT_EQ(Rows(CMusicSelectWindow(0, 0, 7).GetList()),
              (std::vector<std::string>{"（なし）", "青空を行こうよ", "天地を駆ける", "空戦", "深淵",
                                        "潜入を開始する", "春風の吹いた日", "Lost City", "戦慄の館"}));
    std::vector<std::string> backGrounds = Rows(CBackGroundSelectWindow(0, 0, 1).GetList());
    ASSERT_EQ(backGrounds.size(), 18u);
    EXPECT_EQ(backGrounds.front(), "昼の草原");
    EXPECT_EQ(backGrounds.back(), "はしらの空間");
    EXPECT_EQ(Rows(CWeatherSelectWindow(0, 0, 0).GetList()),
              (std::vector<std::string>{"（なし）", "雨", "雪", "風(右)", "風(左)", "落石"}));

    // One item opens one row; a near miss opens none.
    SetBought("Boss001,stage008,GrassSpring,Fish");
    CMusicSelectWindow music(0, 0, 7);
    EXPECT_EQ(music.GetList()->GetItemCount(), 10);
    EXPECT_EQ(music.GetList()->GetItemValue(9), "Boss001");
    EXPECT_EQ(CBackGroundSelectWindow(0, 0, 1).GetList()->GetItemCount(), 19);
    EXPECT_EQ(CWeatherSelectWindow(0, 0, 0).GetList()->GetItemValue(6), "Fish");

    SetBought(std::string(kEveryMusic) +
              ",BlackBackGround,GrassSpring,GrassAutumn,AnotherWorld,Spring,Autumn,Bomb,Fish");
    EXPECT_EQ(CMusicSelectWindow(0, 0, 7).GetList()->GetItemCount(), 19);
    EXPECT_EQ(Rows(CMusicSelectWindow(0, 0, 7).GetList()).back(), "休日に大地を耕す with vocal");
    backGrounds = Rows(CBackGroundSelectWindow(0, 0, 1).GetList());
    ASSERT_EQ(backGrounds.size(), 22u);
    EXPECT_EQ(backGrounds.front(), "まっくら闇");
    EXPECT_EQ(CWeatherSelectWindow(0, 0, 0).GetList()->GetItemCount(), 10);
}

TEST_F(Pickers, OkTakesTheHighlightedRowAndNothingElseDoes) {
    // "O K" with no row: the value passed in, decided.
    auto* weather = Open(std::make_unique<CWeatherSelectWindow>(100, 60, kWeatherSnow, 2, 5, 9));
    ClickButton(weather->GetOkButton());
    EXPECT_EQ(weather->GetWeather(), kWeatherSnow);
    EXPECT_TRUE(weather->IsDecided());
    EXPECT_EQ(weather->GetAreaIndex(), 2);
    EXPECT_EQ(weather->GetTileX(), 5);
    EXPECT_EQ(weather->GetTileY(), 9);

    // A row, then "ｷｬﾝｾﾙ" or the close button: the value passed in, not decided, sound 4.
    for (int how = 0; how < 2; ++how) {
        port.sounds.clear();
        auto* music = Open(std::make_unique<CMusicSelectWindow>(100, 60, 9));
        ClickRow(music->GetList(), 1);
        if (how == 0) {
            ClickButton(music->GetCancelButton());
        } else {
            ClickClose(music);
        }
        EXPECT_EQ(music->GetMusic(), 9);
        EXPECT_FALSE(music->IsDecided());
        EXPECT_EQ(music->GetTileX(), 0);
        EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
    }

    // A row, then "O K": the row's value.
    auto* backGround = Open(std::make_unique<CBackGroundSelectWindow>(100, 60, 1));
    ClickRow(backGround->GetList(), 2);  // the third row: Cloud
    ClickButton(backGround->GetOkButton());
    EXPECT_EQ(backGround->GetBackGround(), 14);
    EXPECT_EQ(log.Count("closed"), 4);
}

TEST_F(Pickers, ThePreviewAndNameFollowTheHighlightedBackground) {
    auto* window = Open(std::make_unique<CBackGroundSelectWindow>(100, 60, 16));
    Frame(screen);
    EXPECT_EQ(window->GetTitleLabel()->GetText(), "闇に浮かぶ氷山");
    EXPECT_EQ(window->GetPreview()->GetImage().key, "BG_Preview003");
    EXPECT_EQ(window->GetPreview()->GetImage().left, 128);
    EXPECT_EQ(window->GetPreview()->GetImage().top, 0);
    ClickRow(window->GetList(), 1);  // GrassNight
    EXPECT_EQ(window->GetTitleLabel()->GetText(), "夜の草原");
    EXPECT_EQ(window->GetPreview()->GetImage().key, "BG_Preview001");
    EXPECT_EQ(window->GetPreview()->GetImage().left, 128);
    EXPECT_EQ(window->GetPreview()->GetImage().top, 64);
    EXPECT_EQ(window->GetPreview()->GetImage().bottom, 128);
}

TEST_F(Pickers, TheListenButtonPlaysTheRowAndFadesOut) {
    CMusicPlayer* player = CMusicPlayer::GetInstance();
    auto* window = Open(std::make_unique<CMusicSelectWindow>(100, 60, 11));
    EXPECT_FALSE(window->GetPlayButton()->IsDown());
    // Nothing highlighted: the music the window was opened with.
    ClickButton(window->GetPlayButton());
    EXPECT_EQ(player->GetCurrentMusic(), 11);
    ASSERT_EQ(openedMusic.size(), 1u);
    EXPECT_NE(openedMusic[0].find("stage005.ogg"), std::string::npos);
    // A row while listening: its piece at once.
    ClickRow(window->GetList(), 2);
    EXPECT_EQ(player->GetCurrentMusic(), 15);
    // The row of the piece playing: nothing new opened.
    ClickRow(window->GetList(), 2);
    EXPECT_EQ(openedMusic.size(), 2u);
    // Off: the piece fades out to silence.
    ClickButton(window->GetPlayButton());
    EXPECT_TRUE(player->IsFadingOut());
    EXPECT_EQ(player->GetPendingMusic(), 0);

    // Opened while music plays: the button is on and the music stays until a row is chosen.
    PlayMusic(4);
    auto* second = Open(std::make_unique<CMusicSelectWindow>(100, 60, 11));
    Frame(screen);
    EXPECT_TRUE(second->GetPlayButton()->IsDown());
    EXPECT_EQ(player->GetCurrentMusic(), 4);
    ClickRow(second->GetList(), 0);
    EXPECT_EQ(player->GetCurrentMusic(), 0);
}

}  // namespace
