// Stages played by the stage player in a process of its own, headless with held or recorded
// keys, from a copy of the built game folder; the outcome is its JSON line. Every sample stage is
// played through by its recorded route (tests/replays/<stage>.txt).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "foundation/ClientInfo.h"
#include "foundation/PlayHistory.h"
#include "tests/common/game_process.h"
#include "tests/play/play_scene_env.h"

using namespace playtest;

namespace {

double Field(const std::string& json, const std::string& name) { return testsupport::JsonNumber(json, name); }

// The stage player in the game folder with `args` (a stage file among them, or a recording).
testsupport::StagePlayerRun RunPlayer(const std::filesystem::path& folder,
                                      const std::vector<std::string>& args) {
    return testsupport::RunStagePlayer(folder, {}, args);
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
    std::string Run(CStage& s, const std::vector<std::string>& args) {
        const std::string file = StageFile();
        std::filesystem::create_directories(copy.Path() / "stage");
        EXPECT_TRUE(s.SaveToFile(file));
        const testsupport::StagePlayerRun run = testsupport::RunStagePlayer(copy.Path(), file, args);
        EXPECT_EQ(run.status, 0) << run.output;
        return run.json;
    }
    std::string StageFile() const { return (copy.Path() / "stage" / "replay.stg").string(); }
    testsupport::TempFolder copy{"quor-replay"};
};

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

TEST_F(ReplayTest, ScreenshotsAreNumberedLikeTheKeysFromTheFirstFrameOfPlay) {
    auto s = MakeStage();
    const std::filesystem::path shots = copy.Path() / "shots";
    const std::string json =
        Run(*s, {"--mode", "3", "--frames", "20", "--screenshot-every", "10", "--out", shots.string()});
    EXPECT_EQ(Field(json, "frames"), 20) << json;
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(shots))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"frame_00000.png", "frame_00010.png", "frame_00020.png"}));
}

