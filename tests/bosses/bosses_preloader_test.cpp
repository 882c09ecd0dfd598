// The loading scene's object step, with recording creators and with every live class of play.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bosses/BossKinds.h"
#include "enemies/EnemyKinds.h"
#include "gimmicks/GimmickKinds.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectPreloader.h"
#include "play/ObjectRegistry.h"
#include "tests/bosses/last_boss_env.h"
#include "tests/common/temp_folder.h"

namespace {

using lastbosstest::LastBossWorld;

using ObjectStep = LastBossWorld;

TEST_F(ObjectStep, BuildsEachPreloadSetOnceInRegistrationOrderWithNoOwnerThenClearsThemAway) {
    struct Call {
        std::string name;
        CStage* owner;
        LiveObjectArgs args;
    };
    std::vector<Call> calls;
    const auto recording = [&calls](const std::string& name) {
        return [&calls, name](CStage* owner, double, double, const LiveObjectArgs& args) {
            calls.push_back({name, owner, args});
            return std::unique_ptr<IBase>(
                std::make_unique<playtest::Thing>(owner, 0, 0, 8, 8, kCategoryDefault));
        };
    };
    RegisterLiveObjectCreator("CLong", recording("CLong"), {{false, 3}, {false, 7}});
    RegisterLiveObjectCreator("CShot", recording("CShot"));  // made only in play
    RegisterLiveObjectCreator("CPlain", recording("CPlain"), kPreloadOnce);
    // Registering again keeps the class's place.
    RegisterLiveObjectCreator("CLong", recording("CLong"), {{false, 3}, {false, 5}, {false, 7}});
    const int live = IBase::GetLiveCount();

    EXPECT_EQ(CObjectPreloader({}, false).CreateAllObjectKinds(), 4);

    ASSERT_EQ(calls.size(), 4u);
    const char* const order[] = {"CLong", "CLong", "CLong", "CPlain"};
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].name, order[i]) << i;
        EXPECT_EQ(calls[i].owner, nullptr) << i;
    }
    EXPECT_EQ(LiveArg(calls[1].args, 1, 0), 5);
    EXPECT_TRUE(calls[3].args.empty());
    EXPECT_EQ(CObjectRegistry::GetInstance()->GetObjectCount(), 0);
    EXPECT_EQ(IBase::GetLiveCount(), live);
}

TEST_F(ObjectStep, RunsEveryRegisteredClassOfPlayAndKeepsNone) {
    // Every image key of the built game, each on the plain test sheet.
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
    std::filesystem::copy_file(testsupport::BuiltGameFolder() / "data/bmp_index.dat",
                               dir / "data/game_index.dat");
    std::string gameIndex, index;
    ASSERT_EQ(ReadEncodedFile("data\\game_index.dat", gameIndex), ReadStatus::Ok);
    std::istringstream lines(gameIndex);
    for (std::string line; std::getline(lines, line);) {
        const std::string key = line.substr(0, line.find(','));
        if (!key.empty()) index += key + ",img\\sheet.bmp,32,32\n";
    }
    ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
    CSpriteManager::DeleteInstance();
    ASSERT_NE(CSpriteManager::GetInstance(), nullptr);

    RegisterGimmickKinds();
    RegisterEnemyKinds();
    RegisterBossKinds();
    // 37 enemy variants, 14 hazards, 11 items, 10 doors, 9 lifts, 4 blocks, 6 switches and 12
    // events; no boss and no shot.
    const std::vector<LiveObjectPreload> preloads = GetLiveObjectPreloads();
    ASSERT_EQ(preloads.size(), 103u);
    int caterpillars = 0, bosses = 0;
    for (const LiveObjectPreload& p : preloads) {
        caterpillars += p.className == "CCaterpillar001";
        bosses += p.className.find("BarMan") != std::string::npos || p.className == "CLastBoss_Controller";
    }
    EXPECT_EQ(caterpillars, 3);
    EXPECT_EQ(bosses, 0);

    const int live = IBase::GetLiveCount();
    CObjectPreloader direct({}, false);
    EXPECT_EQ(direct.CreateAllObjectKinds(), 103);  // every registered kind and variant is built
    CObjectPreloader loading({}, false);
    loading.Step();
    loading.Step();  // the object step
    EXPECT_TRUE(loading.IsDone());
    EXPECT_EQ(CObjectRegistry::GetInstance()->GetObjectCount(), 0);
    EXPECT_EQ(IBase::GetLiveCount(), live);
}

}  // namespace
