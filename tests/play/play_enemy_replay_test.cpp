// The ground-enemy sample stages played to their goals by the stage player, in a process of its
// own, from a copy of the built game folder. On each stage an enemy stands on the only walk: the
// hero clears the stage only by punching it away, and walking on without punching stays short of
// the goal, so a cleared run shows the enemy was beaten while every penned enemy ran beside it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace {

struct EnemyStage {
    const char* name;
    int punchEvery;  // frames between two taps of the attack key on the way to the goal
    int minHealth;   // what the hero may still have at the goal (a gunner gets one shot in)
};

void PrintTo(const EnemyStage& stage, std::ostream* os) { *os << stage.name; }

// Right held the whole run, the attack key tapped every `every` frames up to the last pen, and
// up pushed once the hero stands against the wall behind the goal.
std::vector<std::string> Script(int every) {
    std::vector<std::string> args = {"--seed", "1", "--frames", "1500"};
    args.insert(args.end(), {"--hold", "0-1500:Right", "--key", "1300:Up"});
    for (int f = 10; every > 0 && f <= 700; f += every) {
        args.push_back("--key");
        args.push_back(std::to_string(f) + ":X");
    }
    return args;
}

class EnemyReplay : public testing::TestWithParam<EnemyStage> {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
        testsupport::CopyBuiltGame(copy.Path());
    }
    // Plays the sample stage with the script; the player's JSON line.
    std::string Play(const std::vector<std::string>& script) {
        const testsupport::StagePlayerRun run = testsupport::RunStagePlayer(
            copy.Path(), "stage/sample/" + std::string(GetParam().name) + ".stg", script);
        EXPECT_EQ(run.status, 0) << run.output;
        return run.json;
    }
    testsupport::TempFolder copy{"quor-enemy-replay"};
};

TEST_P(EnemyReplay, PunchingTheWalkerClearsTheStageWithoutAMiss) {
    const std::string json = Play(Script(GetParam().punchEvery));
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 0) << json;
    EXPECT_EQ(testsupport::JsonNumber(json, "misses"), 0) << json;
    EXPECT_GE(testsupport::JsonNumber(json, "health"), GetParam().minHealth) << json;
    EXPECT_GT(testsupport::JsonNumber(json, "heroX"), 60 * 32) << "cleared at the goal tile: " << json;
}

TEST_P(EnemyReplay, WalkingOnWithoutPunchingStaysShortOfTheGoal) {
    const std::string json = Play(Script(0));
    EXPECT_EQ(testsupport::JsonNumber(json, "result"), 4) << json;
    EXPECT_LT(testsupport::JsonNumber(json, "heroX"), 60 * 32) << json;
}

// 06: the kids on the walk, the small enemies in the pens. 07: a gunner on the walk, gunners,
// choppers, flowers and the thrower in the pens. 08: a charger on the walk, the chargers, the
// professor, the caterpillar, the ice sculpture, the driller and the baton fighter in the pens.
INSTANTIATE_TEST_SUITE_P(GroundEnemies, EnemyReplay,
                         testing::Values(EnemyStage{"sample06", 50, 100}, EnemyStage{"sample07", 50, 80},
                                         EnemyStage{"sample08", 60, 100}),
                         [](const testing::TestParamInfo<EnemyStage>& p) {
                             return std::string(p.param.name);
                         });

}  // namespace
