// The network accessor over a library the test drives by hand.
#include <gtest/gtest.h>

#include "controls/NetWorkBusyWindow.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Log.h"
#include "online/NetWorkAccessor.h"
#include "stage/Stage.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"
#include "tests/online/fake_library.h"

namespace {

using onlinetest::FakeLibrary;

struct Listener : INetWorkClosedEventHandler {
    std::string name;
    std::vector<std::string>* order = nullptr;
    std::vector<NetWorkResult> results;
    void OnNetWorkClosed(NetWorkResult r) override {
        results.push_back(r);
        if (order) order->push_back(name);
    }
};

class Accessor : public controltest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        net = CNetWorkAccessor::GetInstance();
    }
    void TearDown() override { CNetWorkAccessor::DeleteInstance(); }

    std::string LogText() {
        std::string text;
        ReadEncodedFile(CLog::GetInstance()->GetFilePath(), text, false);
        return text;
    }
    // A click on the failure window's "O K" button, then the poll that deletes the window.
    void PushOk() {
        Controls::CTextPushButton* ok = net->GetWindow()->GetOkButton();
        const int x = ok->GetAbsoluteX() + 10, y = ok->GetAbsoluteY() + 10;
        Press(x, y);
        net->Poll();
        Release(x, y);
        net->Poll();
    }

    testsupport::TempGameFolder game{"quor-online"};
    FakeLibrary lib;
    CNetWorkAccessor* net = nullptr;
};

TEST_F(Accessor, SuccessInTheFirstPollTellsAtOnceWithoutBeepOrProgress) {
    Listener l;
    net->AddClosedListener(&l);
    net->Start(NetWorkOperation::GetNewStage, "4");
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].args, (std::vector<std::string>{"4", "32768"}));
    EXPECT_TRUE(net->IsBusy());
    EXPECT_EQ(net->GetWindow()->GetMessageLabel()->GetText(), "接続の準備をしています…");
    lib.Succeed("1\n0\n");
    net->Poll();
    ASSERT_EQ(l.results.size(), 1u);
    EXPECT_TRUE(l.results[0].Succeeded);
    EXPECT_EQ(l.results[0].Text, "1\n0\n");
    EXPECT_FALSE(net->IsBusy());
    EXPECT_EQ(port.CountSound(CNetWorkAccessor::kSoundBeep), 0);
    EXPECT_EQ(port.CountSound(CNetWorkAccessor::kSoundSucceeded), 1);
    EXPECT_TRUE(lib.Last()->released);
    const std::string log = LogText();
    EXPECT_NE(log.find("[ネットワークアクセス開始]"), std::string::npos);
    EXPECT_NE(log.find(" [ステージ情報検索（新着順検索）開始  取得数:[4]]"), std::string::npos);
    EXPECT_NE(log.find(" [ステージ情報検索（新着順検索）終了]"), std::string::npos);
    EXPECT_NE(log.find("[ネットワークアクセス正常終了]"), std::string::npos);
}

TEST_F(Accessor, BeepsEveryTenthPollAtSixteenFramesASecond) {
    SetFrameTime(0.0625f);
    net->Start(NetWorkOperation::CheckServer);
    lib.Last()->state = QVNet::kStateRunning;
    std::vector<int> beeps;
    for (int poll = 1; poll <= 20; ++poll) {
        const int before = port.CountSound(CNetWorkAccessor::kSoundBeep);
        net->Poll();
        if (port.CountSound(CNetWorkAccessor::kSoundBeep) > before) beeps.push_back(poll);
    }
    EXPECT_EQ(beeps, (std::vector<int>{10, 20}));
    EXPECT_EQ(net->GetWindow()->GetMessageLabel()->GetText(), "接続テスト中です…");
}

