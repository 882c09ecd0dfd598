// Blocks: hit points and the power hit, the answer of a block already broken, the ten contents
// of the item box, chains of exploding blocks, the stones that guard, and the sliding stones'
// knock, braking and wall bounce; landing and the floating block.
#include <cmath>

#include "foundation/Geometry.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/Burst.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

class Blocks : public HazardWorld {
  protected:
    void SetUp() override {
        HazardWorld::SetUp();
        if (HasFatalFailure()) return;
        Fill(0, 20, 59, 20, 40);  // a rock floor whose top is y = 640
        Relations({{kCategoryOtherAttack, kCategoryBlock, 2}, {kCategoryBlock, kCategoryBlock, 1}});
    }
    // A block placed on tile column c, standing on the floor.
    template <class T, class... Args>
    T* Block(int c, Args&&... args) {
        const bool tall = std::is_base_of_v<CSlidingStoneBase, T>;
        return Add<T>(32.0 * c, tall ? 32.0 * 19 - 48 : 32.0 * 19 - 32, std::forward<Args>(args)...);
    }
    int EffectsOfKind(int kind) {
        int n = 0;
        for (const MadeEffect& e : Made()) n += e.kind == kind;
        return n;
    }
};

TEST_F(Blocks, AWoodenBlockTakesTwentyDamageOrOnePowerHit) {
    auto* a = Block<CWoodBlock001>(2);
    EXPECT_EQ(a->GetLeft(), 65.0);  // one pixel in from its tile, 62 wide
    EXPECT_EQ(a->GetRight(), 127.0);
    EXPECT_EQ(a->ReceiveAttack(Blow(10)), kHitHurt);
    EXPECT_EQ(a->shakeTime, 8.0);
    EXPECT_FALSE(a->IsDead());
    EXPECT_EQ(a->ReceiveAttack(Blow(10)), kHitDefeated);
    EXPECT_TRUE(a->IsDead());
    ASSERT_EQ(Made().size(), 1u);
    EXPECT_EQ(Made()[0].kind, 23);
    EXPECT_EQ(Made()[0].x, 96.0);  // (65 + 127) / 2
    EXPECT_EQ(Made()[0].y, 608.0);

    EXPECT_EQ(Block<CWoodBlock001>(6)->ReceiveAttack(Blow(20)), kHitDefeated);
    EXPECT_EQ(Block<CWoodBlock001>(10)->ReceiveAttack(Blow(0, {kAttackPowerHit})), kHitDefeated);
    // A red burst alone does not break a plain wooden block at once.
    EXPECT_EQ(Block<CWoodBlock001>(14)->ReceiveAttack(Blow(0, {kAttackRedBurst})), kHitHurt);
}

TEST_F(Blocks, TheShakeWearsOffInEightFrames) {
    auto* a = Block<CWoodBlock001>(2);
    a->ReceiveAttack(Blow(5));
    Frames(4);
    EXPECT_NEAR(a->shakeTime, 4.0, 1e-4);
    Frames(5);
    EXPECT_EQ(a->shakeTime, 0.0);
    EXPECT_EQ(a->hitPoints, 15);
}

TEST_F(Blocks, ABrokenBlockStruckAgainInTheSameFrameDoesNothingMore) {
    auto* box = Block<CWoodBlock002>(2, std::string("Key"));
    auto* bomb = Block<CWoodBlock003>(10);
    auto* stone = Block<CStoneBlock001>(20);
    for (CBlockBase* b : std::initializer_list<CBlockBase*>{box, bomb, stone}) {
        EXPECT_EQ(b->ReceiveAttack(Blow(50, {kAttackPowerHit})), kHitDefeated);
        EXPECT_EQ(b->ReceiveAttack(Blow(50, {kAttackPowerHit})), kHitImmune);
    }
    EXPECT_EQ(Made().size(), 3u);
    EXPECT_EQ(MadeAs("CKey").size(), 1u);
    EXPECT_EQ(All<CRedBurst>().size(), 1u);
}

