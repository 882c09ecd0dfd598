// Where the game reads and writes: a portable copy uses its own folder, an installed one writes
// to the player's folder and reads there first; what a killed save leaves behind is cleared.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/EncodedFile.h"
#include "foundation/FileList.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;
using testsupport::TempGameFolder;

namespace {

// A game folder plus a second unique folder that stands for the player's data folder.
class InstalledCopy : public ::testing::Test {
  protected:
    void SetUp() override { UseUserDataFolder((user / "quorvald").string()); }

    TempGameFolder game;
    testsupport::TempFolder userFolder{"quor-user"};
    const fs::path& user = userFolder.Path();
};

TEST(PortableCopy, AWritableGameFolderTakesEveryReadAndWrite) {
    TempGameFolder game;
    EXPECT_FALSE(IsInstalledCopy());
    EXPECT_EQ(GetWriteFolder(), game.Path().string());
    EXPECT_EQ(GetWritePath("network\\history.dat"), (game.Path() / "network/history.dat").string());
    EXPECT_EQ(GetReadPath("network\\history.dat"), (game.Path() / "network/history.dat").string());
    // Nothing is made on the way: a missing folder still fails the write.
    EXPECT_FALSE(WriteEncodedFile("nofolder\\a.dat", "x"));
    EXPECT_FALSE(fs::exists(game.Path() / "nofolder"));
}

TEST_F(InstalledCopy, WritesGoToThePlayersFolderAndReadsLookThereFirst) {
    const fs::path mine = user / "quorvald";
    game.WriteEncoded("data/shop_info.dat", "shipped");
    game.WriteEncoded("network/client_info.dat", "shipped state");

    EXPECT_TRUE(IsInstalledCopy());
    EXPECT_EQ(GetWriteFolder(), mine.string());
    // The folders on the way are made in the player's folder.
    EXPECT_EQ(GetWritePath("network\\client_info.dat"), (mine / "network/client_info.dat").string());
    EXPECT_TRUE(fs::is_directory(mine / "network"));
    // An absolute path is the player's own Linux path: a "\\" in it is part of a name.
    EXPECT_EQ(GetWritePath("/abs\\x"), "/abs\\x");
    EXPECT_EQ(GetReadPath("/abs\\x"), "/abs\\x");

    std::string text;
    ASSERT_EQ(ReadEncodedFile("network\\client_info.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "shipped state");  // nothing of the player's yet: the game folder's
    ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat", "player's state"));
    ASSERT_EQ(ReadEncodedFile("network\\client_info.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "player's state");
    EXPECT_EQ(DecodeFileText(game.ReadRaw("network/client_info.dat")), "shipped state");  // untouched
    ASSERT_EQ(ReadEncodedFile("data\\shop_info.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "shipped");
    EXPECT_TRUE(FileExists("data\\shop_info.dat"));
    EXPECT_FALSE(fs::exists(mine / "data/shop_info.dat"));

    // A new folder and the log, whose folder only the game folder has.
    game.MakeDir("log");
    EXPECT_TRUE(CreateFolder("stage\\mine"));
    EXPECT_TRUE(fs::is_directory(mine / "stage/mine"));
    EXPECT_FALSE(CreateFolder("stage\\mine"));
    ASSERT_TRUE(WriteEncodedFile("log\\log1.log", "line\n", true, false));
    EXPECT_TRUE(fs::exists(mine / "log/log1.log"));
    EXPECT_FALSE(fs::exists(game.Path() / "log/log1.log"));
}

TEST_F(InstalledCopy, AFolderListsBothCopiesThePlayersHidingTheGames) {
    game.WriteRaw("stage/original/a.stg", "game a");
    game.WriteRaw("stage/original/b.stg", "game b");
    ASSERT_TRUE(WriteEncodedFile("stage\\original\\b.stg", "mine b"));
    ASSERT_TRUE(WriteEncodedFile("stage\\original\\c.stg", "mine c"));
    CFileList list("stage\\original", "*.stg");
    ASSERT_EQ(list.GetCount(), 3);
    int fromPlayer = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const std::string name = list.GetAt(i)->GetRawFileName();
        std::string text;
        ASSERT_EQ(ReadEncodedFile("stage\\original\\" + name, text, name != "a.stg"), ReadStatus::Ok);
        fromPlayer += text.rfind("mine", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(fromPlayer, 2);
}

TEST(PortableCopy, APlayersFileNameWithABackslashIsKeptWhole) {
    TempGameFolder game;
    // Linux allows "\\" in a file name: one the player put in the stage folder and one given by
    // its absolute path both reach the disk as they are named.
    game.WriteEncoded("stage/original/my\\stage.stg", "mine");
    game.WriteEncoded("data/shop_info.dat", "shipped");
    CFileList list("stage\\original", "*.stg");
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->GetRawFileName(), "my\\stage.stg");
    const std::string listed = list.GetAt(0)->GetFullPath();
    EXPECT_EQ(listed, "stage/original/my\\stage.stg");
    EXPECT_EQ(GetReadPath(listed), (game.Path() / "stage/original/my\\stage.stg").string());
    std::string text;
    ASSERT_EQ(ReadEncodedFile(listed, text), ReadStatus::Ok);
    EXPECT_EQ(text, "mine");
    ASSERT_TRUE(WriteEncodedFile(listed, "changed"));
    EXPECT_EQ(DecodeFileText(game.ReadRaw("stage/original/my\\stage.stg")), "changed");
    EXPECT_FALSE(fs::exists(game.Full("stage/original/my")));

    const std::string absolute = game.Full("stage/original/a\\b.stg").string();
    ASSERT_TRUE(WriteEncodedFile(absolute, "given by its path"));
    EXPECT_TRUE(FileExists(absolute));
    EXPECT_FALSE(fs::exists(game.Full("stage/original/a")));
    EXPECT_EQ(DecodeFileText(game.ReadRaw("stage/original/a\\b.stg")), "given by its path");

    // The game's own names still use "\\" between folders, in either form of the join.
    EXPECT_EQ(JoinGamePath("stage\\original", "b.stg"), "stage\\original\\b.stg");
    EXPECT_EQ(JoinGamePath("", "x\\y.stg"), "./x\\y.stg");
    EXPECT_EQ(JoinGamePath(game.Path().string(), "b.stg"), (game.Path() / "b.stg").string());
    EXPECT_EQ(GamePathFileName(listed), "my\\stage.stg");
    EXPECT_EQ(GamePathFileName("stage\\original\\b.stg"), "b.stg");
    EXPECT_EQ(GamePathFileName("b.stg"), "b.stg");
    ASSERT_EQ(ReadEncodedFile("data\\shop_info.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, "shipped");
}

TEST_F(InstalledCopy, APlayersFileNameWithABackslashIsFoundInThePlayersFolder) {
    const fs::path mine = user / "quorvald";
    const std::string path = JoinGamePath("stage\\original", "a\\b.stg");
    ASSERT_TRUE(WriteEncodedFile(path, "mine"));
    EXPECT_TRUE(fs::is_regular_file(mine / "stage/original/a\\b.stg"));
    CFileList list("stage\\original", "*.stg");
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->GetFullPath(), path);
    std::string text;
    ASSERT_EQ(ReadEncodedFile(path, text), ReadStatus::Ok);
    EXPECT_EQ(text, "mine");
}

TEST(TempFiles, AReplaceLeavesNoTemporaryFileAndLeftoversAreClearedAtStart) {
    TempGameFolder game;
    game.MakeDir("network");
    ASSERT_TRUE(WriteEncodedFile("network\\history.dat", "1,1,1,1,1\n"));
    for (const auto& e : fs::recursive_directory_iterator(game.Path()))
        EXPECT_EQ(e.path().filename().string().find(kTempFileSuffix), std::string::npos) << e.path();

    // What a save killed before its rename leaves, next to files that only look alike.
    const std::string leftover = std::string("network/history.dat") + kTempFileSuffix;
    const std::string deep = std::string("stage/original/x.stg") + kTempFileSuffix;
    const std::string named = std::string("stage/original/.qv4711-3") + kTempFileSuffix;
    game.WriteRaw(leftover, "half");
    game.WriteRaw(deep, "half");
    game.WriteRaw(named, "half");
    game.WriteRaw("network/history.dat.tmp", "the player's own");
    game.WriteRaw(std::string("data/") + kTempFileSuffix, "the suffix alone is no temporary file");
    game.MakeDir(std::string("data/folder") + kTempFileSuffix);

    RemoveLeftoverTempFiles();
    EXPECT_FALSE(fs::exists(game.Full(leftover)));
    EXPECT_FALSE(fs::exists(game.Full(deep)));
    EXPECT_FALSE(fs::exists(game.Full(named)));
    EXPECT_TRUE(fs::exists(game.Full("network/history.dat")));
    EXPECT_TRUE(fs::exists(game.Full("network/history.dat.tmp")));
    EXPECT_TRUE(fs::exists(game.Full(std::string("data/") + kTempFileSuffix)));
    EXPECT_TRUE(fs::is_directory(game.Full(std::string("data/folder") + kTempFileSuffix)));
}

TEST_F(InstalledCopy, LeftoversAreClearedInThePlayersFolderOnly) {
    const std::string rel = std::string("network/client_info.dat") + kTempFileSuffix;
    game.WriteRaw(rel, "shipped by mistake");
    ASSERT_TRUE(WriteEncodedFile("network\\x.dat", "x"));
    const fs::path mine = user / "quorvald" / rel;
    {
        std::ofstream f(mine);
        f << "half";
    }
    RemoveLeftoverTempFiles();
    EXPECT_FALSE(fs::exists(mine));
    EXPECT_TRUE(fs::exists(game.Full(rel)));  // the game folder is not ours to change
}

}  // namespace
