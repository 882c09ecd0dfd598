// The top menu: its opening and leaving timing, the first push that wins, which entries show
// with and without a creator id, every shortcut by key, pad and mouse, and a round trip into
// every mode's scene and back.
#include "controls/ButtonBases.h"
#include "controls/Dialogs.h"
#include "editor/EditorScreen.h"
#include "flow/ConfigSceneRootForm.h"
#include "flow/DownLoadScene.h"
#include "flow/EditorScene.h"
#include "flow/FormHostScenes.h"
#include "flow/NetworkTestForm.h"
#include "flow/ScenarioModeScene.h"
#include "flow_menu_env.h"
#include "online/AdminCreatorForm.h"
#include "online/DownLoadForms.h"
#include "online/RegisterCreatorForm.h"
#include "online/ShopSceneRootForm.h"
#include "stage/Stage.h"

using namespace flowtest;
using Controls::CTopMenuModeButton;

namespace {

class Menu : public MenuTest {};

TEST_F(Menu, OpensAfter30FramesAndOpensTheModeSceneOnlyAfterTheLeaveDelay) {
    SetFrame(1.0f / 32);  // 1.875 ticks a frame, exactly
    StartMenu();
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kTopMenu);
    // Black for 15 ticks, then the bars open over 15; no input meanwhile.
    Frames(8);
    EXPECT_EQ(menu->LetterboxRatio(), 1.0);
    Press(plat::kKeyF2);
    Frames(3);  // 22.5 ticks
    EXPECT_EQ(menu->LetterboxRatio(), 0.5);
    Frames(4);  // 30 ticks: not yet past 30
    EXPECT_FALSE(menu->IsOpened());
    EXPECT_EQ(menu->LetterboxRatio(), 0.0);
    Frame();
    EXPECT_TRUE(menu->IsOpened());
    EXPECT_FALSE(Form()->IsModeChosen());

    // The first push wins, and the frame of the push counts.
    Press(plat::kKeyF1);
    EXPECT_EQ(menu->GetSelectedMode(), kModeScenario);
    EXPECT_TRUE(Form()->GetButton(Controls::kEntryScenario)->IsActivated());
    EXPECT_FALSE(Form()->GetButton(Controls::kEntryConfig)->IsActivatable());
    Frames(4);
    Press(plat::kKeyF3);
    Click(480, 448);  // the config entry
    EXPECT_EQ(menu->GetSelectedMode(), kModeScenario);
    EXPECT_FALSE(Form()->GetButton(Controls::kEntryConfig)->IsActivated());
    Frames(8);  // 30 ticks: the bars close from here
    EXPECT_EQ(menu->LetterboxRatio(), 0.0);
    Frames(4);
    EXPECT_EQ(menu->LetterboxRatio(), 0.5);
    // The scene comes in the frame the leave timer passes 50 ticks (48.75 after 26 frames, 50.625
    // after 27).
    EXPECT_EQ(FramesUntilChild(), 7);
    EXPECT_NE(dynamic_cast<CScenarioModeScene*>(menu->GetChild()), nullptr);
    EXPECT_EQ(menu->GetTopScene()->GetCaption(), "");

    // Back: this game folder has no scenario progress to read, so the mode says so and closes
    // at its first frame; the menu builds a fresh form that opens again, with its music.
    const int32_t formId = Form()->GetId();
    Frame();
    EXPECT_NE(LastMessage().find("DEF0300"), std::string::npos);
    Frame();
    EXPECT_EQ(menu->GetChild(), nullptr);
    EXPECT_NE(Form()->GetId(), formId);
    EXPECT_FALSE(menu->IsOpened());
    EXPECT_FALSE(Form()->IsModeChosen());
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kTopMenu);
}

