// Uploads are checked with the game's own stage reader on many threads at once, while the game
// itself, running the server in-process, reads stages on its own thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "foundation/TextEncoding.h"
#include "server/StageValidator.h"
#include "stage/Stage.h"
#include "stage/StageSprite.h"
#include "tests/server/server_env.h"

namespace {

using namespace qvserver;

TEST(StageChecks, RunOnSeveralThreadsBesideTheGame) {
    testsupport::TempGameFolder game{"quor-checks"};
    const std::string stage = servertest::PrepareGame(game);
    const StageCheck alone = CheckStage(stage);
    ASSERT_TRUE(alone.stage.has_value());
    const std::string expected = PlaceStageId(*alone.stage, 7);
    const std::string broken = stage.substr(0, stage.size() / 2);
    ASSERT_EQ(CheckStage(broken).failure, "S001");

    constexpr int kThreads = 6, kChecks = 12;
    std::atomic<int> wrong{0};
    std::vector<std::thread> servers;
    for (int t = 0; t < kThreads; ++t) {
        servers.emplace_back([&, t] {
            for (int i = 0; i < kChecks; ++i) {
                const bool good = (t + i) % 3 != 0;
                const StageCheck c = CheckStage(good ? stage : broken);
                const bool right = good ? c.stage && c.stage->name == alone.stage->name &&
                                              PlaceStageId(*c.stage, 7) == expected
                                        : !c.stage && c.failure == "S001";
                if (!right) ++wrong;
            }
        });
    }
    // The game's own reads, each making and dropping its stage's object tables.
    const std::string text = Cp932ToUtf8(stage);
    int gameReads = 0;
    for (int i = 0; i < kChecks; ++i) {
        stagesprite::ScopedNoSprites noSprites;
        if (CStage::ReadXml(nullptr, text, 0)) ++gameReads;
    }
    for (std::thread& t : servers) t.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(gameReads, kChecks);
}

}  // namespace
