// The loading scene's object step, with recording creators and with every live class of play.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bosses/LastBossKinds.h"
#include "enemies/EnemyKinds.h"
#include "gimmicks/BlockAndHazardKinds.h"
#include "gimmicks/PassageKinds.h"
#include "gimmicks/SwitchAndLiftKinds.h"
#include "play/ObjectPreloader.h"
#include "play/ObjectRegistry.h"
#include "stage/LiveObjectFactory.h"
#include "tests/bosses/last_boss_env.h"
#include "tests/common/temp_folder.h"

namespace {

using lastbosstest::BossWorld;

using ObjectStep = BossWorld;

TEST_F(ObjectStep, BuildsEachListedVariantOnceInOrderWithNoOwnerThenClearsThemAway) {
    struct Call {
        std::string name;
        CStage* owner;
        LiveObjectArgs args;
    };
    std::vector<Call> calls;
    const auto& kinds = CObjectPreloader::GetObjectKinds();
    for (const auto& k : kinds) {
        const std::string name = k.className;
        RegisterLiveObjectCreator(name,
                                  [&calls, name](CStage* owner, double, double, const LiveObjectArgs& args) {
                                      calls.push_back({name, owner, args});
                                      return new playtest::Thing(owner, 0, 0, 8, 8, kCategoryDefault);
                                  });
    }
    const int live = IBase::GetLiveCount();
    CObjectPreloader({}, false).CreateAllObjectKinds();

    ASSERT_EQ(calls.size(), 103u);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].name, kinds[i].className);
        EXPECT_EQ(calls[i].owner, nullptr);
    }
    // Variants are told apart by their arguments: the three walking bombs by their length.
    EXPECT_EQ(calls[23].name, "CCaterpillar001");
    EXPECT_EQ(LiveArg(calls[25].args, 1, 0), 7);
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

    RegisterSwitchAndLiftKinds();
    RegisterPassageAndPickupKinds();
    RegisterEnemyKinds();
    RegisterBlockAndHazardKinds();
    RegisterLastBossKinds();
    int registered = 0;
    for (const auto& k : CObjectPreloader::GetObjectKinds()) registered += HasLiveObjectCreator(k.className);
    EXPECT_GT(registered, 40);

    const int live = IBase::GetLiveCount();
    CObjectPreloader loading({}, false);
    loading.Step();
    loading.Step();  // the object step
    EXPECT_TRUE(loading.IsDone());
    EXPECT_EQ(CObjectRegistry::GetInstance()->GetObjectCount(), 0);
    EXPECT_EQ(IBase::GetLiveCount(), live);
}

}  // namespace
