// The scenario mode scene with its story screen and its fades, the stages it plays, what it does
// with a progress or map file it cannot read, the item-get window and the staff roll.
#include "flow/GameSetup.h"
#include "flow/ScenarioModeItemGetWindow.h"
#include "flow/ScenarioModeOpeningScene.h"
#include "flow/ScenarioModeScene.h"
#include "flow/ScenarioModeStaffRollScene.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/SpriteBatch.h"
#include "stage/Stage.h"
#include "tests/common/caught_code.h"
#include "tests/flow/scenario_env.h"

using namespace scenariotest;

namespace {

// The menu the mode returns to: keeps what closed on it.
class MenuScene : public IScene {
  public:
    MenuScene() : IScene(nullptr) {}
    void Start() override {}
    void Update() override {}
    void Draw() override {}
    void DrawOverlay() override {}
    void OnChildClosed(IScene* child) override {
        if (auto* mode = dynamic_cast<CScenarioModeScene*>(child)) ending = mode->IsEnding();
        ++closed;
    }
    int closed = 0;
    bool ending = false;
};

class ModeScene : public ScenarioTest {
  protected:
    void TearDown() override {
        menu.reset();
        ClearLiveObjectCreators();
        CSpriteBatch::DeleteInstance();
        CObjectRegistry::DeleteInstance();
        ScenarioTest::TearDown();
    }
    CScenarioModeScene* Enter() { return menu->AdoptChild(std::make_unique<CScenarioModeScene>(menu.get())); }
    // One frame of the chain with the keys held.
    void Frame(std::set<int> down = {}) {
        Input(std::move(down));
        menu->UpdateTop();
    }
    IScene* Top() { return menu->GetTopScene(); }

    std::unique_ptr<MenuScene> menu = std::make_unique<MenuScene>();
};

TEST_F(ModeScene, TheStoryShowsOnTheFirstVisitOnlyAndTheMapFadesInAfterIt) {
    Save(1, 1, 4, 0, {{{2, 1}, "1"}}, false);
    CScenarioModeScene* mode = Enter();
    ASSERT_NE(dynamic_cast<CScenarioModeOpeningScene*>(Top()), nullptr);
    EXPECT_TRUE(SaveData()->GetShownOpening());
    for (int key : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeySpace}) Frame({key});
    ASSERT_NE(dynamic_cast<CScenarioModeOpeningScene*>(Top()), nullptr);
    Frame({kKeyZ});
    Frame();  // the closed story goes, the mode starts again
    EXPECT_EQ(Top(), mode);
    EXPECT_EQ(mode->GetStageResult(), kResultNone);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kSelectStage);
    EXPECT_TRUE(mode->IsOpening());
    int frames = 0;
    while (mode->IsOpening() && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_NEAR(frames, 40, 1);
    // The flag reached the file with the progress; a second visit shows no story.
    mode->Close();
    Frame();
    EXPECT_NE(SavedText().find("<shownopening>1</shownopening>"), std::string::npos);
    Enter();
    EXPECT_NE(dynamic_cast<CScenarioModeScene*>(Top()), nullptr);
}

TEST_F(ModeScene, XLeavesOnlyFromTheIdleMapAfter30Frames) {
    Save(1, 1, 4, 0, {{{2, 1}, "1"}});
    CScenarioModeScene* mode = Enter();
    for (int i = 0; i < 42; ++i) Frame();
    ASSERT_FALSE(mode->IsOpening());
    Frame({kKeyRight});
    Frame({kKeyX});  // walking: X does nothing
    EXPECT_FALSE(mode->IsClosing());
    for (int i = 0; i < 30; ++i) Frame();
    Frame({kKeyX});
    EXPECT_TRUE(mode->IsClosing());
    int frames = 0;
    while (menu->closed == 0 && frames < 100) {
        Frame();
        ++frames;
    }
    EXPECT_NEAR(frames, 30, 1);
    EXPECT_FALSE(menu->ending);
}

