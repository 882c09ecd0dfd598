// Every stick-man boss fought to the end through its attack interface: made by its placed
// record's class name, it runs its own machine with the game's generator while a hero stands by
// and blows land at intervals, until it is beaten, flies off and the scene hears of the defeat.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bosses/BarManBase.h"
#include "bosses/StickManKinds.h"
#include "foundation/Random.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class BossFight : public StickManWorld, public ::testing::WithParamInterface<const char*> {
  protected:
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
};

TEST_P(BossFight, BlowsBringTheBossDownAndTheSceneHearsOfItOnce) {
    RegisterStickManBossKinds();
    PlaceBossHero(500, kFloorTop - 10);
    Fill(0, 0, 0, 9, 40);  // walls at both ends of the arena
    Fill(30, 0, 30, 9, 40);
    std::unique_ptr<IBase> made(CreateLiveObject(GetParam(), stage.get(), 300, kFloorTop - 38.5, {true, 1}));
    auto* boss = dynamic_cast<CBarManBase*>(made.get());
    ASSERT_NE(boss, nullptr);
    ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
    const ObjectHandle handle = boss->GetHandle();
    SeedRandom(11);

    int frames = 0;
    while (handle.Get() && frames < 20000) {
        Frames(1);
        ++frames;
        if (handle.Get()) boss->Draw();  // the figure, its trail and any overlay, every frame
        if (frames % 20 == 0 && handle.Get()) {
            AttackInfo a = Attack(40);
            a.power = 200.0;
            a.angle = -1.0;
            boss->ReceiveAttack(a);
        }
    }
    EXPECT_EQ(handle.Get(), nullptr) << "still fighting after " << frames << " frames";
    EXPECT_EQ(bossScene.registered, 1);
    EXPECT_EQ(bossScene.defeated, 1);
    EXPECT_EQ(bossScene.musicStopped, 1);
    EXPECT_EQ(bossScene.heroTimerReset, 1);
}

INSTANTIATE_TEST_SUITE_P(AllColours, BossFight,
                         ::testing::Values("CBarManRed", "CBarManYellow", "CBarManBlue", "CBarManGreen",
                                           "CBarManPink"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

}  // namespace
