// The flyers as the stage makes them: every class is registered under its name, builds from the
// arguments its placed records pass, and is built and destroyed with no owner as the loading
// screen does.
#include "enemies/EnemyKinds.h"
#include "enemies/Fish.h"
#include "enemies/Flyers.h"
#include "enemies/Magician001.h"
#include "enemies/SkyMobile001.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/flyers_env.h"

using namespace enemytest;

namespace {

class FlyerKinds : public FlyerWorld {
  protected:
    void SetUp() override {
        FlyerWorld::SetUp();
        RegisterEnemyKinds();
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        FlyerWorld::TearDown();
    }
};

const char* const kClasses[] = {
    "CFish001", "CFish_Controller001", "CFish002",      "CFish003",
    "CBat001",  "CSphere001",          "CSkyMobile001", "CMagician_Controller001"};

TEST_F(FlyerKinds, EveryClassIsBuiltAndDestroyedWithoutAnOwner) {
    for (const char* name : kClasses) {
        SCOPED_TRACE(name);
        for (const LiveObjectArgs& args :
             {LiveObjectArgs{false}, LiveObjectArgs{true, 0, 0}, LiveObjectArgs{1}}) {
            std::unique_ptr<IBase> o = CreateLiveObject(name, nullptr, 0.0, 0.0, args);
            ASSERT_NE(o, nullptr);
            EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(o)));
        }
    }
    // The members a controller makes at once, and the magician a marker makes later.
    delete new CMagician001(nullptr, 0.0, 0.0, 0, nullptr, 0.0, 0.0);
    CObjectRegistry::GetInstance()->Clear();
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 0);
}

TEST_F(FlyerKinds, TheRecordsArgumentsChooseFacingModeAndVariant) {
    const std::unique_ptr<IBase> fishMade =
        CreateLiveObject("CFish001", stage.get(), 10.0, 20.0, {true, 0, 0});
    auto* fish = dynamic_cast<CFish001*>(fishMade.get());
    ASSERT_NE(fish, nullptr);
    EXPECT_EQ(fish->facing, 1);
    EXPECT_EQ(fish->schoolIndex, -1);
    const std::unique_ptr<IBase> batMade = CreateLiveObject("CBat001", stage.get(), 10.0, 20.0, {1});
    auto* bat = dynamic_cast<CBat001*>(batMade.get());
    ASSERT_NE(bat, nullptr);
    EXPECT_EQ(bat->variant, 1);
    const std::unique_ptr<IBase> sphereMade = CreateLiveObject("CSphere001", stage.get(), 10.0, 20.0, {0});
    auto* sphere = dynamic_cast<CSphere001*>(sphereMade.get());
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->variant, 0);
    const std::unique_ptr<IBase> markerMade =
        CreateLiveObject("CMagician_Controller001", stage.get(), 10.0, 20.0, {false});
    auto* marker = dynamic_cast<CMagician_Controller001*>(markerMade.get());
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->spawnSide, 0);
}

TEST_F(FlyerKinds, TheControllersAreNoEnemiesButTheFishTheyLeadAre) {
    CObjectRegistry::GetInstance()->Add(
        CreateLiveObject("CFish_Controller001", stage.get(), 100.0, 100.0, {true}));
    CObjectRegistry::GetInstance()->Add(
        CreateLiveObject("CMagician_Controller001", stage.get(), 100.0, 100.0, {true}));
    Frames(1);
    EXPECT_EQ(CObjectRegistry::GetInstance()->CountEnemies(), 3);  // the school's three fish
}

}  // namespace
