// The editor's command sequences, answered as a player answers them: every route through the
// new, open, save, close, test-play and post questions, with the nested save, the failures of
// the editor's file operations, a cancelled name and Cancel in the file list.
#include <cctype>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor_windows/EditorEndHiddenWindow.h"
#include "editor_windows/FileOpenHiddenWindow.h"
#include "editor_windows/FileSaveHiddenWindow.h"
#include "editor_windows/NewStageCreateHiddenWindow.h"
#include "editor_windows/SendStageHiddenWindow.h"
#include "editor_windows/TestPlayHiddenWindow.h"
#include "tests/editor_windows/file_windows_env.h"

namespace filewindowstest {
namespace {

// The result a sequence leaves, read when it closes.
class ResultCatcher : public Controls::IClosedEventHandler {
  public:
    void OnClosed(Controls::GCForm* sender) override { result = Read(sender); }
    std::string Read(Controls::GCForm* sender) {
        if (auto* w = dynamic_cast<CNewStageCreateHiddenWindow*>(sender)) {
            stageXml = w->GetStageXml();
            return stageXml.empty() ? "no stage" : "stage";
        }
        if (auto* w = dynamic_cast<CFileSaveHiddenWindow*>(sender))
            return w->IsSaved() ? "saved" : "not saved";
        if (auto* w = dynamic_cast<CEditorEndHiddenWindow*>(sender))
            return w->IsEndConfirmed() ? "end" : "stay";
        if (auto* w = dynamic_cast<CTestPlayHiddenWindow*>(sender))
            return w->IsStartConfirmed() ? "play" : "no play";
        if (auto* w = dynamic_cast<CSendStageHiddenWindow*>(sender))
            return !w->IsSendConfirmed()       ? "no post"
                   : w->IsArrangementAllowed() ? "post, arrange"
                                               : "post, keep";
        return "closed";
    }
    std::string result = "open";
    std::string stageXml;
};

// Where a sequence starts.
struct Origin {
    bool modified = false;
    bool isNew = false;  // the stage has no file yet
    int category = StageCategory_Local;
    std::vector<std::string> problems;
    bool saveFails = false, openFails = false;
};

enum class Kind { kNew, kOpen, kSave, kEnd, kTestPlay, kSend };

struct Route {
    const char* name;
    Kind kind;
    Origin start;
    std::vector<std::pair<std::string, std::string>> steps;  // (what the front dialog shows, answer)
    std::string result;
    std::vector<std::string> calls;  // what the editor was asked, checks left out
};

const std::vector<std::string> kTwoProblems = {"ゴールがありません", "スタート地点が不正です"};

Origin Make(bool modified, bool isNew, int category = StageCategory_Local) {
    Origin o;
    o.modified = modified;
    o.isNew = isNew;
    o.category = category;
    return o;
}
const Origin kUnmodified = Make(false, false);
const Origin kModified = Make(true, false);
const Origin kModifiedNew = Make(true, true);
Origin Category(int category) { return Make(true, false, category); }
Origin Problems() {
    Origin o = kModified;
    o.problems = kTwoProblems;
    return o;
}
Origin SaveFails(bool isNew) {
    Origin o = Make(true, isNew);
    o.saveFails = true;
    return o;
}
Origin OpenFails() {
    Origin o = kUnmodified;
    o.openFails = true;
    return o;
}

const std::vector<Route>& Routes() {
    static const std::vector<Route> routes = {
        // ---- New stage ------------------------------------------------------------------------
        {"new, unmodified: confirm, title, area",
         Kind::kNew,
         kUnmodified,
         {{"yesno:新しいステージを作成します。", "yes"},
          {"keyboard:新しいステージのタイトルを入力してください", "type:はじめて"},
          {"area", "area"}},
         "stage",
         {}},
        {"new, unmodified: no at the confirmation",
         Kind::kNew,
         kUnmodified,
         {{"作成します", "no"}},
         "no stage",
         {}},
        {"new, modified: save first (a new file at once), then title",
         Kind::kNew,
         kModifiedNew,
         {{"yesnocancel:\n現在のステージを保存しますか？", "yes"},
          {"saved:20240102030405.stg", "ok"},
          {"keyboard:", "type:つぎ"},
          {"area", "area"}},
         "stage",
         {"SaveNew"}},
        {"new, modified: no skips the save and the confirmation",
         Kind::kNew,
         kModified,
         {{"現在のステージを保存", "no"}, {"keyboard:", "type:つぎ"}, {"area", "area"}},
         "stage",
         {}},
        {"new, modified: cancel",
         Kind::kNew,
         kModified,
         {{"現在のステージを保存", "cancel"}},
         "no stage",
         {}},
        {"new, modified: the save given up ends it",
         Kind::kNew,
         kModified,
         {{"現在のステージを保存", "yes"}, {"method", "cancel"}},
         "no stage",
         {}},
        {"new, modified: the save fails",
         Kind::kNew,
         SaveFails(true),
         {{"現在のステージを保存", "yes"}, {"alert:\nステージの保存に失敗しました！", "ok"}},
         "no stage",
         {"SaveNew"}},
        {"new: the title cancelled",
         Kind::kNew,
         kUnmodified,
         {{"作成します", "yes"}, {"keyboard:", "cancel"}},
         "no stage",
         {}},
        {"new: the first area cancelled",
         Kind::kNew,
         kUnmodified,
         {{"作成します", "yes"}, {"keyboard:", "type:x"}, {"area", "cancel"}},
         "no stage",
         {}},

        // ---- Open -------------------------------------------------------------------------------
        {"open a saved stage: it keeps its file",
         Kind::kOpen,
         kUnmodified,
         {{"kind", "kind0"}, {"files:以前保存したステージを開く", "pick:0"}},
         "closed",
         {"Open(stage\\original\\mine.stg,keep)"}},
        {"open a downloaded stage: no file kept",
         Kind::kOpen,
         kUnmodified,
         {{"kind", "kind1"}, {"files:ダウンロードしたステージを開く", "pick:0"}},
         "closed",
         {"Open(stage\\downloaded\\1.stg,drop)"}},
        {"open a single-mode stage",
         Kind::kOpen,
         kUnmodified,
         {{"kind", "kind2"}, {"files:シングルモードのステージを開く", "pick:0"}},
         "closed",
         {"Open(stage\\scenario\\stage001.stg,drop)"}},
        {"open: Cancel in the file list goes back to the kind",
         Kind::kOpen,
         kUnmodified,
         {{"kind", "kind0"},
          {"files:", "cancel"},
          {"kind", "kind1"},
          {"files:", "close"},
          {"kind", "cancel"}},
         "closed",
         {}},
        {"open: Open with nothing chosen asks for a stage",
         Kind::kOpen,
         kUnmodified,
         {{"kind", "kind0"},
          {"files:", "open"},
          {"alert:\nステージを選んでください！", "ok"},
          {"files:", "pick:0"}},
         "closed",
         {"Open(stage\\original\\mine.stg,keep)"}},
        {"open: the file cannot be opened",
         Kind::kOpen,
         OpenFails(),
         {{"kind", "kind0"}, {"files:", "pick:0"}, {"alert:\nステージを開けません！", "ok"}},
         "closed",
         {"Open(stage\\original\\mine.stg,keep)"}},
        {"open, modified: save over the file first",
         Kind::kOpen,
         kModified,
         {{"現在のステージを保存", "yes"},
          {"method", "overwrite"},
          {"saved:mine.stg", "ok"},
          {"kind", "close"}},
         "closed",
         {"SaveOver"}},
        {"open, modified: no goes to the kind",
         Kind::kOpen,
         kModified,
         {{"現在のステージを保存", "no"}, {"kind", "cancel"}},
         "closed",
         {}},
        {"open, modified: cancel", Kind::kOpen, kModified, {{"現在のステージを保存", "close"}}, "closed", {}},

        // ---- Save -------------------------------------------------------------------------------
        {"save with problems lists them", Kind::kSave, Problems(), {{"errors:2", "ok"}}, "not saved", {}},
        {"save a never-saved stage: at once, no question",
         Kind::kSave,
         kModifiedNew,
         {{"saved:20240102030405.stg", "ok"}},
         "saved",
         {"SaveNew"}},
        {"save over the stage's file",
         Kind::kSave,
         kModified,
         {{"method", "overwrite"}, {"saved:mine.stg", "ok"}},
         "saved",
         {"SaveOver"}},
        {"save a copy under a new name",
         Kind::kSave,
         kModified,
         {{"method", "copy"},
          {"keyboard:新しいステージ名を入力してください[わたしのステージ]", "type:べつのなまえ"},
          {"saved:20240102030406.stg", "ok"}},
         "saved",
         {"SaveAs(べつのなまえ)"}},
        {"save: a cancelled name goes back to the method",
         Kind::kSave,
         kModified,
         {{"method", "copy"}, {"keyboard:", "cancel"}, {"method", "close"}},
         "not saved",
         {}},
        {"save a downloaded stage: only as a copy",
         Kind::kSave,
         Category(StageCategory_DownLoaded),
         {{"yesno:ダウンロードしたステージには\n上書き保存できません。", "yes"},
          {"keyboard:", "type:写し"},
          {"saved:", "ok"}},
         "saved",
         {"SaveAs(写し)"}},
        {"save a downloaded stage: no",
         Kind::kSave,
         Category(StageCategory_DownLoaded),
         {{"ダウンロードしたステージには", "no"}},
         "not saved",
         {}},
        {"save a downloaded stage: a cancelled name ends it",
         Kind::kSave,
         Category(StageCategory_DownLoaded),
         {{"ダウンロードしたステージには", "yes"}, {"keyboard:", "cancel"}},
         "not saved",
         {}},
        {"save a single-mode stage: only as a copy",
         Kind::kSave,
         Category(StageCategory_Scenario),
         {{"yesno:シングル用のステージには", "yes"}, {"keyboard:", "cancel"}},
         "not saved",
         {}},
        {"save: the overwrite fails",
         Kind::kSave,
         SaveFails(false),
         {{"method", "overwrite"}, {"alert:\nステージの保存に失敗しました！", "ok"}},
         "not saved",
         {"SaveOver"}},
        {"save: the save at once fails",
         Kind::kSave,
         SaveFails(true),
         {{"alert:\nステージの保存に失敗しました！", "ok"}},
         "not saved",
         {"SaveNew"}},
        {"save: the copy fails",
         Kind::kSave,
         SaveFails(false),
         {{"method", "copy"}, {"keyboard:", "type:y"}, {"alert:", "ok"}},
         "not saved",
         {"SaveAs(y)"}},

        // ---- Close --------------------------------------------------------------------------------
        {"close: save, then still asked to end",
         Kind::kEnd,
         kModified,
         {{"yesnocancel:終了前にステージを\n保存しますか？", "yes"},
          {"method", "overwrite"},
          {"saved:", "ok"},
          {"yesno:エディタを終了します。\nよろしいですか？", "yes"}},
         "end",
         {"SaveOver"}},
        {"close: no goes straight to the end question",
         Kind::kEnd,
         kModified,
         {{"終了前に", "no"}, {"エディタを終了します", "yes"}},
         "end",
         {}},
        {"close: no, then no",
         Kind::kEnd,
         kModified,
         {{"終了前に", "no"}, {"エディタを終了します", "no"}},
         "stay",
         {}},
        {"close: cancel stays", Kind::kEnd, kModified, {{"終了前に", "cancel"}}, "stay", {}},
        {"close: the save fails",
         Kind::kEnd,
         SaveFails(true),
         {{"終了前に", "yes"}, {"alert:", "ok"}},
         "stay",
         {"SaveNew"}},
        {"close: the save with problems",
         Kind::kEnd,
         Problems(),
         {{"終了前に", "yes"}, {"errors:2", "ok"}},
         "stay",
         {}},

        // ---- Test play ------------------------------------------------------------------------------
        {"test play with problems", Kind::kTestPlay, Problems(), {{"errors:2", "ok"}}, "no play", {}},
        {"test play, unmodified: one question",
         Kind::kTestPlay,
         kUnmodified,
         {{"yesno:\nテストプレイを開始しますか？", "yes"}},
         "play",
         {}},
        {"test play, modified: no to the save still plays",
         Kind::kTestPlay,
         kModified,
         {{"yesno:テストプレイ前に\nステージを保存しますか？", "no"}, {"テストプレイを開始", "yes"}},
         "play",
         {}},
        {"test play, modified: saved first",
         Kind::kTestPlay,
         kModifiedNew,
         {{"テストプレイ前に", "yes"}, {"saved:", "ok"}, {"テストプレイを開始", "yes"}},
         "play",
         {"SaveNew"}},
        {"test play, modified: the save given up",
         Kind::kTestPlay,
         kModified,
         {{"テストプレイ前に", "yes"}, {"method", "cancel"}},
         "no play",
         {}},
        {"test play: no at the start",
         Kind::kTestPlay,
         kUnmodified,
         {{"テストプレイを開始", "no"}},
         "no play",
         {}},

        // ---- Post -------------------------------------------------------------------------------
        {"post with problems", Kind::kSend, Problems(), {{"errors:2", "ok"}}, "no post", {}},
        {"post, modified: no save question; arrangement allowed",
         Kind::kSend,
         kModified,
         {{"yesno:現在のステージを投稿しますか？", "yes"},
          {"yesnocancel:他のクリエイターの\nアレンジを許可しますか？", "yes"},
          {"summary:投稿内容の確認 作者：わたし 原作者：げんさく 許可する！", "yes"}},
         "post, arrange",
         {}},
        {"post: arrangement refused still posts",
         Kind::kSend,
         kUnmodified,
         {{"投稿しますか", "yes"},
          {"アレンジを許可", "no"},
          {"summary:投稿内容の確認 作者：わたし 原作者：げんさく 許可しない", "yes"}},
         "post, keep",
         {}},
        {"post: cancel at the arrangement stops it",
         Kind::kSend,
         kUnmodified,
         {{"投稿しますか", "yes"}, {"アレンジを許可", "cancel"}},
         "no post",
         {}},
        {"post: no at the summary",
         Kind::kSend,
         kUnmodified,
         {{"投稿しますか", "yes"}, {"アレンジを許可", "yes"}, {"summary", "close"}},
         "no post",
         {}},
        {"post: no at the first question", Kind::kSend, kUnmodified, {{"投稿しますか", "no"}}, "no post", {}},
    };
    return routes;
}

class Sequences : public FileWindowsTest, public ::testing::WithParamInterface<Route> {
  protected:
    std::unique_ptr<CHiddenSequenceWindow> Make(const Route& r) {
        const Origin& s = r.start;
        const std::string name = host.stageName;
        switch (r.kind) {
            case Kind::kNew:
                return std::make_unique<CNewStageCreateHiddenWindow>(s.modified, &host, s.isNew, s.category,
                                                                     name);
            case Kind::kOpen:
                return std::make_unique<CFileOpenHiddenWindow>(s.modified, &host, s.isNew, s.category, name);
            case Kind::kSave:
                return std::make_unique<CFileSaveHiddenWindow>(&host, s.isNew, s.category, name);
            case Kind::kEnd:
                return std::make_unique<CEditorEndHiddenWindow>(&host, s.isNew, s.category, name);
            case Kind::kTestPlay:
                return std::make_unique<CTestPlayHiddenWindow>(s.modified, &host, s.isNew, s.category, name);
            case Kind::kSend:
                return std::make_unique<CSendStageHiddenWindow>(s.modified, &host, s.isNew, s.category, name,
                                                                "げんさく", "わたし");
        }
        return nullptr;
    }
};

TEST_P(Sequences, EveryRoute) {
    const Route& r = GetParam();
    WriteStage("stage/original/mine.stg", "わたしのステージ");
    WriteStage("stage/downloaded/1.stg", "もらったステージ");
    WriteStage("stage/scenario/stage001.stg", "シングル1");
    host.problems = r.start.problems;
    host.saveFails = r.start.saveFails;
    host.openFails = r.start.openFails;

    ResultCatcher catcher;
    std::unique_ptr<CHiddenSequenceWindow> window = Make(r);
    window->AddClosedEventHandler(&catcher);
    Start(std::move(window));
    Walk(r.steps);

    EXPECT_FALSE(SequenceOpen()) << "still showing " << Describe(Front());
    EXPECT_EQ(catcher.result, r.result);
    std::vector<std::string> calls;
    for (const std::string& c : host.calls)
        if (c != "Check") calls.push_back(c);
    EXPECT_EQ(calls, r.calls);
}

INSTANTIATE_TEST_SUITE_P(Routes, Sequences, ::testing::ValuesIn(Routes()),
                         [](const ::testing::TestParamInfo<Route>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

class NewStage : public FileWindowsTest {
  protected:
    std::string Make(const std::string& title) {
        ResultCatcher catcher;
        auto window =
            std::make_unique<CNewStageCreateHiddenWindow>(false, &host, true, StageCategory_Local, "");
        window->AddClosedEventHandler(&catcher);
        Start(std::move(window));
        Walk({{"作成します", "yes"}, {"keyboard:", "type:" + title}, {"area", "area"}});
        return catcher.stageXml;
    }
};

TEST_F(NewStage, TheNewStageStartsNearTheLeftOfItsFirstAreaWithTheCreatorsName) {
    std::unique_ptr<CStage> made = CStage::ReadXml(nullptr, Make("はじめて"), 1);
    ASSERT_EQ(made->GetAreaCount(), 1);
    EXPECT_EQ(made->name, "はじめて");
    EXPECT_EQ(made->startArea, 0);
    EXPECT_EQ(made->startX, 2);
    EXPECT_EQ(made->startY, made->GetAreaHeight(0) - 3);
    EXPECT_EQ(made->originalAuthor, "");
    EXPECT_EQ(made->arrangedAuthors, "");
    EXPECT_TRUE(made->arrangementPermissionFlag);
    EXPECT_EQ(made->category, StageCategory_Local);
    EXPECT_TRUE(host.calls.empty());  // the edited stage is not touched

    SetCreator("7", "つくりて");
    made = CStage::ReadXml(nullptr, Make("ふたつめ"), 1);
    EXPECT_EQ(made->originalAuthor, "つくりて");
    EXPECT_EQ(made->arrangedAuthors, "つくりて");
}

TEST_F(FileWindowsTest, ASavedNoticeNotYetShownGoesWithTheSequence) {
    const int32_t before = Controls::GCBase::GetLiveCount();
    {
        // Saved at once; the notice waits for the next frame, which never comes.
        CFileSaveHiddenWindow save(&host, true, StageCategory_Local, "わたしのステージ");
        EXPECT_TRUE(save.IsSaved());
        EXPECT_EQ(save.GetPendingStep(), CFileSaveHiddenWindow::kShowSaved);
        EXPECT_GT(Controls::GCBase::GetLiveCount(), before);
    }
    EXPECT_EQ(Controls::GCBase::GetLiveCount(), before);
}

}  // namespace
}  // namespace filewindowstest