TEST_F(Blocks, EachContentOfTheItemBoxMakesItsItem) {
    struct Case {
        const char* content;
        const char* liveClass;
        double dx, dy;  // from the box's middle
        LiveObjectArgs args;
    };
    const std::vector<Case> cases = {
        {"Pokikki001", "CPokikki", 0, 0, {0.0, -300.0}},
        {"AirPokikki001", "CAirPokikki", 0, 0, {}},
        {"Umaibo001", "CUmaibo", 0, 0, {0.0, -300.0}},
        {"IceBar001", "CIceBar", 0, 0, {0.0, -300.0}},
        {"1UP001", "C1UP", -16, -8, {false}},
        {"Key", "CKey", 0, 0, {0.0, -300.0}},
        {"RedWhitePole", "CPowerUpBar", 0, 0, {0.0, -300.0, 2}},
        {"WoodenMallet", "CPowerUpBar", 0, 0, {0.0, -300.0, 3}},
        {"Propeller", "CPowerUpBar", 0, 0, {0.0, -300.0, 4}},
        {"Hose", "CPowerUpBar", 0, 0, {0.0, -300.0, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        CObjectRegistry::GetInstance()->Clear();
        auto* box = Block<CWoodBlock002>(2, std::string(c.content));
        EXPECT_EQ(box->ReceiveAttack(Blow(20)), kHitDefeated);
        Frames(1);
        const auto items = All<StandIn>();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0]->liveClass, c.liveClass);
        EXPECT_EQ(items[0]->args, c.args);
        EXPECT_DOUBLE_EQ(items[0]->startX, 96.0 + c.dx);
        EXPECT_DOUBLE_EQ(items[0]->startY, 608.0 + c.dy);
    }
    CObjectRegistry::GetInstance()->Clear();
    Made().clear();
    for (const char* other : {"key", "Key ", "", "Bomb"})
        Block<CWoodBlock002>(2, std::string(other))->ReceiveAttack(Blow(20));
    Frames(1);
    EXPECT_TRUE(All<StandIn>().empty());
    EXPECT_EQ(EffectsOfKind(40), 4);  // they still break
}

TEST_F(Blocks, ExplodingBlocksSetEachOtherOffButNotBlocksOutOfReach) {
    auto* first = Block<CWoodBlock003>(4);
    auto* second = Block<CWoodBlock003>(6);  // right next to it
    auto* plain = Block<CWoodBlock001>(8);   // out of the first blast's reach, inside the second's
    auto* far = Block<CWoodBlock003>(12);    // out of both
    EXPECT_EQ(first->ReceiveAttack(Blow(0, {kAttackPowerHit})), kHitDefeated);
    ASSERT_EQ(All<CRedBurst>().size(), 1u);
    const CRedBurst* b = All<CRedBurst>()[0];
    EXPECT_EQ(b->radius, 56.0);
    EXPECT_DOUBLE_EQ(b->centerX, 160.0);
    EXPECT_DOUBLE_EQ(b->centerY, 603.0);
    Frames(40);
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Contains(second));
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Contains(plain));  // in the second blast
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(far));
    EXPECT_EQ(far->hitPoints, 20);
    EXPECT_EQ(EffectsOfKind(23), 3);
    EXPECT_EQ(All<CRedBurst>().size(), 0u);  // two bursts, both over
}

TEST_F(Blocks, StoneBlocksGuardAndOnlyThePowerHitBreaksTheFirst) {
    auto* s1 = Block<CStoneBlock001>(2);
    auto* s2 = Block<CStoneBlock002>(6);
    EXPECT_EQ(s1->ReceiveAttack(Blow(9999)), kHitGuarded);
    EXPECT_EQ(s1->ReceiveAttack(Blow(9999, {kAttackRedBurst})), kHitGuarded);
    EXPECT_EQ(s2->ReceiveAttack(Blow(9999, {kAttackPowerHit, kAttackRedBurst})), kHitGuarded);
    EXPECT_TRUE(Made().empty());
    EXPECT_EQ(s1->ReceiveAttack(Blow(0, {kAttackPowerHit})), kHitDefeated);
    ASSERT_EQ(Made().size(), 1u);
    EXPECT_EQ(Made()[0].kind, 24);
    EXPECT_FALSE(s2->IsDead());
}

