// The loading scene's object step, with recording creators and with every live class of play.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
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
    for (const Call& c : calls) EXPECT_EQ(c.owner, nullptr) << c.name;
    // The groups in their order: 37 enemies, 14 hazards, 11 items, 10 doors, 9 lifts, 4 blocks,
    // 6 switches and 12 events, variants side by side.
    const std::pair<size_t, const char*> at[] = {
        {0, "CKid001"},          {3, "CChop001"},           {4, "CChop001"},
        {23, "CCaterpillar001"}, {25, "CCaterpillar001"},   {36, "CMagician_Controller001"},
        {37, "CNormalBattery"},  {44, "CBurner"},           {50, "CDevilHouse"},
        {51, "CPokikki"},        {59, "CPowerUpBar"},       {61, "CStageFlag"},
        {62, "CDoorA"},          {71, "CNormalGoal"},       {72, "CRoundTripLift"},
        {80, "CCustomLift"},     {81, "CWoodBlock001"},     {85, "CPushSwitch"},
        {90, "CForceSwitch"},    {91, "CChangeMusicEvent"}, {102, "CChangeZoomRateEvent"}};
    for (const auto& [i, name] : at) EXPECT_EQ(calls[i].name, name) << i;
    // Variants are told apart by their arguments: the three walking bombs by their length.
    EXPECT_EQ(LiveArg(calls[23].args, 1, 0), 3);
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
