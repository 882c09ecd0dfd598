// The test bosses: registration through their boss role, the entrance the scene runs, what they
// ignore meanwhile, and the defeat that ends the fight through the scene.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bosses/StickManKinds.h"
#include "bosses/TestBosses.h"
#include "gimmicks/EffectKinds.h"
#include "play/EffectFactory.h"
#include "play/LiveObjectFactory.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

class TestBoss : public StickManWorld {
  protected:
    void TearDown() override {
        ClearLiveObjectCreators();
        StickManWorld::TearDown();
    }
    CTestBoss001* Make(const char* name) {
        RegisterStickManBossKinds();
        std::unique_ptr<IBase> made(CreateLiveObject(name, stage.get(), 300, kFloorTop - 30.5, {true}));
        auto* b = dynamic_cast<CTestBoss001*>(made.get());
        EXPECT_NE(b, nullptr);
        if (!b) return nullptr;
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        b->SetAreaObjectId(4);
        Table().SetSpawnFlag(4, true);
        return b;
    }
    // A test boss walking after its entrance, the hero far away, with `hp` hit points left.
    CTestBoss001* Walking(int hp) {
        PlaceBossHero(900, kFloorTop - 10);
        CTestBoss001* b = Make("CTestBoss001");
        Frames(1);
        b->SetState(kKidWalk);
        b->hitPoints = hp;
        return b;
    }
};

TEST_F(TestBoss, TheFirstUpdateRegistersItsBossRoleWhichAnswersTheFinalBossQuestion) {
    PlaceBossHero(600, kFloorTop - 10);
    CTestBoss001* b = Make("CTestBoss001");
    Frames(1);
    EXPECT_EQ(b->state, kTestBossEntrance);
    ASSERT_EQ(bossScene.registered, 1);
    auto* role = dynamic_cast<IBoss*>(bossScene.boss);
    ASSERT_NE(role, nullptr);
    EXPECT_FALSE(role->IsFinalBoss());
    EXPECT_EQ(b->ReceiveAttack(Attack(50)), kHitImmune);
    EXPECT_EQ(b->Collide(bossScene.hero.Get()), kHitImmune);
    EXPECT_EQ(b->hitPoints, 140);

    Frames(1);
    b->stateFrames = 0;
    for (int i = 1; i < 120; ++i) ASSERT_FALSE(role->EntranceStep()) << i;
    EXPECT_TRUE(role->EntranceStep());
    EXPECT_EQ(b->state, kKidWalk);
    EXPECT_FALSE(b->inEntrance);
    Frames(1);
    EXPECT_EQ(bossScene.registered, 1);

    CTestBoss001* last = Make("CTestBoss002");
    Frames(1);
    EXPECT_TRUE(dynamic_cast<IBoss*>(bossScene.boss)->IsFinalBoss());
    EXPECT_FALSE(last->removeWhenOffScreen);
}

TEST_F(TestBoss, WithoutAnEntranceItWalksAfter120Frames) {
    PlaceBossHero(900, kFloorTop - 10);
    CTestBoss001* b = Make("CTestBoss001");
    Frames(120);
    EXPECT_EQ(b->state, kTestBossEntrance);
    Frames(2);
    EXPECT_NE(b->state, kTestBossEntrance);
}

TEST_F(TestBoss, TheHitToExactlyZeroSendsItFlyingThenItBurstsAndTheSceneHearsOnce) {
    CTestBoss001* b = Walking(30);
    AttackInfo a = Attack(30);
    a.power = 300;
    a.angle = -1.2;
    EXPECT_EQ(b->ReceiveAttack(a), kHitDefeated);
    EXPECT_EQ(b->state, kTestBossFlight);
    EXPECT_NEAR(std::hypot(b->vx, b->vy), 700.0, 1e-9);  // raised to the flight's floor
    EXPECT_FALSE(Table().CanSpawn(4));
    EXPECT_EQ(b->ReceiveAttack(a), kHitImmune);

    const ObjectHandle handle = b->GetHandle();
    Frames(32);
    EXPECT_EQ(b->state, kTestBossGone);
    EXPECT_EQ(bossScene.defeated, 0);
    Frames(62);
    EXPECT_EQ(bossScene.defeated, 1);
    Frames(13);
    EXPECT_EQ(handle.Get(), nullptr);
    EXPECT_EQ(bossScene.defeated, 1);
}

// The boss frame moves first, as the kid's: the burst stands where the flight has carried the
// boss in that frame, and the vanished boss keeps its motion.
TEST_F(TestBoss, TheBurstStandsWhereTheFlightEndsAndTheVanishedBossKeepsItsMotion) {
    CTestBoss001* b = Walking(1);
    AttackInfo a = Attack(5);
    a.angle = -0.3;  // up and to the right at 700 pixels a second
    ASSERT_EQ(b->ReceiveAttack(a), kHitDefeated);
    playtest::MadeEffects().clear();
    SetEffectFactory(playtest::RecordEffect);
    while (b->state == kTestBossFlight) Frames(1);
    InstallEffectFactory();
    ASSERT_EQ(b->state, kTestBossGone);
    ASSERT_EQ(playtest::MadeEffects().size(), 1u);
    const playtest::MadeEffect burst = playtest::MadeEffects().back();
    playtest::MadeEffects().clear();
    ASSERT_EQ(burst.kind, 4);
    EXPECT_EQ(burst.x, std::trunc((b->GetLeft() + b->GetRight()) / 2));
    EXPECT_EQ(burst.y, std::trunc((b->GetTop() + b->GetBottom()) / 2));
    EXPECT_NE(b->vx, 0.0) << "vanishing leaves the motion alone";
}

}  // namespace
