#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/PlayHistory.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

namespace {

using testsupport::TempGameFolder;

class PlayHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CPlayHistory::DeleteInstance();
        game.MakeDir("network");
    }
    void TearDown() override { CPlayHistory::DeleteInstance(); }
    std::string Stored() {
        return DecodeFileText(game.ReadRaw("network/history.dat")).value_or("<not encoded>");
    }
    std::string LoadCode() {
        return CaughtCode([] { CPlayHistory::GetInstance(); });
    }
    // The codes of the errors noted for the player since the last call.
    std::string Noted() {
        std::string codes;
        for (const StringPair& e : TakeRecoveredErrors()) codes += (codes.empty() ? "" : " ") + e.code;
        return codes;
    }
    // The names of the files set aside in network/.
    std::vector<std::string> SetAside(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.path().filename().string().starts_with("history.dat.damaged-"))
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    TempGameFolder game;
};

TEST_F(PlayHistoryTest, MissingOrEmptyFileIsAnEmptyHistory) {
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0);
    EXPECT_FALSE(FileExists("network\\history.dat"));
    CPlayHistory::DeleteInstance();
    game.WriteEncoded("network/history.dat", "");
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0);
    // A file of no bytes at all, or of line ends only, holds no history either.
    for (const char* bytes : {"", "\r\n"}) {
        CPlayHistory::DeleteInstance();
        game.WriteRaw("network/history.dat", bytes);
        EXPECT_EQ(CaughtCode([] { CPlayHistory::GetInstance(); }), "");
        EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0);
    }
    EXPECT_EQ(Noted(), "");
    // One stray byte is no empty file.
    CPlayHistory::DeleteInstance();
    game.WriteRaw("network/history.dat", "W");
    EXPECT_EQ(LoadCode(), "");
    EXPECT_EQ(Noted(), "DEF0101");
}

TEST_F(PlayHistoryTest, SumsCapsAndKeyOrder) {
    CPlayHistory* h = CPlayHistory::GetInstance();
    h->AddPlayRecord("42", 12, 40000, 60);
    h->AddPlayRecord("42", 1, 600, 80);
    h->AddPlayRecord("", 1, 1, 1);  // ignored
    h->AddPlayRecord("100", -1, -5, 20);
    h->AddPlayRecord("99", 2.5, 120, 140);
    ASSERT_EQ(h->GetCount(), 3);
    const PlayHistoryRecord& r = h->GetRecords().at("42");
    EXPECT_DOUBLE_EQ(r.misses, 11.0);
    EXPECT_DOUBLE_EQ(r.playTicks, 36600.0);
    EXPECT_DOUBLE_EQ(r.rating, 140.0);
    EXPECT_EQ(r.playCount, 2);
    EXPECT_DOUBLE_EQ(h->GetRecords().at("100").misses, -1.0);  // no lower limit

    EXPECT_EQ(Stored(),
              "100,-1.000000,-5.000000,20.000000,1\n"
              "42,11.000000,36600.000000,140.000000,2\n"
              "99,2.500000,120.000000,140.000000,1\n");

    const auto arr = h->CreateRecordArray();
    ASSERT_EQ(arr.size(), 3u);
    EXPECT_EQ(arr[0].stageId, 100);
    EXPECT_EQ(arr[2].stageId, 99);
    EXPECT_EQ(arr[2].playCount, 1);
    EXPECT_EQ(arr[2].playTicks, 120);
    EXPECT_EQ(arr[2].misses, 2);
    EXPECT_EQ(arr[2].rating, 140);

    // What was saved loads back the same.
    CPlayHistory::DeleteInstance();
    h = CPlayHistory::GetInstance();
    EXPECT_EQ(h->GetCount(), 3);
    EXPECT_DOUBLE_EQ(h->GetRecords().at("42").playTicks, 36600.0);

    const PlayHistoryRecord def;
    EXPECT_EQ(def.key, "ERROR");
    EXPECT_EQ(def.playCount, -1);
}

TEST_F(PlayHistoryTest, KeysThatWouldBreakTheFileAreRefused) {
    CPlayHistory* h = CPlayHistory::GetInstance();
    h->AddPlayRecord("1,2,3,4,5,6", 1, 1, 1);
    h->AddPlayRecord("7\n8", 1, 1, 1);
    EXPECT_EQ(h->GetCount(), 0);
    h->AddPlayRecord("5", 1, 1, 1);
    CPlayHistory::DeleteInstance();
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 1);
}

