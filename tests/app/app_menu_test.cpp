// The real game driven like a player: from the title into the menu, into the settings, a volume
// and the key assignment changed, back, the window closed; the settings hold in the saved file,
// in play after the restart, and a lost settings file comes back from its backup.
#include <algorithm>
#include <sstream>

#include "foundation/EncodedFile.h"
#include "game_copy_test.h"

namespace fs = std::filesystem;

namespace {

class MenuRun : public apptest::GameCopyTest {
  protected:
    // The player's settings file, decoded.
    std::string Settings() const {
        return DecodeFileText(ReadFile(dir / "network" / "client_info.dat")).value_or("<none>");
    }
    // The highest point (smallest y) the hero reaches in a short play with `key` pushed once.
    double HighestHeroY(const std::string& key) {
        const auto run =
            testsupport::RunStagePlayer(dir, dir / "stage" / "sample" / "sample01.stg",
                                        {"--frames", "60", "--key", "10:" + key, "--trace", "2"});
        EXPECT_EQ(run.status, 0) << run.output;
        double top = 1e9;
        std::istringstream lines(run.output);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] == '{') top = std::min(top, testsupport::JsonNumber(line, "heroY"));
        return top;
    }
};

TEST_F(MenuRun, SettingsChangedInTheMenuAreSavedAndHoldInPlay) {
    // The title passes at 250 and the menu opens near 340. The config entry at 380 opens the
    // settings 50 frames later; the music bar's left arrow three times (80 to 77), the
    // "Z:攻撃,X:ジャンプ" box, O K, and the window's close box back at the menu.
    ASSERT_EQ(Run(Words("--headless --mouse 1:400,300 --key 250:Z --click 380:480,448 --click 460:136,148 "
                        "--click 470:136,148 --click 480:136,148 --click 500:138,282 --click 520:240,444 "
                        "--close 620 --frames 900 --screenshot-every 100 --out " +
                        (dir / "shots").string())),
              0)
        << Log();
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
    const std::string settings = Settings();
    EXPECT_NE(settings.find("<musicVolume>77</musicVolume>"), std::string::npos) << settings;
    EXPECT_NE(settings.find("<keyConfigMode>1</keyConfigMode>"), std::string::npos) << settings;
    // The run ended at the close, back at the menu, and kept the day's backup.
    EXPECT_LT(std::distance(fs::directory_iterator(dir / "shots"), fs::directory_iterator()), 9);
    bool backup = false;
    for (const auto& entry : fs::directory_iterator(dir / "network"))
        backup |= entry.path().filename().string().rfind("client_info_bk", 0) == 0;
    EXPECT_TRUE(backup);

    // In play, after the restart, X jumps and Z does not.
    const double standing = HighestHeroY("Z");
    EXPECT_LT(HighestHeroY("X"), standing - 30);
}

TEST_F(MenuRun, ALostSettingsFileComesBackFromItsBackupWithAMessage) {
    // A first run leaves a backup holding a changed volume; then the player's file is lost.
    ASSERT_EQ(Run(Words("--headless --mouse 1:400,300 --key 250:Z --click 380:480,448 --click 460:136,148 "
                        "--click 520:240,444 --close 620 --frames 900")),
              0);
    fs::remove(dir / "network" / "client_info.dat");
    fs::remove_all(dir / "log");
    ASSERT_EQ(
        Run(Words("--headless --mouse 1:400,300 --key 250:Z --frames 400 --screenshot-every 400 --out " +
                  (dir / "shots").string())),
        0);
    EXPECT_NE(Log().find("Error Code:[DEF0204]"), std::string::npos) << Log();
    EXPECT_NE(Settings().find("<musicVolume>79</musicVolume>"), std::string::npos) << Settings();
    EXPECT_TRUE(fs::exists(dir / "shots" / "frame_00400.png"));
}

}  // namespace
