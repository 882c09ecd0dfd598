// Items: what taking each one does to the hero and the play, the caps, the spawn flags of their
// records, the checkpoint, and how thrown items fly, bounce and come to rest.
#include <gtest/gtest.h>

#include "gimmicks/Items.h"
#include "tests/gimmicks/gimmicks_play_env.h"

namespace gimmicktest {
namespace {

class Items : public PlayWorld {
  protected:
    // A hero standing in the middle of the view, and an item of the class right on him.
    template <class T>
    T* TakeFromHero(const char* cls, const LiveObjectArgs& args = {0.0, 0.0}) {
        if (!hero) hero = PlaceHero(480, 300);
        T* item = Make<T>(cls, 480, 300, args);
        Frames(1);
        return item;
    }
    FakeHero* hero = nullptr;
};

TEST_F(Items, SnacksHealUpToAHundredAndAreEatenEvenAtFullHealth) {
    hero = PlaceHero(480, 300);
    hero->health = 95;
    auto* ice = TakeFromHero<CIceBar>("CIceBar");
    EXPECT_EQ(hero->health, 100);
    EXPECT_TRUE(ice->IsDead());
    auto* stick = TakeFromHero<CPokikki>("CPokikki");
    EXPECT_EQ(hero->health, 100);
    EXPECT_TRUE(stick->IsDead());
    hero->health = 30;
    TakeFromHero<CUmaibo>("CUmaibo");
    EXPECT_EQ(hero->health, 40);
    TakeFromHero<CAirPokikki>("CAirPokikki", {});
    EXPECT_EQ(hero->health, 41);
}

TEST_F(Items, SnacksHealWithoutAPlaySceneButTheRestNeedsOne) {
    hero = PlaceHero(480, 300);
    Frames(1);
    stage->scene = nullptr;
    hero->health = 10;
    // The registry finds the hero by the touch pass alone.
    TakeFromHero<CPokikki>("CPokikki");
    EXPECT_EQ(hero->health, 11);
    auto* bar = TakeFromHero<CPowerUpBar>("CPowerUpBar", {0.0, 0.0, 3});
    EXPECT_FALSE(bar->IsDead());  // no weapon without a scene
    EXPECT_FALSE(bar->taken);
    auto* key = TakeFromHero<CKey>("CKey");
    EXPECT_TRUE(key->IsDead());  // gone, though nobody counted it
}

TEST_F(Items, AnythingButTheHeroIsIgnored) {
    Spawn(470, 290, 20, 20, kCategoryHero);
    auto* key = Make<CKey>("CKey", 480, 300, {0.0, 0.0});
    Frames(2);
    EXPECT_FALSE(key->IsDead());
    EXPECT_EQ(play.keyCount, 0);
}

TEST_F(Items, WeaponBarsFollowWhatTheHeroHolds) {
    EXPECT_EQ(CPowerUpBar::WeaponGiven(kWeaponPole, kWeaponStart), kWeaponPole);
    EXPECT_EQ(CPowerUpBar::WeaponGiven(kWeaponPole, kWeaponPole), kWeaponStrongPole);
    EXPECT_EQ(CPowerUpBar::WeaponGiven(kWeaponPole, kWeaponStrongPole), kWeaponStrongPole);
    EXPECT_EQ(CPowerUpBar::WeaponGiven(kWeaponPole, kWeaponMallet), kWeaponPole);
    EXPECT_EQ(CPowerUpBar::WeaponGiven(kWeaponHose, kWeaponStrongPole), kWeaponHose);

    hero = PlaceHero(480, 300);
    hero->weapon = kWeaponPole;
    auto* bar = TakeFromHero<CPowerUpBar>("CPowerUpBar", {0.0, 0.0, kWeaponPole});
    EXPECT_EQ(play.weaponChanges, std::vector<int>{kWeaponStrongPole});
    EXPECT_TRUE(bar->taken);
    EXPECT_TRUE(bar->IsDead());
}

TEST_F(Items, LivesStopAtNinetyNine) {
    play.lives = 98;
    TakeFromHero<C1UP>("C1UP", {false});
    TakeFromHero<C1UP>("C1UP", {false});
    EXPECT_EQ(play.lives, 99);
}

TEST_F(Items, TheExtraLifeAlwaysFacesTheHero) {
    hero = PlaceHero(300, 300);
    auto* life = Make<C1UP>("C1UP", 480, 300, {false});  // right of the hero: facing left
    EXPECT_EQ(life->facing, 0);
    Frames(1);
    EXPECT_EQ(life->facing, 0);
    MoveCentreTo(hero, 700, 300);
    Frames(1);
    EXPECT_EQ(life->facing, 1);
}

TEST_F(Items, TheExtraLifeSwingsFortyPixelsAboutItsStart) {
    auto* life = Make<C1UP>("C1UP", 480, 300, {true});
    double low = life->y, high = life->y;
    for (int i = 0; i < 240; ++i) {
        Frames(1);
        low = std::max(low, life->y);
        high = std::min(high, life->y);
    }
    EXPECT_NEAR(low - 300, 40, 2);
    EXPECT_NEAR(300 - high, 40, 2);
}

TEST_F(Items, AKeyCountsAndIsRememberedByItsArea) {
    play.area = 1;
    auto* key = TakeFromHero<CKey>("CKey", {0.0, 0.0});
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_TRUE(play.keys.empty());  // a key from a block has no record to remember
    key = Make<CKey>("CKey", 480, 300, {0.0, 0.0});
    key->SetAreaObjectId(12);
    Frames(1);
    EXPECT_EQ(play.keyCount, 2);
    EXPECT_TRUE(play.IsKeyCollected(1, 12));
}

TEST_F(Items, TheFlagSetsTheCheckpointToItsOwnTile) {
    play.area = 2;
    hero = PlaceHero(12 * 32 + 16, 7 * 32 + 8);
    auto* flag = Make<CStageFlag>("CStageFlag", 12 * 32 + 16, 7 * 32 - 24);
    Frames(1);
    EXPECT_EQ(play.checkpoint, (std::vector<int>{2, 12, 7}));
    EXPECT_TRUE(flag->IsDead());
}

TEST_F(PlacedWorld, ATakenItemClearsItsRecordsSpawnFlag) {
    ASSERT_TRUE(table->Add("Key", 15, 9));
    ASSERT_TRUE(table->Add("Pokikki001", 20, 9));
    const int keyId = table->GetIdAt(15, 9), stickId = table->GetIdAt(20, 9);
    ASSERT_TRUE(dynamic_cast<CKey*>(SpawnRecord(15, 9)));
    ASSERT_TRUE(dynamic_cast<CPokikki*>(SpawnRecord(20, 9)));
    IBase* hero = PlaceHero(15 * 32 + 16, 9 * 32 + 16);
    Frames(1);
    EXPECT_FALSE(table->CanSpawn(keyId));
    EXPECT_TRUE(table->CanSpawn(stickId));
    EXPECT_TRUE(play.IsKeyCollected(play.area, keyId));
    MoveCentreTo(hero, 20 * 32 + 16, 9 * 32 + 16);
    Frames(1);
    EXPECT_FALSE(table->CanSpawn(stickId));
}

// Thrown items on a floor at row 12 (y 384) between walls at columns 10 and 20.
class ThrownItems : public Items {
  protected:
    void SetUp() override {
        Items::SetUp();
        if (HasFatalFailure()) return;
        Fill(10, 0, 10, 12, 40);
        Fill(20, 0, 20, 12, 40);
        Fill(10, 12, 20, 12, 40);
    }
};

TEST_F(ThrownItems, AThrownItemTurnsAtWallsBouncesOnceAndComesToRest) {
    auto* stick = Make<CPokikki>("CPokikki", 560, 300, {100.0, -300.0});
    EXPECT_EQ(stick->motionState, CThrownItem::kThrown);
    bool turned = false, spun = false;
    double landingSpeed = 0;
    for (int i = 0; i < 600 && stick->motionState != CThrownItem::kBouncing; ++i) {
        landingSpeed = stick->vy;
        Frames(1);

        if (stick->vx < 0) turned = true;
        if (stick->spinAngle != 0) spun = true;
    }
    ASSERT_EQ(stick->motionState, CThrownItem::kBouncing);
    EXPECT_TRUE(spun);
    // The bounce, then one frame of gravity.
    EXPECT_NEAR(stick->vy, -0.8 * landingSpeed + 550.0 / 60.0, 0.5);
    for (int i = 0; i < 600 && stick->motionState != CThrownItem::kResting; ++i) Frames(1);
    EXPECT_EQ(stick->motionState, CThrownItem::kResting);
    const double restX = stick->x;
    Frames(30);
    EXPECT_EQ(stick->x, restX);
    EXPECT_EQ(stick->motionState, CThrownItem::kResting);
    EXPECT_EQ(stick->spinAngle, 0);
    EXPECT_NEAR(stick->GetBottom(), 384, 1);
    EXPECT_TRUE(turned);
}

TEST_F(ThrownItems, AThrownItemBouncesOffTheWallItFliesInto) {
    auto* stick = Make<CPokikki>("CPokikki", 600, 340, {600.0, -100.0});
    bool turned = false;
    for (int i = 0; i < 120 && !turned; ++i) {
        Frames(1);
        turned = stick->vx < 0;
    }
    EXPECT_TRUE(turned);
    EXPECT_LE(stick->GetRight(), 640 + 1);
}

TEST_F(ThrownItems, APlacedItemFallingSlowlyStopsWithoutABounce) {
    auto* key = Make<CKey>("CKey", 480, 340, {0.0, 0.0});
    for (int i = 0; i < 120; ++i) {
        Frames(1);
        ASSERT_NE(key->motionState, CThrownItem::kBouncing) << i;
    }
    EXPECT_NEAR(key->GetBottom(), 384, 1);
    // Dropped from high up it lands faster than 300 and bounces once.
    auto* high = Make<CKey>("CKey", 560, 40, {0.0, 0.0});
    bool bounced = false;
    for (int i = 0; i < 300; ++i) {
        Frames(1);
        bounced = bounced || high->motionState == CThrownItem::kBouncing;
    }
    EXPECT_TRUE(bounced);
    EXPECT_EQ(high->motionState, CThrownItem::kResting);
}

}  // namespace
}  // namespace gimmicktest
