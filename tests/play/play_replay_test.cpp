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
        const std::string file = (copy.Path() / "stage" / "replay.stg").string();
        std::filesystem::create_directories(copy.Path() / "stage");
        EXPECT_TRUE(s.SaveToFile(file));
        testsupport::GameRun run;
        run.executable = "quor-playstage";
        run.args = {file, "--headless"};
        run.args.insert(run.args.end(), args.begin(), args.end());
        run.workDir = copy.Path();
        run.output = copy.Path() / "out.txt";
        run.env = {{"SDL_AUDIODRIVER", "dummy"}};
        const int status = testsupport::RunGame(copy.Path(), run);
        std::ifstream in(run.output);
        std::string line, last, all;
        while (std::getline(in, line)) {
            all += line + "\n";
            if (!line.empty() && line[0] == '{') last = line;
        }
        EXPECT_EQ(status, 0) << all;
        return last;
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
