// The game as `cmake --install` lays it out under a prefix, run from there the way a player runs
// an installed game: the prefix read-only, the player's state in a data home of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/png.h"
#include "tests/common/game_process.h"
#include "tests/common/read_only_place.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// How the game goes from its start through the title to the top menu and quits there, by the
// window's close box.
const std::vector<std::string> kTitleMenuQuit = {"--mouse", "1:400,300", "--key", "300:Z", "--close", "460"};
// The scenario stage whose recorded route the installed stage player plays.
constexpr char kScenarioStage[] = "stage001";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class InstalledPrefix : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef QUOR_INSTALL_BUILD_DIR
        GTEST_SKIP() << "this build tests another build's game and has nothing to install";
#else
        if (!testsupport::BuiltGameIsComplete())
            GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
        // Installed in one place and then moved: only its own place can lead the game to its
        // data. The game's component alone, so that the build's install_manifest.txt, the record
        // of the player's own install, stays as it was.
        const fs::path staged = place.Root() / "staged", cmake = QUOR_CMAKE_COMMAND;
        testsupport::GameRun run;
        run.executable = cmake.filename().string();
        run.args = {"--install", QUOR_INSTALL_BUILD_DIR, "--prefix", staged.string(), "--component", "game"};
        run.output = place.Root() / "install.txt";
        ASSERT_EQ(testsupport::RunGame(cmake.parent_path(), run), 0) << ReadFile(run.output);
        fs::rename(staged, prefix);
#endif
    }

    fs::path Bin() const { return prefix / QUOR_INSTALL_BINDIR; }
    fs::path Share() const { return prefix / QUOR_INSTALL_DATADIR; }
    fs::path Data() const { return Share() / "quorvald"; }

    testsupport::ReadOnlyPlace place{"quor-installed"};
    const fs::path prefix = place.Root() / "prefix";
};

TEST_F(InstalledPrefix, PutsEverythingWhereGamesGo) {
    for (const char* program : {"quorvald", "quor-playstage"})
        EXPECT_NE(fs::status(Bin() / program).permissions() & fs::perms::others_exec, fs::perms::none)
            << program;
    EXPECT_TRUE(fs::exists(Data() / "data" / "bmp_index.dat"));
    EXPECT_TRUE(fs::exists(Data() / "network" / "client_info_init.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Data() / "stage" / "scenario"), fs::directory_iterator()),
              48);
    // Neither the programs nor what a game run from the build folder writes there.
    EXPECT_FALSE(fs::exists(Data() / "quorvald"));
    EXPECT_FALSE(fs::exists(Data() / "quor-playstage"));
    EXPECT_FALSE(fs::exists(Data() / "log"));

    const std::string id = QUOR_APP_ID;
    const std::string desktop = ReadFile(Share() / "applications" / (id + ".desktop"));
    EXPECT_NE(desktop.find("\nExec=quorvald\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nIcon=" + id + "\n"), std::string::npos) << desktop;

    // The metadata names the version the game itself gives.
    std::string version;
    ASSERT_EQ(place.Run(Bin(), "quorvald", {"--version"}, version), 0) << version;
    ASSERT_EQ(version.rfind("Quorvald ", 0), 0u) << version;
    version = version.substr(9, version.find('\n') - 9);
    const std::string metainfo = ReadFile(Share() / "metainfo" / (id + ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<release version=\"" + version + "\""), std::string::npos) << metainfo;

    // The icon at the sizes desktops look for: see-through corners, the face in the middle.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        plat::Surface icon;
        ASSERT_TRUE(plat::ReadPng((Share() / "icons/hicolor" / dim / "apps" / (id + ".png")).string(), icon))
            << dim;
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(icon.Row(0)[0] >> 24, 0u) << dim;
        EXPECT_EQ(icon.Row(size / 2)[size / 2] >> 24, 0xFFu) << dim;
    }
}

TEST_F(InstalledPrefix, GoesFromTheTitleThroughTheMenuToQuitWritingOnlyToTheDataHome) {
    const std::string before = testsupport::ListTree(prefix);
    place.Lock(prefix);
    const fs::path shots = place.Root() / "shots";
    fs::create_directories(shots);
    place.GiveToRunner(shots);
    std::vector<std::string> args = {"--headless", "--frames", "3000",        "--screenshot-every",
                                     "100",        "--out",    shots.string()};
    args.insert(args.end(), kTitleMenuQuit.begin(), kTitleMenuQuit.end());
    std::string output;
    ASSERT_EQ(place.Run(Bin(), "quorvald", args, output), 0) << output;
    EXPECT_EQ(output.find("Error Code"), std::string::npos) << output;
    // The frame bound only stops a run that missed the quit: that one would leave 30 shots.
    EXPECT_LT(std::distance(fs::directory_iterator(shots), fs::directory_iterator()), 10)
        << "the run ended by its frame bound, not by quitting";

    EXPECT_EQ(testsupport::ListTree(prefix), before);
    EXPECT_TRUE(fs::is_empty(place.Home()));
    std::vector<std::string> inDataHome;
    for (const auto& e : fs::directory_iterator(place.DataHome())) inDataHome.push_back(e.path().filename());
    EXPECT_EQ(inDataHome, std::vector<std::string>{"quorvald"});
    std::string log;
    for (const auto& e : fs::directory_iterator(place.DataHome() / "quorvald" / "log"))
        log += ReadFile(e.path());
    EXPECT_NE(log.find("GameStart"), std::string::npos) << log;
    EXPECT_NE(log.find("GameEnd"), std::string::npos) << log;
    EXPECT_EQ(log.find("Error Code"), std::string::npos) << log;
}

TEST_F(InstalledPrefix, StagePlayerClearsAScenarioStageByItsRoute) {
    const std::string before = testsupport::ListTree(prefix);
    place.Lock(prefix);
    // The route where the player's user can read it.
    const fs::path route = place.Root() / "route.txt";
    fs::copy_file(std::string(QUOR_REPLAY_DIR) + "/scenario/" + kScenarioStage + ".txt", route);
    const fs::path stage = Data() / "stage" / "scenario" / (std::string(kScenarioStage) + ".stg");
    std::string output;
    ASSERT_EQ(place.Run(Bin(), "quor-playstage", {stage.string(), "--headless", "--replay", route.string()},
                        output),
              0)
        << output;
    const std::string json = testsupport::LastJsonLine(output);
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 0) << output;
    EXPECT_EQ(testsupport::JsonNumber(json, "misses"), 0) << output;
    EXPECT_EQ(testsupport::ListTree(prefix), before);
}

}  // namespace
