// The shell: start-up order and failures, the frame with its 0.3 s rule, the root closing, the
// reset key while the network is busy, and the end.
#include "engine/Scene.h"
#include "engine_test_env.h"

using namespace enginetest;

namespace {

struct Counters {
    int rootUpdates = 0, rootDraws = 0, titleStarts = 0, loadingUpdates = 0;
    bool closeRoot = false;
    bool throwInUpdate = false;
};
Counters g;

class RootScene : public IScene {
  public:
    RootScene() : IScene(nullptr) {}
    void Start() override {}
    void Update() override {
        ++g.rootUpdates;
        if (g.throwInUpdate) throw CInitFileException("IFE0123", "テストの失敗です。");
        if (g.closeRoot) Close();
    }
    void Draw() override {}
    void DrawOverlay() override { ++g.rootDraws; }
};

class PlainScene : public IScene {
  public:
    PlainScene(IScene* parent, bool closeAtOnce) : IScene(parent), closeAtOnce_(closeAtOnce) {}
    void Start() override {
        if (!closeAtOnce_) ++g.titleStarts;
    }
    void Update() override {
        ++g.loadingUpdates;
        if (closeAtOnce_) Close();
    }
    void Draw() override {}
    void DrawOverlay() override {}

  private:
    bool closeAtOnce_;
};

class BusyNet : public INetWorkHost {
  public:
    void Poll() override { ++polls; }
    bool IsBusy() override { return busy; }
    void Draw() override { ++draws; }
    bool busy = false;
    int polls = 0, draws = 0;
};

class Shell : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        g = Counters();
        WriteRaw("system/colorSample.bmp", MakeBmp(32, 32, [](int, int) { return 0x00FF00u; }));
        WriteRaw("system/Mouse001.bmp", MakeBmp(256, 128, [](int, int) { return 0xFFFFFFu; }));
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", "System.Mouse001,system\\Mouse001.bmp,0,0\n"));
        SetSceneFactory({[]() -> std::unique_ptr<IScene> { return std::make_unique<RootScene>(); },
                         [](IScene* parent) -> std::unique_ptr<IScene> {
                             return std::make_unique<PlainScene>(parent, false);
                         },
                         [](const std::vector<std::string>& groups, bool objectStep,
                            IScene* parent) -> std::unique_ptr<IScene> {
                             EXPECT_EQ(groups.size(), 7u);
                             EXPECT_EQ(groups[1], "Map");
                             EXPECT_TRUE(objectStep);
                             return std::make_unique<PlainScene>(parent, true);
                         }});
        SetNetWorkHost(&net);
    }
    void Frame(float seconds = 1.0f / 60.0f) {
        SetFrame(seconds);
        now += 16;
        elSystem::PollInput();
        GameFrame();
    }
    BusyNet net;
};

TEST_F(Shell, StartBuildsTheChainAndLogsTheMarker) {
    GameStart();
    ASSERT_NE(GetSceneDirector(), nullptr);
    EXPECT_EQ(GetCreatedSingletonCount(), 16);
    EXPECT_FALSE(game::GetExitFlag());
    IScene* root = GetSceneDirector()->GetRoot();
    ASSERT_NE(root->GetChild(), nullptr);
    ASSERT_NE(root->GetChild()->GetChild(), nullptr);  // the loading scene on the title
    EXPECT_EQ(g.titleStarts, 1);
    EXPECT_NE(LogText().find("========== GameStart =========="), std::string::npos);
    // The loading scene closes; the title restarts in the next frame.
    Frame();
    Frame();
    EXPECT_EQ(g.titleStarts, 2);
    EXPECT_EQ(root->GetChild()->GetChild(), nullptr);
}

TEST_F(Shell, MissingDataFileLogsTheCodeAndEndsCleanly) {
    std::filesystem::remove(dir / "data" / "bmp_index.dat");
    GameStart();
    EXPECT_EQ(GetSceneDirector(), nullptr);
    EXPECT_TRUE(game::GetExitFlag());
    EXPECT_TRUE(elSystem::HasEnded());
    // Created up to the input manager; the sprite manager failed, nothing after it exists.
    EXPECT_EQ(GetCreatedSingletonCount(), 7);
    const std::string report = "Error Code:[IFE0000] \\nbmp_index.dat を開けません。";
    EXPECT_NE(LogText().find(report), std::string::npos);
    const auto boxes = Messages();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().substr(0, boxes.back().find('|')), "メッセージ");
    EXPECT_NE(boxes.back().find("IFE0000"), std::string::npos);
    // The first frame only ends the engine again; the end runs and logs its marker last.
    Frame();
    GameEnd();
    const std::string log = LogText();
    EXPECT_EQ(log.rfind("==========  GameEnd  ==========\n"), log.size() - 32);
    EXPECT_EQ(GetCreatedSingletonCount(), 0);
}

TEST_F(Shell, BrokenShopOrTableFileIsReportedNotFatalCrash) {
    ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", "a,b,c,d,e,f\n"));
    GameStart();
    EXPECT_EQ(GetSceneDirector(), nullptr);
    EXPECT_NE(LogText().find("Error Code:[IFE0001] \\nbmp_index.dat が不正です。"), std::string::npos);
}

