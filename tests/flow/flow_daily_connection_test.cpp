// The daily automatic connection and the network test form.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "controls/Dialogs.h"
#include "controls/NetWorkBusyWindow.h"
#include "flow/AutoConnectWindows.h"
#include "flow/DailyConnection.h"
#include "flow/NetworkTestForm.h"
#include "foundation/ClientInfo.h"
#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"
#include "foundation/PlayHistory.h"
#include "foundation/TextEncoding.h"
#include "online/QVNet.h"
#include "server/ServerInstance.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"
#include "tests/online/fake_library.h"

namespace {

const char kClientInfo[] =
    "<clientInfo><network><createrId>%s</createrId><createrName>me</createrName><commonKey>k</commonKey>"
    "<ratingPointSum>100</ratingPointSum><createrPoint>50</createrPoint><accessFailCount>%d</accessFailCount>"
    "</network><config><sendingPermission>%s</sendingPermission></config><lastBootUpDate>20101120</"
    "lastBootUpDate>"
    "<boughtItems></boughtItems></clientInfo>";

class Daily : public controltest::ControlTest {
  protected:
    void Prepare(const char* creator, int fails, bool permitted, int plays) {
        game.MakeDir("network");
        char xml[1024];
        std::snprintf(xml, sizeof xml, kClientInfo, creator, fails, permitted ? "true" : "false");
        game.WriteEncoded("network/client_info.dat", xml);
        CClientInfo::DeleteInstance();
        CPlayHistory::DeleteInstance();
        for (int i = 0; i < plays; ++i)
            CPlayHistory::GetInstance()->AddPlayRecord(std::to_string(7 + i), 1, 600, 80);
    }
    void At(int hour, int minute) {
        SystemTime t;
        t.year = 2010, t.month = 11, t.day = 21, t.hour = static_cast<uint16_t>(hour),
        t.minute = static_cast<uint16_t>(minute);
        CDateTime::SetNowForTesting(t);
    }
    void TearDown() override {
        CDateTime::SetNowForTesting(std::nullopt);
        CNetWorkAccessor::DeleteInstance();
        CClientInfo::DeleteInstance();
        CPlayHistory::DeleteInstance();
    }
    // The request ends; the accessor's poll tells the connection, whose next update goes on.
    void End(bool ok, const std::string& text = {}) {
        if (ok) {
            lib.Succeed(text);
        } else {
            lib.Fail(QVNet::EC_NW_ERROR, "12029");
        }
        CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
        net->Poll();
        if (!ok) net->OnWindowClosed();  // the player's "O K"
        net->Poll();
        daily.Update();
    }

    testsupport::TempGameFolder game{"quor-daily"};
    onlinetest::FakeLibrary lib;
    Controls::COriginalBaseForm host{0, 0, 640, 480};
    CDailyConnection daily{&host};
};

TEST_F(Daily, NotBeforeSixInTheMorning) {
    Prepare("5", 0, true, 1);
    At(5, 59);
    daily.CheckDate();
    daily.Update();
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(CClientInfo::GetInstance()->GetLastBootUpDate(), "20101120");
    At(6, 0);
    daily.CheckDate();
    daily.Update();
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(CClientInfo::GetInstance()->GetLastBootUpDate(), "20101121");
    // Once a day.
    CDailyConnection again(&host);
    again.CheckDate();
    EXPECT_FALSE(again.IsHistoryPending() || again.IsAppraisalPending());
}

TEST_F(Daily, PermissionOffStillRecordsTheDay) {
    Prepare("5", 0, false, 1);
    At(9, 0);
    daily.CheckDate();
    daily.Update();
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(CClientInfo::GetInstance()->GetLastBootUpDate(), "20101121");
}

TEST_F(Daily, HistoryThenAppraisalThenTheResult) {
    Prepare("5", 3, true, 2);
    At(9, 0);
    daily.CheckDate();
    daily.Update();
    ASSERT_EQ(lib.calls.at(0).name, "SendPlayHistory");
    EXPECT_EQ(lib.calls[0].args[0], "2");
    EXPECT_EQ(lib.history.at(1).stageId, 8);
    End(true);
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0);
    EXPECT_EQ(CClientInfo::GetInstance()->GetAccessFailCount(), 0);
    ASSERT_EQ(lib.calls.size(), 2u);
    EXPECT_EQ(lib.calls[1].name, "GetAppraisal");
    EXPECT_EQ(lib.calls[1].args[0], "5");
    End(true, "110");  // ten points more: three creator points
    EXPECT_EQ(CClientInfo::GetInstance()->GetRatingPointSum(), 110);
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 53);
    auto* window = dynamic_cast<Controls::CShowCreaterPointWindow*>(host.GetModalForm());
    ASSERT_NE(window, nullptr);
}

TEST_F(Daily, ALossIsShownAsALoss) {
    Prepare("5", 0, true, 0);
    daily.ApplyAppraisal(90);
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 47);
    auto* window = dynamic_cast<Controls::CShowCreaterPointWindow*>(host.GetModalForm());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetMessage(), "\nクリエイターポイントが減りました…。");
    EXPECT_EQ(Controls::CShowCreaterPointWindow::MessageFor(3, 10, 3, 10),
              "\nクリエイターポイントを獲得できませんでした…。");
    EXPECT_EQ(Controls::CShowCreaterPointWindow::MessageFor(3, 10, 4, 13),
              "クリエイターポイントを獲得しました！\nクリエイターレベルが上がりました！");
}

