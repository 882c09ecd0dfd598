// What the editor does when each of its windows closes: new stages, areas added, copied and
// deleted, the stage settings with the start point picked on the map, the pallets, the object
// menu's entries and property windows, closing, test play, and posting through the post service.
#include "controls/Pallet.h"
#include "editor/StagePostService.h"
#include "editor_screen_env.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/AreaCopyWindows.h"
#include "editor_windows/ChangeDoorMovePointWindow.h"
#include "editor_windows/CustomLiftConfigWindow.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/NewAreaConfigWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "editor_windows/PropertyChoiceWindowBase.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"

using editortest::EditorScreenTest;
using namespace Controls;

namespace {

class EditorScreenWindows : public EditorScreenTest {
  protected:
    // The question the new-area factory in front asks now.
    template <class W>
    W* Question() {
        auto* factory = Window<CNewAreaFactoryWindow>();
        return factory ? dynamic_cast<W*>(factory->GetModalForm()) : nullptr;
    }
    // Adds an area of that class as the player does: "はい", the class, "O K".
    void AddAreaThroughWindows(int areaClass) {
        ClickControl("AreaAddButton");
        ASSERT_NE(Question<CConfirmWindow>(), nullptr);
        Push(Question<CConfirmWindow>()->GetYesButton());
        ASSERT_NE(Question<CAreaClassSelectWindow>(), nullptr);
        Push(Question<CAreaClassSelectWindow>()->GetClassButton(areaClass));
        ASSERT_NE(Question<CNewAreaConfigWindow>(), nullptr);
        Push(Question<CNewAreaConfigWindow>()->GetOkButton());
    }
    CStageConfigWindow* Settings() { return Window<CStageConfigWindow>(); }
};

// Chooses the menu entry with that text on the object menu in front.
void ChooseEntry(CBeigePopup* menu, const std::string& text) {
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < menu->GetControls().Count(); ++i) {
        auto* item = dynamic_cast<CPushButtonBase*>(menu->GetControls().At(i));
        if (item && item->GetText() == text) return item->PerformPush();
    }
    FAIL() << "no entry " << text;
}

TEST_F(EditorScreenWindows, NewStageReplacesTheStageAndStartsAfresh) {
    ClickControl("RenewButton");
    Reply("no");  // not made after all
    EXPECT_EQ(screen->GetStage(), nullptr);
    ClickControl("RenewButton");
    Reply("yes");
    Reply("type:はじまり");
    Reply("area");
    ASSERT_NE(screen->GetStage(), nullptr);
    EXPECT_EQ(Stage().name, "はじまり");
    EXPECT_EQ(Stage().GetAreaCount(), 1);
    EXPECT_TRUE(Enabled("SaveButton"));
    EXPECT_TRUE(Editor().GetCurrentFileName().empty());
    EXPECT_FALSE(Editor().IsModified());
}

TEST_F(EditorScreenWindows, AreasAreAddedCopiedAndDeletedThroughTheirWindows) {
    Install({AreaClass_Short});
    AddAreaThroughWindows(AreaClass_OneRoom);
    ASSERT_EQ(Stage().GetAreaCount(), 2);
    EXPECT_EQ(Stage().GetAreaWidth(1), 20);  // one room
    EXPECT_EQ(Stage().GetCurrentAreaIndex(), 1);
    EXPECT_TRUE(Enabled("AreaSelectTab1"));
    const int copiedNumber = Stage().GetAreaAbsoluteNum(1);
    ClickControl("AreaCopyButton");
    auto* copy = Window<CAreaCopyConfirmWindow>();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetUsedUnits(), 3);
    EXPECT_EQ(copy->GetUnitsAfterCopy(), 4);
    EXPECT_EQ(copy->GetX(), 114);
    EXPECT_EQ(copy->GetY(), 108);
    copy->GetYesButton()->PerformPush();
    Frames(2);
    ASSERT_EQ(Stage().GetAreaCount(), 3);
    EXPECT_GT(Stage().GetAreaAbsoluteNum(2), copiedNumber);  // a fresh number for the copy
    ClickControl("AreaDeleteButton");
    Window<CConfirmWindow>()->GetNoButton()->PerformPush();
    Frames(2);
    EXPECT_EQ(Stage().GetAreaCount(), 3);
    ClickControl("AreaDeleteButton");
    Window<CConfirmWindow>()->GetYesButton()->PerformPush();
    Frames(2);
    EXPECT_EQ(Stage().GetAreaCount(), 2);
    EXPECT_FALSE(Enabled("AreaSelectTab2"));
}