TEST_F(Menu, WithoutACreatorIdTheRegistrationShowsAndF5DoesNothing) {
    WriteClientInfo(false);
    StartMenu();
    OpenMenu();
    ASSERT_NE(Form()->GetButton(Controls::kEntryRegisterCreator), nullptr);
    EXPECT_EQ(Form()->GetButton(Controls::kEntryRegisterCreator)->GetY(), 272);
    EXPECT_EQ(Form()->GetButton(Controls::kEntryCreatorAdmin), nullptr);
    EXPECT_EQ(Form()->GetButton(Controls::kEntryShop), nullptr);
    EXPECT_EQ(Form()->GetControls().Count(), 6);
    Press(plat::kKeyF5);
    EXPECT_FALSE(Form()->IsModeChosen());
    Press(plat::kKeyF4);
    EXPECT_EQ(menu->GetSelectedMode(), kModeRegisterCreator);
    FramesUntilChild();
    EXPECT_NE(dynamic_cast<CRegisterCreatorScene*>(menu->GetChild()), nullptr);
}

TEST_F(Menu, WithACreatorIdTheAccountTakesTheRegistrationsPlaceAndTheShopShows) {
    WriteClientInfo(true);
    StartMenu();
    OpenMenu();
    EXPECT_EQ(Form()->GetButton(Controls::kEntryRegisterCreator), nullptr);
    ASSERT_NE(Form()->GetButton(Controls::kEntryCreatorAdmin), nullptr);
    EXPECT_EQ(Form()->GetButton(Controls::kEntryCreatorAdmin)->GetY(), 272);
    ASSERT_NE(Form()->GetButton(Controls::kEntryShop), nullptr);
    EXPECT_EQ(Form()->GetButton(Controls::kEntryShop)->GetY(), 336);
    Press(plat::kKeyF4);
    EXPECT_EQ(menu->GetSelectedMode(), kModeCreatorAdmin);
    FramesUntilChild();
    EXPECT_NE(dynamic_cast<CAdminCreatorScene*>(menu->GetChild()), nullptr);
}

// Each shortcut in a menu of its own; the pad's first button is Z.
TEST_F(Menu, EveryShortcutChoosesItsMode) {
    WriteClientInfo(true);
    struct Case {
        const char* name;
        uint16_t key;  // 0: the pad's first button
        int mode;
    };
    const Case cases[] = {{"F1", plat::kKeyF1, kModeScenario},
                          {"F2", plat::kKeyF2, kModeStageSelect},
                          {"F3", plat::kKeyF3, kModeMakeStage},
                          {"F4", plat::kKeyF4, kModeCreatorAdmin},
                          {"F5", plat::kKeyF5, kModeShop},
                          {"Z", plat::kKeyZ, kModeScenario},
                          {"pad", 0, kModeScenario}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartMenu();
        OpenMenu();
        if (c.key) {
            Press(c.key);
        } else {
            Headless().JoystickButton(0, 0, true);
            Frame();
            Headless().JoystickButton(0, 0, false);
            Frame();
        }
        EXPECT_EQ(menu->GetSelectedMode(), c.mode);
    }
    // F1 and Z in one frame push the scenario entry once; the mouse picks the small entries.
    StartMenu();
    OpenMenu();
    Headless().KeyDown(plat::kKeyF1);
    Headless().KeyDown(plat::kKeyZ);
    Frame();
    EXPECT_EQ(menu->GetSelectedMode(), kModeScenario);
    for (int mode : {kModeNetWorkTest, kModeConfig}) {
        StartMenu();
        OpenMenu();
        Click(mode == kModeConfig ? 480 : 160, 448);
        EXPECT_EQ(menu->GetSelectedMode(), mode);
    }
}