TEST_F(Accessor, FailureWaitsForOkThenTellsWithEmptyTexts) {
    Listener l;
    net->AddClosedListener(&l);
    net->Start(NetWorkOperation::RegisterCreator, "なまえ");
    EXPECT_EQ(lib.calls[0].args[0], "\x82\xc8\x82\xdc\x82\xa6");  // sent as CP932
    lib.Fail(QVNet::EC_DB_ERROR, "23505");
    net->Poll();
    EXPECT_TRUE(l.results.empty());
    EXPECT_TRUE(net->IsBusy());
    Controls::CNetWorkBusyWindow* w = net->GetWindow();
    EXPECT_EQ(w->GetMessageLabel()->GetText(),
              "接続中にエラーが発生しました！\n[EC_DB_ERROR]"
              "\nその名前は既に使っている人がいます。他の名前を入力してください。");
    EXPECT_EQ(w->GetTitle(), "エラー詳細");
    EXPECT_FALSE(w->GetAnimation()->IsActive());
    EXPECT_EQ(port.CountSound(CNetWorkAccessor::kSoundFailed), 1);
    PushOk();
    ASSERT_EQ(l.results.size(), 1u);
    EXPECT_FALSE(l.results[0].Succeeded);
    EXPECT_EQ(l.results[0].Text, "");
    EXPECT_FALSE(net->IsBusy());
    const std::string log = LogText();
    EXPECT_NE(log.find("[ネットワークアクセス異常終了]"), std::string::npos);
    EXPECT_NE(log.find("その名前は既に使っている人がいます。"), std::string::npos);
}

TEST_F(Accessor, ListenersToldInOrderAndForgotten) {
    std::vector<std::string> order;
    Listener a, b;
    a.name = "a", b.name = "b";
    a.order = b.order = &order;
    net->AddClosedListener(&a);
    net->AddClosedListener(&b);
    net->Start(NetWorkOperation::RegisterCreator, "x");
    *lib.outId = 42;
    std::strcpy(lib.reply, "0123456789abcdef0123456789abcdef");
    lib.Last()->state = QVNet::kStateDone;
    net->Poll();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(a.results[0].Text, "42");
    EXPECT_EQ(b.results[0].SubText, "0123456789abcdef0123456789abcdef");
    EXPECT_EQ(net->GetListenerCount(), 0u);
}

TEST_F(Accessor, RefusedStartsChangeNothingAndDropTheirListener) {
    Listener first, second;
    net->AddClosedListener(&first);
    net->Start(NetWorkOperation::CheckServer);
    Controls::CNetWorkBusyWindow* window = net->GetWindow();
    const std::string logBefore = LogText();
    net->AddClosedListener(&second);
    net->Start(NetWorkOperation::GetNewStage, "4");
    EXPECT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(net->GetWindow(), window);
    EXPECT_EQ(net->GetOperation(), NetWorkOperation::CheckServer);
    EXPECT_EQ(LogText(), logBefore);
    lib.Succeed();
    net->Poll();
    EXPECT_EQ(first.results.size(), 1u);
    EXPECT_TRUE(second.results.empty());

    // An operation that is no request opens nothing and tells nobody.
    net->AddClosedListener(&second);
    net->Start(static_cast<NetWorkOperation>(3));
    EXPECT_FALSE(net->IsBusy());
    EXPECT_EQ(net->GetListenerCount(), 0u);
}

TEST_F(Accessor, NoRequestObjectIsAFailureAtOnce) {
    Listener l;
    lib.giveNothing = true;
    net->AddClosedListener(&l);
    net->Start(NetWorkOperation::CheckServer);
    ASSERT_NE(net->GetWindow(), nullptr);
    EXPECT_EQ(net->GetWindow()->GetMessageLabel()->GetText(),
              "接続中にエラーが発生しました！\n[EC_OT_ERROR]\nエラーが発生しました。");
    PushOk();
    ASSERT_EQ(l.results.size(), 1u);
    EXPECT_FALSE(l.results[0].Succeeded);
}

TEST_F(Accessor, DownloadSizesOutsideTheCapReserveNothing) {
    for (const char* size : {"0", "-5", "99999999999999999999", "8388608"}) {
        net->Start(NetWorkOperation::DownloadStage, "3", size);
        EXPECT_EQ(lib.calls.back().args[2], "null") << size;
        lib.Fail(QVNet::EC_PM_ERROR, "P001");
        net->Poll();
        net->Reset();
    }
    net->Start(NetWorkOperation::DownloadStage, "3", "100");
    EXPECT_EQ(lib.calls.back().args, (std::vector<std::string>{"3", "100", "buffer"}));
}