TEST_F(ReplayTest, AStageFileWhoseNameHoldsABackslashPlays) {
    // "\\" is an ordinary character in a Linux file name, not a folder separator.
    auto s = MakeStage();
    const std::filesystem::path file = copy.Path() / "stage" / "my\\replay.stg";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(s->SaveToFile(file.string()));
    EXPECT_FALSE(std::filesystem::exists(copy.Path() / "stage" / "my"));
    const testsupport::StagePlayerRun run =
        RunPlayer(copy.Path(), {file.string(), "--mode", "3", "--frames", "20"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(Field(run.json, "frames"), 20) << run.output;
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

    const testsupport::StagePlayerRun replayed =
        RunPlayer(copy.Path(), {"--replay", record, "--frames", "200"});
    EXPECT_EQ(replayed.status, 0) << replayed.output;
    EXPECT_EQ(replayed.json, played);
    EXPECT_GT(Field(played, "heroX"), kStartX * 32 + 40) << played;
}

TEST_F(ReplayTest, BrokenRecordingIsRefusedWithItsLine) {
    auto s = MakeStage();
    ASSERT_TRUE(s->SaveToFile(StageFile()));
    const std::string record = (copy.Path() / "keys.txt").string();
    std::ofstream(record) << "stage " << StageFile() << "\nmode 3\n0 Right down\n5 Right down\n";
    const testsupport::StagePlayerRun run = RunPlayer(copy.Path(), {"--replay", record});
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_TRUE(run.json.empty()) << run.json;
    EXPECT_NE(run.output.find("line 4: Right is already down"), std::string::npos) << run.output;
}

// A frame number past ten million is a mistake, not a play that never ends: a recording naming
// one and keys or limits asking for one are refused before anything is played.
TEST_F(ReplayTest, FrameNumbersPastTheCapAreRefused) {
    auto s = MakeStage();
    ASSERT_TRUE(s->SaveToFile(StageFile()));
    const std::string record = (copy.Path() / "keys.txt").string();
    std::ofstream(record) << "stage " << StageFile() << "\nmode 3\n0 Right down\n2147480048 Right up\n";
    testsupport::StagePlayerRun run = RunPlayer(copy.Path(), {"--replay", record});
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_TRUE(run.json.empty()) << run.json;
    EXPECT_NE(run.output.find("line 4: frame 2147480048"), std::string::npos) << run.output;
    std::ofstream(record) << "stage " << StageFile() << "\nmode 3\n10000000 Right down\n";
    run = RunPlayer(copy.Path(), {"--replay", record, "--frames", "3"});
    EXPECT_EQ(run.status, 0) << "the last frame allowed: " << run.output;

    for (const std::vector<std::string>& args : {std::vector<std::string>{"--key", "2147483647:Z"},
                                                 {"--hold", "0-10000001:Right"},
                                                 {"--frames", "10000001"},
                                                 {"--trace", "2147483647"}}) {
        std::vector<std::string> all = {StageFile()};
        all.insert(all.end(), args.begin(), args.end());
        run = RunPlayer(copy.Path(), all);
        EXPECT_EQ(run.status, 2) << args[1] << ": " << run.output;
        EXPECT_NE(run.output.find("bad argument " + args[0] + " " + args[1]), std::string::npos)
            << run.output;
    }
}

// A screenshot that cannot be written fails the run; a trace line is out before the next frame.
TEST_F(ReplayTest, UnwritableScreenshotsFailTheRun) {
    auto s = MakeStage();
    const std::filesystem::path blocked = copy.Path() / "not-a-folder";
    std::ofstream(blocked) << "a file where the pictures would go";
    ASSERT_TRUE(s->SaveToFile(StageFile()));
    const testsupport::StagePlayerRun run = RunPlayer(
        copy.Path(),
        {StageFile(), "--mode", "3", "--frames", "4", "--screenshot-every", "1", "--out", blocked.string()});
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("cannot write"), std::string::npos) << run.output;
    EXPECT_FALSE(run.json.empty()) << "the outcome is still told: " << run.output;
}

// Shared play from a copy of the built game folder, by a player who lets the game send: the clear
// asks for a rating and keeps the play's record.
class SampleReplayTest : public ::testing::TestWithParam<const char*> {
  protected:
    void TearDown() override {
        CClientInfo::DeleteInstance();
        CPlayHistory::DeleteInstance();
    }
    testsupport::TempGameFolder game{"quor-sample-replay"};
};

TEST_P(SampleReplayTest, RecordedRouteReachesTheGoalAndLeavesItsRecord) {
    const std::string stage = GetParam();
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
    testsupport::CopyBuiltGame(game.Path());
    // A player who lets the game send: shared play then asks for a rating and keeps the record.
    CClientInfo::DeleteInstance();
    CClientInfo::GetInstance()->SetSendingPermission(true);
    ASSERT_TRUE(CClientInfo::GetInstance()->GetSendingPermission());

    const testsupport::StagePlayerRun run =
        RunPlayer(game.Path(), {"--replay", std::string(QUOR_REPLAY_DIR) + "/" + stage + ".txt"});
    ASSERT_EQ(run.status, 0) << stage << ":\n" << run.output;
    const std::string& json = run.json;
    EXPECT_EQ(Field(json, "result"), 0) << "the route of " << stage << " did not reach the goal: " << json;
    EXPECT_EQ(Field(json, "misses"), 0) << stage << ": " << json;

    CPlayHistory::DeleteInstance();
    const auto& records = CPlayHistory::GetInstance()->GetRecords();
    const auto record = records.find(stage);
    ASSERT_NE(record, records.end()) << stage << " left no play record";
    EXPECT_EQ(record->second.playCount, 1) << stage;
    EXPECT_EQ(record->second.misses, 0.0) << stage;
    EXPECT_GT(record->second.playTicks, 0.0) << stage;
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleReplayTest,
                         ::testing::Values("sample01", "sample02", "sample03", "sample04", "sample05"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

}  // namespace
