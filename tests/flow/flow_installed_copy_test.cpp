// The real game binary on a game folder it cannot write to, as an installed game is: it starts,
// plays to the top menu, quits by its button and writes everything to the player's data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "platform/instance_lock.h"
#include "tests/common/read_only_place.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::string bytes;
    ReadWholeFile(path.string(), bytes);
    return Cp932ToUtf8(bytes);
}

// A read-only copy of the game folder ("game") beside an empty data home the game's user owns.
class ReadOnlyInstall : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete())
            GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
        testsupport::CopyBuiltGame(game);
        place.Lock(game);
    }

    // Runs the game headless with the arguments; its exit status, or -1. Its output goes to `err`.
    int Run(const std::vector<std::string>& args, std::string& err) {
        std::vector<std::string> all = {"--headless"};
        all.insert(all.end(), args.begin(), args.end());
        return place.Run(game, testsupport::kGameExecutable, all, err);
    }

    testsupport::ReadOnlyPlace place{"quor-install"};
    const fs::path game = place.Root() / "game", xdg = place.DataHome();
};

TEST_F(ReadOnlyInstall, StartsPlaysAndQuitsWritingOnlyToTheDataHome) {
    // Past loading and the title, then the window's close box at the menu.
    std::string err;
    ASSERT_EQ(Run({"--frames", "1200", "--mouse", "1:400,300", "--key", "300:Z", "--close", "460"}, err), 0)
        << err;
    EXPECT_EQ(err.find("Error Code"), std::string::npos) << err;
    EXPECT_EQ(err.find("DEF"), std::string::npos) << err;

    const fs::path mine = xdg / "quorvald";
    std::string log;
    ASSERT_TRUE(fs::is_directory(mine / "log"));
    for (const auto& e : fs::directory_iterator(mine / "log")) log += ReadText(e.path());
    EXPECT_NE(log.find("========== GameStart =========="), std::string::npos) << log;
    EXPECT_NE(log.find("==========  GameEnd  =========="), std::string::npos) << log;
    EXPECT_EQ(log.find("Error Code"), std::string::npos) << log;

    // The player's state: the day's copy of the client info, read back whole.
    bool backup = false;
    for (const auto& e : fs::directory_iterator(mine / "network")) {
        if (e.path().filename().string().rfind("client_info_bk", 0) != 0) continue;
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(e.path().string(), bytes));
        const std::optional<std::string> text = DecodeFileText(bytes);
        ASSERT_TRUE(text.has_value());
        EXPECT_NE(text->find("<clientInfo>"), std::string::npos);
        backup = true;
    }
    EXPECT_TRUE(backup);
    EXPECT_TRUE(fs::exists(mine / "Quorvald:ElMutex.lock"));
    EXPECT_FALSE(fs::exists(game / "log"));
    EXPECT_FALSE(fs::exists(game / "Quorvald:ElMutex.lock"));
}

TEST_F(ReadOnlyInstall, ASecondCopyIsRefusedThroughTheLockInTheDataHome) {
    const fs::path mine = xdg / "quorvald";
    const fs::path lock = mine / "Quorvald:ElMutex.lock";
    fs::create_directories(mine);
    plat::InstanceLock running;
    ASSERT_TRUE(running.TryAcquire(lock.string()));
    place.GiveToRunner(mine);
    place.GiveToRunner(lock);
    std::string err;
    EXPECT_EQ(Run({"--frames", "30"}, err), 0);
    EXPECT_NE(err.find("already running"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(mine / "log"));  // it stopped before the game started
}

}  // namespace