TEST_F(Menu, EveryModeSceneIsReachedAndLeftWithItsMusic) {
    struct Case {
        int mode;
        bool creator;
        int music;
    };
    // (The scenario mode, a scene of its own, has its own tests.)
    const Case cases[] = {{kModeStageSelect, false, MusicId::kDownload},
                          {kModeMakeStage, false, MusicId::kEditor},
                          {kModeRegisterCreator, false, MusicId::kDownload},
                          {kModeCreatorAdmin, true, MusicId::kDownload},
                          {kModeShop, true, MusicId::kSelectStage},
                          {kModeNetWorkTest, false, MusicId::kNone},
                          {kModeConfig, false, MusicId::kTopMenu}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        WriteClientInfo(c.creator);
        StartMenu();
        OpenMenu();
        menu->SelectMode(c.mode);
        ASSERT_LE(FramesUntilChild(), 51);
        IScene* child = menu->GetChild();
        EXPECT_EQ(child->GetCaption(), "");
        EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), c.music);
        Frames(3);
        EXPECT_FALSE(child->IsClosed());
        auto* host = dynamic_cast<CFormHostScene*>(child);
        // Every screen is left by its own button.
        if (auto* editor = dynamic_cast<CEditorScene*>(child)) {
            // The close button asks first; yes closes the editor at its next frame.
            editor->GetScreen()->GetControlAs<Controls::CPushButtonBase>("CloseButton")->PerformPush();
            auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(editor->GetScreen()->GetOpenWindow());
            ASSERT_NE(confirm, nullptr);
            confirm->OnButtonPushed(confirm->GetYesButton());
            Frame();
        } else if (!host) {
            ADD_FAILURE() << "no screen of its own";
        } else if (auto* shop = dynamic_cast<Controls::CShopSceneRootForm*>(host->GetRootForm())) {
            // The shop plays its exit for 60 frames first.
            shop->GetCloseButton()->PerformPush();
            for (int i = 0; i < 70 && !host->IsClosed(); ++i) Frame();
        } else if (auto* test = dynamic_cast<Controls::CNetWorkTestSceneRootForm*>(host->GetRootForm())) {
            // "いいえ" to the question: no request, back to the menu.
            auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(test->GetModalForm());
            ASSERT_NE(confirm, nullptr);
            confirm->OnButtonPushed(confirm->GetNoButton());
        } else if (auto* top = dynamic_cast<Controls::CDownLoadTopRootForm*>(host->GetRootForm())) {
            // No stage is posted yet.
            lib.Succeed("0\n0\n");
            CNetWorkAccessor::GetInstance()->Poll();
            top->OnPushed(top->GetCloseButton());
            auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(top->GetModalForm());
            ASSERT_NE(confirm, nullptr);
            confirm->OnButtonPushed(confirm->GetYesButton());
        } else if (auto* join = dynamic_cast<Controls::CRegisterCreatorSceneRootForm*>(host->GetRootForm())) {
            auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(join->GetModalForm());
            ASSERT_NE(confirm, nullptr);
            confirm->OnButtonPushed(confirm->GetNoButton());
        } else if (dynamic_cast<Controls::CAdminCreatorSceneRootForm*>(host->GetRootForm())) {
            // The stages cannot be fetched: back to the menu once the error is closed.
            lib.Fail(QVNet::EC_NW_ERROR, "12029");
            CNetWorkAccessor::GetInstance()->Poll();
            CNetWorkAccessor::GetInstance()->OnWindowClosed();
        } else {
            auto* config = dynamic_cast<Controls::CConfigSceneRootForm*>(host->GetRootForm());
            ASSERT_NE(config, nullptr);
            config->GetOkButton()->PerformPush();
        }
        CNetWorkAccessor::GetInstance()->Poll();
        EXPECT_TRUE(child->IsClosed());
        Frame();
        EXPECT_EQ(menu->GetChild(), nullptr);
        EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kTopMenu);
        OpenMenu();
    }
}

TEST_F(Menu, TheAccountScreensWayToTheEditorSkipsTheMenu) {
    WriteClientInfo(true);
    StartMenu();
    OpenMenu();
    menu->SelectMode(kModeCreatorAdmin);
    FramesUntilChild();
    auto* account = dynamic_cast<CAdminCreatorScene*>(menu->GetChild());
    ASSERT_NE(account, nullptr);
    account->CloseToEditor();
    EXPECT_EQ(menu->GetPendingMode(), kModeMakeStage);
    // The next frame removes the account screen and opens the editor at once, behind the bars.
    Frame();
    EXPECT_NE(dynamic_cast<CEditorScene*>(menu->GetChild()), nullptr);
    EXPECT_EQ(menu->GetPendingMode(), kModeNone);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kEditor);
}

