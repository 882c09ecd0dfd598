// The file select window: pages of ten rows, the reasons of files that cannot be opened,
// reading each good file once, the chosen file's particulars and the Open and Cancel buttons.
#include <string>

#include "controls/Forms.h"
#include "foundation/FileList.h"
#include "stage/StageFileEntry.h"
#include "tests/editor_windows/file_windows_env.h"

namespace filewindowstest {
namespace {

class FileSelect : public FileWindowsTest {
  protected:
    // The window over "stage\downloaded", shown and built.
    CFileSelectWindow* Open() {
        return Start(std::make_unique<CFileSelectWindow>("ダウンロードしたステージを開く",
                                                         "stage\\downloaded", "*.stg"));
    }
    std::string RowName(CFileSelectWindow* w, int index) {
        CFileInfoItem* row = w->GetPanel()->GetRow(index);
        return row ? row->GetNameLabel()->GetText() : "(no row)";
    }
    void TurnTo(CFileSelectWindow* w, bool right) {
        Controls::IPagingScrollablePanelBase* p = w->GetPanel();
        (right ? static_cast<Controls::CPushButtonBase*>(p->GetRightButton()) : p->GetLeftButton())
            ->PerformPush();
        Frame();
    }
};

TEST_F(FileSelect, ElevenFilesMakeTwoPagesEachGoodFileReadOnceAndFailedOnesReadAgain) {
    for (int i = 0; i < 11; ++i)
        WriteStage("stage/downloaded/s" + std::to_string(i) + ".stg", "面" + std::to_string(i), i);
    game->WriteRaw("stage/downloaded/s3.stg", "garbage");  // fails at first
    SetAge("stage/downloaded/s3.stg", 3);
    game->WriteRaw("stage/downloaded/notes.txt", "not listed");

    CFileSelectWindow* w = Open();
    CFileSelectPanel* panel = w->GetPanel();
    ASSERT_EQ(panel->GetFileCount(), 11);
    EXPECT_EQ(panel->GetPageCount(), 2);
    EXPECT_EQ(RowName(w, 0), "面0");  // newest first
    EXPECT_EQ(RowName(w, 9), "面9");
    EXPECT_EQ(RowName(w, 3), "データが不正です");
    EXPECT_FALSE(panel->GetRow(3)->IsEnabled());
    EXPECT_EQ(panel->GetRow(0)->GetInfoLabel()->GetText().size(), std::string("2024/01/02 03:04:05").size());

    // Between the pages the files change: the good one read before stays as it was read, the
    // failed one is read again.
    WriteStage("stage/downloaded/s0.stg", "書き換え", 0);
    WriteStage("stage/downloaded/s3.stg", "直った", 3);
    TurnTo(w, true);
    EXPECT_EQ(panel->GetCurrentPage(), 2);
    EXPECT_EQ(RowName(w, 10), "面10");
    EXPECT_EQ(panel->GetRow(0), nullptr);
    TurnTo(w, false);
    EXPECT_EQ(RowName(w, 0), "面0");
    EXPECT_EQ(RowName(w, 3), "直った");
    EXPECT_TRUE(panel->GetRow(3)->IsEnabled());
}

TEST_F(FileSelect, TheFrameGoesRoundTheFirstAndLastRow) {
    for (int i = 0; i < 10; ++i)
        WriteStage("stage/downloaded/s" + std::to_string(i) + ".stg", "面" + std::to_string(i), i);
    CFileSelectWindow* w = Open();
    Controls::CFreeContainer* frame = nullptr;
    for (int i = 0; i < w->GetControls().Count(); ++i) {
        if (auto* f = dynamic_cast<Controls::CFreeContainer*>(w->GetControls().At(i))) frame = f;
    }
    ASSERT_NE(frame, nullptr);
    // The frame's border (outline to inner line) is 4 pixels; the rows fill 20 pixels each
    // (the highlight runs one below the 19-pixel row) from (32, 60) of the window.
    EXPECT_EQ(frame->GetAbsoluteX() - w->GetAbsoluteX(), 28);
    EXPECT_EQ(frame->GetAbsoluteY() - w->GetAbsoluteY(), 56);
    const int insideTop = frame->GetAbsoluteY() + 4,
              insideBottom = frame->GetAbsoluteY() + frame->GetHeight() - 4;
    const int insideLeft = frame->GetAbsoluteX() + 4,
              insideRight = frame->GetAbsoluteX() + frame->GetWidth() - 4;
    for (int index : {0, 9}) {
        CFileInfoItem* row = w->GetPanel()->GetRow(index);
        ASSERT_NE(row, nullptr);
        EXPECT_GE(row->GetAbsoluteY(), insideTop) << index;
        EXPECT_LE(row->GetAbsoluteY() + 20, insideBottom) << index;
        EXPECT_GE(row->GetAbsoluteX(), insideLeft) << index;
        EXPECT_LE(row->GetAbsoluteX() + row->GetWidth(), insideRight) << index;
    }
    EXPECT_EQ(w->GetPanel()->GetRow(0)->GetAbsoluteY(), insideTop);
    EXPECT_EQ(w->GetPanel()->GetRow(9)->GetAbsoluteY() + 20, insideBottom);
}

TEST_F(FileSelect, EveryPageCanBeReachedWhateverTheCount) {
    for (int i = 0; i < 135; ++i)
        game->WriteRaw("stage/downloaded/" + std::to_string(1000 + i) + ".stg", "x");
    CFileSelectWindow* w = Open();
    CFileSelectPanel* panel = w->GetPanel();
    ASSERT_EQ(panel->GetPageCount(), 14);
    for (int page = 2; page <= 14; ++page) {
        TurnTo(w, true);
        ASSERT_EQ(panel->GetCurrentPage(), page);
    }
    EXPECT_NE(panel->GetRow(130), nullptr);
    EXPECT_EQ(panel->GetRow(135), nullptr);
    TurnTo(w, true);  // past the last page nothing moves
    EXPECT_EQ(panel->GetCurrentPage(), 14);
}

TEST_F(FileSelect, DamagedAndHostileFilesBecomeTheirErrorRows) {
    WriteStage("stage/downloaded/good.stg", "よい", 0);
    const std::string good = game->ReadRaw("stage/downloaded/good.stg");
    CFileEntry goodEntry("good.stg", "stage\\downloaded", std::nullopt);
    ASSERT_EQ(ReadStageFileEntry(goodEntry).code, FileLoad_Ok);

    // Cut anywhere, a stage file is a data error or another error, never a crash.
    for (size_t cut = 0; cut < good.size(); cut += 1 + good.size() / 97) {
        game->WriteRaw("stage/downloaded/cut.stg", good.substr(0, cut));
        const StageFileRead read =
            ReadStageFileEntry(CFileEntry("cut.stg", "stage\\downloaded", std::nullopt));
        EXPECT_TRUE(read.code == FileLoad_BadData || read.code == FileLoad_OtherError)
            << cut << ": " << read.code;
        EXPECT_EQ(read.record, nullptr);
    }
    struct Case {
        const char* file;
        std::string bytes;
        int code;
    };
    const std::string hugeText = std::string(17u * 1024u * 1024u, 'A');
    const Case cases[] = {
        {"empty.stg", "", FileLoad_BadData},
        {"binary.stg", std::string("\x00\xff\x10\x80junk", 8), FileLoad_BadData},
        {"plain.stg", EncodeFileText("<stage><name>x</name>"), FileLoad_BadData},
        {"huge.stg", hugeText, FileLoad_BadData},
    };
    for (const Case& c : cases) {
        game->WriteRaw(std::string("stage/downloaded/") + c.file, c.bytes);
        EXPECT_EQ(ReadStageFileEntry(CFileEntry(c.file, "stage\\downloaded", std::nullopt)).code, c.code)
            << c.file;
    }
    game->MakeUnreadable("stage/downloaded/locked.stg");
    EXPECT_EQ(ReadStageFileEntry(CFileEntry("locked.stg", "stage\\downloaded", std::nullopt)).code,
              FileLoad_CannotOpen);
    EXPECT_EQ(ReadStageFileEntry(CFileEntry("gone.stg", "stage\\downloaded", std::nullopt)).code,
              FileLoad_CannotOpen);

    WriteStage("stage/downloaded/newer.stg", "未来");
    std::string newer = *DecodeFileText(game->ReadRaw("stage/downloaded/newer.stg"));
    newer.replace(newer.find("<version>1.0.0.0</version>"), 26, "<version>99.0.0.0</version>");
    game->WriteRaw("stage/downloaded/newer.stg", EncodeFileText(newer));
    WriteStage("stage/downloaded/closed.stg", "禁止", 0, [](CStage& s) {
        s.category = StageCategory_DownLoaded;
        s.arrangementPermissionFlag = false;
    });
    EXPECT_EQ(ReadStageFileEntry(CFileEntry("newer.stg", "stage\\downloaded", std::nullopt)).code,
              FileLoad_NewerVersion);
    EXPECT_EQ(ReadStageFileEntry(CFileEntry("closed.stg", "stage\\downloaded", std::nullopt)).code,
              FileLoad_ArrangeForbidden);

    // In the window every one of them is a disabled row with its reason and the error icon.
    CFileSelectWindow* w = Open();
    int good_rows = 0;
    for (int i = 0; i < w->GetPanel()->GetFileCount(); ++i) {
        CFileInfoItem* row = w->GetPanel()->GetRow(i);
        if (!row) continue;
        EXPECT_EQ(row->IsEnabled(), row->GetErrorCode() == FileLoad_Ok);
        if (row->GetErrorCode() == FileLoad_Ok) ++good_rows;
        if (row->GetErrorCode() == FileLoad_ArrangeForbidden) {
            EXPECT_EQ(row->GetNameLabel()->GetText(), "アレンジ禁止のステージです");
        }
    }
    EXPECT_EQ(good_rows, 1);
    EXPECT_EQ(FileLoadErrorText(FileLoad_NewerVersion), "このバージョンは開けません");
    EXPECT_EQ(FileLoadErrorText(FileLoad_UnboughtParts), "未購入パーツを使っています");
    EXPECT_EQ(FileLoadErrorText(42), "エラーが発生しました");
    EXPECT_EQ(FileLoadErrorFromCode("SDE0004"), FileLoad_OtherError);
}

TEST_F(FileSelect, TheChosenFileShowsItsParticularsAndOpens) {
    WriteStage("stage/downloaded/a.stg", "ふたり", 0, [](CStage& s) {
        s.originalAuthor = "はじめ";
        s.arrangedAuthors = "はじめ,つぎ";
    });
    WriteStage("stage/downloaded/b.stg", "ひとり", 1, [](CStage& s) { s.originalAuthor = "だれか"; });
    game->WriteRaw("stage/downloaded/c.stg", "broken");
    SetAge("stage/downloaded/c.stg", 2);
    CFileSelectWindow* w = Open();

    // A click on a damaged row selects nothing.
    CFileInfoItem* broken = w->GetPanel()->GetRow(2);
    Click(*root, broken->GetAbsoluteX() + 100, broken->GetAbsoluteY() + 8);
    Frame();
    EXPECT_EQ(w->GetPanel()->GetSelectedIndex(), -1);

    // Open with nothing chosen asks for a stage and stays open.
    w->GetOpenButton()->PerformPush();
    Frame();
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(w->GetModalForm());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->GetTextLabel()->GetText(), "\nステージを選んでください！");
    EXPECT_EQ(alert->GetX(), CFileSelectWindow::kX + 16);
    EXPECT_NE(w->GetState(), Controls::kStateClosed);
    alert->GetOkButton()->PerformPush();
    Frame();

