// The real game binary on a game folder it cannot write to, as an installed game is: it starts,
// plays to the top menu, quits by its button and writes everything to the player's data folder.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "platform/instance_lock.h"

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
        const fs::path shipped = QUOR_GAME_DIR;
        if (!fs::exists(shipped / "quorvald") || !fs::exists(shipped / "data" / "bmp_index.dat"))
            GTEST_SKIP() << "no built game folder at " << shipped;
        std::string pattern = (fs::temp_directory_path() / "quor-install-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        game = root / "game";
        xdg = root / "xdg";
        fs::create_directories(game);
        fs::create_directories(xdg);
        for (const auto& entry : fs::directory_iterator(shipped)) {
            const std::string name = entry.path().filename().string();
            if (name == "log" || name == "screenshots" || name.find("ElMutex") != std::string::npos) continue;
            fs::copy(entry.path(), game / name, fs::copy_options::recursive);
        }
        asRoot = ::geteuid() == 0;
        if (asRoot) {
            ASSERT_EQ(::chown(xdg.c_str(), kNobody, kNobody), 0);
        } else {
            SetWritable(false);
        }
    }

    void TearDown() override {
        if (root.empty()) return;
        if (!asRoot) SetWritable(true);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Write permission on every folder of the game copy.
    void SetWritable(bool writable) {
        const auto opts = writable ? fs::perm_options::add : fs::perm_options::remove;
        const fs::perms w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        fs::permissions(game, w, opts);
        for (const auto& e : fs::recursive_directory_iterator(game))
            if (e.is_directory()) fs::permissions(e.path(), w, opts);
    }

    // Runs the game headless with the arguments; its exit status, or -1. stderr goes to `err`.
    int RunGame(const std::vector<std::string>& args, std::string& err) {
        const fs::path errPath = root / "stderr.txt";
        const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (errFd < 0) return -1;
        const std::string binary = (game / "quorvald").string();
        std::vector<std::string> argv = {binary, "--headless"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> cargv;
        for (std::string& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        const std::string xdgEnv = "XDG_DATA_HOME=" + xdg.string();
        const std::string homeEnv = "HOME=" + (xdg / "home").string();
        std::vector<char*> envp = {const_cast<char*>(xdgEnv.c_str()), const_cast<char*>(homeEnv.c_str()),
                                   const_cast<char*>("PATH=/usr/bin:/bin"), nullptr};
        const bool dropRights = asRoot;
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(errFd, 2);
            ::dup2(errFd, 1);
            if (::chdir(root.c_str()) != 0) ::_exit(125);
            if (dropRights &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                ::_exit(126);
            ::execve(binary.c_str(), cargv.data(), envp.data());
            ::_exit(127);
        }
        ::close(errFd);
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
        ReadWholeFile(errPath.string(), err);  // UTF-8 as the game prints it
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool asRoot = false;
    fs::path root, game, xdg;
};

TEST_F(ReadOnlyInstall, StartsPlaysAndQuitsWritingOnlyToTheDataHome) {
    // Past loading and the title, then the menu's quit button.
    std::string err;
    ASSERT_EQ(
        RunGame({"--frames", "1200", "--mouse", "1:400,300", "--key", "300:Z", "--click", "460:560,438"},
                err),
        0)
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
    EXPECT_EQ(RunGame({"--frames", "30"}, err), 0);
    EXPECT_NE(err.find("already running"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(mine / "log"));  // it stopped before the game started
}

}  // namespace