TEST_F(PlayHistoryTest, MoreThan256RecordsAreKeptAndAnUploadClearsOnlyWhatItSent) {
    CPlayHistory* h = CPlayHistory::GetInstance();
    for (int i = 0; i < 300; ++i) h->AddPlayRecord(std::to_string(1000 + i), 1, 60, 60);
    EXPECT_EQ(h->GetCount(), 256);
    const auto sent = h->CreateRecordArray();
    ASSERT_EQ(sent.size(), 256u);
    EXPECT_EQ(sent.front().stageId, 1000);
    EXPECT_EQ(sent.back().stageId, 1255);

    // All 300 survive a reload.
    CPlayHistory::DeleteInstance();
    h = CPlayHistory::GetInstance();
    EXPECT_EQ(h->GetRecords().size(), 300u);

    h->ClearAndSave();
    EXPECT_EQ(h->GetRecords().size(), 44u);
    EXPECT_EQ(h->GetRecords().begin()->first, "1256");
    CPlayHistory::DeleteInstance();
    h = CPlayHistory::GetInstance();
    EXPECT_EQ(h->GetCount(), 44);
    h->ClearAndSave();
    EXPECT_EQ(h->GetCount(), 0);
    EXPECT_EQ(Stored(), "");
}

TEST_F(PlayHistoryTest, FileLines) {
    std::string text;
    for (int i = 0; i < 256; ++i) text += std::to_string(i) + ",1,2,3,4\n";
    text += "\n,9,9,9,9\n7\n";  // empty lines and keys are skipped; missing fields read 0
    text += "3,5,5,5,5\n";      // a later line replaces an earlier one
    game.WriteEncoded("network/history.dat", text);
    CPlayHistory* h = CPlayHistory::GetInstance();
    EXPECT_EQ(h->GetRecords().size(), 256u);
    EXPECT_DOUBLE_EQ(h->GetRecords().at("3").misses, 5.0);
    EXPECT_EQ(h->GetRecords().at("7").playCount, 0);
}

// A history that cannot be read never stops the game: it is set aside under a new name, bytes
// untouched, the player is told its code once, and the history starts empty.
TEST_F(PlayHistoryTest, DamagedFilesAreSetAsideAndTheHistoryStartsEmpty) {
    game.MakeUnreadable("network/history.dat");
    EXPECT_EQ(LoadCode(), "");
    EXPECT_EQ(Noted(), "DEF0100");
    EXPECT_EQ(SetAside(game.Full("network")).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(game.Full("network/history.dat"))));
    std::filesystem::remove_all(game.Full("network"));
    game.MakeDir("network");

    const std::pair<const char*, std::string> malformed[] = {
        {"six fields", EncodeFileText("1,1,1,1,1\n2,1,1,1,1,1\n")},
        {"plain text", "1,1,1,1,1\n"},
        {"odd cut", EncodeFileText("1,1,1,1,1\n").substr(0, 11)},
        {"nine garbage bytes", std::string("\x01\xff\x00garbage", 10)},
    };
    for (const auto& [what, bytes] : malformed) {
        CPlayHistory::DeleteInstance();
        game.WriteRaw("network/history.dat", bytes);
        ASSERT_EQ(LoadCode(), "") << what;
        EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0) << what;
        const std::vector<StringPair> noted = TakeRecoveredErrors();
        ASSERT_EQ(noted.size(), 1u) << what;
        EXPECT_EQ(noted[0].code, "DEF0101") << what;
        EXPECT_EQ(noted[0].message, "history.dat が不正です。\n別名で残し、空で始めます。");
        EXPECT_FALSE(FileExists("network\\history.dat")) << what;
    }
    // Every damaged file is kept, none over another, each with its own bytes.
    const std::vector<std::string> kept = SetAside(game.Full("network"));
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(game.ReadRaw("network/" + kept[0]), malformed[0].second);
    EXPECT_EQ(game.ReadRaw("network/" + kept[3]), malformed[3].second);

    // The game goes on: the next play is saved in a fresh file, and nothing is told again.
    CPlayHistory::GetInstance()->AddPlayRecord("5", 1, 1, 1);
    CPlayHistory::DeleteInstance();
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 1);
    EXPECT_EQ(Noted(), "");

    // A reset that finds a damaged file does the same.
    game.WriteEncoded("network/history.dat", "1,1,1,1,1,1\n");
    CPlayHistory* h = CPlayHistory::GetInstance();
    EXPECT_EQ(CaughtCode([&] { h->Initialize(); }), "");
    EXPECT_EQ(Noted(), "DEF0101");
    EXPECT_EQ(h->GetCount(), 0);

    std::filesystem::remove_all(game.Full("network"));
    try {
        h->AddPlayRecord("5", 1, 1, 1);
        FAIL();
    } catch (const CDataFileException& e) {
        EXPECT_EQ(e.GetCode(), "DEF0102");
        EXPECT_EQ(e.GetMessage(), "history.dat を保存できません。");
    }
    EXPECT_EQ(h->GetCount(), 1);  // the record stays in memory
}