    CFileInfoItem* first = w->GetPanel()->GetRow(0);
    Click(*root, first->GetAbsoluteX() + 100, first->GetAbsoluteY() + 8);
    Frame();
    EXPECT_EQ(w->GetDetailText(CFileSelectWindow::kStageName), "ふたり");
    EXPECT_EQ(w->GetDetailText(CFileSelectWindow::kFileName), "a.stg");
    EXPECT_EQ(w->GetDetailText(CFileSelectWindow::kAuthor), "つぎ");  // the last arranger
    EXPECT_EQ(w->GetDetailText(CFileSelectWindow::kOriginalAuthor), "はじめ");
    EXPECT_NE(w->GetDetailText(CFileSelectWindow::kUpdateTime).find("年"), std::string::npos);
    EXPECT_TRUE(first->IsDown());

    CFileInfoItem* second = w->GetPanel()->GetRow(1);
    Click(*root, second->GetAbsoluteX() + 100, second->GetAbsoluteY() + 8);
    Frame();
    EXPECT_EQ(w->GetDetailText(CFileSelectWindow::kAuthor), "");  // no arranger at all
    EXPECT_EQ(w->GetSelectedFilePath(), "stage\\downloaded\\b.stg");

    // The close button cancels even with a file chosen.
    w->GetCloseButton()->PerformPush();
    EXPECT_EQ(w->IsCancelled(), 1);
    EXPECT_EQ(w->GetSelectedFilePath(), "stage\\downloaded\\b.stg");
    EXPECT_EQ(closed.Count("closed"), 1);
}

TEST_F(FileSelect, OpenClosesWithTheFileAndCancelWithout) {
    WriteStage("stage/downloaded/a.stg", "ひとつ");
    CFileSelectWindow* w = Open();
    CFileInfoItem* row = w->GetPanel()->GetRow(0);
    Click(*root, row->GetAbsoluteX() + 100, row->GetAbsoluteY() + 8);
    Frame();
    w->GetOpenButton()->PerformPush();
    EXPECT_EQ(w->IsCancelled(), 0);
    EXPECT_EQ(w->GetSelectedFilePath(), "stage\\downloaded\\a.stg");
    EXPECT_EQ(closed.Count("closed"), 1);

    CFileSelectWindow* empty = Start(std::make_unique<CFileSelectWindow>("t", "stage\\none", "*.stg"));
    EXPECT_EQ(empty->GetPanel()->GetFileCount(), 0);
    empty->GetCancelButton()->PerformPush();
    EXPECT_EQ(empty->IsCancelled(), 1);
    EXPECT_EQ(empty->GetSelectedFilePath(), "");
}

}  // namespace
}  // namespace filewindowstest
