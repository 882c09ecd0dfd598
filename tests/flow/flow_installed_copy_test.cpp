// The real game binary on a game folder it cannot write to, as an installed game is: it starts,
// plays to the top menu, quits by its button and writes everything to the player's data folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "platform/instance_lock.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Root ignores permission bits: the game then runs as this unprivileged user.
constexpr uid_t kNobody = 65534;

std::string ReadText(const fs::path& path) {
    std::string bytes;
    ReadWholeFile(path.string(), bytes);
    return Cp932ToUtf8(bytes);
}

// A unique folder holding a read-only copy of the game folder ("game") and an empty data home
// ("xdg") that the game's user owns. Removed again at the end.
class ReadOnlyInstall : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete())
            GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
        // The game's user must reach the copy inside.
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        testsupport::CopyBuiltGame(game);
        fs::create_directories(xdg);
        if (asRoot) {
            ASSERT_EQ(::chown(xdg.c_str(), kNobody, kNobody), 0);
        } else {
            SetWritable(false);
        }
    }

    void TearDown() override {
        if (readOnly) SetWritable(true);  // so that the folder can be removed
    }

    // Write permission on every folder of the game copy.
    void SetWritable(bool writable) {
        const auto opts = writable ? fs::perm_options::add : fs::perm_options::remove;
        const fs::perms w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        fs::permissions(game, w, opts);
        for (const auto& e : fs::recursive_directory_iterator(game))
            if (e.is_directory()) fs::permissions(e.path(), w, opts);
        readOnly = !writable;
    }

    // Runs the game headless with the arguments, with nothing of this process's environment but
    // the data home; its exit status, or -1. Its output goes to `err`.
    int Run(const std::vector<std::string>& args, std::string& err) {
        testsupport::GameRun run;
        run.args = {"--headless"};
        run.args.insert(run.args.end(), args.begin(), args.end());
        run.emptyEnv = true;
        run.env = {
            {"XDG_DATA_HOME", xdg.string()}, {"HOME", (xdg / "home").string()}, {"PATH", "/usr/bin:/bin"}};
        run.workDir = root;
        run.output = root / "stderr.txt";
        if (asRoot) run.user = kNobody;
        const int status = testsupport::RunGame(game, run);
        ReadWholeFile(run.output.string(), err);  // UTF-8 as the game prints it
        return status;
    }

    const bool asRoot = ::geteuid() == 0;
    bool readOnly = false;
    testsupport::TempFolder folder{"quor-install"};
    const fs::path root = folder.Path(), game = root / "game", xdg = root / "xdg";
};

TEST_F(ReadOnlyInstall, StartsPlaysAndQuitsWritingOnlyToTheDataHome) {
    // Past loading and the title, then the menu's quit button.
    std::string err;
    ASSERT_EQ(
        Run({"--frames", "1200", "--mouse", "1:400,300", "--key", "300:Z", "--click", "460:560,438"}, err), 0)
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
    if (asRoot) {
        ASSERT_EQ(::chown(mine.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(lock.c_str(), kNobody, kNobody), 0);
    }
    std::string err;
    EXPECT_EQ(Run({"--frames", "30"}, err), 0);
    EXPECT_NE(err.find("already running"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(mine / "log"));  // it stopped before the game started
}

}  // namespace
