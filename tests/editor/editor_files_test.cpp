// Installing, saving and opening stages with real files in the test's own game folder.
#include <filesystem>

#include "editor/MapEdits.h"
#include "editor/ObjectEdits.h"
#include "editor_env.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "stage/StageChips.h"
#include "tests/common/caught_code.h"

using editortest::EditorTest;

namespace {

class EditorFiles : public EditorTest {
  protected:
    void TearDown() override {
        CDateTime::SetNowForTesting(std::nullopt);
        EditorTest::TearDown();
    }
    static void SetNow(int year, int month, int day, int hour, int minute, int second) {
        SystemTime t;
        t.year = static_cast<uint16_t>(year), t.month = static_cast<uint16_t>(month);
        t.day = static_cast<uint16_t>(day), t.hour = static_cast<uint16_t>(hour);
        t.minute = static_cast<uint16_t>(minute), t.second = static_cast<uint16_t>(second);
        CDateTime::SetNowForTesting(t);
    }
    static std::string FileText(const std::string& path) {
        std::string text;
        EXPECT_EQ(ReadEncodedFile(path, text, true), ReadStatus::Ok) << path;
        return text;
    }
    static std::string LogText() {
        std::string text;
        ReadEncodedFile(CLog::GetInstance()->GetFilePath(), text, false);
        return text;
    }
};

TEST_F(EditorFiles, SavedStageOpensAgainAsItWasSaved) {
    SetCreator("17", "作者A");
    SetNow(2010, 11, 21, 9, 30, 5);
    auto stage = MakeStage({AreaClass_Short, AreaClass_OneRoom}, 3, 4);
    stage->SetId("99");
    auto editor = MakeEditor(std::move(stage));
    CStage* edited = editor->GetStage();
    ASSERT_TRUE(editor->DoCommand(std::make_unique<CSetObject>(2, 3, "Kid001", edited, editor.get())));

    const StageSavedNotice notice = editor->SaveAsNew("新しい名前");
    EXPECT_EQ(notice.fileName, "20101121093005.stg");
    EXPECT_EQ(notice.stageName, "新しい名前");
    EXPECT_EQ(notice.message,
              "ステージを新規で保存しました！\n次に開くときは、「以前保存した\nステージ」を選んでください。");
    EXPECT_FALSE(editor->IsModified());
    EXPECT_EQ(editor->GetCurrentFileName(), "20101121093005.stg");
    EXPECT_EQ(edited->category, StageCategory_Local);
    EXPECT_EQ(edited->originalAuthor, "作者A");
    const std::string saved = FileText("stage\\original\\20101121093005.stg");
    EXPECT_EQ(saved, edited->WriteFileText());

    // Saving again does not stamp the same creator twice; another creator's stage gets one more.
    editor->SaveToCurrentFile();
    EXPECT_EQ(edited->arrangedAuthors, "作者A");
    SetCreator("18", "作者B");
    EXPECT_EQ(editor->SaveToCurrentFile().message,
              "ステージを上書き保存しました！\n次に開くときは、「以前保存した\nステージ」を選んでください。");
    EXPECT_EQ(edited->arrangedAuthors, "作者A,作者B");
    EXPECT_EQ(edited->originalAuthor, "作者A");

    editor->OpenStage(GetGamePath("stage\\original\\20101121093005.stg"), false);
    EXPECT_NE(editor->GetStage(), edited);
    EXPECT_EQ(editor->GetStage()->id, "");
    EXPECT_EQ(editor->GetCurrentFileName(), "");  // only a new file can be saved now
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_EQ(editor->GetCaption(), "新しい名前 （エディットモード）");
    editor->GetStage()->SetId("99");
    EXPECT_EQ(editor->GetStage()->WriteFileText(), FileText("stage\\original\\20101121093005.stg"));
    EXPECT_NE(LogText().find("ファイル20101121093005.stgをエディットモードで開きました。"),
              std::string::npos);

    editor->OpenStage("stage\\original\\20101121093005.stg", true);
    EXPECT_EQ(editor->GetCurrentFileName(), "20101121093005.stg");
}

TEST_F(EditorFiles, AFileNameWithABackslashIsSavedBackToItself) {
    // "\\" is an ordinary character in a Linux file name: the stage opened from "a\\b.stg" is
    // saved over "a\\b.stg", not into a folder "a" or a file "b.stg".
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    const std::string path = JoinGamePath("stage\\original", "a\\b.stg");
    CreateFolder("stage");
    CreateFolder("stage\\original");
    ASSERT_TRUE(editor->GetStage()->SaveToFile(path));
    editor->OpenStage(path, true);
    EXPECT_EQ(editor->GetCurrentFileName(), "a\\b.stg");
    EXPECT_NE(LogText().find("ファイルa\\b.stgをエディットモードで開きました。"), std::string::npos);
    editor->GetStage()->SetName("変えた名前");
    editor->SaveToCurrentFile();
    EXPECT_NE(FileText(path).find("変えた名前"), std::string::npos);
    EXPECT_FALSE(FileExists("stage\\original\\b.stg"));
    EXPECT_FALSE(DirExists("stage\\original\\a"));
}

TEST_F(EditorFiles, TwoSavesInOneSecondGetTwoFiles) {
    SetNow(2010, 12, 31, 23, 59, 59);
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}), EditorMode::kSingle);
    EXPECT_EQ(editor->SaveUnderNewFileName().fileName, "20101231235959.stg");
    EXPECT_EQ(editor->SaveUnderNewFileName().fileName, "20110101000000.stg");
    EXPECT_EQ(editor->SaveUnderNewFileName().fileName, "20110101000001.stg");
    // Single edit mode saves scenario stages.
    EXPECT_TRUE(FileExists("stage\\scenario\\20101231235959.stg"));
    EXPECT_TRUE(FileExists("stage\\scenario\\20110101000001.stg"));
    EXPECT_EQ(editor->GetStage()->category, StageCategory_Scenario);
}

