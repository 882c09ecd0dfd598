// The game executable's exit status, run the way a player or a script runs it: on a copy of the
// game folder, in a process of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class GameExit : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path game = QUOR_GAME_DIR;
        if (!fs::exists(game / "quorvald") || !fs::exists(game / "data" / "bmp_index.dat"))
            GTEST_SKIP() << "no built game folder at " << game;
        std::string pattern = (fs::temp_directory_path() / "quor_app_XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        for (const auto& entry : fs::directory_iterator(game)) {
            const std::string name = entry.path().filename().string();
            if (name == "log" || name == "screenshots" || name.find("ElMutex") != std::string::npos) continue;
            fs::copy(entry.path(), dir / name, fs::copy_options::recursive);
        }
    }

    void TearDown() override {
        if (!dir.empty()) fs::remove_all(dir);
    }

    // Runs the copied game with `args` and returns its exit status (-1: it did not exit).
    // Without a display the child sees none at all.
    int Run(const std::vector<std::string>& args, bool display = true) {
        const std::string exe = (dir / "quorvald").string();
        const std::string output = (dir / "output.txt").string();
        const pid_t pid = ::fork();
        if (pid == 0) {
            std::vector<char*> argv{const_cast<char*>(exe.c_str())};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::unsetenv("QUOR_HEADLESS");
            if (!display) {
                ::unsetenv("DISPLAY");
                ::unsetenv("WAYLAND_DISPLAY");
                ::setenv("SDL_VIDEODRIVER", "x11", 1);
            }
            if (std::freopen(output.c_str(), "w", stdout) && std::freopen(output.c_str(), "a", stderr)) {
                ::execv(exe.c_str(), argv.data());
            }
            ::_exit(127);
        }
        int status = 0;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }

    std::string Log() const {
        std::string text;
        if (!fs::exists(dir / "log")) return text;
        for (const auto& entry : fs::directory_iterator(dir / "log")) {
            std::ifstream in(entry.path(), std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return text;
    }

    fs::path dir;
};

TEST_F(GameExit, QuittingFromTheMenuExitsZero) {
    // Past the title with Z, then the menu's 終了 button. The frame bound only stops a run
    // that missed the button; the screenshots tell which of the two ended it.
    EXPECT_EQ(Run({"--headless", "--mouse", "1:400,300", "--key", "250:Z", "--click", "420:560,438",
                   "--frames", "3000", "--screenshot-every", "100", "--out", (dir / "shots").string()}),
              0)
        << Log();
    const auto shots = std::distance(fs::directory_iterator(dir / "shots"), fs::directory_iterator());
    EXPECT_LT(shots, 10) << "the run ended by its frame bound, not by the button";
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
}

TEST_F(GameExit, ABrokenTableEndsTheStartWithItsCodeAndStatusOne) {
    std::ofstream(dir / "data" / "attack_parameters.dat", std::ios::binary | std::ios::trunc) << "garbage";
    EXPECT_EQ(Run({"--headless", "--frames", "100"}), 1);
    EXPECT_NE(Log().find("Error Code:[IFE0401]"), std::string::npos) << Log();
}

TEST_F(GameExit, NoDisplayWithoutAskingForHeadlessIsAFailure) {
    // The game still plays its short headless run, but a window was wanted and none came.
    EXPECT_EQ(Run({"--frames", "5"}, false), 1);
    EXPECT_EQ(Run({"--headless", "--frames", "5"}, false), 0);
}

}  // namespace
