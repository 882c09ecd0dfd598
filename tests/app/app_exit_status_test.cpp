// The game executable's exit status, run the way a player or a script runs it: on a copy of the
// game folder, in a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class GameExit : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete())
            GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
        testsupport::CopyBuiltGame(dir);
    }

    // Runs the copied game with `args` and returns its exit status (-1: it did not exit).
    // Without a display the child sees none at all.
    int Run(const std::vector<std::string>& args, bool display = true) {
        testsupport::GameRun run;
        run.args = args;
        run.output = dir / "output.txt";
        run.env = {{"QUOR_HEADLESS", std::nullopt}};
        if (!display) {
            run.env.push_back({"DISPLAY", std::nullopt});
            run.env.push_back({"WAYLAND_DISPLAY", std::nullopt});
            run.env.push_back({"SDL_VIDEODRIVER", "x11"});
        }
        return testsupport::RunGame(dir, run);
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

    testsupport::TempFolder copy{"quor-app"};
    const fs::path& dir = copy.Path();
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
    EXPECT_NE(Log().find("Error Code:[IFE0400]"), std::string::npos) << Log();  // not a table text
}

// A damaged play history no longer stops every start: the first start tells its code once, keeps
// the file under a new name and plays on; the next start has nothing to tell.
TEST_F(GameExit, ADamagedHistoryIsSetAsideAndTheGamePlaysOn) {
    fs::create_directories(dir / "network");
    const std::string garbage = "\x01\x02garbage";
    std::ofstream(dir / "network" / "history.dat", std::ios::binary) << garbage << "1,2,3,4,5,6\n";
    EXPECT_EQ(Run({"--headless", "--frames", "60"}), 0) << Log();
    const std::string first = Log();
    EXPECT_NE(first.find("Error Code:[DEF0101]"), std::string::npos) << first;
    EXPECT_EQ(first.find("Error Code:[DEF0101]"), first.rfind("Error Code:[DEF0101]"))
        << "told once: " << first;
    std::vector<fs::path> kept;
    for (const auto& e : fs::directory_iterator(dir / "network"))
        if (e.path().filename().string().starts_with("history.dat.damaged-")) kept.push_back(e.path());
    ASSERT_EQ(kept.size(), 1u);
    std::ifstream in(kept[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), garbage + "1,2,3,4,5,6\n");

    fs::remove_all(dir / "log");
    EXPECT_EQ(Run({"--headless", "--frames", "60"}), 0);
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
}

// Screenshots that cannot be written make the run a failure, not a silent success.
TEST_F(GameExit, UnwritableScreenshotsEndWithStatusOne) {
    std::ofstream(dir / "blocked") << "a file, not a folder";
    EXPECT_EQ(
        Run({"--headless", "--frames", "10", "--screenshot-every", "5", "--out", (dir / "blocked").string()}),
        1);
}

TEST_F(GameExit, NoDisplayWithoutAskingForHeadlessIsAFailure) {
    // The game still plays its short headless run, but a window was wanted and none came.
    EXPECT_EQ(Run({"--frames", "5"}, false), 1);
    EXPECT_EQ(Run({"--headless", "--frames", "5"}, false), 0);
}

}  // namespace
