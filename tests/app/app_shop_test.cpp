// The real game driven like a player: from the title into the menu, F5 into the shop, a tune
// bought with はい, the thanks closed, the shop left by its close button and the window closed at
// the menu. The player's file holds the points less the price and the tune together.

#include "foundation/EncodedFile.h"
#include "game_copy_test.h"

namespace fs = std::filesystem;

namespace {

class ShopRun : public apptest::GameCopyTest {
  protected:
    // A registered creator at level 8 with 140 points who owns the spring weather.
    void WriteCreator() {
        const std::string xml =
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<clientInfo><network><createrId>12</createrId>"
            "<createrName>てすと</createrName><commonKey>k</commonKey><ratingPointSum>240</ratingPointSum>"
            "<createrPoint>140</createrPoint><accessFailCount>0</accessFailCount></network><config>"
            "<sendingPermission>false</sendingPermission><keyConfigMode>0</keyConfigMode>"
            "<musicVolume>80</musicVolume><soundEffectVolume>80</soundEffectVolume></config>"
            "<lastBootUpDate>20990101</lastBootUpDate><boughtItems>Spring</boughtItems></clientInfo>";
        copy.WriteRaw("network/client_info.dat", EncodeFileText(xml));
    }
    std::string ClientInfo() const {
        return DecodeFileText(ReadFile(dir / "network" / "client_info.dat")).value_or("<none>");
    }
};

TEST_F(ShopRun, ATuneBoughtInTheShopIsPaidAndKept) {
    WriteCreator();
    // The menu opens near frame 340; F5 at 360 opens the shop 50 frames later, and its entrance
    // is over by 460. The first item (オープニングカーニバル, 10 points) at 480, はい at 500, the
    // thanks window's O K at 520, the close button at 540; back at the menu the window closes.
    const fs::path shots = dir / "shots";
    ASSERT_EQ(Run(Words("--headless --mouse 1:400,300 --key 250:Z --key 360:F5 --click 480:45,185 "
                        "--click 500:250,364 --click 520:320,284 --click 540:612,24 --close 700 --frames 800 "
                        "--screenshot-every 10 --out " +
                        shots.string())),
              0)
        << Log();
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
    const std::string info = ClientInfo();
    EXPECT_NE(info.find("<createrPoint>130</createrPoint>"), std::string::npos) << info;
    EXPECT_NE(info.find("<boughtItems>Spring,Opening</boughtItems>"), std::string::npos) << info;
    // The shop, the purchase window and the thanks were on the screen, and the run ended at the
    // menu's close.
    for (const char* frame : {"frame_00470.png", "frame_00490.png", "frame_00510.png", "frame_00530.png"})
        EXPECT_TRUE(fs::exists(shots / frame)) << frame;
    EXPECT_FALSE(fs::exists(shots / "frame_00710.png"));
}

}  // namespace