TEST_F(EditorScreenWindows, AnAreaTextThatCannotBeReadIsShownAndLeavesTheStageAlone) {
    Install({AreaClass_Short});
    EXPECT_FALSE(screen->AddArea("<TEMPAREA><AREA><map>"));
    EXPECT_EQ(Stage().GetAreaCount(), 1);
    EXPECT_FALSE(Editor().CanUndo());
    auto* alert = Window<CAlertWindow>();
    ASSERT_NE(alert, nullptr);
    EXPECT_NE(alert->GetTextLabel()->GetText().find("SDE"), std::string::npos);
    std::string logFile = CLog::GetInstance()->GetFilePath();
    std::replace(logFile.begin(), logFile.end(), '\\', '/');
    EXPECT_NE(game->ReadRaw(logFile).find("SDE"), std::string::npos);
}

TEST_F(EditorScreenWindows, AreaLimitsAreShownNotBroken) {
    Install({AreaClass_BoxLong});  // 10 units: any copy passes the limit
    ClickControl("AreaCopyButton");
    EXPECT_NE(Window<CAreaCopyAlertWindow>(), nullptr);
    Window<CAreaCopyAlertWindow>()->Close();
    Frames(2);
    ClickControl("AreaDeleteButton");
    ASSERT_NE(Window<CAlertWindow>(), nullptr);
    EXPECT_EQ(Window<CAlertWindow>()->GetTextLabel()->GetText(), "\nこれ以上削除できません！");
    Window<CAlertWindow>()->Close();
    Frames(2);
    Install(std::vector<int>(10, AreaClass_OneRoom));
    ClickControl("AreaAddButton");
    ASSERT_NE(Window<CAlertWindow>(), nullptr);
    EXPECT_EQ(Window<CAlertWindow>()->GetTextLabel()->GetText(), "\nエリアの数が多すぎです！");
    Window<CAlertWindow>()->Close();
    Frames(2);
    // A copy that reaches exactly 10 units is offered.
    Install({AreaClass_OneRoom, AreaClass_Long, AreaClass_Short});
    ClickControl("AreaCopyButton");
    ASSERT_NE(Window<CAreaCopyConfirmWindow>(), nullptr);
    EXPECT_EQ(Window<CAreaCopyConfirmWindow>()->GetUnitsAfterCopy(), 10);
}

TEST_F(EditorScreenWindows, StageSettingsPickTheStartPointOnTheMap) {
    Install({AreaClass_OneRoom, AreaClass_OneRoom}, 2, 3);
    ClickControl("ConfigButton");
    ASSERT_NE(Settings(), nullptr);
    Push(Settings()->GetOkButton());  // accepted unchanged: modified, nothing to undo
    EXPECT_TRUE(Editor().IsModified());
    EXPECT_FALSE(Editor().CanUndo());
    ClickControl("AreaSelectTab1");
    ClickControl("ConfigButton");
    ASSERT_NE(Settings(), nullptr);
    Push(Settings()->GetStartPointButton());  // pick on the map
    EXPECT_EQ(Editor().GetTool(), EditorTool_PickStart);
    EXPECT_FALSE(Enabled("ConfigButton"));
    ClickTile(9, 7);
    auto* settings = Window<CStageConfigWindow>();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetStartArea(), 1);
    EXPECT_EQ(settings->GetStartX(), 9);
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);  // the tool it had
    EXPECT_EQ(settings->GetStartPointText(),
              "エリア2 (9," + std::to_string(Stage().GetAreaHeight(1) - 8) + ")");
    Push(settings->GetOkButton());
    EXPECT_EQ(Stage().GetStartArea(), 1);
    EXPECT_EQ(Stage().GetStartX(), 9);
    EXPECT_EQ(Stage().GetStartY(), 7);
    ASSERT_TRUE(Editor().Undo());
    EXPECT_EQ(Stage().GetStartX(), 2);
    // A right push gives the point back as it was.
    ClickControl("ConfigButton");
    ASSERT_NE(Settings(), nullptr);
    Push(Settings()->GetStartPointButton());
    RightClickTile(4, 4);
    Frames(2);
    EXPECT_EQ(Window<CStageConfigWindow>()->GetStartX(), 2);
}