TEST_F(Menu, TheDownLoadScreenBuildsOnlyTheLastFormAskedForAndPlaysNoBrokenStage) {
    StartMenu();
    OpenMenu();
    menu->SelectMode(kModeStageSelect);
    FramesUntilChild();
    auto* download = dynamic_cast<CDownLoadScene*>(menu->GetChild());
    ASSERT_NE(download, nullptr);
    EXPECT_EQ(download->GetFormId(), DownLoadFormId::Top);
    const int32_t first = download->GetRootForm()->GetId();
    download->ChangeForm(DownLoadFormId::DifficultyLength);
    download->ChangeForm(DownLoadFormId::CreatorName);
    EXPECT_EQ(download->GetRootForm()->GetId(), first);  // never inside the caller's handler
    Frame();
    EXPECT_EQ(download->GetFormId(), DownLoadFormId::CreatorName);
    const int32_t built = download->GetRootForm()->GetId();
    EXPECT_NE(built, first);
    Frame();
    EXPECT_EQ(download->GetRootForm()->GetId(), built);

    // Without a stage nothing is played: the form stays and says so.
    download->PlayStage(nullptr);
    Frame();
    EXPECT_EQ(download->GetChild(), nullptr);
    EXPECT_EQ(download->GetRootForm()->GetId(), built);
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(download->GetRootForm()->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(), "ステージデータを\n開けませんでした…。");
    CMouse::GetInstance()->SetCursorKind(3);
    download->OnChildClosed(nullptr);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 0);
}

// A play history set aside at the start is told once, in a window of its own after the settings'.
TEST_F(Menu, ADamagedHistoryIsToldOverTheMenuOnceAfterTheSettings) {
    WriteClientInfo(true);
    CClientInfo::GetInstance()->WriteBackup();
    WriteRaw("network/client_info.dat", "damaged");
    CClientInfo::DeleteInstance();
    WriteRaw("network/history.dat", "garbage!!");
    CPlayHistory::DeleteInstance();
    CPlayHistory::GetInstance();
    StartMenu();
    Frame();
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(Form()->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(), "[DEF0204]\n設定をバックアップから\n復元しました。");
    OpenMenu();
    alert->GetOkButton()->PerformPush();
    Frame();
    alert = dynamic_cast<Controls::CAlertWindow*>(Form()->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(),
              "[DEF0101]\nhistory.dat が不正です。\n別名で残し、空で始めます。");
    alert->GetOkButton()->PerformPush();
    Frame();
    EXPECT_EQ(Form()->GetModalForm(), nullptr);
    StartMenu();
    Frame();
    EXPECT_EQ(Form()->GetModalForm(), nullptr);
}

TEST_F(Menu, ASettingsFileRestoredAtTheStartIsShownOverTheMenu) {
    WriteClientInfo(true);
    CClientInfo::GetInstance()->WriteBackup();
    WriteRaw("network/client_info.dat", "damaged");
    CClientInfo::DeleteInstance();
    StartMenu();
    Frame();
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(Form()->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(), "[DEF0204]\n設定をバックアップから\n復元しました。");
    // The menu waits for the player to read it.
    OpenMenu();
    Press(plat::kKeyF1);
    EXPECT_FALSE(Form()->IsModeChosen());
    alert->GetOkButton()->PerformPush();
    Frame();
    EXPECT_EQ(Form()->GetModalForm(), nullptr);
    Press(plat::kKeyF1);
    EXPECT_TRUE(Form()->IsModeChosen());
    // Once only: the next menu shows nothing.
    StartMenu();
    Frame();
    EXPECT_EQ(Form()->GetModalForm(), nullptr);
}

}  // namespace
