// The magician and its marker in play: when the marker calls it, how touches and hits change its
// visit, its ball, and who keeps the marker from coming back.
#include <cmath>

#include "enemies/Magician001.h"
#include "play/ObjectRegistry.h"
#include "tests/enemies/flyers_env.h"

using namespace enemytest;

namespace {

class Magician : public FlyerWorld {
  protected:
    CMagician001* TheMagician(const IBase* placed) {
        for (const auto& c : placed->GetChildren())
            if (auto* m = dynamic_cast<CMagician001*>(c.get())) return m;
        return nullptr;
    }
    // A magician at (x, y) made by a marker placed near it (record id 6), in the given state.
    CMagician001* Visiting(int state, playtest::Target** heroOut = nullptr) {
        Table().SetSpawnFlag(6, true);
        marker = Place<CMagician_Controller001>(200.0, 150.0, 1);
        marker->SetAreaObjectId(6);
        playtest::Target* hero = PlaceHero(250.0, 150.0, kHitPushed);
        if (heroOut) *heroOut = hero;
        Frames(2);
        CMagician001* m = TheMagician(marker);
        if (!m) return nullptr;
        m->x = 200.0;
        m->y = 100.0;
        m->vx = m->vy = m->ax = m->ay = 0.0;
        m->UpdateCentre();
        m->SetState(state);
        return m;
    }
    CMagician_Controller001* marker = nullptr;
};

TEST_F(Magician, TheMarkerCallsItsMagicianFrom319AcrossAndNotFrom320) {
    for (int side : {0, 1}) {
        for (double off : {320.0, 319.0}) {
            SCOPED_TRACE(std::to_string(side) + " " + std::to_string(off));
            CObjectRegistry::GetInstance()->Clear();
            auto* m = Place<CMagician_Controller001>(400.0, 150.0, side);
            const double heroX = m->centerX + (side == 0 ? -off : off);
            PlaceHero(heroX, 150.0);
            Frames(2);
            EXPECT_EQ(m->spawned, off < 320.0);
            EXPECT_EQ(TheMagician(m) != nullptr, off < 320.0);
        }
    }
}

TEST_F(Magician, ItComesFromHighUpOnItsSideAimedAtTheMarker) {
    auto* m = Place<CMagician_Controller001>(400.0, 150.0, 0);
    PlaceHero(300.0, 150.0);
    Frames(2);
    CMagician001* mage = TheMagician(m);
    ASSERT_NE(mage, nullptr);
    EXPECT_EQ(mage->facing, 1);
    EXPECT_LT(mage->x, 400.0 - 500.0);
    EXPECT_LT(mage->y, 150.0 - 400.0);
    EXPECT_DOUBLE_EQ(mage->targetX, m->centerX);
    EXPECT_EQ(mage->GetController(), m);
}

TEST_F(Magician, ItSwoopsInBrakesCastsAndThrowsItsBallDownAndForward) {
    auto* m = Place<CMagician_Controller001>(400.0, 150.0, 1);
    PlaceHero(300.0, 150.0);
    for (int i = 0; i < 300 && fired().empty(); ++i) Frames(1);
    ASSERT_EQ(FiredCount(EnemyShotKind::kMagicalBall), 1);
    CMagician001* mage = TheMagician(m);
    ASSERT_NE(mage, nullptr);
    EXPECT_EQ(mage->state, CMagician001::kAfterThrow);
    EXPECT_EQ(mage->facing, 0);  // it turned to the hero on its left
    const EnemyShotLaunch& ball = fired()[0].launch;
    EXPECT_DOUBLE_EQ(ball.vx, -100.0);
    EXPECT_DOUBLE_EQ(ball.vy, 100.0);
    EXPECT_NEAR(ball.x, mage->centerX - 24.0, 8.0);
    EXPECT_NEAR(ball.y, mage->centerY + 8.0, 8.0);
}

TEST_F(Magician, TouchedWhileSwoopingItAnswersNothingAndFliesOn) {
    playtest::Target* hero;
    CMagician001* m = Visiting(CMagician001::kSwoop, &hero);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Collide(hero), kHitImmune);
    EXPECT_EQ(m->state, CMagician001::kSwoop);
    EXPECT_TRUE(hero->received.empty());
}

TEST_F(Magician, StunnedWhileCastingItCastsAgainFromTheStart) {
    playtest::Target* hero;
    CMagician001* m = Visiting(CMagician001::kCasting, &hero);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Collide(hero), kHitPushed);
    EXPECT_EQ(m->state, CMagician001::kStunned);
    for (int i = 0; i < 42; ++i) Frames(1);
    EXPECT_EQ(m->state, CMagician001::kCasting);
    EXPECT_LT(m->stateFrames, 3.0);
    EXPECT_TRUE(fired().empty());
}

TEST_F(Magician, StunnedAfterItsThrowItLeaves) {
    playtest::Target* hero;
    CMagician001* m = Visiting(CMagician001::kAfterThrow, &hero);
    ASSERT_NE(m, nullptr);
    m->castDone = true;
    EXPECT_EQ(m->Collide(hero), kHitPushed);
    for (int i = 0; i < 42; ++i) Frames(1);
    EXPECT_EQ(m->state, CMagician001::kLeaving);
}

TEST_F(Magician, AHitKnocksItAwayThenItShootsOffAndSoonCannotBeTouched) {
    playtest::Target* hero;
    CMagician001* m = Visiting(CMagician001::kCasting, &hero);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ReceiveAttack(Attack(19)), kHitHurt);
    for (int i = 0; i < 30 && m->isBlown; ++i) Frames(1);
    ASSERT_FALSE(m->isBlown);
    EXPECT_EQ(m->state, CMagician001::kLeaving);
    EXPECT_EQ(m->Collide(hero), kHitPushed);  // early in its exit it can still be bumped
    m->SetState(CMagician001::kLeaving);
    for (int i = 0; i < 22; ++i) Frames(1);
    EXPECT_LT(m->vy, 0.0);
    EXPECT_EQ(m->Collide(hero), kHitImmune);
}

TEST_F(Magician, OnlyBeatingTheMagicianKeepsTheMarkerFromComingBack) {
    CMagician001* m = Visiting(CMagician001::kCasting);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->ReceiveAttack(Attack(20)), kHitDefeated);
    EXPECT_FALSE(Table().CanSpawn(6));

    CObjectRegistry::GetInstance()->Clear();
    m = Visiting(CMagician001::kLeaving);
    ASSERT_NE(m, nullptr);
    const ObjectHandle markerHandle = marker->GetHandle();
    m->y = -2000.0;  // flown far off upward
    for (int i = 0; i < 3; ++i) Frames(1);
    EXPECT_EQ(markerHandle.Get(), nullptr);  // its magician gone, the marker goes too
    EXPECT_TRUE(Table().CanSpawn(6));
}

TEST_F(Magician, AMagicianWhoseMarkerIsGoneIsBeatenWithoutTouchingIt) {
    Table().SetSpawnFlag(6, true);
    CMagician001 stray(stage.get(), 100.0, 100.0, 0, nullptr, 100.0, 100.0);
    EXPECT_EQ(stray.GetController(), nullptr);
    EXPECT_EQ(stray.ReceiveAttack(Attack(20)), kHitDefeated);
    EXPECT_TRUE(Table().CanSpawn(6));
}

}  // namespace
