// Every sample stage played through by its recorded route (tests/replays/<stage>.txt), in a
// process of the stage player of its own, in shared play from a copy of the built game folder:
// the route must reach the goal, and the clear must leave its record in the play history.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/ClientInfo.h"
#include "foundation/PlayHistory.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace {

// A number of the JSON line by its name; NaN when it is missing.
double Field(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\":");
    return at == std::string::npos ? std::nan("") : std::atof(json.c_str() + at + name.size() + 3);
}

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

    testsupport::GameRun run;
    run.executable = "quor-playstage";
    run.args = {"--replay", std::string(QUOR_REPLAY_DIR) + "/" + stage + ".txt"};
    run.workDir = game.Path();
    run.output = game.Path() / "out.txt";
    run.env = {{"SDL_AUDIODRIVER", "dummy"}};
    const int status = testsupport::RunGame(game.Path(), run);
    std::ifstream in(run.output);
    std::string line, json, all;
    while (std::getline(in, line)) {
        all += line + "\n";
        if (!line.empty() && line[0] == '{') json = line;
    }
    ASSERT_EQ(status, 0) << stage << ":\n" << all;
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
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

}  // namespace
