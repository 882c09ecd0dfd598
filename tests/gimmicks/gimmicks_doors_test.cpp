// Doors, warp points and the goal: entering with Up or on touch, the warps they ask for, the key
// accounting of key doors and the enemy-zero door's opening.
#include <gtest/gtest.h>

#include "gimmicks/Doors.h"
#include "tests/gimmicks/gimmicks_play_env.h"

namespace gimmicktest {
namespace {

class Doors : public PlayWorld {
  protected:
    // A door of the class on tile (tx, ty) leading to area 2, tile (5, 6), with the hero's
    // centre in the middle of its box.
    template <class T>
    T* DoorWithHero(const char* cls, int tx = 10, int ty = 8) {
        T* door = Make<T>(cls, 32.0 * tx, 32.0 * ty - 16, {2, 5, 6});
        hero = PlaceHero(32.0 * tx + 16, 32.0 * ty + 8);
        return door;
    }
    FakeHero* hero = nullptr;
};

TEST_F(Doors, EveryDoorKindWarpsWithUpAndShowsTheHintWithout) {
    for (const char* cls : {"CDoorA", "CDoorB", "CShutter", "CCaveHoleA", "CCaveHoleB"}) {
        SCOPED_TRACE(cls);
        CObjectRegistry::GetInstance()->Clear();
        play.warps.clear();
        play.hints = 0;
        IDoor* door = DoorWithHero<IDoor>(cls);
        Frames(2);
        EXPECT_TRUE(play.warps.empty());
        EXPECT_EQ(play.hints, 2);
        EXPECT_FALSE(door->used);
        FrameWithUp();
        ASSERT_EQ(play.warps.size(), 1u);
        EXPECT_EQ(play.warps[0].area, 2);
        EXPECT_EQ(play.warps[0].x, 5);
        EXPECT_EQ(play.warps[0].y, 6);
        EXPECT_FALSE(play.warps[0].animate);
        EXPECT_TRUE(door->used);
    }
}

TEST_F(Doors, TheHeroMustHaveHisCentreInsideTheBoxEdgesIncluded) {
    auto* door = DoorWithHero<CDoorA>("CDoorA");
    MoveCentreTo(hero, door->x - 1, door->y + 24);  // half beside the door
    FrameWithUp();
    EXPECT_TRUE(play.warps.empty());
    EXPECT_EQ(play.hints, 0);
    MoveCentreTo(hero, door->x, door->y + 24);  // on the left edge
    FrameWithUp();
    EXPECT_EQ(play.warps.size(), 1u);
}

TEST_F(Doors, OnlyTheFrameInWhichUpIsPushedEnters) {
    DoorWithHero<CDoorB>("CDoorB");
    FrameWithUp();
    Frames(3);  // Up is held, not pushed again
    EXPECT_EQ(play.warps.size(), 1u);
}

TEST_F(Doors, AWarpTheSceneRefusesLeavesTheDoorAsItWas) {
    auto* door = DoorWithHero<CDoorA>("CDoorA");
    play.warpAccepted = false;
    FrameWithUp();
    EXPECT_EQ(play.warps.size(), 1u);
    EXPECT_FALSE(door->used);
    // A warp point keeps trying while the hero stays on it, and stays visible.
    auto* warp = Make<CWarpPoint>("CWarpPoint", door->x + 150, door->y, {3, 1, 1});
    MoveCentreTo(hero, warp->x, warp->y);
    Frames(3);
    EXPECT_EQ(play.warps.size(), 4u);
    EXPECT_FALSE(warp->used);
    EXPECT_FALSE(warp->IsDead());
}

TEST_F(Doors, AWarpPointTakesTheHeroOnTouchWithTheWarpOutAnimation) {
    auto* warp = Make<CWarpPoint>("CWarpPoint", 320 + 16, 256 + 16, {1, 2, 3});
    hero = PlaceHero(320 + 16 + 14 + 16 + 1, 256 + 16);  // just apart
    Frames(1);
    EXPECT_TRUE(play.warps.empty());
    MoveCentreTo(hero, 320 + 16 + 14 + 16 - 1, 256 + 16);  // overlapping, centre outside the circle
    Frames(1);
    ASSERT_EQ(play.warps.size(), 1u);
    EXPECT_TRUE(play.warps[0].animate);
    EXPECT_TRUE(warp->used);
    EXPECT_EQ(play.hints, 0);

    auto* hidden = Make<CInvisibleWarpPoint>("CInvisibleWarpPoint", 500, 256 + 16, {4, 0, 0});
    MoveCentreTo(hero, 500, 256 + 16);
    Frames(1);
    ASSERT_EQ(play.warps.size(), 2u);
    EXPECT_EQ(play.warps[1].area, 4);
    EXPECT_TRUE(hidden->used);
}

TEST_F(Doors, OtherObjectsCannotEnter) {
    auto* door = Make<CDoorA>("CDoorA", 320, 240, {2, 5, 6});
    auto* thing = Spawn(door->x + 8, door->y + 8, 16, 16, kCategoryHero);  // hero's category, not the hero
    play.hero = thing;
    FrameWithUp();
    EXPECT_TRUE(play.warps.empty());
}

TEST_F(Doors, EachKeyDoorTakesOneKeyOnceAndStaysOpenForThePlay) {
    play.keyCount = 2;
    auto* first = DoorWithHero<CKeyDoor>("CKeyDoor", 10, 8);
    first->SetAreaObjectId(7);
    auto* second = Make<CKeyDoor>("CKeyDoor", 32 * 16, 32 * 8 - 16, {2, 5, 6});
    second->SetAreaObjectId(8);
    // The scene refuses the first warp: the key is spent all the same and the door is open.
    play.warpAccepted = false;
    FrameWithUp();
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_TRUE(first->opened);
    EXPECT_FALSE(first->used);
    play.warpAccepted = true;
    FrameWithUp();
    EXPECT_EQ(play.keyCount, 1);
    EXPECT_TRUE(first->used);
    EXPECT_EQ(play.warps.size(), 2u);

    MoveCentreTo(hero, second->x + 16, second->y + 24);
    FrameWithUp();
    EXPECT_EQ(play.keyCount, 0);
    EXPECT_EQ(play.openedDoors, (std::vector<std::pair<int, int>>{{0, 7}, {0, 8}}));

    // Spawned again (after a lost life) the first door is open and free.
    CObjectRegistry::GetInstance()->Clear();
    auto* again = Make<CKeyDoor>("CKeyDoor", 320, 240, {2, 5, 6});
    again->SetAreaObjectId(7);
    EXPECT_TRUE(again->opened);
}

TEST_F(Doors, AKeyDoorWithoutKeysStaysShutAndGivesNoHint) {
    auto* door = DoorWithHero<CKeyDoor>("CKeyDoor");
    door->SetAreaObjectId(3);
    Frames(1);
    FrameWithUp();
    EXPECT_TRUE(play.warps.empty());
    EXPECT_EQ(play.hints, 0);
    EXPECT_FALSE(door->opened);
    play.keyCount = 1;
    Frames(1);
    EXPECT_EQ(play.hints, 1);
}

TEST_F(Doors, TheEnemyZeroDoorOpensWhenTheLastEnemyIsGone) {
    CObjectRegistry::SetEnemyCounter(
        [](const IBase* o) { return o->category == kCategoryEnemy && !o->IsDead(); });
    auto* door = DoorWithHero<CEnemyZeroDoor>("CEnemyZeroDoor");
    EXPECT_FALSE(door->open);
    FrameWithUp();  // the door opens in its first update, before the touch
    EXPECT_TRUE(door->open);
    EXPECT_EQ(play.warps.size(), 1u);
    Frames(1);
    EXPECT_EQ(All<IEffect>().size(), 1u);  // the puff

    IBase* enemy = Spawn(1200, 100, 16, 16, kCategoryEnemy);
    Frames(1);
    EXPECT_FALSE(door->open);
    const int hints = play.hints;
    FrameWithUp();
    Frames(1);
    EXPECT_EQ(play.warps.size(), 1u);  // shut: no entry and no hint
    EXPECT_EQ(play.hints, hints);
    const size_t puffs = All<IEffect>().size();
    enemy->Kill();
    Frames(2);
    EXPECT_TRUE(door->open);
    EXPECT_GT(All<IEffect>().size(), puffs);
}

TEST_F(Doors, TheGoalEndsTheStageWithUpAndWavesItsBanner) {
    auto* goal = Make<CNormalGoal>("CNormalGoal", 320, 248);
    EXPECT_EQ(goal->width, 32);
    EXPECT_EQ(goal->height, 40);
    hero = PlaceHero(336, 268);
    Frames(1);
    EXPECT_EQ(play.goals, 0);
    EXPECT_EQ(play.hints, 1);
    FrameWithUp();
    EXPECT_EQ(play.goals, 1);
    EXPECT_TRUE(play.warps.empty());

    EXPECT_EQ(CNormalGoal::CellAt(0), 1);
    EXPECT_EQ(CNormalGoal::CellAt(20), 2);
    EXPECT_EQ(CNormalGoal::CellAt(130), 3);
    EXPECT_EQ(CNormalGoal::CellAt(145), 4);
    EXPECT_EQ(CNormalGoal::CellAt(280), 2);
    EXPECT_EQ(CNormalGoal::CellAt(300 + 170), 6);
}

TEST_F(Doors, WithoutAPlaySceneNothingIsEntered) {
    auto* door = DoorWithHero<CDoorA>("CDoorA");
    stage->scene = nullptr;
    FrameWithUp();
    EXPECT_FALSE(door->used);
}

}  // namespace
}  // namespace gimmicktest
