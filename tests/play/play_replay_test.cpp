// Stages played by the stage player in a process of its own, headless with held keys, from the
// built game folder; the outcome is its JSON line.
#include "tests/common/temp_folder.h"
#include "tests/play/play_scene_env.h"
#include "tests/play/play_stage_player.h"

using namespace playtest;

namespace {

class ReplayTest : public SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        if (HasFatalFailure()) return;
        if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
        testsupport::CopyBuiltGame(copy.Path());
    }
    // Runs the player on the stage; its JSON line.
    std::string Run(CStage& s, std::vector<std::string> args) {
        const std::string file = (copy.Path() / "stage" / "replay.stg").string();
        std::filesystem::create_directories(copy.Path() / "stage");
        EXPECT_TRUE(s.SaveToFile(file));
        return PlayStageFile(copy.Path(), file, args);
    }
    testsupport::TempFolder copy{"quor-replay"};
};

}  // namespace

TEST_F(ReplayTest, TestPlayWalkedIntoAPitEndsInFailure) {
    auto s = MakeStage();
    for (int c = 10; c < 160; ++c) s->GetArea(0)->SetChip(c, kFloor, 0);
    const std::string json = Run(*s, {"--mode", "3", "--hold", "0-200:Right", "--frames", "900"});
    EXPECT_EQ(Field(json, "result"), 1) << json;
    EXPECT_EQ(Field(json, "misses"), 1) << json;
    EXPECT_GT(Field(json, "heroY"), (15 + 1) * 32) << "below the map: " << json;
}

TEST_F(ReplayTest, PausedAndAbortedPlayReportsWhereTheHeroStood) {
    auto s = MakeStage();
    const std::string json = Run(*s, {"--mode", "0", "--lives", "2", "--key", "10:Z", "--hold", "60-90:Right",
                                      "--key", "120:Space", "--key", "130:F1", "--frames", "400"});
    EXPECT_EQ(Field(json, "result"), 2) << json;
    EXPECT_EQ(Field(json, "state"), 1) << json;
    EXPECT_EQ(Field(json, "frames"), 130) << json;
    EXPECT_EQ(Field(json, "lives"), 2) << json;
    EXPECT_EQ(Field(json, "misses"), 0) << json;
    EXPECT_GT(Field(json, "heroX"), kStartX * 32 + 40) << "the hero walked after the skipped intro: " << json;
}
