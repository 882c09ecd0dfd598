// The kids and the bumper in play: what their hits answer and leave behind, the lunge and its
// attack, the body contacts, the hero tests, and the creator seam.
#include <cmath>
#include <memory>
#include <numbers>
#include <utility>

#include "enemies/EnemyKinds.h"
#include "enemies/Kid001.h"
#include "enemies/Kid002.h"
#include "enemies/Pukka001.h"
#include "play/Hitboxes.h"
#include "play/LiveObjectFactory.h"
#include "tests/enemies/enemies_env.h"

using namespace enemytest;

namespace {

class Kids : public EnemyWorld {
  protected:
    // A kid standing on the floor, facing as asked, made by record id 5.
    template <class K = CKid001>
    K* KidOnFloor(double x, int facing) {
        K* k = Place<K>(x, kFloorTop - 30.0 - 0.5, facing);
        k->SetAreaObjectId(5);
        Frames(2);
        return k;
    }
    template <class T>
    std::vector<T*> Hitboxes(IBase* parent) {
        std::vector<T*> out;
        for (const auto& c : parent->GetChildren())
            if (auto* h = dynamic_cast<T*>(c.get())) out.push_back(h);
        return out;
    }
};

// Every hero attack flag, with damage 0, hit points - 1 and hit points: knocked, knocked,
// beaten; the spawn flag goes only with the defeat.
TEST_F(Kids, HitsKnockAwayUntilTheLastPointAndOnlyTheDefeatClearsTheSpawnFlag) {
    for (int flag = -1; flag < 12; ++flag) {
        for (int damage : {0, 19, 20}) {
            SCOPED_TRACE("flag " + std::to_string(flag) + " damage " + std::to_string(damage));
            Table().SetSpawnFlag(5, true);
            CKid001 kid(stage.get(), 100, 200, 0);
            kid.SetAreaObjectId(5);
            const int r = kid.ReceiveAttack(Attack(damage, flag));
            EXPECT_EQ(kid.hitPoints, 20 - damage);
            EXPECT_TRUE(kid.isBlown);
            EXPECT_EQ(kid.state, kKidWalk);  // a blow suspends the state, it does not change it
            if (damage < 20) {
                EXPECT_EQ(r, kHitHurt);
                EXPECT_FALSE(kid.isDefeated);
                EXPECT_TRUE(Table().CanSpawn(5));
            } else {
                EXPECT_EQ(r, kHitDefeated);
                EXPECT_TRUE(kid.isDefeated);
                EXPECT_FALSE(Table().CanSpawn(5));
            }
        }
    }
}

TEST_F(Kids, ADefeatTouchesNoTableWithoutAValidAreaOrRecordId) {
    Table().SetSpawnFlag(0, true);
    CKid001 unplaced(stage.get(), 100, 200, 0);  // id -1: made by no record
    EXPECT_EQ(unplaced.ReceiveAttack(Attack(20)), kHitDefeated);
    EXPECT_TRUE(Table().CanSpawn(0));

    Table().SetSpawnFlag(5, true);
    stage->currentArea = 3;  // no such area
    CKid002 lost(stage.get(), 100, 200, 1);
    lost.SetAreaObjectId(5);
    EXPECT_EQ(lost.ReceiveAttack(Attack(25)), kHitDefeated);
    stage->currentArea = 0;
    EXPECT_TRUE(Table().CanSpawn(5));
}

TEST_F(Kids, TheDefeatFlightEndsInTheDeathEffectAndTheKidIsGone) {
    CKid001* kid = KidOnFloor(300, 0);
    bool gone = false;
    EXPECT_EQ(kid->ReceiveAttack(Attack(30)), kHitDefeated);
    Frames(14);
    for (IBase* o : All<IBase>()) gone = gone || o == kid;
    EXPECT_FALSE(gone);
    EXPECT_EQ(All<CKid001>().size(), 0u);
}

TEST_F(Kids, AClashOfItsLungeShieldsTheBodyForTheRestOfTheFrame) {
    CKid001 kid(stage.get(), 100, 200, 1);
    kid.OnAttackClash(kHitGuarded, Attack(10), Attack(10));
    kid.AfterAttackClash();
    EXPECT_EQ(kid.state, kKidRecoil);
    EXPECT_EQ(kid.vx, 200.0);  // their attack pointed right (angle 0)
    EXPECT_EQ(kid.ReceiveAttack(Attack(50)), kHitNoEffect);
    EXPECT_EQ(kid.hitPoints, 20);
}

// The hero in front at its own height starts the brake, two hops and the lunge; the lunge's
// attack appears once, on the first lunge frame past 6, and lives while its age is at most 4.
TEST_F(Kids, TheLungeAttackAppearsOnceAtFrameSixAndLivesFourFrames) {
    Relations({{kCategoryEnemyAttack, kCategoryHero, 2}});
    CKid001* kid = KidOnFloor(300, 0);
    ASSERT_TRUE(kid->onGround || kid->wasOnGround);
    playtest::Target* hero = PlaceHero(kid->centerX - 30.0, kid->centerY);
    int lungeFrame = -1, firstSeen = -1, lastSeen = -1, boxes = 0, aliveFrames = 0;
    for (int i = 0; i < 120 && (lastSeen < 0 || i < lastSeen + 10); ++i) {
        const bool hadBox = !kid->GetChildren().empty();
        Frames(1);
        if (kid->state == kKidLunge && lungeFrame < 0) lungeFrame = i;
        const auto lungeBoxes = Hitboxes<CCollisionDetectionSectorUpLeft>(kid);
        if (!lungeBoxes.empty()) {
            if (!hadBox) ++boxes;
            if (firstSeen < 0) firstSeen = i;
            lastSeen = i;
            if (!lungeBoxes[0]->IsDead()) {
                ++aliveFrames;
                EXPECT_LE(lungeBoxes[0]->age, 4.0 + 1e-9);
            }
        }
    }
    ASSERT_GE(lungeFrame, 0);
    EXPECT_EQ(boxes, 1);
    // The lunge's step at f >= 6 runs in its 7th frame; the box joins the kid one frame later.
    EXPECT_EQ(firstSeen, lungeFrame + 7);
    EXPECT_LE(lastSeen - firstSeen, 4);
    // It lives while its age is at most 4 frames (the fourth frame's age carries the float frame
    // time's rounding, just past 4, and ends it there).
    EXPECT_GE(aliveFrames, 3);
    EXPECT_LE(aliveFrames, 4);
    ASSERT_FALSE(hero->received.empty());
    EXPECT_EQ(hero->received.size(), 1u);  // hit at most once
    EXPECT_EQ(hero->received[0].damage, 10);
    EXPECT_DOUBLE_EQ(hero->received[0].angle, std::numbers::pi);
    EXPECT_EQ(hero->received[0].flags[kAttackSlash], 1);
}

// The big kid's lunge reaches 38 pixels from its point, stays 6 frames and strikes a plain blow
// (the ordinary spark, not the slash).
TEST_F(Kids, TheBigKidsLungeReachesFartherLastsLongerAndStrikesPlain) {
    Relations({{kCategoryEnemyAttack, kCategoryHero, 2}});
    CKid002* kid = KidOnFloor<CKid002>(300, 0);
    playtest::Target* hero = PlaceHero(kid->centerX - 40.0, kid->centerY);
    double radius = 0;  // read while the box lives: it is gone once the loop sees none
    int aliveFrames = 0;
    for (int i = 0; i < 160; ++i) {
        Frames(1);
        const auto boxes = Hitboxes<CCollisionDetectionSectorUpLeft>(kid);
        if (boxes.empty()) {
            if (radius > 0) break;
            continue;
        }
        radius = boxes[0]->radius;
        if (!boxes[0]->IsDead()) ++aliveFrames;
    }
    EXPECT_EQ(radius, 38.0);
    EXPECT_GE(aliveFrames, 5);
    EXPECT_LE(aliveFrames, 6);
    ASSERT_EQ(hero->received.size(), 1u);
    EXPECT_EQ(hero->received[0].damage, 10);
    EXPECT_EQ(hero->received[0].flags[kAttackSlash], 0);
}

TEST_F(Kids, TheHeroWindowIsStrictAndWithoutAHeroNoKidEverBrakes) {
    CKid001 kid(stage.get(), 100, 200, 1);
    kid.UpdateCentre();
    EXPECT_FALSE(kid.IsHeroInFront(60, 36));  // no hero
    playtest::Target hero(stage.get(), 0, 0, kCategoryHero, kHitHurt);
    scene.hero = &hero;
    auto at = [&](double dx, double dy) {
        hero.centerX = kid.centerX + dx;
        hero.centerY = kid.centerY + dy;
        return kid.IsHeroInFront(60, 36);
    };
    EXPECT_TRUE(at(35.9, 59.9));
    EXPECT_FALSE(at(36.0, 0));
    EXPECT_FALSE(at(0.0, 0));
    EXPECT_FALSE(at(10.0, 60.0));
    EXPECT_FALSE(at(-10.0, 0));  // behind
    CKid002 big(stage.get(), 100, 200, 1);
    big.UpdateCentre();
    hero.centerX = big.centerX + 51;
    hero.centerY = big.centerY + 79;
    EXPECT_TRUE(big.IsHeroInFront(big.tuning.sightHeight, big.tuning.sightReach));
    hero.centerY = big.centerY + 80;
    EXPECT_FALSE(big.IsHeroInFront(big.tuning.sightHeight, big.tuning.sightReach));
    scene.hero = nullptr;

    CKid001* walker = KidOnFloor(300, 0);
    for (int i = 0; i < 600; ++i) {
        Frames(1);
        ASSERT_NE(walker->state, kKidBrake);
    }
}

TEST_F(Kids, AStompSquashesAndAPushThrowsTheKidBackAlongTheFloor) {
    CKid001* kid = KidOnFloor(300, 1);
    playtest::Target stomper(stage.get(), 290, 250, kCategoryHero, kHitBounced);
    stomper.UpdateCentre();
    EXPECT_EQ(kid->Collide(&stomper), kHitBounced);
    EXPECT_EQ(kid->state, kKidStomped);
    EXPECT_EQ(kid->vx, 0.0);
    double scale;
    int bob;
    kid->stateFrames = 5;
    kid->ChooseCell(&scale, &bob);
    EXPECT_NE(scale, 1.0);

    CKid001 flying(stage.get(), 100, 100, 0);
    flying.wasOnGround = false;
    flying.vy = -50.0;
    flying.Collide(&stomper);
    EXPECT_EQ(flying.vy, 100.0);  // stomped in the air: sent down at 100 at least

    playtest::Target pusher(stage.get(), 250, kid->y, kCategoryHero, kHitPushed);
    pusher.UpdateCentre();
    EXPECT_EQ(kid->Collide(&pusher), kHitPushed);
    EXPECT_EQ(kid->state, kKidRecoil);
    EXPECT_EQ(kid->vx, 200.0);  // away from the pusher on its left
    EXPECT_EQ(kid->ax, -900.0);
    EXPECT_EQ(kid->ay, 300.0);
}

TEST_F(Kids, WalkingIntoAWallTurnsRoundAtOnce) {
    Fill(5, 0, 5, 9, 40);  // a wall ending at x = 192
    CKid001* kid = KidOnFloor(196, 0);
    for (int i = 0; i < 30 && kid->facing == 0; ++i) Frames(1);
    EXPECT_EQ(kid->facing, 1);
    EXPECT_GE(kid->vx, 0.0);
    EXPECT_GE(kid->ax, 0.0);
}

TEST_F(Kids, TheBumperFlingsEverythingAndNothingHurtsIt) {
    CPukka001 bumper(stage.get(), 100, 100);
    bumper.UpdateCentre();
    playtest::Target t(stage.get(), 100 - 10, 60 - 10, kCategoryHero, kHitHurt);  // centre right above
    t.UpdateCentre();
    EXPECT_EQ(bumper.Collide(&t), kHitHurt);
    ASSERT_EQ(t.received.size(), 1u);
    EXPECT_EQ(t.received[0].power, 700.0);
    EXPECT_NEAR(t.received[0].angle, -std::numbers::pi / 2, 1e-6);
    EXPECT_EQ(t.received[0].flags[kAttackBodyPush], 1);
    EXPECT_EQ(t.received[0].damage, 0);
    EXPECT_EQ(bumper.bounceFrames, 20.0);
    EXPECT_EQ(bumper.ReceiveAttack(Attack(999, kAttackRedBurst)), kHitNoEffect);
    EXPECT_FALSE(bumper.isBlown);
}

// A touch squashes the bumper for 20 frames, shrinking from full size toward 0.448 by 0.576; a
// touch while squashed starts it again at full size.
TEST_F(Kids, TheBumpersSquashShrinksAndATouchRestartsIt) {
    auto* bumper = Place<CPukka001>(100.0, 100.0);
    playtest::Target t(stage.get(), 90, 50, kCategoryHero, kHitHurt);
    t.UpdateCentre();
    bumper->Collide(&t);
    Frames(10);
    bumper->Draw();
    ASSERT_NE(bumper->sprite, nullptr);
    EXPECT_NEAR(bumper->bounceFrames, 10.0, 1e-4);
    EXPECT_NEAR(bumper->sprite->scaleX, 0.724, 1e-4);  // 0.448 + 0.552 x 0.5
    EXPECT_NEAR(bumper->sprite->scaleY, 0.788, 1e-4);  // 0.576 + 0.424 x 0.5
    bumper->Collide(&t);
    bumper->Draw();
    EXPECT_EQ(bumper->bounceFrames, 20.0);
    EXPECT_NEAR(bumper->sprite->scaleX, 1.0, 1e-6);
    EXPECT_NEAR(bumper->sprite->scaleY, 1.0, 1e-6);
    Frames(25);
    bumper->Draw();
    EXPECT_EQ(bumper->bounceFrames, 0.0);
}

TEST_F(Kids, TheCreatorSeamBuildsFacingTheHeroAndBumpersDoNotCount) {
    RegisterEnemyKinds();
    std::unique_ptr<IBase> right(CreateLiveObject("CKid001", stage.get(), 64, 322, {true}));
    std::unique_ptr<IBase> left(CreateLiveObject("CKid002", stage.get(), 64, 322, {false}));
    std::unique_ptr<IBase> bumper(CreateLiveObject("CPukka001", stage.get(), 80, 80, {}));
    ASSERT_NE(dynamic_cast<CKid001*>(right.get()), nullptr);
    ASSERT_NE(dynamic_cast<CKid002*>(left.get()), nullptr);
    ASSERT_NE(dynamic_cast<CPukka001*>(bumper.get()), nullptr);
    EXPECT_EQ(right->vx, 80.0);
    EXPECT_EQ(left->vx, -80.0);
    auto* r = CObjectRegistry::GetInstance();
    r->Add(std::move(right));
    r->Add(std::move(left));
    r->Add(std::move(bumper));
    EXPECT_EQ(r->CountEnemies(), 2);
    ClearLiveObjectCreators();
    CObjectRegistry::SetEnemyCounter(nullptr);
}

TEST_F(Kids, EveryClassIsBuiltDrawnAndDestroyedWithoutAnOwner) {
    for (int facing : {0, 1}) {
        CKid001 a(nullptr, 0, 2, facing);
        CKid002 b(nullptr, 0, 2, facing);
        a.Update();
        b.Update();
        a.Draw();
        b.Draw();
        EXPECT_EQ(a.ReceiveAttack(Attack(20)), kHitDefeated);
    }
    CPukka001 c(nullptr, 0, 0);
    c.Update();
    c.Draw();
}

}  // namespace
