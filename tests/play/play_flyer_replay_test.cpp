// The sample stages of fish and flyers played to the goal by the stage player, headless, from a
// copy of the built game folder, with a key script of held keys and taps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace {

// A key held over a span of frames.
std::vector<std::string> Hold(int from, int to, const std::string& key) {
    return {"--hold", std::to_string(from) + "-" + std::to_string(to) + ":" + key};
}

// Up tapped every fourth frame of a span: the hero walking by enters the goal (or a door) as soon
// as he stands in it, wherever the walk brought him.
std::vector<std::string> TapUp(int from, int to) {
    std::vector<std::string> args;
    for (int f = from; f <= to; f += 4) {
        args.push_back("--key");
        args.push_back(std::to_string(f) + ":Up");
    }
    return args;
}

class FlyerReplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
        testsupport::CopyBuiltGame(copy.Path());
    }
    // Plays a sample stage with a key script; the player's JSON line.
    std::string Play(const std::string& sample, const std::vector<std::vector<std::string>>& script,
                     int frames) {
        std::vector<std::string> args = {"--frames", std::to_string(frames)};
        for (const auto& part : script) args.insert(args.end(), part.begin(), part.end());
        const auto run = testsupport::RunStagePlayer(
            copy.Path(), copy.Path() / "stage" / "sample" / (sample + ".stg"), args);
        EXPECT_EQ(run.status, 0) << run.output;
        return run.json;
    }
    testsupport::TempFolder copy{"quor-flyers"};
};

// The fish swim at the hero through the air from the right: walking on without a stop, the one
// jump over the pit also clears the long fish lying in wait beyond it, and the rest pass above.
TEST_F(FlyerReplayTest, TheFishAreOutwalkedUnhurt) {
    const std::string json =
        Play("sample10", {Hold(1, 400, "Right"), Hold(63, 80, "Z"), TapUp(100, 400)}, 600);
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 0) << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "misses"), 0) << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "health"), 100) << json;
}

// The first room's door opens only when no enemy is left in it: the green bat that dives at the
// hero is struck down with a jumping swing. In the second room he walks under the other bat and
// between the spheres' beams to the goal.
TEST_F(FlyerReplayTest, TheRedBatIsBeatenToOpenTheCave) {
    const std::string json =
        Play("sample11",
             {Hold(180, 192, "Z"), {"--key", "184:X"}, Hold(250, 1000, "Right"), TapUp(250, 1000)}, 1200);
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 0) << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "area"), 1) << "cleared in the second room: " << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "misses"), 0) << json;
}

// The sky mobile and the magician attack on the way; walking straight on outruns both.
TEST_F(FlyerReplayTest, TheFieldUnderTheSkyMobileIsWalkedThrough) {
    const std::string json = Play("sample12", {Hold(0, 500, "Right"), TapUp(100, 500)}, 800);
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 0) << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "misses"), 0) << json;
}

}  // namespace
