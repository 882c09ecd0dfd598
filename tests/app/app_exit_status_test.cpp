// The game executable's exit status, run the way a player or a script runs it: on a copy of the
// game folder, in a process of its own.
#include "game_copy_test.h"

namespace fs = std::filesystem;

namespace {

using GameExit = apptest::GameCopyTest;

TEST_F(GameExit, ClosingTheWindowAtTheMenuExitsZero) {
    // Past the title with Z, then the window's close box. The frame bound only stops a run that
    // missed the close; the screenshots tell which of the two ended it.
    EXPECT_EQ(Run({"--headless", "--mouse", "1:400,300", "--key", "250:Z", "--close", "420", "--frames",
                   "3000", "--screenshot-every", "100", "--out", (dir / "shots").string()}),
              0)
        << Log();
    const auto shots = std::distance(fs::directory_iterator(dir / "shots"), fs::directory_iterator());
    EXPECT_LT(shots, 10) << "the run ended by its frame bound, not by the close";
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
    EXPECT_NE(Log().find("GameEnd"), std::string::npos) << Log();
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
    EXPECT_EQ(Log().find("DEF0101"), std::string::npos) << "told once: " << Log();
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

// --help and --version answer and stop; an unknown option is refused with the usage.
TEST(GameOptions, HelpAndVersionExitZeroAndAnUnknownOptionTwo) {
    if (!testsupport::BuiltGameIsComplete())
        GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
    testsupport::TempFolder out{"quor-options"};
    auto run = [&](const std::string& arg, std::string& printed) {
        testsupport::GameRun r;
        r.args = {arg};
        r.output = out.Full("output.txt");
        const int status = testsupport::RunGame(testsupport::BuiltGameFolder(), r);
        printed = out.ReadRaw("output.txt");
        return status;
    };
    std::string printed;
    EXPECT_EQ(run("--help", printed), 0);
    EXPECT_EQ(printed.rfind("usage: quorvald", 0), 0u) << printed;
    EXPECT_NE(printed.find("--version"), std::string::npos) << printed;
    EXPECT_NE(printed.find("$XDG_DATA_HOME/quorvald"), std::string::npos) << printed;
    EXPECT_EQ(run("--version", printed), 0);
    EXPECT_EQ(printed, "Quorvald 1.0.0.0\n");
    EXPECT_EQ(run("--fullscreen", printed), 2);
    EXPECT_EQ(printed.rfind("quorvald: unknown argument --fullscreen\nusage: quorvald", 0), 0u) << printed;
}

// The stage player answers --help with its usage, with or without a stage named, and plays
// nothing; a wrong option still gets status 2.
TEST(StagePlayerOptions, HelpPrintsTheUsageAndExitsZero) {
    if (!testsupport::BuiltGameIsComplete())
        GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
    testsupport::TempFolder out{"quor-playstage-options"};
    auto run = [&](const std::vector<std::string>& args, std::string& printed) {
        testsupport::GameRun r;
        r.executable = "quor-playstage";
        r.args = args;
        r.output = out.Full("output.txt");
        const int status = testsupport::RunGame(testsupport::BuiltGameFolder(), r);
        printed = out.ReadRaw("output.txt");
        return status;
    };
    std::string printed;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"stage/sample/sample01.stg", "--mode", "3", "--help"}}) {
        EXPECT_EQ(run(args, printed), 0) << args.front();
        EXPECT_EQ(printed.rfind("usage: quor-playstage STAGE.stg", 0), 0u) << printed;
        EXPECT_EQ(printed.find('{'), std::string::npos) << "nothing played: " << printed;
    }
    EXPECT_EQ(run({"--fullscreen"}, printed), 2);
    EXPECT_EQ(printed.rfind("quor-playstage: bad argument --fullscreen\nusage: quor-playstage", 0), 0u)
        << printed;
}

}  // namespace