TEST_F(ModeScene, AStageIsPlayedFromItsFileWithTheSavedLives) {
    InstallGameHooks();
    Save(2, 1, 6, 0, {{{2, 1}, "1"}});
    CScenarioModeScene* mode = Enter();
    for (int i = 0; i < 42; ++i) Frame();
    Frame({kKeyZ});
    for (int i = 0; i < 100 && Top() == mode; ++i) Frame();
    auto* play = dynamic_cast<CStageScene*>(Top());
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->GetLives(), 6);
    EXPECT_EQ(play->GetPlayMode(), kPlayNormal);
    EXPECT_EQ(play->GetStage()->name, "はじまりの　おか");
    EXPECT_EQ(mode->GetStageResult(), kResultNone);
}

TEST_F(ModeScene, AStageFileThatCannotBeReadIsReportedAndTheMapGoesOn) {
    Save(2, 1, 4, 0, {{{2, 1}, "1"}});
    std::filesystem::create_directories(dir / "stage" / "scenario" / "stage001.stg" / "in-the-way");
    CScenarioModeScene* mode = Enter();
    for (int i = 0; i < 42; ++i) Frame();
    Frame({kKeyZ});
    for (int i = 0; i < 100 && !Headless().Messages().size(); ++i) Frame();
    EXPECT_EQ(Top(), mode);
    EXPECT_EQ(LastMessage(), "メッセージ|Error Code:[SDE0007] \nファイルstage001.stgを開けません。");
    EXPECT_NE(LogText().find("SDE0007"), std::string::npos);
    Frame();
    EXPECT_TRUE(mode->GetMapManager()->IsIdle());
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kSelectStage);
    Frame({kKeyX});
    EXPECT_TRUE(mode->IsClosing());
}

TEST_F(ModeScene, ADamagedProgressFileIsShownTheMenuStaysAndTheFileIsKept) {
    const std::string damaged = "not a progress file";
    WriteRaw("data/scenario_save.dat", damaged);
    // The start of the game goes on.
    InstallGameHooks();
    EXPECT_EQ(CaughtCode([] { GetSingletonHooks(UpperSingleton::ScenarioSaveData).create(); }), "");
    EXPECT_NE(LogText().find("DEF0301"), std::string::npos);
    CScenarioModeScene* mode = Enter();
    EXPECT_EQ(mode->GetMapManager(), nullptr);
    EXPECT_EQ(LastMessage(), "メッセージ|Error Code:[DEF0301] \nセーブデータが不正です。");
    Frame();
    EXPECT_EQ(menu->closed, 1);
    EXPECT_EQ(Game().ReadRaw("data/scenario_save.dat"), damaged);
}

TEST_F(ModeScene, AHeroOffTheMapIsADamagedSaveShownAndKept) {
    for (const auto& [x, y] : {std::pair{99999, -1}, {18, 1}, {1, 12}, {-1, 1}}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        Save(x, y, 4, 0, {});
        const std::string stored = Game().ReadRaw("data/scenario_save.dat");
        menu = std::make_unique<MenuScene>();
        CScenarioModeScene* mode = Enter();
        EXPECT_EQ(mode->GetMapManager(), nullptr);
        EXPECT_EQ(LastMessage(), "メッセージ|Error Code:[DEF0301] \nセーブデータが不正です。");
        Frame();
        EXPECT_EQ(menu->closed, 1);
        EXPECT_EQ(Game().ReadRaw("data/scenario_save.dat"), stored);
    }
    // The corners of the map are on it.
    Save(17, 11, 4, 0, {});
    EXPECT_NE(Enter()->GetMapManager(), nullptr);
}

