// Every scenario stage is finished by its recorded route (tests/replays/scenario/<stage>.txt):
// replayed headless from a copy of the built game folder, the play ends cleared, through the goal or
// the boss's defeat, without a miss. A change to play that breaks a route fails here and names the stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace {

std::vector<std::string> RecordedRoutes() {
    std::vector<std::string> stages;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(std::string(QUOR_REPLAY_DIR) + "/scenario", ec))
        if (e.path().extension() == ".txt") stages.push_back(e.path().stem().string());
    std::sort(stages.begin(), stages.end());
    return stages;
}

// The routes this run replays: every one, or with QUOR_ROUTES=K/N every N-th from the K-th (0 to
// N-1). The sanitizer run replays such a share, another for each seed; every route is still
// replayed unsanitized by each compiler's build of the stage player.
std::vector<std::string> RoutesToReplay() {
    std::vector<std::string> all = RecordedRoutes();
    const char* share = std::getenv("QUOR_ROUTES");
    int k = 0, n = 0;
    if (share == nullptr || std::sscanf(share, "%d/%d", &k, &n) != 2 || n < 1 || k < 0 || k >= n) return all;
    std::vector<std::string> some;
    for (size_t i = static_cast<size_t>(k); i < all.size(); i += static_cast<size_t>(n))
        some.push_back(all[i]);
    return some;
}

class ScenarioReplayTest : public ::testing::TestWithParam<std::string> {
  protected:
    testsupport::TempFolder game{"quor-scenario-replay"};
};

TEST_P(ScenarioReplayTest, RecordedRouteFinishesTheStage) {
    const std::string stage = GetParam();
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
    testsupport::CopyBuiltGame(game.Path());
    const testsupport::StagePlayerRun run = testsupport::RunStagePlayer(
        game.Path(), {}, {"--replay", std::string(QUOR_REPLAY_DIR) + "/scenario/" + stage + ".txt"});
    ASSERT_EQ(run.status, 0) << stage << ":\n" << run.output;
    EXPECT_EQ(testsupport::JsonNumber(run.json, "result"), 0)
        << "the route of " << stage << " did not finish it: " << run.json;
    EXPECT_EQ(testsupport::JsonNumber(run.json, "misses"), 0) << stage << ": " << run.json;
}

INSTANTIATE_TEST_SUITE_P(Scenario, ScenarioReplayTest, ::testing::ValuesIn(RoutesToReplay()),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ScenarioReplayTest);

// The scenario plays every stage of stage\scenario\: each of them, boss fights included, has its
// route, so a stage nobody can finish cannot slip in.
TEST(ScenarioRoutes, EveryScenarioStageHasARecordedRoute) {
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
    const std::vector<std::string> routes = RecordedRoutes();
    std::vector<std::string> stages;
    for (const auto& e :
         std::filesystem::directory_iterator(testsupport::BuiltGameFolder() / "stage" / "scenario"))
        if (e.path().extension() == ".stg") stages.push_back(e.path().stem().string());
    std::sort(stages.begin(), stages.end());
    EXPECT_EQ(stages.size(), 48u);
    EXPECT_EQ(routes, stages);
}

}  // namespace