TEST_F(Blocks, AKnockedStoneBrakesToAStopWithinASecond) {
    auto* s = Block<CStoneBlock003>(10);
    Frames(2);
    const double x0 = s->x;
    EXPECT_EQ(s->ReceiveAttack(Blow(0, {}, 100.0, 0.0)), kHitHurt);
    EXPECT_DOUBLE_EQ(s->vx, 50.0);
    EXPECT_DOUBLE_EQ(s->ax, -50.0);
    Frames(70);
    EXPECT_EQ(s->vx, 0.0);
    EXPECT_EQ(s->ax, 0.0);
    EXPECT_NEAR(s->x - x0, 25.0, 1.0);

    s->ReceiveAttack(Blow(0, {}, 400.0, 0.0));
    EXPECT_DOUBLE_EQ(s->vx, 120.0);  // the fastest knock
    s->ReceiveAttack(Blow(0, {}, 100.0, kPi));
    EXPECT_NEAR(s->vx, -50.0, 1e-9);
    EXPECT_NEAR(s->ax, 50.0, 1e-9);

    auto* ice = Block<CStoneBlock004>(20);
    ice->ReceiveAttack(Blow(0, {}, 1000.0, 0.0));
    EXPECT_DOUBLE_EQ(ice->vx, 140.0);
    EXPECT_DOUBLE_EQ(ice->ax, -35.0);  // a quarter: four seconds of sliding
    EXPECT_EQ(ice->GetSurfaceFriction(), 0.25);
    EXPECT_EQ(s->GetSurfaceFriction(), 1.0);
}

TEST_F(Blocks, WaterMovesTheIceBlockTwiceAsFarAsTheStone) {
    auto* s = Block<CStoneBlock003>(10);
    auto* ice = Block<CStoneBlock004>(20);
    s->ReceiveAttack(Blow(0, {kAttackWater}, 100.0, 0.0));
    ice->ReceiveAttack(Blow(0, {kAttackWater}, 100.0, 0.0));
    EXPECT_DOUBLE_EQ(s->vx, 17.5);
    EXPECT_DOUBLE_EQ(ice->vx, 38.5);
}

TEST_F(Blocks, ASlidingStoneBouncesOffAWallAndKeepsBraking) {
    Fill(5, 0, 5, 19, 40);  // a wall whose right face is x = 192
    for (int kind = 0; kind < 2; ++kind) {
        SCOPED_TRACE(kind);
        CObjectRegistry::GetInstance()->Clear();
        CSlidingStoneBase* s = kind == 0 ? static_cast<CSlidingStoneBase*>(Block<CStoneBlock003>(6))
                                         : static_cast<CSlidingStoneBase*>(Block<CStoneBlock004>(6));
        Frames(2);
        s->ReceiveAttack(Blow(0, {}, kind == 0 ? 200.0 : 181.9, kPi));  // about 100 to the left
        double before = s->vx;
        for (int i = 0; i < 30 && s->vx <= 0.0; ++i) {
            before = s->vx;
            Frames(1);
        }
        ASSERT_GT(s->vx, 0.0);
        EXPECT_NEAR(s->vx / before, kind == 0 ? -0.6 : -0.8, 0.02);
        EXPECT_LT(s->ax, 0.0);  // braking against the new way
    }
}

TEST_F(Blocks, ABlockLandsPressedAtFourPixelsPerFrameAndTheFloatingOneStaysUp) {
    auto* lower = Block<CWoodBlock001>(2);
    auto* upper = Add<CWoodBlock001>(64.0, 32.0 * 17 - 32);  // on top of it
    auto* floater = Add<CWoodBlock004>(64.0 + 128, 32.0 * 17 - 32);
    auto* under = Block<CWoodBlock001>(6);  // the floater starts standing on this one
    Frames(60);
    EXPECT_NEAR(lower->vy, 240.0, 1e-3);
    EXPECT_NEAR(lower->GetBottom(), 640.0, 1.0);  // held on the floor
    EXPECT_NEAR(upper->GetBottom(), lower->GetTop(), 1.0);
    const double floaterY = floater->y;
    under->ReceiveAttack(Blow(20));
    lower->ReceiveAttack(Blow(20));
    Frames(60);
    EXPECT_EQ(floater->y, floaterY);
    EXPECT_NEAR(upper->GetBottom(), 640.0, 1.0);  // fell onto the floor
    EXPECT_GE(floater->platePhase, 0.0);
    EXPECT_LE(floater->platePhase, 5.0);
}

// A stone that counts the blows it takes.
class CountingStone : public CStoneBlock003 {
  public:
    using CStoneBlock003::CStoneBlock003;
    int ReceiveAttack(AttackInfo attack) override {
        ++blows;
        return CStoneBlock003::ReceiveAttack(attack);
    }
    int blows = 0;
};

TEST_F(Blocks, AStoneInsideABurstForItsWholeLifeIsKnockedAtMostTwice) {
    auto* stone = Block<CountingStone>(10);
    Add<CRedBurst>(352.0, 600.0, 56);
    Frames(40);
    EXPECT_EQ(stone->blows, 2);
}

}  // namespace