TEST_F(Accessor, PlayHistoryRecordsAreKeptUntilTheRequestEnds) {
    std::vector<QVNet::PlayHistory> records{{7, 1, 600, 2, 80}, {9, 2, 1200, 0, 160}};
    net->Start(NetWorkOperation::SendPlayHistory, "2", {}, {}, {}, records);
    records.clear();
    ASSERT_EQ(lib.history.size(), 2u);
    EXPECT_EQ(lib.history[1].rating, 160);
}

TEST_F(Accessor, SavingADownloadedStage) {
    EXPECT_FALSE(net->SaveDownloadedStage(12, "<notastage/>"));
    EXPECT_EQ(net->GetLastSaveError().code, "SDE0006");
    EXPECT_FALSE(FileExists("stage\\downloaded\\12.stg"));
    EXPECT_FALSE(net->SaveDownloadedStage(12, "not even xml <"));
    EXPECT_FALSE(net->GetLastSaveError().code.empty());
    EXPECT_FALSE(FileExists("stage\\downloaded\\12.stg"));

    // A stage of the built game saves under its id.
    const std::string stage = testsupport::PrepareStageReading(game);
    ASSERT_FALSE(stage.empty());
    EXPECT_TRUE(net->SaveDownloadedStage(12, stage));
    EXPECT_TRUE(net->GetLastSaveError().code.empty());
    std::string saved;
    ASSERT_EQ(ReadEncodedFile("stage\\downloaded\\12.stg", saved), ReadStatus::Ok);
    EXPECT_EQ(saved, stage);
    EXPECT_NE(LogText().find("ファイル12.stgを保存しました。"), std::string::npos);
}

}  // namespace

namespace {

// Figures a server cannot truly send are a bad reply: the network error is shown, the listener
// learns of a failure once it is closed, and nothing of the reply reaches it.
TEST_F(Accessor, RepliesThatCannotBeTrueAreABadReply) {
    struct Case {
        NetWorkOperation op;
        std::string reply;
        int id;
    };
    const std::string nanList =
        "1\n1\n3\nname\n7\nauthor\n120\n5\nGrassDayTime\n50\n50\nnan\n2010/11/21\nx\n";
    const Case cases[] = {
        {NetWorkOperation::GetAppraisal, "-2147483648", 0},
        {NetWorkOperation::GetAppraisal, "-1", 0},
        {NetWorkOperation::GetNewStage, nanList, 0},
        {NetWorkOperation::GetNewStage, "2\n2\n", 0},  // two announced, none there
        {NetWorkOperation::RegisterStage, "", 0},
        {NetWorkOperation::RegisterCreator, "0123456789abcdef0123456789abcdef", -4},
        {NetWorkOperation::RegisterCreator, "not hex", 5},
    };
    for (const Case& c : cases) {
        Listener l;
        net->AddClosedListener(&l);
        net->Start(c.op, "5");
        if (lib.outId) *lib.outId = c.id;
        lib.Succeed(c.reply);
        net->Poll();
        ASSERT_NE(net->GetWindow(), nullptr) << c.reply;
        EXPECT_EQ(
            net->GetWindow()->GetMessageLabel()->GetText(),
            "接続中にエラーが発生しました！\n[EC_NW_ERROR]\n未知のネットワークエラーが発生しました。(12152)")
            << c.reply;
        EXPECT_TRUE(l.results.empty());
        PushOk();
        ASSERT_EQ(l.results.size(), 1u) << c.reply;
        EXPECT_FALSE(l.results[0].Succeeded);
        EXPECT_EQ(l.results[0].Text, "");
        lib.outId = nullptr;
    }
    EXPECT_EQ(port.CountSound(CNetWorkAccessor::kSoundSucceeded), 0);
    // The largest true appraisal passes as it came.
    Listener l;
    net->AddClosedListener(&l);
    net->Start(NetWorkOperation::GetAppraisal, "5");
    lib.Succeed("2147483647");
    net->Poll();
    ASSERT_EQ(l.results.size(), 1u);
    EXPECT_EQ(l.results[0].Text, "2147483647");
}

}  // namespace