TEST_F(EditorScreenWindows, PalletsChooseTheChipOrTheObjectToPlace) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    ClickControl("ArtificialChipButton");
    auto* chips = Window<CPalletWindowBase>();
    ASSERT_NE(chips, nullptr);
    chips->GetItemButton(0)->PerformPush();
    Frames(2);
    EXPECT_EQ(Editor().GetCurrentChip(), 160);
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);  // back to the map tool
    EXPECT_EQ(screen->GetChipImage().key, "ChipSet003");
    ClickControl("ObjectChipButton");
    Window<CPalletWindowBase>()->GetItemButton(0)->PerformPush();
    Frames(2);
    EXPECT_EQ(Editor().GetCurrentObjectKey(), "Goal");
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectPlace);
    EXPECT_EQ(screen->GetObjectImage().key, "StageObjects002");
    ClickControl("TrapChipButton");
    Window<CPalletWindowBase>()->Close();  // closed without a choice: nothing changes
    Frames(2);
    EXPECT_EQ(Editor().GetCurrentObjectKey(), "Goal");
}

TEST_F(EditorScreenWindows, MenuEntriesCutCopyPasteAndDelete) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    ClickTile(4, 4);
    RightClickTile(4, 4);
    ChooseEntry(Window<CBeigePopup>(), "コピーする");
    Frames(2);
    RightClickTile(6, 4);
    ChooseEntry(Window<CBeigePopup>(), "貼り付ける");
    Frames(2);
    EXPECT_NE(ObjectAt(6, 4), nullptr);
    RightClickTile(4, 4);
    ChooseEntry(Window<CBeigePopup>(), "切り取る");
    Frames(2);
    EXPECT_EQ(ObjectAt(4, 4), nullptr);
    RightClickTile(6, 4);
    ChooseEntry(Window<CBeigePopup>(), "削除する");
    Frames(2);
    EXPECT_EQ(ObjectCount(), 0);
    // Pasting into a full area shows the alert and adds nothing.
    CStageAreaObjectTable* table = Stage().GetCurrentAreaObjects();
    for (int i = 0; i < CEditor::kMaxObjectsPerArea; ++i)
        table->Add("Kid001", i % 20, 14 - i / 20 % 15, 0, 0, 0, 0, "");
    while (table->GetCount() < CEditor::kMaxObjectsPerArea) break;
    RightClickTile(0, 0);
    ChooseEntry(Window<CBeigePopup>(), "貼り付ける");
    Frames(2);
    EXPECT_NE(Window<CAlertWindow>(), nullptr);
}