TEST_F(EditorFiles, AFailedSaveLeavesTheOldFileWhole) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    editor->SaveStage("keep.stg", false);
    const std::string old = FileText("stage\\original\\keep.stg");
    editor->GetStage()->SetName("変更後");
    editor->SetModified();
    // The temporary file cannot be made.
    FailWritesForTesting(game->Full("stage/original/keep.stg").string());
    EXPECT_EQ(CaughtCode([&] { editor->SaveToCurrentFile(); }), "SDE0009");
    FailWritesForTesting("");
    EXPECT_EQ(FileText("stage\\original\\keep.stg"), old);
    EXPECT_TRUE(editor->IsModified());

    CEditor empty(nullptr, EditorMode::kPlayer, &view);
    EXPECT_EQ(CaughtCode([&] { empty.SaveStage("x.stg", false); }), "SDE0009");
}

TEST_F(EditorFiles, ALargeStageOpensWhole) {
    auto stage = MakeStage({AreaClass_BoxLong, AreaClass_BoxLong, AreaClass_BoxLong, AreaClass_BoxLong});
    for (int a = 0; a < 4; ++a) {
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 240; ++x)
                stage->GetArea(a)->SetChip(x, y, static_cast<uint8_t>(64 + (x + y + a) % 2));
        }
    }
    const std::string text = stage->WriteFileText();
    ASSERT_GT(text.size(), 262144u);
    auto editor = MakeEditor(std::move(stage));
    editor->SaveStage("big.stg", false);
    editor->OpenStage("stage\\original\\big.stg", true);
    EXPECT_EQ(editor->GetStage()->WriteFileText(), text);
}

TEST_F(EditorFiles, OpeningOrMakingAStageThatFailsKeepsTheEditedOne) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage* edited = editor->GetStage();
    ASSERT_TRUE(editor->DoCommand(std::make_unique<CSetObject>(1, 1, "Kid001", edited, editor.get())));
    game->WriteRaw("stage/original/garbage.stg", "not a stage");
    ASSERT_TRUE(WriteEncodedFile("stage\\original\\broken.stg", "<stage><areaCount>0</areaCount></stage>"));

    EXPECT_EQ(CaughtCode([&] { editor->OpenStage("stage\\original\\none.stg", true); }), "SDE0007");
    EXPECT_EQ(CaughtCode([&] { editor->OpenStage("stage\\original\\garbage.stg", true); }), "SDE0006");
    EXPECT_EQ(CaughtCode([&] { editor->OpenStage("stage\\original\\broken.stg", true); }), "SDE0006");
    EXPECT_FALSE(editor->InstallNewStage("<stage>"));
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].substr(0, 20), "Error Code:[SDE0006]");
    EXPECT_EQ(editor->GetStage(), edited);
    EXPECT_TRUE(editor->CanUndo());
    EXPECT_TRUE(editor->IsModified());

    // A new stage: never saved, nothing to undo.
    const int installs = view.stageInstalls;
    ASSERT_TRUE(editor->InstallNewStage(MakeStage({AreaClass_Short})->WriteXml()));
    EXPECT_EQ(editor->GetStage()->GetAreaWidth(0), 160);
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_FALSE(editor->IsModified());
    EXPECT_EQ(view.stageInstalls, installs + 1);

    // Without a stage the stage's controls are told to go.
    editor->SetStage(nullptr);
    EXPECT_EQ(view.stageInstalls, installs + 2);
    EXPECT_EQ(editor->GetCaption(), "");
    EXPECT_TRUE(editor->CheckStage().empty());
}

TEST_F(EditorFiles, UndoAndRedoAfterASaveMarkTheStageModified) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage* edited = editor->GetStage();
    auto stroke = std::make_unique<CDrawSequence>(edited, editor.get());
    ASSERT_TRUE(stroke->AddPoint(2, 5, 64));
    ASSERT_TRUE(editor->DoCommand(std::move(stroke)));
    editor->SaveStage("undo.stg", false);
    ASSERT_FALSE(editor->IsModified());

    // The undone chip must not stay in the file: the close asks to save, the save drops it.
    ASSERT_TRUE(editor->Undo());
    EXPECT_TRUE(editor->IsModified());
    editor->SaveToCurrentFile();
    EXPECT_FALSE(editor->IsModified());
    editor->OpenStage("stage\\original\\undo.stg", true);
    EXPECT_EQ(editor->GetStage()->GetChipInCurrentArea(2, 5), 0);

    // Redo after a save changes the stage too.
    auto again = std::make_unique<CDrawSequence>(editor->GetStage(), editor.get());
    ASSERT_TRUE(again->AddPoint(2, 5, 64));
    ASSERT_TRUE(editor->DoCommand(std::move(again)));
    ASSERT_TRUE(editor->Undo());
    editor->SaveToCurrentFile();
    ASSERT_TRUE(editor->Redo());
    EXPECT_TRUE(editor->IsModified());
}

}  // namespace
