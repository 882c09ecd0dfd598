#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <thread>

#include "foundation/EncodedFile.h"
#include "foundation/FileList.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

using testsupport::TempGameFolder;

namespace {
// The temporary files of saves below a folder.
int CountTempFiles(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        count += IsTempFileName(e.path().filename().string()) ? 1 : 0;
    return count;
}
}  // namespace

TEST(Encoding, RoundTripAndFormat) {
    SeedRandom(7);
    const std::string& key = GetEncodingKey();
    ASSERT_EQ(key, "Wn4TzQ8cLm2RvK7d");
    const std::string enc = EncodeDataText("abc");
    ASSERT_EQ(enc.size(), 8u);
    for (char c : enc) EXPECT_NE(key.find(c), std::string::npos);
    EXPECT_EQ(DecodeDataText(enc).value(), "abc");

    std::set<std::string> seen;
    for (int i = 0; i < 8; ++i) seen.insert(EncodeDataText("abc"));
    EXPECT_GT(seen.size(), 1u);  // every save draws a new offset

    // Every byte value survives, and the offset wraps modulo 256.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(DecodeDataText(EncodeDataText(all)).value(), all);

    // Written by hand: the symbols key[1], key[2] give the offset 0x12.
    std::string manual;
    manual += key[1];
    manual += key[2];
    manual += key[('A' + 0x12) / 16];
    manual += key[('A' + 0x12) % 16];
    EXPECT_EQ(DecodeDataText(manual).value(), "A");
    EXPECT_EQ(DecodeDataText(std::string() + key[0] + key[0]).value(), "");
}

TEST(Encoding, RejectsWhatIsNotAnEncodedText) {
    EXPECT_FALSE(DecodeDataText(""));
    EXPECT_FALSE(DecodeDataText("W"));
    EXPECT_FALSE(DecodeDataText("Wnz"));   // odd count
    EXPECT_FALSE(DecodeDataText("WnzX"));  // X is no symbol
    EXPECT_FALSE(DecodeDataText("ab"));    // key position
    EXPECT_FALSE(DecodeDataText("Wn,T"));
    EXPECT_FALSE(DecodeFileText(EncodeDataText(std::string("a\0b", 3))));  // a zero byte inside
}

TEST(EncodedFile, WriteReadUtf8ThroughCp932) {
    TempGameFolder game;
    game.MakeDir("data");
    const std::string text = "ステージ,1\n名前,ｱｲｳ\n";
    ASSERT_TRUE(WriteEncodedFile("data\\t.dat", text));
    const std::string raw = game.ReadRaw("data/t.dat");
    EXPECT_EQ(raw.size(), 2 + 2 * Utf8ToCp932(text).size());
    EXPECT_EQ(raw.find('\n'), std::string::npos);
    std::string back = "untouched";
    ASSERT_EQ(ReadEncodedFile("data\\t.dat", back), ReadStatus::Ok);
    EXPECT_EQ(back, text);

    // Plain (log-style) writes append CP932 text.
    ASSERT_TRUE(WriteEncodedFile("data/p.txt", "一行\n", true, false));
    ASSERT_TRUE(WriteEncodedFile("data/p.txt", "二行\n", true, false));
    EXPECT_EQ(game.ReadRaw("data/p.txt"), Utf8ToCp932("一行\n二行\n"));
    ASSERT_EQ(ReadEncodedFile("data/p.txt", back, false), ReadStatus::Ok);
    EXPECT_EQ(back, "一行\n二行\n");
    EXPECT_EQ(CountTempFiles(game.Path()), 0);
}