TEST_F(EditorScreenWindows, PropertyWindowsConfigureTheObjectUndoably) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    struct Case {
        const char* key;
        const char* entry;
        int answer;
        double a1;
    } cases[] = {{"Battery001", "タイミングをずらす", 2, 2.0},
                 {"Switch001", "色を変える", 1, 1.0},
                 {"ChangeZoomToLeft", "ズーム率を変える", 0, 1.0},
                 {"ChangeZoomToRight", "ズーム率を変える", 2, 2.0}};
    int x = 2;
    for (const Case& c : cases) {
        Editor().SetCurrentObjectKey(c.key);
        ClickTile(x, 5);
        RightClickTile(x, 5);
        ChooseEntry(Window<CBeigePopup>(), c.entry);
        Frames(2);
        auto* dialog = Window<CPropertyChoiceWindowBase>();
        ASSERT_NE(dialog, nullptr) << c.key;
        EXPECT_EQ(dialog->GetTileX(), x);
        Push(dialog->GetChoiceButton(c.answer));
        EXPECT_EQ(ObjectAt(x, 5)->GetAttribute1(), c.a1) << c.key;
        x += 2;
    }
    ASSERT_TRUE(Editor().Undo());
    EXPECT_EQ(ObjectAt(8, 5)->GetAttribute1(), 0);
    // The block's item, through the item pallet opened from its menu.
    Editor().SetCurrentObjectKey("WoodBlock002");
    ClickTile(12, 5);
    RightClickTile(12, 5);
    ChooseEntry(Window<CBeigePopup>(), "アイテムを変える");
    Frames(2);
    auto* items = Window<CPalletWindowBase>();
    ASSERT_NE(items, nullptr);
    const std::string chosen = items->GetItemKeyAt(1);
    items->GetItemButton(1)->PerformPush();
    Frames(2);
    EXPECT_FALSE(chosen.empty());
    EXPECT_EQ(ObjectAt(12, 5)->GetText(), chosen);
    // Closing a property window changes nothing.
    Editor().SetCurrentObjectKey("Switch001");
    ClickTile(14, 5);
    RightClickTile(14, 5);
    ChooseEntry(Window<CBeigePopup>(), "色を変える");
    Frames(2);
    ASSERT_NE(Window<CPropertyChoiceWindowBase>(), nullptr);
    Push(Window<CPropertyChoiceWindowBase>()->GetCloseButton());
    EXPECT_EQ(OpenWindow(), nullptr);
    EXPECT_FALSE(Editor().CanRedo());
    EXPECT_EQ(ObjectAt(14, 5)->GetAttribute1(), 0);
}

TEST_F(EditorScreenWindows, DoorDestinationIsPickedOnTheMap) {
    Install({AreaClass_OneRoom, AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetCurrentObjectKey("Door001");
    ClickTile(3, 3);
    ObjectAt(3, 3)->SetAttributes(77, 0, 0, 0);  // names no area
    RightClickTile(3, 3);
    ChooseEntry(Window<CBeigePopup>(), "移動先を変更する");
    Frames(2);
    auto* door = Window<CChangeDoorMovePointWindow>();
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetDestinationArea()->GetText(), "ERROR");
    Push(door->GetOkButton());  // nothing to confirm: closed, the door unchanged
    EXPECT_EQ(OpenWindow(), nullptr);
    EXPECT_EQ(ObjectAt(3, 3)->GetAttribute1(), 77);
    RightClickTile(3, 3);
    ChooseEntry(Window<CBeigePopup>(), "移動先を変更する");
    Frames(2);
    ASSERT_NE(Window<CChangeDoorMovePointWindow>(), nullptr);
    Push(Window<CChangeDoorMovePointWindow>()->GetChangeButton());  // pick on the map
    EXPECT_EQ(Editor().GetTool(), EditorTool_PickDoor);
    ClickControl("AreaSelectTab1");
    ClickTile(8, 9);
    door = Window<CChangeDoorMovePointWindow>();
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetDestinationAreaIndex(), 1);
    EXPECT_EQ(Stage().GetCurrentAreaIndex(), 0);  // back on the door's area
    Push(door->GetOkButton());
    const CStageAreaObject* placed = ObjectAt(3, 3);
    EXPECT_EQ(placed->GetAttribute1(), Stage().GetAreaAbsoluteNum(1));
    EXPECT_EQ(placed->GetAttribute2(), 8);
    EXPECT_EQ(placed->GetAttribute3(), 9);
}

