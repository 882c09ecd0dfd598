// The real game started twice in a new game folder, the way a new player starts it: the first
// start keeps the settings in the player's own file, so the second opens on the menu without a
// word about a restored backup, and its first click does what it says.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "foundation/EncodedFile.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A time zone in which it is now three in the morning: before six the menu records no date, so
// nothing but the start itself writes the settings file.
std::string NightTimeZone() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int ahead = ((3 - utc.tm_hour) % 24 + 24) % 24;
    return "QV-" + std::to_string(ahead);  // POSIX: UTC + `ahead` hours
}

TEST(FirstStarts, TheSecondStartOpensWithoutARestoreMessageAndItsFirstClickCounts) {
    if (!testsupport::BuiltGameIsComplete())
        GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
    testsupport::TempFolder copy("quor-first-starts");
    const fs::path& dir = copy.Path();
    testsupport::CopyBuiltGame(dir);
    ASSERT_FALSE(fs::exists(dir / "network" / "client_info.dat"));

    // The first start only looks: the title, the menu, the close. The second start's first click
    // in the menu (380) opens the settings, the music bar's left arrow lowers the volume by one,
    // O K, then the close.
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        testsupport::GameRun run;
        run.args = {"--headless", "--mouse", "1:400,300", "--key", "250:Z",
                    "--close",    "620",     "--frames",  "900"};
        if (start == 2)
            run.args.insert(run.args.end(),
                            {"--click", "380:480,448", "--click", "460:136,148", "--click", "520:240,444"});
        run.output = dir / "output.txt";
        run.env = {{"QUOR_HEADLESS", std::nullopt}, {"TZ", NightTimeZone()}};
        ASSERT_EQ(testsupport::RunGame(dir, run), 0) << ReadFile(dir / "output.txt");
        // The first start keeps the settings in the player's own file, not only in the backup.
        EXPECT_TRUE(fs::exists(dir / "network" / "client_info.dat"));
    }
    std::string log;
    for (const auto& entry : fs::directory_iterator(dir / "log")) log += ReadFile(entry.path());
    EXPECT_EQ(log.find("Error Code"), std::string::npos) << log;
    // The settings opened at the first click: the volume went from 80 to 79.
    const std::string settings =
        DecodeFileText(ReadFile(dir / "network" / "client_info.dat")).value_or("<not encoded>");
    EXPECT_NE(settings.find("<musicVolume>79</musicVolume>"), std::string::npos) << settings;
}

}  // namespace
