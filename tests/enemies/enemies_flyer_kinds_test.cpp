// The flyers as the stage makes them: every class is registered under its name, builds from the
// arguments its placed records pass, and is built and destroyed with no owner as the loading
// screen does.
#include <memory>
#include <utility>

#include "enemies/Bat001.h"
#include "enemies/EnemyKinds.h"
#include "enemies/EnemyShots.h"
#include "enemies/Fish001.h"
#include "enemies/Fish002.h"
#include "enemies/Fish003.h"
#include "enemies/Magician001.h"
#include "enemies/SkyMobile001.h"
#include "enemies/Sphere001.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "tests/common/fake_scene.h"
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

// A play scene that counts the objects handed to its registry (the process's, as in the game).
class CountingScene : public testsupport::FakeScene {
  public:
    CObjectRegistry& GetRegistry() override {
        ++asked;
        return FakeScene::GetRegistry();
    }
    int asked = 0;
};

const char* const kClasses[] = {
    "CFish001", "CFish_Controller001", "CFish002",      "CFish003",
    "CBat001",  "CSphere001",          "CSkyMobile001", "CMagician_Controller001"};

TEST_F(FlyerKinds, EveryClassIsBuiltAndDestroyedWithoutAnOwner) {
    for (const char* name : kClasses) {
        SCOPED_TRACE(name);
        for (const LiveObjectArgs& args :
             {LiveObjectArgs{false}, LiveObjectArgs{true, 0, 0}, LiveObjectArgs{1}}) {
            std::unique_ptr<IBase> o(CreateLiveObject(name, nullptr, 0.0, 0.0, args));
            ASSERT_NE(o, nullptr);
            EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(o)));
        }
    }
    // The members a controller makes at once, and the magician a marker makes later.
    { CMagician001 magician(nullptr, 0.0, 0.0, 0, nullptr, 0.0, 0.0); }
    CObjectRegistry::GetInstance()->Clear();
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 0);
}

TEST_F(FlyerKinds, TheRecordsArgumentsChooseFacingModeAndVariant) {
    std::unique_ptr<IBase> madeFish(CreateLiveObject("CFish001", stage.get(), 10.0, 20.0, {true, 0, 0}));
    auto* fish = dynamic_cast<CFish001*>(madeFish.get());
    ASSERT_NE(fish, nullptr);
    EXPECT_EQ(fish->facing, 1);
    EXPECT_EQ(fish->schoolIndex, -1);
    std::unique_ptr<IBase> madeBat(CreateLiveObject("CBat001", stage.get(), 10.0, 20.0, {1}));
    auto* bat = dynamic_cast<CBat001*>(madeBat.get());
    ASSERT_NE(bat, nullptr);
    EXPECT_EQ(bat->variant, 1);
    std::unique_ptr<IBase> madeSphere(CreateLiveObject("CSphere001", stage.get(), 10.0, 20.0, {0}));
    auto* sphere = dynamic_cast<CSphere001*>(madeSphere.get());
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(sphere->variant, 0);
    std::unique_ptr<IBase> madeMarker(
        CreateLiveObject("CMagician_Controller001", stage.get(), 10.0, 20.0, {false}));
    auto* marker = dynamic_cast<CMagician_Controller001*>(madeMarker.get());
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->spawnSide, 0);
}

TEST_F(FlyerKinds, TheControllersAreNoEnemiesButTheFishTheyLeadAre) {
    std::unique_ptr<IBase> school(CreateLiveObject("CFish_Controller001", stage.get(), 100.0, 100.0, {true}));
    CObjectRegistry::GetInstance()->Add(std::move(school));
    std::unique_ptr<IBase> marker(
        CreateLiveObject("CMagician_Controller001", stage.get(), 100.0, 100.0, {true}));
    CObjectRegistry::GetInstance()->Add(std::move(marker));
    Frames(1);
    EXPECT_EQ(CObjectRegistry::GetInstance()->CountEnemies(), 3);  // the school's three fish
}

// What an enemy fires, by class or by kind, and the burst of its bomb reach the registry through
// the services of the stage's scene.
TEST_F(FlyerKinds, ShotsAndBurstsReachTheRegistryThroughTheStagesScene) {
    CountingScene counting;
    stage->scene = &counting;
    const int before = CObjectRegistry::GetInstance()->Count();
    EXPECT_TRUE(FireEnemyShot("CBaseball", stage.get(), 100.0, 100.0, 50.0, 0.0));
    LaunchEnemyShot(EnemyShotKind::kMissilry, {stage.get(), 140.0, 100.0, 50.0, 0.0, 1});
    CBomb001 bomb(stage.get(), 200.0, 200.0, 0.0, 0.0, false);
    bomb.Explode();
    bomb.Explode();  // one burst only
    EXPECT_EQ(counting.asked, 3);
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), before + 3);
    stage->scene = &scene;
}

}  // namespace