TEST_F(ModeScene, AValueHoldingElementsOrRepeatedIsDamaged) {
    const std::string good = SaveText(1, 1, 4, 0, PanelText({}));
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"<x>1</x>", "<x><x>1</x></x>"},
                                   {"<y>1</y>", "<y>1</y><y>2</y>"},
                                   {"<savedata>", "<savedata></savedata><savedata>"}}) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        ASSERT_TRUE(WriteEncodedFile("data\\scenario_save.dat", text));
        EXPECT_EQ(CaughtCode([] { CScenarioSaveData::GetInstance()->Load(); }), "DEF0301") << to;
        EXPECT_FALSE(SaveData()->HasTree());
    }
}

TEST_F(ModeScene, ADamagedMapIsShownAndNoProgressIsWritten) {
    Save(1, 1, 4, 0, {});
    std::filesystem::remove(dir / "data" / "scenario_save.dat");
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_map.dat", "a,b,c\n"));
    CScenarioModeScene* mode = Enter();
    EXPECT_EQ(mode->GetMapManager(), nullptr);
    EXPECT_EQ(LastMessage(), "メッセージ|Error Code:[IFE0501] \nscenario_map.dat が不正です。");
    Frame();
    EXPECT_EQ(menu->closed, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "scenario_save.dat"));
}

// ---- The item-get window ----

TEST_F(ModeScene, TheItemWindowClosesOnZAlone) {
    Controls::COriginalBaseForm form;
    auto* window = form.OpenModal(std::make_unique<Controls::CScenarioModeItemGetWindow>(
        "GET!!", Controls::ImageClip{"Object", "Objects001", 192, 32, 208, 64}));
    EXPECT_EQ(window->GetX(), 120);
    EXPECT_EQ(window->GetControls().Count(),
              5);  // the title, the message, the mascot, the picture, the prompt
    for (int key : {kKeyX, kKeySpace, kKeyUp}) {
        Input({key});
        form.Update();
    }
    EXPECT_EQ(window->GetState(), Controls::kStateActive);
    Input({kKeyZ});
    form.Update();
    Input();
    form.Update();
    EXPECT_EQ(form.GetModalForm(), nullptr);
    EXPECT_EQ(form.GetState(), Controls::kStateActive);
}

// ---- The staff roll ----

class StaffRoll : public ModeScene {
  protected:
    CScenarioModeStaffRollScene* Roll() {
        return menu->AdoptChild(std::make_unique<CScenarioModeStaffRollScene>(menu.get()));
    }
};

TEST_F(StaffRoll, KeysWaitForFrame7000AndTheRollLeaves180FramesLater) {
    CScenarioModeStaffRollScene* roll = Roll();
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kEnding);
    for (int i = 0; i < 91; ++i) Frame();
    EXPECT_FALSE(roll->IsFadingIn());
    for (int i = 0; i < 6800; ++i) Frame(i % 100 == 0 ? std::set<int>{kKeyZ} : std::set<int>{});
    EXPECT_FALSE(roll->IsLeaving());  // the roll stopped long ago; keys still wait
    EXPECT_DOUBLE_EQ(roll->GetScroll(), CScenarioModeStaffRollScene::kScrollLimit);
    for (int i = 0; i < 120; ++i) Frame();
    Frame({kKeyX});
    EXPECT_TRUE(roll->IsLeaving());
    int frames = 0;
    while (!menu->closed && frames < 300) {
        Frame();
        ++frames;
    }
    EXPECT_NEAR(frames, 180, 1);
}

TEST_F(StaffRoll, AVeryLongFrameStopsTheRollAtItsLimitWithTheNoticeStandingStill) {
    CScenarioModeStaffRollScene* roll = Roll();
    frameTime = 30.0f;
    for (int i = 0; i < 4; ++i) Frame();
    EXPECT_DOUBLE_EQ(roll->GetScroll(), -7200.0);
    EXPECT_EQ(roll->ScreenY(200 + 7200), 200);  // the first closing line
    EXPECT_EQ(roll->ScreenY(220 + 7200), 220);  // the hero's pictures
    roll->DrawOverlay();
}

}  // namespace