TEST_F(EditorScreenWindows, ClosingAndTestPlayAskTheScene) {
    ClickControl("CloseButton");
    Window<CConfirmWindow>()->GetCloseButton()->PerformPush();  // closed: the editor stays
    Frames(2);
    EXPECT_EQ(owner.closes, 0);
    ClickControl("CloseButton");
    Window<CConfirmWindow>()->GetYesButton()->PerformPush();
    Frames(2);
    EXPECT_EQ(owner.closes, 1);
    Install({AreaClass_OneRoom});
    ClickTile(2, 2);  // modified: the end sequence offers a save first
    ClickControl("CloseButton");
    Reply("cancel");
    EXPECT_EQ(owner.closes, 1);
    ClickControl("CloseButton");
    Reply("no");   // not saved
    Reply("yes");  // and the end confirmed
    EXPECT_EQ(owner.closes, 2);
    // A stage without a goal has a problem: its list is shown instead of a test play.
    ClickControl("TestPlayButton");
    EXPECT_NE(dynamic_cast<CErrorListWindow*>(Dialog()), nullptr);
    Reply("ok");
    EXPECT_EQ(owner.testPlays, 0);
    EXPECT_EQ(screen->GetOpenWindow(), nullptr);
}

TEST_F(EditorScreenWindows, InformationTellsWhatIsNotThereYet) {
    Install({AreaClass_OneRoom});
    ClickControl("InfomationButton");
    auto* info = Window<CInfomationWindow>();
    ASSERT_NE(info, nullptr);
    std::vector<std::string> texts;
    for (int i = 0; i < info->GetControls().Count(); ++i)
        if (auto* label = dynamic_cast<CTextLabel*>(info->GetControls().At(i)))
            texts.push_back(label->GetText());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "（未登録）"), 2);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "（未確定）"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "1.0.0.0"), 1);
}

// The network side of posting, as a test sees it.
class FakePostService : public IStagePostService {
  public:
    bool StartPost(const std::string& id, const std::string&, const std::string& backGround,
                   const std::string& xml, IStagePostListener* l) override {
        ++starts;
        creatorId = id, backGroundKey = backGround, sentXml = xml;
        if (refuse) return false;
        listener = l;
        return true;
    }
    void RemoveListener(IStagePostListener* l) override {
        if (listener == l) listener = nullptr;
        ++removals;
    }
    bool refuse = false;
    int starts = 0, removals = 0;
    std::string creatorId, backGroundKey, sentXml;
    IStagePostListener* listener = nullptr;
};

class EditorScreenPosting : public EditorScreenTest {
  protected:
    void SetUp() override {
        EditorScreenTest::SetUp();
        if (HasFatalFailure()) return;
        SetStagePostService(&service);
        SetCreator("1234", "くまさん");
        Install({AreaClass_OneRoom});
        // A goal, so the stage has nothing that keeps it from being posted.
        Editor().SetTool(EditorTool_ObjectPlace);
        Editor().SetCurrentObjectKey("Goal");
        ClickTile(15, 13);
    }
    void TearDown() override {
        EditorScreenTest::TearDown();
        SetStagePostService(nullptr);
    }
    // Posts, with arrangements by others allowed or not: the post confirmed, the question about
    // arrangements answered, the summary confirmed.
    void Post(bool arrangementAllowed) {
        ClickControl("SendStageButton");
        Reply("yes");
        Reply(arrangementAllowed ? "yes" : "no");
        Reply("yes");
    }
    FakePostService service;
};