TEST_F(Daily, AnAppraisalThatIsNoWholeNumberCountsAsAFailure) {
    Prepare("5", 0, true, 0);
    At(9, 0);
    daily.CheckDate();
    daily.Update();
    ASSERT_EQ(lib.calls.at(0).name, "GetAppraisal");
    // No whole number: the accessor shows it as a bad reply, and the player's "O K" ends it.
    lib.Succeed("12abc");
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->Poll();
    ASSERT_NE(net->GetWindow(), nullptr);
    net->OnWindowClosed();
    net->Poll();
    daily.Update();
    EXPECT_EQ(CClientInfo::GetInstance()->GetRatingPointSum(), 100);
    EXPECT_EQ(CClientInfo::GetInstance()->GetAccessFailCount(), 1);
}

TEST_F(Daily, TheFifthFailureSwitchesItOff) {
    Prepare("", 3, true, 1);
    At(9, 0);
    daily.CheckDate();
    daily.Update();
    End(false);
    EXPECT_EQ(CClientInfo::GetInstance()->GetAccessFailCount(), 4);
    EXPECT_EQ(host.GetModalForm(), nullptr);
    daily.SendPlayHistory();
    End(false);
    EXPECT_EQ(CClientInfo::GetInstance()->GetAccessFailCount(), 5);
    EXPECT_FALSE(CClientInfo::GetInstance()->GetSendingPermission());
    EXPECT_NE(dynamic_cast<Controls::CAccessFailInfomationWindow*>(host.GetModalForm()), nullptr);
}

TEST_F(Daily, NoHistoryAndNoCreatorSendsNothing) {
    Prepare("", 0, true, 0);
    At(9, 0);
    daily.CheckDate();
    daily.Update();
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(CClientInfo::GetInstance()->GetLastBootUpDate(), "20101121");
}

// ---- The network test form against the game's own server ----------------------------------

struct OwnerScene : IModeSceneHost {
    bool closed = false;
    void CloseScene() override { closed = true; }
};

class NetworkTest : public controltest::ControlTest {
  protected:
    void TearDown() override {
        CNetWorkAccessor::DeleteInstance();
        QVNet::SetServerAddress("");
    }
    testsupport::TempGameFolder game{"quor-nettest"};
    OwnerScene scene;
};

TEST_F(NetworkTest, NoSendsNothing) {
    onlinetest::FakeLibrary lib;
    Controls::CNetWorkTestSceneRootForm form(&scene);
    auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(form.GetModalForm());
    ASSERT_NE(confirm, nullptr);
    confirm->OnButtonPushed(confirm->GetNoButton());
    EXPECT_TRUE(scene.closed);
    EXPECT_TRUE(lib.calls.empty());
}

TEST_F(NetworkTest, SucceedsAgainstTheRealServer) {
    testsupport::PrepareStageReading(game);
    qvserver::ServerInstance server;
    qvserver::ServerConfig config;
    config.database = game.Full("s.db").string();
    config.threads = 2;
    QVNet::SetServerAddress("http://127.0.0.1:" + std::to_string(server.Start(config)));
    Controls::CNetWorkTestSceneRootForm form(&scene);
    auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(form.GetModalForm());
    confirm->OnButtonPushed(confirm->GetYesButton());
    EXPECT_TRUE(form.IsTestStarted());
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    ASSERT_TRUE(net->IsBusy());
    // Poll as the frames would until the request has ended (the test's own limit bounds it).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (net->IsBusy() && std::chrono::steady_clock::now() < deadline) {
        net->Poll();
        std::this_thread::yield();
    }
    EXPECT_FALSE(net->IsBusy());
    auto* message = dynamic_cast<Controls::CMessageWindow*>(form.GetModalForm());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->GetTextLabel()->GetText(), "通信に成功しました！");
    EXPECT_FALSE(scene.closed);
    message->OnButtonPushed(message->GetOkButton());
    EXPECT_TRUE(scene.closed);
}

TEST_F(NetworkTest, AFailureClosesTheSceneAfterTheErrorWindow) {
    onlinetest::FakeLibrary lib;
    Controls::CNetWorkTestSceneRootForm form(&scene);
    auto* confirm = dynamic_cast<Controls::CConfirmWindow*>(form.GetModalForm());
    confirm->OnButtonPushed(confirm->GetYesButton());
    lib.Fail(QVNet::EC_NW_ERROR, "12029");
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->Poll();
    EXPECT_FALSE(scene.closed);
    net->OnWindowClosed();
    EXPECT_TRUE(scene.closed);
}

}  // namespace

namespace {

// The real game, headless: the menu's 通信テスト, "はい", and the game's own server answers.
TEST(NetworkTestEndToEnd, TheGameChecksItsOwnServer) {
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the built game is incomplete";
    testsupport::TempFolder folder("quor-nettest-e2e");
    const std::filesystem::path game = folder.Path() / "game";
    testsupport::CopyBuiltGame(game);
    testsupport::GameRun run;
    run.args = {"--headless",
                "--frames",
                "620",
                "--key",
                "300:Z",
                "--click",
                "450:160,448",
                "--click",
                "560:260,276",
                "--screenshot-every",
                "620",
                "--out",
                (folder.Path() / "shots").string()};
    run.env = {{"QUORVALD_SERVER", std::nullopt}};
    run.output = folder.Path() / "out.txt";
    ASSERT_EQ(testsupport::RunGame(game, run), 0);
    std::string log;
    for (const auto& e : std::filesystem::directory_iterator(game / "log"))
        log += folder.ReadRaw(e.path().string());
    const std::string utf8 = Cp932ToUtf8(log);
    EXPECT_NE(utf8.find(" [通信テスト開始]"), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("[ネットワークアクセス正常終了]"), std::string::npos) << utf8;
    EXPECT_TRUE(std::filesystem::exists(game / "network" / "server" / "stages.db"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "shots" / "frame_00620.png"));
}

}  // namespace