TEST(EncodedFile, ReadFailuresAndLeavesTextUntouched) {
    TempGameFolder game;
    std::string text = "keep";
    EXPECT_EQ(ReadEncodedFile("nothing.dat", text), ReadStatus::CannotRead);
    game.MakeDir("folder.dat");
    EXPECT_EQ(ReadEncodedFile("folder.dat", text), ReadStatus::CannotRead);
    game.MakeUnreadable("bad.dat");
    EXPECT_EQ(ReadEncodedFile("bad.dat", text), ReadStatus::CannotRead);
    game.WriteRaw("empty.dat", "");
    EXPECT_EQ(ReadEncodedFile("empty.dat", text), ReadStatus::Malformed);
    const std::string enc = EncodeFileText("<a>1</a>");
    game.WriteRaw("cut.dat", enc.substr(0, enc.size() - 1));
    EXPECT_EQ(ReadEncodedFile("cut.dat", text), ReadStatus::Malformed);
    game.WriteRaw("plain.dat", "a,b,c\n");
    EXPECT_EQ(ReadEncodedFile("plain.dat", text), ReadStatus::Malformed);
    EXPECT_EQ(text, "keep");
    // A line end after the encoded text (CRLF too) is not part of it.
    game.WriteRaw("crlf.dat", enc + "\r\n");
    EXPECT_EQ(ReadEncodedFile("crlf.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "<a>1</a>");
}

TEST(EncodedFile, LargeTextReadsBackWhole) {
    TempGameFolder game;
    std::string big;
    for (int i = 0; big.size() < 600000; ++i)
        big += "<line" + std::to_string(i % 97) + ">ＡＢＣ" + std::to_string(i) + "\n";
    ASSERT_TRUE(WriteEncodedFile("stage.stg", big));
    std::string back;
    ASSERT_EQ(ReadEncodedFile("stage.stg", back), ReadStatus::Ok);
    EXPECT_EQ(back, big);
}

TEST(EncodedFile, FailedReplaceKeepsTheOldFile) {
    TempGameFolder game;
    ASSERT_TRUE(WriteEncodedFile("s.dat", "old"));
    FailWritesForTesting(game.Full("s.dat").string());  // the temporary file cannot be made
    EXPECT_FALSE(WriteEncodedFile("s.dat", "new"));
    FailWritesForTesting("");
    std::string text;
    ASSERT_EQ(ReadEncodedFile("s.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "old");
    EXPECT_EQ(CountTempFiles(game.Path()), 0);
    EXPECT_FALSE(WriteEncodedFile("missing\\folder\\s.dat", "x"));
    game.MakeDir("dir.dat");  // only a file is ever replaced
    EXPECT_FALSE(WriteEncodedFile("dir.dat", "x"));
    EXPECT_TRUE(DirExists("dir.dat"));
    EXPECT_FALSE(WriteFileAtomic((game.Path() / "nofolder" / "x").string(), "x"));
}

// Two processes (the game and a second copy, the game and its tools), each with two threads,
// write one file at once: every save succeeds and the file ends as one whole version.
TEST(EncodedFile, WritersOfOneFileAtOnceAllSucceed) {
    TempGameFolder game;
    const std::string target = game.Full("shared.dat").string();
    constexpr int kWrites = 40;
    auto writeMany = [&](char fill) {
        const std::string bytes(48 * 1024, fill);
        int failed = 0;
        for (int i = 0; i < kWrites; ++i) failed += WriteFileAtomic(target, bytes) ? 0 : 1;
        return failed;
    };
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            int failedA = 0, failedB = 0;
            std::thread other([&] { failedA = writeMany(static_cast<char>('A' + 2 * c)); });
            failedB = writeMany(static_cast<char>('B' + 2 * c));
            other.join();
            ::_exit(failedA + failedB > 0 ? 1 : 0);
        }
    }
    for (pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    const std::string last = game.ReadRaw("shared.dat");
    ASSERT_EQ(last.size(), 48u * 1024u);
    EXPECT_TRUE(last.find_first_not_of(last[0]) == std::string::npos && last[0] >= 'A' && last[0] <= 'D');
    EXPECT_EQ(CountTempFiles(game.Path()), 0);
}

// A file name near the limit of 255 bytes is saved over like any other: the temporary name does
// not grow with it.
TEST(EncodedFile, AStageWithA250ByteNameSavesOverItself) {
    TempGameFolder game;
    const std::string name = std::string(246, 'a') + ".stg";
    ASSERT_EQ(name.size(), 250u);
    game.WriteRaw("stage/original/" + name, EncodeFileText("old"));
    const std::string path = JoinGamePath("stage\\original", name);
    ASSERT_TRUE(WriteEncodedFile(path, "new"));
    std::string text;
    ASSERT_EQ(ReadEncodedFile(path, text), ReadStatus::Ok);
    EXPECT_EQ(text, "new");
}

TEST(EncodedFile, FileAndFolderTests) {
    TempGameFolder game;
    game.WriteRaw("data/a.dat", "x");
    EXPECT_TRUE(FileExists("data\\a.dat"));
    EXPECT_FALSE(FileExists("data"));
    EXPECT_TRUE(DirExists("data"));
    EXPECT_FALSE(DirExists("data\\a.dat"));
    EXPECT_FALSE(FileExists("data\\b.dat"));
    EXPECT_TRUE(CreateFolder("log"));
    EXPECT_FALSE(CreateFolder("log"));         // exists already
    EXPECT_FALSE(CreateFolder("no\\parent"));  // parent missing
    EXPECT_EQ(GetGamePath("data\\a.dat"), (game.Path() / "data/a.dat").string());
    EXPECT_EQ(GetGamePath("/abs\\x"), "/abs\\x");  // a Linux path: "\\" is part of its name
}

TEST(Csv, FitsAndFails) {
    std::vector<std::string> t(4, "keep");
    ASSERT_TRUE(ParseCsvText("a,b\r\nc", t, 2, 2));
    EXPECT_EQ(t[0], "a");     // (0,0)
    EXPECT_EQ(t[2], "b");     // (1,0)
    EXPECT_EQ(t[1], "c");     // (0,1)
    EXPECT_EQ(t[3], "keep");  // (1,1) untouched

    std::vector<std::string> u;
    EXPECT_FALSE(ParseCsvText("a,b,c", u, 2, 2));
    EXPECT_FALSE(ParseCsvText("a\nb\nc", u, 2, 2));
    EXPECT_FALSE(ParseCsvText("a\n\n\n", u, 1, 2));  // empty lines count
    EXPECT_FALSE(ParseCsvText("a,b,", u, 2, 1));     // trailing comma on a full line
    EXPECT_TRUE(ParseCsvText("a,\n", u, 2, 1));
    EXPECT_FALSE(ParseCsvText("a", u, 0, 1));
    EXPECT_FALSE(ParseCsvText("a", u, 1, 0));
    EXPECT_TRUE(ParseCsvText("", u, 1, 1));

    // Cells filled before a failure stay filled.
    std::vector<std::string> v;
    EXPECT_FALSE(ParseCsvText("x,y\np,q,r", v, 2, 2));
    EXPECT_EQ(CsvCell(v, 2, 0, 0), "x");
    EXPECT_EQ(CsvCell(v, 2, 1, 0), "y");

    // Fields are not trimmed; a zero byte ends the text.
    std::vector<std::string> w;
    ASSERT_TRUE(ParseCsvText(std::string(" a ,b\0,c,d,e", 12), w, 2, 1));
    EXPECT_EQ(w[0], " a ");
    EXPECT_EQ(w[1], "b");
}

TEST(Csv, WholeTextIsReadBeyondTheOldScanLimit) {
    // 1000 lines of about 30 characters: far beyond 16384 characters.
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "Kind" + std::to_string(i) + ",名前" + std::to_string(i) + ",x\n";
    std::vector<std::string> t;
    ASSERT_TRUE(ParseCsvText(text, t, 3, 1024));
    EXPECT_EQ(CsvCell(t, 1024, 0, 999), "Kind999");
    EXPECT_EQ(CsvCell(t, 1024, 1, 999), "名前999");
    // The table limits still say "malformed".
    EXPECT_FALSE(ParseCsvText(text, t, 3, 999));
}

TEST(FileList, ListsNewestFirstAndMatchesThePattern) {
    TempGameFolder game;
    game.MakeDir("stage/original/sub.stg");
    const auto now = std::filesystem::file_time_type::clock::now();
    // Besides the list's own, a note and what killed saves left (now and in older versions).
    const char* names[] = {
        "b.stg", "a.STG", "c.stg", "note.txt", ".qv4711-3.quorvald-partial", "d.stg.quorvald-partial"};
    for (int i = 0; i < 6; ++i) {
        game.WriteRaw(std::string("stage/original/") + names[i], "x");
        std::filesystem::last_write_time(game.Full(std::string("stage/original/") + names[i]),
                                         now - std::chrono::hours(24 * (i + 1)));
    }
    const int liveBefore = CFileEntry::GetLiveCount();
    {
        CFileList list("stage\\original", "*.stg");
        ASSERT_EQ(list.GetCount(), 3);
        EXPECT_EQ(list.GetAt(0)->GetRawFileName(), "b.stg");
        EXPECT_EQ(list.GetAt(1)->GetRawFileName(), "a.STG");
        EXPECT_EQ(list.GetAt(2)->GetRawFileName(), "c.stg");
        EXPECT_EQ(list.GetAt(-1), nullptr);
        EXPECT_EQ(list.GetAt(3), nullptr);
        EXPECT_EQ(list.GetAt(0)->GetFullPath(), "stage\\original\\b.stg");
        EXPECT_EQ(list.GetAt(0)->GetDateTimeText().size(), 19u);
        EXPECT_EQ(CFileEntry::GetLiveCount(), liveBefore + 3);

        {
            const std::unique_ptr<CFileEntry> kept = list.GetAt(1)->Clone();
            EXPECT_EQ(kept->GetDateTimeTextJp(), list.GetAt(1)->GetDateTimeTextJp());
            EXPECT_EQ(CFileEntry::GetLiveCount(), liveBefore + 4);
        }

        CFileList none("stage\\original", "*.xyz");
        EXPECT_EQ(none.GetCount(), 0);
        CFileList every("stage\\original", "*");
        EXPECT_EQ(every.GetCount(), 4);  // the three stages and the note
        CFileList missing("no\\folder", "*.stg");
        EXPECT_EQ(missing.GetCount(), 0);
    }
    EXPECT_EQ(CFileEntry::GetLiveCount(), liveBefore);

    CFileEntry empty;
    EXPECT_EQ(empty.GetDateTimeText(), "");
    EXPECT_EQ(empty.GetDateTimeTextJp(), "");
    CFileEntry nested("a\\b\\c.stg", "stage", std::nullopt);
    EXPECT_EQ(nested.GetFileName(), "c.stg");
    EXPECT_TRUE(MatchFilePattern("*.stg", "x.stg"));
    EXPECT_FALSE(MatchFilePattern("*.stg", "x.stg.tmp"));
    EXPECT_TRUE(MatchFilePattern("a?c*", "abcdef"));
}