// An installed copy cannot move the game folder's file: it keeps a copy aside where it writes and
// an empty history there hides the damaged one. A file it cannot even read stops the start.
TEST_F(PlayHistoryTest, InstalledCopyKeepsACopyOfTheDamagedFile) {
    testsupport::TempFolder user("quor-user");
    UseUserDataFolder(user.Path().string());
    game.WriteRaw("network/history.dat", "garbage!!");
    EXPECT_EQ(LoadCode(), "");
    EXPECT_EQ(Noted(), "DEF0101");
    EXPECT_EQ(game.ReadRaw("network/history.dat"), "garbage!!");
    const std::vector<std::string> kept = SetAside(user.Full("network"));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(user.ReadRaw("network/" + kept[0]), "garbage!!");
    CPlayHistory::DeleteInstance();
    EXPECT_EQ(LoadCode(), "");
    EXPECT_EQ(Noted(), "") << "told once";

    std::filesystem::remove_all(user.Full("network"));
    std::filesystem::remove(game.Full("network/history.dat"));
    game.MakeUnreadable("network/history.dat");
    CPlayHistory::DeleteInstance();
    EXPECT_EQ(LoadCode(), "DEF0100");
    EXPECT_EQ(Noted(), "");
    SetGameFolder(game.Path().string());
}

TEST_F(PlayHistoryTest, BlankLinesAnywhereAndAFailedLoadLeavesNothing) {
    game.WriteEncoded("network/history.dat",
                      "\n7,1,2,3,4\r\n" + std::string(200000, '\n') + "10,0.5,60,40,1");
    CPlayHistory* h = CPlayHistory::GetInstance();
    ASSERT_EQ(h->GetCount(), 2);
    EXPECT_EQ(h->GetRecords().at("7").playCount, 4);
    EXPECT_DOUBLE_EQ(h->GetRecords().at("10").misses, 0.5);

    // A bad line after good ones: nothing of the file is kept.
    game.WriteEncoded("network/history.dat", "1,1,1,1,1\n2,2,2,2,2\n3,1,1,1,1,1\n");
    EXPECT_EQ(CaughtCode([&] { h->Initialize(); }), "");
    EXPECT_EQ(Noted(), "DEF0101");
    EXPECT_EQ(h->GetCount(), 0);
    EXPECT_TRUE(h->GetRecords().empty());
}

TEST_F(PlayHistoryTest, ARecordThatWouldNotReadBackIsDamagedAndSumsStayWithinWhatReadsBack) {
    // Written with "%f", 1e70 is a number of 78 characters, which reads back as -1: such a file
    // is no history of ours.
    for (const char* line : {"12,1e70,0,0,1\n", "12,0,nan,0,1\n", "12,0,0,-inf,1\n"}) {
        CPlayHistory::DeleteInstance();
        game.WriteEncoded("network/history.dat", line);
        EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0) << line;
        EXPECT_EQ(Noted(), "DEF0101") << line;
    }
    // Nor is a key of bytes that are no CP932 text (a lead byte alone): it would be saved as "?".
    CPlayHistory::DeleteInstance();
    game.WriteRaw("network/history.dat", EncodeDataText("\x81,0,0,0,1\n"));
    EXPECT_EQ(CPlayHistory::GetInstance()->GetCount(), 0);
    EXPECT_EQ(Noted(), "DEF0101");
    // The largest sum a record keeps: a play more stays at it, and it reads back.
    CPlayHistory::DeleteInstance();
    game.WriteEncoded("network/history.dat", "12,0,999999999999999,0,1\n");
    CPlayHistory* history = CPlayHistory::GetInstance();
    history->AddPlayRecord("12", 1, 36000, 1e300);
    CPlayHistory::DeleteInstance();
    const PlayHistoryRecord& record = CPlayHistory::GetInstance()->GetRecords().at("12");
    EXPECT_EQ(record.playTicks, 1e15);
    EXPECT_EQ(record.rating, 1e15);
    EXPECT_EQ(record.playCount, 2);
    EXPECT_EQ(Noted(), "");
}

}  // namespace