TEST_F(EditorScreenPosting, ThePostCarriesTheAnswerWhileTheStageKeepsItsOwn) {
    Stage().arrangementPermissionFlag = true;
    Post(false);
    ASSERT_EQ(service.starts, 1);
    EXPECT_EQ(service.creatorId, "1234");
    EXPECT_NE(
        service.sentXml.find("<category>" + StageCategoryName(StageCategory_DownLoaded) + "</category>"),
        std::string::npos);
    EXPECT_EQ(service.sentXml.find("<category>" + StageCategoryName(StageCategory_Local)), std::string::npos);
    EXPECT_TRUE(Stage().arrangementPermissionFlag);
    EXPECT_EQ(Stage().GetCategory(), StageCategory_Local);
    ASSERT_NE(service.listener, nullptr);
    service.listener->OnStagePosted(true, "321");
    Frames(2);
    EXPECT_EQ(Stage().id, "321");
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_FALSE(Editor().GetCurrentFileName().empty());
    ASSERT_NE(Window<CMessageWindow>(), nullptr);
    EXPECT_NE(Window<CMessageWindow>()->GetTextLabel()->GetText().find(Editor().GetCurrentFileName()),
              std::string::npos);
}

TEST_F(EditorScreenPosting, AFailedSaveAfterThePostIsShownAndKeepsTheId) {
    Post(true);
    // The stage folder cannot be made: a file stands where it should be.
    game->WriteRaw("stage", "not a folder");
    service.listener->OnStagePosted(true, "77");
    Frames(2);
    EXPECT_EQ(Stage().id, "77");
    EXPECT_TRUE(Editor().IsModified());
    ASSERT_NE(Window<CAlertWindow>(), nullptr);
    EXPECT_NE(Window<CAlertWindow>()->GetTextLabel()->GetText().find("SDE0009"), std::string::npos);
}

TEST_F(EditorScreenPosting, NoListenerIsLeftBehind) {
    service.refuse = true;
    Post(true);
    EXPECT_EQ(service.removals, 1);  // refused: dropped at once
    service.refuse = false;
    Post(true);
    service.listener->OnStagePosted(false, "");
    EXPECT_EQ(service.removals, 2);
    EXPECT_EQ(Stage().id, "");
    Post(true);
    screen.reset();  // the editor goes while the post runs
    EXPECT_EQ(service.listener, nullptr);
    EXPECT_EQ(service.removals, 3);
}

TEST_F(EditorScreenPosting, OnlyARegisteredCreatorPosts) {
    SetCreator("", "");
    ClickControl("SendStageButton");
    ASSERT_NE(Window<CAlertWindow>(), nullptr);
    EXPECT_EQ(Window<CAlertWindow>()->GetTextLabel()->GetText(),
              "先にクリエイター登録をしないと\n投稿はできません。");
    EXPECT_EQ(service.starts, 0);
}

}  // namespace

namespace {

TEST_F(EditorScreenWindows, EventsTakeTheirMusicWeatherAndRouteFromTheirWindows) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    Stage().GetCurrentArea()->music = 9;
    Stage().GetCurrentArea()->weather = 2;
    struct Case {
        const char* key;
        const char* entry;
        const char* text;
    } cases[] = {{"ChangeMusicToLeft", "音楽を変える", "Stage003"},
                 {"ChangeWeatherToLeft", "天気を変える", "Snow"},
                 {"CustomLift001", "動きを設定する", "ABCGH"}};
    int x = 2;
    for (const Case& c : cases) {
        Editor().SetCurrentObjectKey(c.key);
        ClickTile(x, 5);
        if (c.key == std::string("CustomLift001")) ObjectAt(x, 5)->SetText("ABC");  // a lift's route
        RightClickTile(x, 5);
        ChooseEntry(Window<CBeigePopup>(), c.entry);
        Frames(2);
        // Accepted as shown: the area's music and weather a new event starts with, the route.
        auto* window = dynamic_cast<CCloseableBeigeForm*>(OpenWindow());
        ASSERT_NE(window, nullptr) << c.key;
        if (auto* music = Window<CMusicSelectWindow>()) Push(music->GetOkButton());
        if (auto* weather = Window<CWeatherSelectWindow>()) Push(weather->GetOkButton());
        if (auto* lift = Window<CCustomLiftConfigWindow>()) {
            // The lower arrows add down-left (G) and down-right (H) to the route.
            Push(lift->GetDirectionButton(3));
            Push(lift->GetDirectionButton(5));
            Push(lift->GetOkButton());
        }
        EXPECT_EQ(ObjectAt(x, 5)->GetText(), c.text) << c.key;
        x += 2;
    }
    EXPECT_TRUE(Editor().CanUndo());
    // A route lengthened in its editor is stored in the lift; a cancelled one is not.
    RightClickTile(6, 5);
    ChooseEntry(Window<CBeigePopup>(), "動きを設定する");
    Frames(2);
    auto* lift = Window<CCustomLiftConfigWindow>();
    ASSERT_NE(lift, nullptr);
    lift->GetStopButton()->Push();
    Push(lift->GetOkButton());
    EXPECT_EQ(ObjectAt(6, 5)->GetText(), "ABCGHI");
    RightClickTile(6, 5);
    ChooseEntry(Window<CBeigePopup>(), "動きを設定する");
    Frames(2);
    lift = Window<CCustomLiftConfigWindow>();
    ASSERT_NE(lift, nullptr);
    lift->GetDeleteButton()->Push();
    Push(lift->GetCancelButton());
    EXPECT_EQ(ObjectAt(6, 5)->GetText(), "ABCGHI");
}