// The shipped tables the upper layers read late are read first of all: a damaged one stops the
// start before any singleton exists or any state file is written.
TEST_F(Shell, AFailingTableCheckStopsTheStartBeforeAnythingIsMade) {
    int checks = 0;
    SetShippedTableCheck([&] {
        ++checks;
        EXPECT_EQ(GetCreatedSingletonCount(), 0);
        throw CInitFileException("IFE0201", "stage_objects.dat または mapchip_info.dat が不正です。");
    });
    GameStart();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(GetSceneDirector(), nullptr);
    EXPECT_EQ(GetCreatedSingletonCount(), 0);
    EXPECT_TRUE(elSystem::HasEnded());
    EXPECT_NE(
        LogText().find("Error Code:[IFE0201] \\nstage_objects.dat または mapchip_info.dat が不正です。"),
        std::string::npos);
    ASSERT_FALSE(Messages().empty());
    EXPECT_NE(Messages().back().find("IFE0201"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "network" / "client_info.dat"));

    // Whole tables: the start goes on as before.
    SetShippedTableCheck([&] { ++checks; });
    GameStart();
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(GetCreatedSingletonCount(), 16);
}

TEST_F(Shell, AFrameOfExactly03SecondsOnlyUpdatesTheInput) {
    GameStart();
    Frame();
    Frame();  // loading gone
    const int updates = g.rootUpdates;
    const int presents = Headless().PresentCount();
    const double ticks = CCreatorLevelTable::GetInstance()->GetTicks();
    Headless().KeyDown(plat::kKeyZ);
    Frame(0.3f);
    EXPECT_EQ(g.rootUpdates, updates);
    EXPECT_EQ(CCreatorLevelTable::GetInstance()->GetTicks(), ticks);
    EXPECT_TRUE(CInputManager::GetInstance()->IsPushed(kKeyZ));
    EXPECT_EQ(Headless().PresentCount(), presents + 1);  // still drawn
    Frame(0.2999f);
    EXPECT_EQ(g.rootUpdates, updates);  // the title is on top of the root
    EXPECT_GT(CCreatorLevelTable::GetInstance()->GetTicks(), ticks);
}

TEST_F(Shell, BusyNetworkHoldsBackScenesAndTheResetKey) {
    GameStart();
    Frame();
    CSceneDirector* director = GetSceneDirector();
    net.busy = true;
    const int polls = net.polls, draws = net.draws, starts = g.titleStarts;
    Frame();
    Frame();
    EXPECT_EQ(net.polls, polls + 2);
    EXPECT_EQ(net.draws, draws + 2);
    EXPECT_EQ(g.titleStarts, starts);  // the closed loading scene waits: no scene update ran
    GameReset();
    EXPECT_EQ(GetSceneDirector(), director);
    EXPECT_EQ(LogText().find("GameReset"), std::string::npos);
    net.busy = false;
    GameReset();
    EXPECT_NE(GetSceneDirector(), nullptr);
    EXPECT_NE(LogText().find("========== GameReset =========="), std::string::npos);
    EXPECT_FALSE(game::GetExitFlag());
}

TEST_F(Shell, ResetRebuildsTheChainAndRestoresTheRootsCamera) {
    CCamera::GetInstance()->SetTarget(0, 0, -1);
    GameStart();
    CCamera::GetInstance()->SetTarget(777, 555, -1);
    CMouse::GetInstance()->SetCursorKind(3);
    PlayMusic(2);
    GameReset();
    ASSERT_NE(GetSceneDirector(), nullptr);
    EXPECT_FLOAT_EQ(CCamera::GetInstance()->GetX(), 0);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 0);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), 0);
    EXPECT_NE(GetSceneDirector()->GetRoot()->GetChild(), nullptr);
}

TEST_F(Shell, ClosingTheRootEndsTheProgramOnTheNextFrame) {
    GameStart();
    Frame();
    GetSceneDirector()->GetRoot()->GetChild()->Close();  // the title leaves
    Frame();
    g.closeRoot = true;
    const int presents = Headless().PresentCount();
    Frame();  // the root closes during its update: nothing is drawn
    EXPECT_EQ(Headless().PresentCount(), presents);
    EXPECT_FALSE(game::GetExitFlag());
    Frame();  // the next update sets the exit flag, draws nothing and ends the engine
    EXPECT_TRUE(game::GetExitFlag());
    EXPECT_EQ(Headless().PresentCount(), presents);
    EXPECT_TRUE(elSystem::HasEnded());
    EXPECT_NE(LogText().find("!!!  Error  !!!"), std::string::npos);
}

TEST_F(Shell, AnErrorEscapingAFrameIsLoggedShownAndEndsTheProgram) {
    GameStart();
    Frame();
    GetSceneDirector()->GetRoot()->GetChild()->Close();
    Frame();
    g.throwInUpdate = true;
    Frame();
    EXPECT_TRUE(game::GetExitFlag());
    const std::string log = LogText();
    const size_t at = log.find("Error Code:[IFE0123] \\nテストの失敗です。");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(log.find("!!!  Error  !!!", at), std::string::npos);
    EXPECT_TRUE(elSystem::HasEnded());
    GameEnd();
    EXPECT_EQ(GetSceneDirector(), nullptr);
}

TEST_F(Shell, EngineErrorFlagEndsAfterTheFrame) {
    GameStart();
    Frame();
    elSystem::Error("test", "engine failure");
    Frame();
    EXPECT_TRUE(elSystem::HasEnded());
    EXPECT_NE(LogText().find("!!!  Error  !!!"), std::string::npos);
}

}  // namespace
