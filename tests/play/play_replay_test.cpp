// Stages played by the stage player in a process of its own, headless with held keys, from the
// built game folder; the outcome is its JSON line.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/common/game_process.h"
#include "tests/play/play_scene_env.h"

using namespace playtest;

namespace {

// A number of the JSON line by its name; NaN when it is missing.
double Field(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\":");
    return at == std::string::npos ? std::nan("") : std::atof(json.c_str() + at + name.size() + 3);
}

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
        const std::string file = StageFile();
        std::filesystem::create_directories(copy.Path() / "stage");
        EXPECT_TRUE(s.SaveToFile(file));
        args.insert(args.begin(), {file, "--headless"});
        std::string all;
        const std::string last = RunPlayer(args, all);
        EXPECT_EQ(status, 0) << all;
        return last;
    }
    // Runs the player with these arguments alone: its last JSON line, all it printed in `all`,
    // its exit status in `status`.
    std::string RunPlayer(const std::vector<std::string>& args, std::string& all) {
        testsupport::GameRun run;
        run.executable = "quor-playstage";
        run.args = args;
        run.workDir = copy.Path();
        run.output = copy.Path() / "out.txt";
        run.env = {{"SDL_AUDIODRIVER", "dummy"}};
        status = testsupport::RunGame(copy.Path(), run);
        std::ifstream in(run.output);
        std::string line, last;
        while (std::getline(in, line)) {
            all += line + "\n";
            if (!line.empty() && line[0] == '{') last = line;
        }
        return last;
    }
    std::string StageFile() const { return (copy.Path() / "stage" / "replay.stg").string(); }
    int status = -1;
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

TEST_F(ReplayTest, RecordedKeysReplayToTheSamePlay) {
    auto s = MakeStage();
    const std::string record = (copy.Path() / "keys.txt").string();
    const std::string played = Run(*s, {"--mode", "3", "--seed", "7", "--hold", "0-60:Right", "--key", "30:Z",
                                        "--hold", "80-120:Left", "--frames", "200", "--record", record});
    std::ifstream in(record);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "# quor-playstage recording: FRAME KEY down|up, frames from the first frame of play\n"
              "stage " +
                  StageFile() +
                  "\nmode 3\nlives 0\nseed 7\n"
                  "0 Right down\n30 Z down\n32 Z up\n61 Right up\n80 Left down\n121 Left up\n");

    std::string all;
    const std::string replayed = RunPlayer({"--replay", record, "--frames", "200"}, all);
    EXPECT_EQ(status, 0) << all;
    EXPECT_EQ(replayed, played);
    EXPECT_GT(Field(played, "heroX"), kStartX * 32 + 40) << played;
}

TEST_F(ReplayTest, BrokenRecordingIsRefusedWithItsLine) {
    auto s = MakeStage();
    ASSERT_TRUE(s->SaveToFile(StageFile()));
    const std::string record = (copy.Path() / "keys.txt").string();
    std::ofstream(record) << "stage " << StageFile() << "\nmode 3\n0 Right down\n5 Right down\n";
    std::string all;
    const std::string json = RunPlayer({"--replay", record}, all);
    EXPECT_EQ(status, 2) << all;
    EXPECT_TRUE(json.empty()) << json;
    EXPECT_NE(all.find("line 4: Right is already down"), std::string::npos) << all;
}