TEST_F(EditorScreenWindows, CancelledSettingsChangeNothing) {
    Install({AreaClass_OneRoom});
    ClickControl("ConfigButton");
    ASSERT_NE(Settings(), nullptr);
    Push(Settings()->GetCloseButton());
    EXPECT_FALSE(Editor().IsModified());
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);
}

TEST_F(EditorScreenWindows, SavingAndTestPlayGoThroughTheEditor) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetCurrentObjectKey("Goal");
    ClickTile(15, 13);
    ClickControl("SaveButton");  // a stage never saved: saved at once, then the notice
    EXPECT_NE(dynamic_cast<CStageSavedWindow*>(Dialog()), nullptr);
    Reply("ok");
    EXPECT_FALSE(Editor().IsModified());
    const std::string file = Editor().GetCurrentFileName();
    ASSERT_EQ(file.size(), 18u);  // yyyymmddhhmmss.stg
    EXPECT_TRUE(std::filesystem::exists(game->Full("stage/original") / file));
    ClickControl("TestPlayButton");  // saved, so only the start is confirmed
    Reply("yes");
    EXPECT_EQ(owner.testPlays, 1);
}

TEST_F(EditorScreenWindows, ATileIsNamedAlikeInTheFooterTheDoorDialogAndTheSettings) {
    // The start point and a door leading to itself, both at (11, 3) of an area 15 high: shown as
    // row 11, counted from the bottom row 0.
    Install({AreaClass_OneRoom}, 11, 3);
    MoveToTile(11, 3);
    Frame();
    EXPECT_EQ(screen->GetControlAs<CTextLabel>("FooterLabel")->GetText(), "(011,011)");

    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetCurrentObjectKey("Door001");
    ClickTile(11, 3);
    ASSERT_NE(ObjectAt(11, 3), nullptr);
    ObjectAt(11, 3)->SetAttributes(Stage().GetAreaAbsoluteNum(0), 11, 3, 0);
    RightClickTile(11, 3);
    ChooseEntry(Window<CBeigePopup>(), "移動先を変更する");
    Frames(2);
    auto* door = Window<CChangeDoorMovePointWindow>();
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetDoorLabel()->GetText(), "エリア1 (11,11) の扉の移動先：");
    EXPECT_EQ(door->GetDestinationArea()->GetText(), "エリア1 (11,11)");
    Push(door->GetCancelButton());

    ClickControl("ConfigButton");
    auto* settings = Window<CStageConfigWindow>();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetStartPointText(), "エリア1 (11,11)");
    // The file keeps the tile itself.
    EXPECT_EQ(Stage().GetStartY(), 3);
    EXPECT_EQ(ObjectAt(11, 3)->GetAttribute3(), 3);
}

}  // namespace
